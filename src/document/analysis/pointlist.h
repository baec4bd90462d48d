#pragma once

#include "platform/geometry.h"

#include <QString>
#include <vector>

namespace sw {

// The text of a learnt pattern: "x,y" pairs in decimal joined by ";", no
// separator after the last pair.
QString formatPointList(const std::vector<TPoint>& points);

// The pairs of a pattern text, in order. Entries that are not two integers
// (missing comma, extra fields, non-digits, values beyond 32 bits) are
// skipped; empty entries too. Negative values are kept: they never match.
std::vector<TPoint> parsePointList(const QString& text);

} // namespace sw
