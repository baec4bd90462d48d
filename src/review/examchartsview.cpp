#include "review/examchartsview.h"

#include "reports/reportcharts.h"
#include "reports/reportpdf.h"

#include <QImage>
#include <QPainter>
#include <cmath>

namespace sw {

namespace {

// The charts' height in points, each, as on the report's page, and the
// least size still readable.
constexpr double ChartPoints = 210;
constexpr double LeastChartPoints = 110;
constexpr double LeastChartWidthPoints = 300;
constexpr double PointsPerInch = 72;
constexpr double MetresPerInch = 0.0254;

} // namespace

ExamChartsView::ExamChartsView(QWidget* parent) : QWidget(parent)
{
    setAccessibleName(QStringLiteral("总分分布"));
    setMinimumSize(QSize(int(LeastChartWidthPoints * pixelsPerPoint()),
                         int(2 * LeastChartPoints * pixelsPerPoint())));
}

void ExamChartsView::setTotals(std::vector<double> totals, SummaryStatistics summary)
{
    m_totals = std::move(totals);
    m_summary = std::move(summary);
    update();
}

double ExamChartsView::pixelsPerPoint() const
{
    return logicalDpiY() / PointsPerInch;
}

QSize ExamChartsView::sizeHint() const
{
    return QSize(int(2 * LeastChartWidthPoints * pixelsPerPoint()),
                 int(2 * ChartPoints * pixelsPerPoint()));
}

QRect ExamChartsView::histogramArea() const
{
    return QRect(0, 0, width(), height() / 2);
}

QRect ExamChartsView::boxPlotArea() const
{
    return QRect(0, height() / 2, width(), height() - height() / 2);
}

void ExamChartsView::paintEvent(QPaintEvent*)
{
    // The report's fonts are sized for its resolution: paint on a canvas of
    // that resolution, in points, and show it at the screen's.
    const qreal ratio = devicePixelRatioF();
    QImage canvas((QSizeF(size()) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::white); // the charts' colours are chosen for paper
    const int dotsPerMetre = int(std::lround(ReportDotsPerInch / MetresPerInch));
    canvas.setDotsPerMeterX(dotsPerMetre);
    canvas.setDotsPerMeterY(dotsPerMetre);
    {
        QPainter painter(&canvas);
        painter.setRenderHint(QPainter::Antialiasing);
        const double scale = ratio * pixelsPerPoint();
        painter.scale(scale, scale);
        const auto inPoints = [this](const QRect& area) {
            const QRectF inside = QRectF(area).adjusted(4, 4, -4, -4);
            return QRectF(inside.topLeft() / pixelsPerPoint(), inside.size() / pixelsPerPoint());
        };
        paintHistogram(painter, inPoints(histogramArea()), m_totals, m_summary.fullMarks);
        paintBoxPlots(painter, inPoints(boxPlotArea()), m_summary.paperTypes, m_summary.fullMarks);
    }
    canvas.setDevicePixelRatio(ratio);
    QPainter(this).drawImage(QPoint(0, 0), canvas);
}

} // namespace sw
