#include "reports/examreport.h"

#include "platform/outputfile.h"
#include "reports/itemanalysis.h"
#include "reports/itemtable.h"
#include "reports/reportcharts.h"
#include "reports/reportformat.h"
#include "reports/reportpdf.h"
#include "reports/summarystatistics.h"

#include <QIODevice>
#include <utility>

namespace sw {

namespace {

constexpr double Margin = 42;
constexpr double FigureRowHeight = 15;
constexpr double ChartHeight = 210;
constexpr double GapBelowSection = 16;

void paintTitle(QPainter& painter, const ReportData& data, double& y)
{
    const double width = ReportPdf::pageSize().width() - 2 * Margin;
    painter.setPen(Qt::black);
    painter.setFont(reportFont(18, true));
    painter.drawText(QRectF(Margin, y, width, 26), Qt::AlignHCenter | Qt::AlignVCenter,
                     QStringLiteral("考试分析报告"));
    y += 28;
    painter.setFont(reportFont(11));
    painter.drawText(QRectF(Margin, y, width, 16), Qt::AlignHCenter | Qt::AlignVCenter,
                     data.examName);
    y += 16 + GapBelowSection;
}

void paintFigures(QPainter& painter, const SummaryStatistics& s, double& y)
{
    const std::vector<std::pair<QString, QString>> figures = summaryFigures(s);
    const double columnWidth = (ReportPdf::pageSize().width() - 2 * Margin) / 2;
    const int rows = int(figures.size() + 1) / 2;
    painter.setFont(reportFont(10));
    for (int i = 0; i < int(figures.size()); ++i) {
        const double x = Margin + (i / rows) * columnWidth;
        const double rowY = y + (i % rows) * FigureRowHeight;
        painter.drawText(QRectF(x, rowY, columnWidth * 0.55, FigureRowHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, figures[i].first);
        painter.drawText(QRectF(x + columnWidth * 0.55, rowY, columnWidth * 0.35, FigureRowHeight),
                         Qt::AlignRight | Qt::AlignVCenter, figures[i].second);
    }
    y += rows * FigureRowHeight + GapBelowSection;
}

void paintSectionTitle(QPainter& painter, const QString& title, double& y)
{
    painter.setPen(Qt::black);
    painter.setFont(reportFont(12, true));
    painter.drawText(QRectF(Margin, y, ReportPdf::pageSize().width() - 2 * Margin, 18),
                     Qt::AlignLeft | Qt::AlignVCenter, title);
    y += 20;
}

void paintSummaryPage(QPainter& painter, const ReportData& data, const SummaryStatistics& s)
{
    const double width = ReportPdf::pageSize().width() - 2 * Margin;
    double y = Margin;
    paintTitle(painter, data, y);
    paintSectionTitle(painter, QStringLiteral("成绩概况"), y);
    paintFigures(painter, s, y);
    paintSectionTitle(painter, QStringLiteral("总分分布"), y);
    paintHistogram(painter, QRectF(Margin, y, width, ChartHeight), scoredTotals(data), s.fullMarks);
    y += ChartHeight + GapBelowSection;
    paintSectionTitle(painter, QStringLiteral("各卷型总分箱线图"), y);
    paintBoxPlots(painter, QRectF(Margin, y, width, ChartHeight), s.paperTypes, s.fullMarks);
}

} // namespace

std::vector<std::pair<QString, QString>> summaryFigures(const SummaryStatistics& s)
{
    return {
        {QStringLiteral("考生人数"), QString::number(s.candidates)},
        {QStringLiteral("缺考人数"), QString::number(s.absent)},
        {QStringLiteral("已读答卷"), QString::number(s.scriptsRead)},
        {QStringLiteral("计分人数"), QString::number(s.scored)},
        {QStringLiteral("满分"), formatPoints(s.fullMarks)},
        {QStringLiteral("平均分"), formatFigure(s.totals.mean)},
        {QStringLiteral("中位数"), formatFigure(s.totals.median)},
        {QStringLiteral("标准差（总体）"), formatFigure(s.totals.standardDeviation)},
        {QStringLiteral("最高分"), formatPoints(s.totals.highest)},
        {QStringLiteral("最低分"), formatPoints(s.totals.lowest)},
        {QStringLiteral("信度（客观题 α）"), formatFigure(s.reliability, 3)},
    };
}

QByteArray examReportPdf(const ReportData& data)
{
    const SummaryStatistics summary = summarize(data);
    const std::vector<ItemStatistics> items = analyseItems(data);
    ReportPdf pdf(QStringLiteral("考试分析报告 %1").arg(data.examName));
    if (!pdf.isActive())
        return {};
    paintSummaryPage(pdf.painter(), data, summary);
    paintItemTable(
        pdf, items,
        QRectF(QPointF(Margin, Margin), ReportPdf::pageSize() - QSizeF(2 * Margin, 2 * Margin)));
    return pdf.finish();
}

bool writeExamReport(const ReportData& data, const QString& path, QString* error)
{
    if (!checkReportData(data, error))
        return false;
    const QByteArray bytes = examReportPdf(data);
    if (bytes.isEmpty()) {
        if (error)
            *error = writeFailure(path, QStringLiteral("the PDF could not be painted"));
        return false;
    }
    return saveOutputFile(
        path, [&bytes](QIODevice& device, QString*) { return device.write(bytes) == bytes.size(); },
        error);
}

} // namespace sw
