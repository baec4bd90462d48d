#include "reports/reportcharts.h"

#include "reports/reportformat.h"
#include "reports/reportpdf.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace sw {

namespace {

constexpr int MostBins = 20;
constexpr int MostTicks = 10;
constexpr double LabelPoints = 7;
constexpr double ScaleWidth = 30;  // room for the value labels left of an axis
constexpr double BaseHeight = 26;  // room for the labels and caption under a chart
constexpr double TitleHeight = 14; // room for the axis caption above a chart
constexpr double LineWidth = 0.6;
const QColor BarFill(120, 160, 210);
const QColor BoxFill(200, 220, 240);
const QColor Ink(40, 40, 40);
const QColor GridLine(220, 220, 220);

// A vertical scale of values from 0 to `top` drawn along the left of `plot`.
class ValueScale
{
public:
    ValueScale(const QRectF& plot, double top, int ticks, double leastStep)
        : m_plot(plot), m_step(std::max(leastStep, roundStep(top / std::max(1, ticks))))
    {
        m_top = std::max(m_step, std::ceil(top / m_step) * m_step);
    }

    double y(double value) const { return m_plot.bottom() - value / m_top * m_plot.height(); }

    void paint(QPainter& painter, const QString& caption) const
    {
        painter.setFont(reportFont(LabelPoints));
        for (double value = 0; value <= m_top + m_step / 2; value += m_step) {
            const double at = y(value);
            painter.setPen(QPen(GridLine, LineWidth));
            painter.drawLine(QPointF(m_plot.left(), at), QPointF(m_plot.right(), at));
            painter.setPen(Ink);
            painter.drawText(QRectF(m_plot.left() - ScaleWidth, at - 6, ScaleWidth - 3, 12),
                             Qt::AlignRight | Qt::AlignVCenter, formatPoints(value));
        }
        painter.drawText(QRectF(m_plot.left() - ScaleWidth, m_plot.top() - TitleHeight,
                                m_plot.width() + ScaleWidth, TitleHeight - 2),
                         Qt::AlignLeft | Qt::AlignBottom, caption);
        painter.setPen(QPen(Ink, LineWidth));
        painter.drawLine(m_plot.bottomLeft(), m_plot.topLeft());
        painter.drawLine(m_plot.bottomLeft(), m_plot.bottomRight());
    }

private:
    QRectF m_plot;
    double m_step;
    double m_top = 0;
};

QRectF plotArea(const QRectF& area)
{
    return area.adjusted(ScaleWidth, TitleHeight, -4, -BaseHeight);
}

double scoreTop(double fullMarks, double highest)
{
    const double top = std::max(fullMarks, std::isnan(highest) ? 0.0 : highest);
    return top > 0 ? top : 1;
}

void paintNothingToShow(QPainter& painter, const QRectF& area)
{
    painter.setPen(Ink);
    painter.setFont(reportFont(LabelPoints + 2));
    painter.drawText(area, Qt::AlignCenter, QStringLiteral("没有计分的考生"));
}

} // namespace

double roundStep(double rough)
{
    if (!(rough > 0) || !std::isfinite(rough))
        return 1;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (double factor : {1.0, 2.0, 5.0, 10.0}) {
        if (factor * power >= rough * (1 - 1e-9))
            return factor * power;
    }
    return 10 * power;
}

