#include "reading/cellsampling.h"

#include "platform/saturating.h"
#include "reading/greyview.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace sw {

namespace {

// A fifth of a cell on each side, at least 1.5 layout pixels.
constexpr double InsetShare = 0.2;
constexpr double MinInset = 1.5;
// Points sampled per side of a rectangle at most (a cut box is not a cell).
constexpr int MaxSamplesPerSide = 64;
// The paper's level is the grey this share of the sheet is darker than.
constexpr double PaperShare = 0.9;
constexpr int PaperSampleStep = 12;
// A sample this dark (0 paper, 1 printed ink) is a pen or firm pencil line,
// one LightInk dark a light pencil line; a half-erased mark stays lighter.
constexpr double PlainInk = 0.45;
constexpr double LightInk = 0.22;

// Calls `visit` with the grey of about one sample per scan pixel of the area.
template <typename Visit>
int forEachSample(const GreyView& scan, const AffineMap& map, const QRectF& area, Visit visit)
{
    const double s = map.scale();
    const int nx = std::clamp(saturatingFloor(std::ceil(area.width() * s)), 1, MaxSamplesPerSide);
    const int ny = std::clamp(saturatingFloor(std::ceil(area.height() * s)), 1, MaxSamplesPerSide);
    const double stepX = area.width() / nx;
    const double stepY = area.height() / ny;
    for (int j = 0; j < ny; ++j) {
        const double y = area.top() + (j + 0.5) * stepY;
        // Along a row the scan position moves by a constant step.
        double sx = map.A * (area.left() + 0.5 * stepX) + map.B * y + map.C;
        double sy = map.D * (area.left() + 0.5 * stepX) + map.E * y + map.F;
        const double dx = map.A * stepX;
        const double dy = map.D * stepX;
        for (int i = 0; i < nx; ++i) {
            visit(scan.grey(saturatingFloor(sx), saturatingFloor(sy)));
            sx += dx;
            sy += dy;
        }
    }
    return nx * ny;
}

} // namespace

QRectF cellInterior(const TRect& cell)
{
    const double dx = std::max(MinInset, cell.width() * InsetShare);
    const double dy = std::max(MinInset, cell.height() * InsetShare);
    QRectF r(cell.Left + dx, cell.Top + dy, cell.width() - 2 * dx, cell.height() - 2 * dy);
    if (r.width() < 1 || r.height() < 1) {
        // A tiny cell: its middle half.
        r = QRectF(cell.Left + cell.width() / 4.0, cell.Top + cell.height() / 4.0,
                   cell.width() / 2.0, cell.height() / 2.0);
    }
    return r;
}

double meanGrey(const GreyView& scan, const AffineMap& map, const QRectF& area)
{
    long long sum = 0;
    const int n = forEachSample(scan, map, area, [&](int grey) { sum += grey; });
    return double(sum) / n;
}

CellInk cellInk(const GreyView& scan, const AffineMap& map, const QRectF& area,
                const InkLevels& levels)
{
    const double range = levels.White - levels.Black;
    const double darkGrey = levels.White - PlainInk * range;
    const double lightGrey = levels.White - LightInk * range;
    long long sum = 0;
    int dark = 0;
    int light = 0;
    const int n = forEachSample(scan, map, area, [&](int grey) {
        sum += grey;
        dark += grey <= darkGrey ? 1 : 0;
        light += grey <= lightGrey ? 1 : 0;
    });
    return {levels.darkness(double(sum) / n), double(dark) / n, double(light) / n};
}

double InkLevels::darkness(double grey) const
{
    const double range = std::max(1.0, White - Black);
    return std::clamp((White - grey) / range, 0.0, 1.0);
}

double paperLevel(const GreyView& scan)
{
    std::array<int, 256> histogram{};
    int count = 0;
    for (int y = PaperSampleStep / 2; y < scan.height(); y += PaperSampleStep) {
        for (int x = PaperSampleStep / 2; x < scan.width(); x += PaperSampleStep) {
            ++histogram[std::size_t(scan.grey(x, y))];
            ++count;
        }
    }
    const int below = int(count * PaperShare);
    int seen = 0;
    for (int g = 0; g < 256; ++g) {
        seen += histogram[std::size_t(g)];
        if (seen > below)
            return g;
    }
    return 255;
}

} // namespace sw
