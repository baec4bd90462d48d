#include "dialogs/linelistdialog.h"

#include "shapes/linelist.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

namespace sw {

namespace {

constexpr int ClientWidth = 856;
constexpr int ClientHeight = 215;
constexpr int ButtonWidth = 70;
constexpr int EditWidth = 40;
constexpr int FirstTextLeft = 110;
// A segment's weight spin sits this far right of its leading text.
constexpr int WeightOffset = 80;
const QChar SegmentSeparator = QLatin1Char('|');
const QChar PartSeparator = QLatin1Char('\\');

bool isBlank(QChar c)
{
    return c.unicode() >= 1 && c.unicode() <= ' ';
}

// Left edge of text edit k of a row (two per segment).
int textLeft(int k)
{
    return EditWidth * k + 50 * (k / 2) + FirstTextLeft;
}

QSpinBox* newSpin(QWidget* parent, const QString& name)
{
    auto* spin = new QSpinBox(parent);
    spin->setRange(1, LineListDialog::MaxSegments);
    spin->setAlignment(Qt::AlignLeft);
    spin->setAccessibleName(name);
    return spin;
}

} // namespace

int countDelimitedSegments(const QString& row)
{
    const QChar quote = QLatin1Char('"');
    // The text ends at its first NUL, as a C string would.
    qsizetype end = row.indexOf(QChar(0));
    if (end < 0)
        end = row.size();
    qsizetype p = 0;
    const auto skipBlanks = [&] {
        while (p < end && isBlank(row[p]))
            ++p;
    };
    int count = 0;
    skipBlanks();
    while (p < end) {
        if (row[p] == quote) {
            // Up to the closing quote; a doubled quote stands for one.
            ++p;
            while (p < end) {
                if (row[p] == quote && (p + 1 >= end || row[p + 1] != quote)) {
                    ++p;
                    break;
                }
                p += row[p] == quote ? 2 : 1;
            }
        } else {
            while (p < end && !isBlank(row[p]) && row[p] != SegmentSeparator)
                ++p;
        }
        ++count;
        skipBlanks();
        if (p < end && row[p] == SegmentSeparator) {
            if (p + 1 >= end)
                ++count;
            do
                ++p;
            while (p < end && isBlank(row[p]));
        }
    }
    return count;
}

LineListDialog::LineListDialog(const QStringList& rows, QWidget* parent)
    : QDialog(parent), m_stored(rows), m_scroll(new QScrollArea(this)), m_content(new QWidget)
{
    setObjectName(QStringLiteral("LineListDialog"));
    setWindowTitle(QStringLiteral("线段设置"));

    m_scroll->setObjectName(QStringLiteral("SegmentScroll"));
    m_scroll->setWidgetResizable(false);
    QPalette silver = m_scroll->palette();
    silver.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    m_scroll->setPalette(silver);
    m_scroll->setBackgroundRole(QPalette::Window);
    m_scroll->viewport()->setAutoFillBackground(true);
    QFont arial(QStringLiteral("Arial"));
    arial.setPixelSize(12);
    m_content->setFont(arial);
    m_scroll->setWidget(m_content);

    auto* bar = new QHBoxLayout;
    bar->addStretch(1);
    const auto addButton = [this, bar](const char* name, const QString& caption) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(QString::fromLatin1(name));
        button->setAccessibleName(caption);
        button->setAutoDefault(false);
        button->setFixedWidth(ButtonWidth);
        bar->addWidget(button);
        return button;
    };
    connect(addButton("SaveButton", QStringLiteral("保存")), &QPushButton::clicked, this,
            &LineListDialog::saveRows);
    connect(addButton("CloseButton", QStringLiteral("退出")), &QPushButton::clicked, this,
            &QDialog::close);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 4);
    layout->addWidget(m_scroll, 1);
    layout->addLayout(bar);
    resize(ClientWidth, ClientHeight);
}

void LineListDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    showRows();
}

void LineListDialog::showRows()
{
    if (m_built)
        return;
    m_built = true;
    for (int i = 0; i < m_stored.size(); ++i)
        addRow(i);
}

