#pragma once

#include "personalise/barcodesymbol.h"
#include "platform/geometry.h"

#include <optional>

namespace sw {

class Canvas;

// The smallest module a scanner at 200 dpi still resolves, in millimetres,
// and the shortest bars worth printing.
constexpr double MinLinearModuleMm = 0.25;
constexpr double MinMatrixModuleMm = 0.4;
constexpr double MinBarHeightMm = 5.0;

// Where a symbol is printed, in device dots: every module is a whole number
// of dots, so no bar edge falls between two dots of the printer.
struct BarcodePlacement
{
    TRect Area;   // the barcode area's inside, painted white
    int Left = 0; // the symbol's first module
    int Top = 0;
    int ModuleDots = 0;
    int BarHeight = 0; // of linear symbols; matrix symbols are square modules
};

// What a symbol needs at least, in millimetres, quiet zone included.
struct BarcodeNeed
{
    double WidthMm = 0;
    double HeightMm = 0;
};

// Dots a module grows by at `dotsPerInch`: at a multiple of 300 dpi, the dots
// of one dot at 300 dpi, so the bars stay whole on 300 dpi printers too.
int moduleStep(int dotsPerInch);

// The symbol as large as fits inside `area` (device dots at `dotsPerInch`,
// the area's frame line kept clear) with its quiet zone, centred. Nothing,
// and what it needs in *need, when its modules would be smaller than the
// minimum or its bars shorter.
std::optional<BarcodePlacement> placeBarcode(const BarcodeSymbol& symbol, const TRect& area,
                                             int dotsPerInch, BarcodeNeed* need);

// Whitens the area's inside and draws the dark modules as filled rectangles.
void drawBarcode(Canvas& canvas, const BarcodeSymbol& symbol, const BarcodePlacement& placement);

} // namespace sw
