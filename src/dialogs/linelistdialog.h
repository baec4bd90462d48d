#pragma once

#include <QDialog>
#include <QList>
#include <QStringList>

class QLabel;
class QLineEdit;
class QScrollArea;
class QSpinBox;

namespace sw {

// Number of segments a row description holds by the delimited-text rule of
// the row list: "|", blanks and control characters end a segment, a double-
// quoted part is one segment, two "|" in a row give an empty segment and a
// "|" at the very end adds one.
int countDelimitedSegments(const QString& row);

// "线段设置": the rows of a line list, one row of segment editors per row
// description. Each segment has its leading text, its trailing text and its
// weight (the line's relative length). "保存" writes every row back through
// saved(); "退出" closes without writing.
class LineListDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int RowHeight = 30;
    static constexpr int MaxSegments = 10;

    // One row of editors per description.
    explicit LineListDialog(const QStringList& rows, QWidget* parent = nullptr);

    int rowCount() const { return int(m_rows.size()); }
    QLabel* rowPanel(int row) const { return m_rows.at(row).panel; }
    QSpinBox* columnSpin(int row) const { return m_rows.at(row).columns; }
    // Two per segment: leading text, trailing text.
    QList<QLineEdit*> textEdits(int row) const { return m_rows.at(row).texts; }
    QList<QSpinBox*> weightSpins(int row) const { return m_rows.at(row).weights; }
    // The descriptions the editors hold now.
    QStringList rowTexts() const;

    // "保存": writes every row back (saved) and stays open.
    void saveRows();

signals:
    void saved(const QStringList& rows);

protected:
    void showEvent(QShowEvent* event) override;

private:
    struct Row
    {
        QLabel* panel = nullptr;
        QSpinBox* columns = nullptr;
        QList<QLineEdit*> texts;
        QList<QSpinBox*> weights;
    };

    void showRows();
    void addRow(int index);
    void columnsChanged(int row);
    void resizeSegments(int row, int count);
    void refill(int row, int count);
    void widenPanels(int row, int segmentLeft);
    static void placeCentred(QWidget* control, int left, int width);
    void fitContent();

    // The descriptions as last written: a row's editors are refilled from
    // them whenever its segment count changes.
    QStringList m_stored;
    QScrollArea* m_scroll;
    QWidget* m_content;
    QList<Row> m_rows;
    bool m_built = false;
};

} // namespace sw
