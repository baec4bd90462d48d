#pragma once

#include "reports/itemanalysis.h"

#include <QRectF>
#include <vector>

namespace sw {

class ReportPdf;

// The item table ("题目分析"), each page started anew within `frame` (points):
// points, key, difficulty, discrimination, point-biserial correlation, the
// share choosing each option (the key's shaded), blanks and double marks.
// A flagged question's row is tinted and says why in its last column.
void paintItemTable(ReportPdf& pdf, const std::vector<ItemStatistics>& items, const QRectF& frame);

} // namespace sw
