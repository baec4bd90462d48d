#include "reports/itemtable.h"

#include "reports/reportformat.h"
#include "reports/reportpdf.h"

#include <QPainter>
#include <QStringList>
#include <algorithm>

namespace sw {

namespace {

constexpr double RowHeight = 13;
constexpr double TextPoints = 7;
constexpr double NarrowTextPoints = 5.5;
constexpr double NarrowColumn = 24;
constexpr double CellPadding = 2;
constexpr double HeaderHeight = 44; // title and legend above the table
constexpr double FooterHeight = 14;
const QColor HeaderRow(230, 230, 230);
const QColor RuleColour(160, 160, 160);

struct Column
{
    QString title;
    double width;
};

// The fixed columns left and right of the option shares.
const Column Leading[] = {
    {QStringLiteral("题号"), 30},   {QStringLiteral("分值"), 28},
    {QStringLiteral("答案"), 40},   {QStringLiteral("难度"), 32},
    {QStringLiteral("区分度"), 36}, {QStringLiteral("点二列相关"), 46},
};
const Column Trailing[] = {
    {QStringLiteral("空白"), 30},
    {QStringLiteral("多选"), 30},
    {QStringLiteral("标记"), 64},
};
static_assert(std::size(Leading) == ItemTableLeadingColumns);

class TablePainter
{
public:
    TablePainter(QPainter& painter, const QRectF& frame, const QString& options)
        : m_painter(painter), m_frame(frame), m_options(options)
    {
        double fixed = 0;
        for (const Column& column : Leading)
            fixed += column.width;
        for (const Column& column : Trailing)
            fixed += column.width;
        m_optionWidth = options.isEmpty() ? 0 : (frame.width() - fixed) / double(options.size());
        m_optionPoints = m_optionWidth < NarrowColumn ? NarrowTextPoints : TextPoints;
    }

    int rowsPerPage() const
    {
        return std::max(1, int((m_frame.height() - HeaderHeight - FooterHeight) / RowHeight) - 1);
    }

    void paintPageTop(double& y)
    {
        m_painter.setPen(Qt::black);
        m_painter.setFont(reportFont(12, true));
        m_painter.drawText(QRectF(m_frame.left(), y, m_frame.width(), 18),
                           Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("题目分析"));
        m_painter.setFont(reportFont(TextPoints));
        m_painter.drawText(QRectF(m_frame.left(), y + 18, m_frame.width(), 22),
                           Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap,
                           QStringLiteral("难度 = 平均得分 ÷ 分值；区分度 = 总分前 27% 与后 27% "
                                          "考生的难度之差；选项比例中底色为答案。标红的题目："
                                          "区分度为负，或有干扰项的选择人数多于答案。"));
        y += HeaderHeight;
        m_painter.fillRect(QRectF(m_frame.left(), y, m_frame.width(), RowHeight), HeaderRow);
        paintCells(y, itemTableTitles(m_options), columnWidths(), {}, true);
        y += RowHeight;
    }

    void paintRow(double& y, const ItemStatistics& item)
    {
        if (item.flagged())
            m_painter.fillRect(QRectF(m_frame.left(), y, m_frame.width(), RowHeight),
                               FlaggedRowColour);
        std::vector<bool> keyCells(std::size(Leading), false);
        for (QChar option : m_options)
            keyCells.push_back(isKeyShare(item, option));
        paintCells(y, itemTableRow(item, m_options), columnWidths(), keyCells, false);
        y += RowHeight;
    }

    void paintFooter(int page, int pages)
    {
        m_painter.setPen(Qt::black);
        m_painter.setFont(reportFont(TextPoints));
        m_painter.drawText(
            QRectF(m_frame.left(), m_frame.bottom() - FooterHeight, m_frame.width(), FooterHeight),
            Qt::AlignHCenter | Qt::AlignBottom,
            QStringLiteral("题目分析 第 %1 / %2 页").arg(page).arg(pages));
    }

private:
    std::vector<double> columnWidths() const
    {
        std::vector<double> widths;
        for (const Column& column : Leading)
            widths.push_back(column.width);
        widths.insert(widths.end(), std::size_t(m_options.size()), m_optionWidth);
        for (const Column& column : Trailing)
            widths.push_back(column.width);
        return widths;
    }

