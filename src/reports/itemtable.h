#pragma once

#include "reports/itemanalysis.h"

#include <QColor>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <vector>

namespace sw {

class ReportPdf;

// The item table ("题目分析"), each page started anew within `frame` (points):
// points, key, difficulty, discrimination, point-biserial correlation, the
// share choosing each option (the key's shaded), blanks and double marks.
// A flagged question's row is tinted and says why in its last column.
void paintItemTable(ReportPdf& pdf, const std::vector<ItemStatistics>& items, const QRectF& frame);

// What the table is made of, for any view of it.

// The tint of a flagged question's row, and the shade of a key's share.
inline const QColor FlaggedRowColour(250, 222, 222);
inline const QColor KeyCellColour(206, 234, 206);

// How many fixed columns lead the option shares.
constexpr int ItemTableLeadingColumns = 6;

// Every option character any question offers, in the order first met: one
// column each.
QString itemTableOptions(const std::vector<ItemStatistics>& items);

// The column titles: number, points, key, difficulty, discrimination,
// point-biserial correlation, one per option of `options`, blanks, double
// marks and flags.
QStringList itemTableTitles(const QString& options);

// The texts of a question's row under itemTableTitles(options); an option
// the question does not offer is empty.
QStringList itemTableRow(const ItemStatistics& item, const QString& options);

// Whether the cell of `option` in the question's row shows a share of the key.
bool isKeyShare(const ItemStatistics& item, QChar option);

// Why a question is flagged ("区分度为负，干扰项多于答案"); empty when it is not.
QString itemFlagText(const ItemStatistics& item);

} // namespace sw
