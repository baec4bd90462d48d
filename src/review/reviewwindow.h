#pragma once

#include "exam/exam.h"
#include "exam/examresults.h"

#include <QMainWindow>
#include <QPointer>
#include <QSet>
#include <memory>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStandardItemModel;
class QTimer;
class QTreeView;
class QTreeWidget;

namespace sw {

class Database;
class ExamAnalysisWindow;
class ReviewClaims;
class ScanCache;
class SheetReader;
class ZoomView;

// The 复核 window: works through an exam's check items one at a time, the
// straightened scan with its read cells outlined beside the item's field
// zoomed, and stores what the person decides (appended, never overwriting
// the machine's reading). Two windows on one exam never show the same item.
class ReviewWindow : public QMainWindow
{
    Q_OBJECT

public:
    // How often decisions made in other windows are picked up.
    static constexpr int RefreshMs = 5000;
    // How many items after the one shown have their scans prepared ahead.
    static constexpr int PrefetchedItems = 2;
    // How long after a decision the queue is reloaded, unless another
    // decision comes first.
    static constexpr int CatchUpMs = 250;

    ReviewWindow(std::unique_ptr<Database> database, std::unique_ptr<Exam> exam,
                 QWidget* parent = nullptr);
    ~ReviewWindow() override;

    // Decisions are stored under this name; start() asks for one when empty.
    void setReviewer(const QString& reviewer) { m_reviewer = reviewer; }
    const QString& reviewer() const { return m_reviewer; }
    // Asks for the reviewer when needed, loads the queue and shows its first
    // item; false with the reason when the exam cannot be reviewed.
    bool start(QString* error = nullptr);

    // Every item of the queue, grouped by kind.
    const std::vector<CheckItem>& queue() const { return m_queue; }
    // The item shown; nullptr when nothing is left to decide here.
    const CheckItem* currentItem() const;

    // Reloads the queue (decisions made elsewhere) and renews the claim of
    // the item shown.
    void refresh();
    // Stores the decision typed (see typedDecision) for the item shown and
    // shows the next one; false, with the reason in the status bar, when it
    // is not a valid decision.
    bool decide(const QString& typed);
    // Keeps the machine's reading of the item shown.
    bool acceptReading();
    // Leaves the item shown for later.
    void defer();
    // Takes back the last decision of this window and shows its item again.
    bool undo();
    // Opens the exam's analysis in a window of its own, or shows the one
    // open read again.
    void showAnalysis();

signals:
    void itemShown();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Undoable
    {
        Decision decision;
        CheckItem item;
    };

    void buildWindow();
    bool reload(QString* error);
    // Reloads the queue and the decisions, and shows them.
    void catchUp();
    void rebuildModel();
    // The items that may be shown after the one shown, in the order to try.
    QStringList nextCandidates(bool leavingToo) const;
    // In one transaction: stores `decision` (when given), releases the item
    // shown and claims the first of `candidates` no other window holds
    // (`next`, empty when none is free). A failure changes nothing.
    bool moveOn(const Decision* decision, const QStringList& candidates, QString& next,
                QString* error);
    void showNext();
    // Shows the item claimed by moveOn(); nothing when `key` is empty.
    void showClaimed(const QString& key);
    // Claims and shows the item; false when another window holds it.
    bool showItem(const CheckItem& item);
    void display(const CheckItem& item);
    void showNothing();
    void leaveItem();
    bool store(const QString& answer);
    void prefetchAfter(const QString& key);
    void chooseFromQueue(const QModelIndex& index);
    const ExamScan* scanOf(qint64 id) const;
    QString candidateText(const CheckItem& item) const;
    QString reasonText() const;
    void report(const QString& text);

    std::unique_ptr<Database> m_database;
    std::unique_ptr<Exam> m_exam;
    std::unique_ptr<SheetReader> m_reader;
    std::unique_ptr<ScanCache> m_scans;
    std::unique_ptr<ReviewClaims> m_claims;
    QString m_reviewer;
    QString m_holder;

    ExamData m_data;
    std::vector<CheckItem> m_queue;
    QSet<QString> m_heldElsewhere;
    QSet<QString> m_deferred;
    QString m_current; // key of the item shown; empty for none
    std::vector<Undoable> m_undo;

    QStandardItemModel* m_model = nullptr;
    QTreeView* m_queueView = nullptr;
    ZoomView* m_scanView = nullptr;
    ZoomView* m_fieldView = nullptr;
    QLabel* m_itemText = nullptr;
    QLabel* m_reading = nullptr;
    QLabel* m_candidate = nullptr;
    QLineEdit* m_decision = nullptr;
    QComboBox* m_reason = nullptr;
    QLineEdit* m_remark = nullptr;
    QPushButton* m_accept = nullptr;
    QPushButton* m_later = nullptr;
    QPushButton* m_undoButton = nullptr;
    QTreeWidget* m_history = nullptr;
    QTimer* m_refreshTimer = nullptr;
    QPointer<ExamAnalysisWindow> m_analysis;
    QTimer* m_catchUpTimer = nullptr;
};

// Opens the database at `location` (a SQLite file or a PostgreSQL URL) and
// the exam named in it for review; nullptr with the reason when either
// cannot be opened. The exam is laid out at `screenPpi`.
std::unique_ptr<ReviewWindow> openReviewWindow(const QString& location, const QString& examName,
                                               int screenPpi, QString* error,
                                               QWidget* parent = nullptr);

// The names of the exams stored in the database at `location`, for choosing
// one; false with the reason when it cannot be read.
bool storedExamNames(const QString& location, QStringList& names, QString* error);

} // namespace sw
