#pragma once

#include "reports/summarystatistics.h"

#include <QRectF>
#include <vector>

class QPainter;

namespace sw {

// The report's charts, painted with lines, rectangles and text into `area`
// (in the painter's units, points in the reports), axes and labels included.
// The score axis runs from 0 to the full marks, or to the highest total when
// one exceeds them.

// Bars counting the totals in equal bins of a round width (1, 2, 5, 10, ...
// points), at most about twenty of them.
void paintHistogram(QPainter& painter, const QRectF& area, const std::vector<double>& totals,
                    double fullMarks);

// One box per paper type: quartiles, median, whiskers and outliers as
// `Distribution` gives them.
void paintBoxPlots(QPainter& painter, const QRectF& area,
                   const std::vector<PaperTypeTotals>& paperTypes, double fullMarks);

// A round step (1, 2 or 5 times a power of ten) no smaller than `rough`.
double roundStep(double rough);

} // namespace sw
