#pragma once

#include <QString>

namespace sw {

// How the reports write figures. A figure that is not defined (NaN) is "—".

// With `decimals` places: "12.50".
QString formatFigure(double value, int decimals = 2);

// Points and totals without needless zeros: "12", "12.5".
QString formatPoints(double value);

// A share as a percentage with one place: "37.5%".
QString formatShare(double share);

} // namespace sw
