#include "personalise/barcodeplacement.h"

#include "platform/canvas.h"

#include <algorithm>
#include <cmath>

namespace sw {

namespace {

// Dots between the area's frame line and what is drawn inside it.
constexpr int FrameClearance = 2;

double dotsToMm(std::int64_t dots, int dotsPerInch)
{
    return double(dots) * 25.4 / dotsPerInch;
}

int mmToDots(double mm, int dotsPerInch)
{
    return int(std::ceil(mm / 25.4 * dotsPerInch - 1e-9));
}

} // namespace

int moduleStep(int dotsPerInch)
{
    return dotsPerInch % 300 == 0 ? dotsPerInch / 300 : 1;
}

std::optional<BarcodePlacement> placeBarcode(const BarcodeSymbol& symbol, const TRect& area,
                                             int dotsPerInch, BarcodeNeed* need)
{
    const int step = moduleStep(dotsPerInch);
    const double minModuleMm = symbol.isLinear() ? MinLinearModuleMm : MinMatrixModuleMm;
    const int minModule = (mmToDots(minModuleMm, dotsPerInch) + step - 1) / step * step;
    const std::int64_t columns = std::int64_t(symbol.Columns) + 2 * symbol.QuietZone;
    const std::int64_t rows =
        symbol.isLinear() ? 0 : std::int64_t(symbol.Rows) + 2 * symbol.QuietZone;
    const int minBar = mmToDots(MinBarHeightMm, dotsPerInch);

    const TRect inside{area.Left + FrameClearance, area.Top + FrameClearance,
                       area.Right - FrameClearance, area.Bottom - FrameClearance};
    const std::int64_t width = std::max(0, inside.width());
    const std::int64_t height = std::max(0, inside.height());
    std::int64_t module = width / std::max<std::int64_t>(columns, 1);
    if (rows > 0)
        module = std::min(module, height / rows);
    module = module / step * step;
    const bool fits = module >= minModule && (rows > 0 || height - 2 * module >= minBar);
    if (!fits) {
        if (need) {
            need->WidthMm = dotsToMm(columns * minModule + 2 * FrameClearance, dotsPerInch);
            need->HeightMm = dotsToMm((rows > 0 ? rows * minModule : minBar + 2 * minModule) +
                                          2 * FrameClearance,
                                      dotsPerInch);
        }
        return std::nullopt;
    }
    BarcodePlacement p;
    p.Area = inside;
    p.ModuleDots = int(module);
    const std::int64_t symbolWidth = std::int64_t(symbol.Columns) * module;
    const std::int64_t symbolHeight =
        rows > 0 ? std::int64_t(symbol.Rows) * module : height - 2 * module;
    p.Left = int(inside.Left + (width - symbolWidth) / 2);
    p.Top = int(inside.Top + (height - symbolHeight) / 2);
    p.BarHeight = rows > 0 ? 0 : int(symbolHeight);
    return p;
}

void drawBarcode(Canvas& canvas, const BarcodeSymbol& symbol, const BarcodePlacement& placement)
{
    canvas.setBrush({clWhite, bsSolid});
    canvas.FillRect(placement.Area);
    canvas.setBrush({clBlack, bsSolid});
    const int m = placement.ModuleDots;
    const int height = symbol.isLinear() ? placement.BarHeight : m;
    for (int row = 0; row < symbol.Rows; ++row) {
        const int top = placement.Top + row * m;
        // Neighbouring dark modules make one rectangle.
        for (int column = 0; column < symbol.Columns;) {
            if (!symbol.isDark(column, row)) {
                ++column;
                continue;
            }
            const int first = column;
            while (column < symbol.Columns && symbol.isDark(column, row))
                ++column;
            canvas.FillRect(
                {placement.Left + first * m, top, placement.Left + column * m, top + height});
        }
    }
}

} // namespace sw