    void paintCells(double y, const QStringList& texts, const std::vector<double>& widths,
                    const std::vector<bool>& keyCells, bool header)
    {
        double x = m_frame.left();
        const qsizetype optionsFrom = qsizetype(std::size(Leading));
        for (qsizetype i = 0; i < texts.size(); ++i) {
            const QRectF cell(x, y, widths[std::size_t(i)], RowHeight);
            const bool isOption = i >= optionsFrom && i < optionsFrom + m_options.size();
            const bool isKey = std::size_t(i) < keyCells.size() && keyCells[std::size_t(i)];
            if (isKey)
                m_painter.fillRect(cell, KeyCellColour);
            m_painter.setFont(
                reportFont(isOption && !header ? m_optionPoints : TextPoints, header || isKey));
            m_painter.setPen(Qt::black);
            m_painter.drawText(cell.adjusted(CellPadding, 0, -CellPadding, 0),
                               Qt::AlignHCenter | Qt::AlignVCenter, texts.at(i));
            x += widths[std::size_t(i)];
        }
        m_painter.setPen(QPen(RuleColour, 0.4));
        m_painter.drawLine(QPointF(m_frame.left(), y + RowHeight),
                           QPointF(m_frame.right(), y + RowHeight));
    }

    QPainter& m_painter;
    QRectF m_frame;
    QString m_options;
    double m_optionWidth = 0;
    double m_optionPoints = TextPoints;
};

const OptionShare* shareOf(const ItemStatistics& item, QChar option)
{
    const auto share = std::find_if(item.options.begin(), item.options.end(),
                                    [option](const OptionShare& s) { return s.option == option; });
    return share == item.options.end() ? nullptr : &*share;
}

} // namespace

QString itemTableOptions(const std::vector<ItemStatistics>& items)
{
    QString options;
    for (const ItemStatistics& item : items) {
        for (const OptionShare& share : item.options) {
            if (!options.contains(share.option))
                options.append(share.option);
        }
    }
    return options;
}

QStringList itemTableTitles(const QString& options)
{
    QStringList titles;
    for (const Column& column : Leading)
        titles.append(column.title);
    for (QChar option : options)
        titles.append(QString(option));
    for (const Column& column : Trailing)
        titles.append(column.title);
    return titles;
}

QStringList itemTableRow(const ItemStatistics& item, const QString& options)
{
    QStringList texts = {item.number,
                         formatPoints(item.points),
                         item.keyText,
                         formatFigure(item.difficulty),
                         formatFigure(item.discrimination),
                         formatFigure(item.pointBiserial)};
    for (QChar option : options) {
        const OptionShare* share = shareOf(item, option);
        texts.append(share ? formatShare(share->share) : QString());
    }
    texts.append({QString::number(item.blanks), QString::number(item.doubles), itemFlagText(item)});
    return texts;
}

bool isKeyShare(const ItemStatistics& item, QChar option)
{
    const OptionShare* share = shareOf(item, option);
    return share && share->key;
}

QString itemFlagText(const ItemStatistics& item)
{
    QStringList reasons;
    if (item.negativeDiscrimination)
        reasons.append(QStringLiteral("区分度为负"));
    if (item.distractorAboveKey)
        reasons.append(QStringLiteral("干扰项多于答案"));
    return reasons.join(QStringLiteral("，"));
}

void paintItemTable(ReportPdf& pdf, const std::vector<ItemStatistics>& items, const QRectF& frame)
{
    TablePainter table(pdf.painter(), frame, itemTableOptions(items));
    const int perPage = table.rowsPerPage();
    const int pages =
        std::max(1, int((items.size() + std::size_t(perPage) - 1) / std::size_t(perPage)));
    std::size_t next = 0;
    for (int page = 1; page <= pages; ++page) {
        pdf.newPage();
        double y = frame.top();
        table.paintPageTop(y);
        for (int row = 0; row < perPage && next < items.size(); ++row)
            table.paintRow(y, items[next++]);
        table.paintFooter(page, pages);
    }
}

} // namespace sw
