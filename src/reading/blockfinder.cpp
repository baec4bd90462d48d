#include "reading/blockfinder.h"

#include "document/analysis/blobs.h"
#include "document/analysis/darkmask.h"
#include "reading/greyview.h"

#include <algorithm>
#include <cmath>

namespace sw {

namespace {

constexpr int DarkGrey = 128;
// A solid rectangle fills its measured sides within these shares (a few
// pixels of blur and noise on the edges).
constexpr double MinFill = 0.75;
constexpr double MaxFill = 1.3;
// How far the measured proportion may stray from the expected one.
constexpr double AspectTolerance = 0.3;

} // namespace

std::vector<SolidBlock> findSolidBlocks(const GreyView& scan, const QRect& region, double minLong,
                                        double maxLong, double aspect)
{
    const QRect area = region.intersected(QRect(0, 0, scan.width(), scan.height()));
    if (area.isEmpty())
        return {};
    DarkMask mask(area.width(), area.height(), {area.left(), area.top()});
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (scan.grey(x, y) < DarkGrey)
                mask.set(x - area.left(), y - area.top());

    const double minShort = minLong / (aspect * (1 + AspectTolerance));
    const int minimum = std::max(4, int(minLong * minShort * MinFill));
    std::vector<SolidBlock> blocks;
    for (const TBlob& blob : FindBlobs(mask, minimum)) {
        if (blob.Left <= area.left() || blob.Top <= area.top() || blob.Right >= area.right() ||
            blob.Bottom >= area.bottom())
            continue;
        const double n = double(blob.Points.size());
        double sx = 0, sy = 0;
        for (const TPoint& p : blob.Points) {
            sx += p.X;
            sy += p.Y;
        }
        const double mx = sx / n, my = sy / n;
        double cxx = 0, cyy = 0, cxy = 0;
        for (const TPoint& p : blob.Points) {
            cxx += (p.X - mx) * (p.X - mx);
            cyy += (p.Y - my) * (p.Y - my);
            cxy += (p.X - mx) * (p.Y - my);
        }
        cxx /= n;
        cyy /= n;
        cxy /= n;
        // A solid rectangle of sides a, b has variances a^2 / 12 and b^2 / 12
        // along its axes (plus 1/12 for the pixels' own width).
        const double mean = (cxx + cyy) / 2;
        const double spread = std::hypot((cxx - cyy) / 2, cxy);
        const double longSide = std::sqrt(std::max(0.0, 12 * (mean + spread) - 1));
        const double shortSide = std::sqrt(std::max(0.0, 12 * (mean - spread) - 1));
        if (longSide < minLong || longSide > maxLong || shortSide <= 0)
            continue;
        const double fill = n / (longSide * shortSide);
        const double proportion = longSide / shortSide;
        if (fill < MinFill || fill > MaxFill || std::abs(proportion / aspect - 1) > AspectTolerance)
            continue;
        // Blob points are scan pixels; their centres lie half a pixel in.
        blocks.push_back({QPointF(mx + 0.5, my + 0.5), longSide, shortSide,
                          0.5 * std::atan2(2 * cxy, cxx - cyy)});
    }
    return blocks;
}

} // namespace sw
