#pragma once

#include "reports/reportdata.h"

#include <QMainWindow>
#include <QString>
#include <memory>

class QLabel;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;

namespace sw {

class Database;
class Exam;
class ExamChartsView;
class ItemTableModel;

// The analysis of one exam as its report gives it: the summary figures, the
// histogram of the totals with a box plot per paper type, and the item
// table, flagged questions marked. The report's PDF and the results workbook
// are written from here as the command line writes them. 刷新 (F5) reads the
// exam again, so decisions made since are counted; what keeps the exam from
// being analysed (no key, no scripts, the database gone) is said in the
// window instead.
class ExamAnalysisWindow : public QMainWindow
{
    Q_OBJECT

public:
    // The analysis of `exam`, which must outlive the window (a review
    // window's own exam, the analysis its child); `databaseLocation` is where
    // the exam is stored, never to be written over.
    ExamAnalysisWindow(const Exam& exam, const QString& databaseLocation,
                       QWidget* parent = nullptr);
    // The analysis of an exam the window keeps open itself.
    ExamAnalysisWindow(std::unique_ptr<Database> database, std::unique_ptr<Exam> exam,
                       QWidget* parent = nullptr);
    ~ExamAnalysisWindow() override;

    // Reads the exam again and shows its analysis; false, with the reason
    // shown in the window, when it cannot be analysed.
    bool refresh();
    // Why the exam cannot be analysed, as the window says it; empty when it is shown.
    QString problem() const { return m_problem; }
    // What the analysis shown is made of.
    const ReportData& reportData() const { return m_report; }

    // Write the report's PDF or the results workbook to `path`; false with
    // the reason in *error, also for the exam's database itself.
    bool writeReport(const QString& path, QString* error) const;
    bool writeWorkbook(const QString& path, QString* error) const;

    // Ask for the file and write to it, saying how it went.
    void chooseReportFile();
    void chooseWorkbookFile();

private:
    void buildWindow();
    bool showProblem(const QString& text);
    void showAnalysis();
    bool refusesDatabase(const QString& path, QString* error) const;
    void saveAs(const QString& caption, const QString& filter, const QString& suffix,
                bool (ExamAnalysisWindow::*write)(const QString&, QString*) const);

    std::unique_ptr<Database> m_ownedDatabase;
    std::unique_ptr<Exam> m_ownedExam;
    const Exam& m_exam;
    QString m_databaseLocation;

    ReportData m_report;
    QString m_problem;

    QLabel* m_message = nullptr;
    QWidget* m_analysis = nullptr;
    std::vector<QLabel*> m_figures;
    ExamChartsView* m_charts = nullptr;
    ItemTableModel* m_items = nullptr;
    QSortFilterProxyModel* m_sortedItems = nullptr;
    QTableView* m_itemView = nullptr;
    QPushButton* m_reportButton = nullptr;
    QPushButton* m_workbookButton = nullptr;
};

// Opens the database at `location` and the exam named in it (laid out at
// `screenPpi`) for analysis; nullptr with the reason when either cannot be
// opened. The window shows the analysis, or why there is none yet.
std::unique_ptr<ExamAnalysisWindow> openExamAnalysis(const QString& location,
                                                     const QString& examName, int screenPpi,
                                                     QString* error, QWidget* parent = nullptr);

} // namespace sw