void paintHistogram(QPainter& painter, const QRectF& area, const std::vector<double>& totals,
                    double fullMarks)
{
    if (totals.empty())
        return paintNothingToShow(painter, area);
    const double highest = *std::max_element(totals.begin(), totals.end());
    const double top = scoreTop(fullMarks, highest);
    const double width = std::max(1.0, roundStep(top / MostBins));
    const int bins = std::max(1, int(std::ceil(top / width - 1e-9)));
    std::vector<int> counts(std::size_t(bins), 0);
    for (double total : totals) {
        const double bin = std::floor(std::max(0.0, total) / width);
        ++counts[std::size_t(std::clamp(bin, 0.0, double(bins - 1)))];
    }
    const QRectF plot = plotArea(area);
    // Counts of people: whole steps.
    const ValueScale scale(plot, *std::max_element(counts.begin(), counts.end()), 5, 1);
    scale.paint(painter, QStringLiteral("人数"));
    const double barWidth = plot.width() / bins;
    painter.setPen(QPen(Ink, LineWidth));
    painter.setBrush(BarFill);
    for (int i = 0; i < bins; ++i) {
        const double x = plot.left() + i * barWidth;
        if (counts[std::size_t(i)] > 0)
            painter.drawRect(QRectF(QPointF(x, scale.y(counts[std::size_t(i)])),
                                    QPointF(x + barWidth, plot.bottom())));
    }
    painter.setBrush(Qt::NoBrush);
    painter.setFont(reportFont(LabelPoints));
    const int labelEvery = std::max(1, int(std::ceil(double(bins) / MostTicks)));
    for (int i = 0; i <= bins; i += labelEvery) {
        const double x = plot.left() + i * barWidth;
        painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + 3));
        painter.drawText(QRectF(x - 20, plot.bottom() + 3, 40, 10), Qt::AlignHCenter | Qt::AlignTop,
                         formatPoints(i * width));
    }
    painter.drawText(QRectF(plot.left(), plot.bottom() + 13, plot.width(), 12), Qt::AlignCenter,
                     QStringLiteral("总分"));
}

void paintBoxPlots(QPainter& painter, const QRectF& area,
                   const std::vector<PaperTypeTotals>& paperTypes, double fullMarks)
{
    if (paperTypes.empty())
        return paintNothingToShow(painter, area);
    double highest = 0;
    for (const PaperTypeTotals& paperType : paperTypes)
        highest = std::max(highest, paperType.totals.highest);
    const QRectF plot = plotArea(area);
    const ValueScale scale(plot, scoreTop(fullMarks, highest), 5, 0);
    scale.paint(painter, QStringLiteral("总分"));
    const double slot = plot.width() / double(paperTypes.size());
    const double boxWidth = std::min(50.0, slot / 2);
    painter.setFont(reportFont(LabelPoints));
    for (std::size_t i = 0; i < paperTypes.size(); ++i) {
        const Distribution& d = paperTypes[i].totals;
        const double centre = plot.left() + slot * (double(i) + 0.5);
        const double left = centre - boxWidth / 2;
        const double right = centre + boxWidth / 2;
        painter.setPen(QPen(Ink, LineWidth));
        painter.drawLine(QPointF(centre, scale.y(d.upperWhisker)),
                         QPointF(centre, scale.y(d.upperQuartile)));
        painter.drawLine(QPointF(centre, scale.y(d.lowerQuartile)),
                         QPointF(centre, scale.y(d.lowerWhisker)));
        for (double whisker : {d.lowerWhisker, d.upperWhisker})
            painter.drawLine(QPointF(centre - boxWidth / 4, scale.y(whisker)),
                             QPointF(centre + boxWidth / 4, scale.y(whisker)));
        painter.setBrush(BoxFill);
        painter.drawRect(QRectF(QPointF(left, scale.y(d.upperQuartile)),
                                QPointF(right, scale.y(d.lowerQuartile))));
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Ink, LineWidth * 3));
        painter.drawLine(QPointF(left, scale.y(d.median)), QPointF(right, scale.y(d.median)));
        painter.setPen(QPen(Ink, LineWidth));
        for (double outlier : d.outliers)
            painter.drawEllipse(QPointF(centre, scale.y(outlier)), 1.5, 1.5);
        painter.drawText(
            QRectF(centre - slot / 2, plot.bottom() + 3, slot, 20), Qt::AlignHCenter | Qt::AlignTop,
            QStringLiteral("卷型 %1\n%2 人").arg(paperTypes[i].paperType).arg(d.count));
    }
}

} // namespace sw