void LineListDialog::addRow(int index)
{
    // A new row is as wide as the widest one, so that all rows scroll together.
    int width = m_scroll->viewport()->width() - 3;
    for (const Row& row : std::as_const(m_rows))
        width = std::max(width, row.panel->width());

    Row row;
    row.panel = new QLabel(QStringLiteral("    %1.").arg(index + 1), m_content);
    row.panel->setObjectName(QStringLiteral("row%1").arg(index + 1));
    row.panel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    row.panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    row.panel->setGeometry(1, RowHeight * index + 1, width, RowHeight);
    auto* label = new QLabel(QStringLiteral("列数"), row.panel);
    placeCentred(label, 30, 40);
    row.columns = newSpin(row.panel, QStringLiteral("第%1行列数").arg(index + 1));
    label->setBuddy(row.columns);
    placeCentred(row.columns, 60, 40);
    row.panel->show();
    m_rows.append(row);

    // A count above ten shows ten segments, a row without any shows one.
    row.columns->setValue(std::clamp(countDelimitedSegments(m_stored.at(index)), 1, MaxSegments));
    columnsChanged(index);
    connect(row.columns, &QSpinBox::valueChanged, this, [this, index] { columnsChanged(index); });
    fitContent();
}

void LineListDialog::columnsChanged(int row)
{
    const int count = m_rows.at(row).columns->value();
    resizeSegments(row, count);
    refill(row, count);
    fitContent();
}

void LineListDialog::resizeSegments(int row, int count)
{
    Row& r = m_rows[row];
    while (r.texts.size() < 2 * count) {
        const int k = int(r.texts.size());
        const int segment = k / 2 + 1;
        auto* edit = new QLineEdit(r.panel);
        edit->setAccessibleName(
            QStringLiteral("第%1行第%2段%3")
                .arg(row + 1)
                .arg(segment)
                .arg(k % 2 == 0 ? QStringLiteral("前置文字") : QStringLiteral("后置文字")));
        placeCentred(edit, textLeft(k), EditWidth);
        edit->show();
        r.texts.append(edit);
        if (k % 2 == 0)
            widenPanels(row, textLeft(k));
    }
    while (r.weights.size() < count) {
        const int s = int(r.weights.size());
        QSpinBox* weight =
            newSpin(r.panel, QStringLiteral("第%1行第%2段长度").arg(row + 1).arg(s + 1));
        placeCentred(weight, textLeft(2 * s) + WeightOffset, EditWidth);
        weight->show();
        r.weights.append(weight);
    }
    while (r.texts.size() > 2 * count)
        delete r.texts.takeLast();
    while (r.weights.size() > count)
        delete r.weights.takeLast();
}

void LineListDialog::refill(int row, int count)
{
    Row& r = m_rows[row];
    const QStringList segments = splitLineListText(m_stored.value(row), SegmentSeparator);
    for (int s = 0; s < count && s < segments.size(); ++s) {
        const QStringList parts = splitLineListText(segments.at(s), PartSeparator);
        // A segment without its three parts shows as a new one.
        bool isNumber = false;
        const int weight = parts.size() >= 3 ? parts.at(2).toInt(&isNumber) : 1;
        r.texts.at(2 * s)->setText(parts.size() >= 3 ? parts.at(0) : QString());
        r.texts.at(2 * s + 1)->setText(parts.size() >= 3 ? parts.at(1) : QString());
        r.weights.at(s)->setValue(isNumber ? std::clamp(weight, 1, MaxSegments) : 1);
    }
}

void LineListDialog::widenPanels(int row, int segmentLeft)
{
    QLabel* panel = m_rows.at(row).panel;
    if (panel->width() >= segmentLeft + 120)
        return;
    panel->resize(segmentLeft + 125, RowHeight);
    for (const Row& other : std::as_const(m_rows)) {
        if (other.panel->width() < panel->width())
            other.panel->resize(panel->width(), RowHeight);
    }
}

void LineListDialog::placeCentred(QWidget* control, int left, int width)
{
    const int height = control->sizeHint().height();
    control->setGeometry(left, (RowHeight - height) / 2, width, height);
}

void LineListDialog::fitContent()
{
    int width = 0;
    for (const Row& row : std::as_const(m_rows))
        width = std::max(width, row.panel->geometry().right() + 1);
    m_content->resize(width + 1, RowHeight * int(m_rows.size()) + 2);
}

QStringList LineListDialog::rowTexts() const
{
    QStringList rows;
    for (const Row& row : m_rows) {
        QString text;
        const int last = int(row.texts.size()) - 1;
        for (int k = 0; k <= last; ++k) {
            text += row.texts.at(k)->text().trimmed() + PartSeparator;
            if (k % 2 == 1) {
                text += QString::number(row.weights.at(k / 2)->value());
                if (k != last)
                    text += SegmentSeparator;
            }
        }
        rows << text;
    }
    return rows;
}

void LineListDialog::saveRows()
{
    m_stored = rowTexts();
    emit saved(m_stored);
}

} // namespace sw
