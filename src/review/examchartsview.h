#pragma once

#include "reports/summarystatistics.h"

#include <QWidget>
#include <vector>

namespace sw {

// The report's two charts of the totals, the histogram above the box plots
// per paper type, painted by the report's own chart painting at the size
// they print.
class ExamChartsView : public QWidget
{
    Q_OBJECT

public:
    explicit ExamChartsView(QWidget* parent = nullptr);

    // The scored candidates' totals and the exam's figures to chart.
    void setTotals(std::vector<double> totals, SummaryStatistics summary);

    QSize sizeHint() const override;

    // Where the charts are painted, in the widget's pixels.
    QRect histogramArea() const;
    QRect boxPlotArea() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // How many pixels make a point on this screen.
    double pixelsPerPoint() const;

    std::vector<double> m_totals;
    SummaryStatistics m_summary;
};

} // namespace sw
