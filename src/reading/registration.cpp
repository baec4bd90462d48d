#include "reading/registration.h"

#include "document/analysis/blobs.h"
#include "document/analysis/darkmask.h"
#include "document/analysis/fuzzymatch.h"
#include "document/analysis/pointlist.h"
#include "reading/greyview.h"
#include "reading/sheetgeometry.h"

#include <QImage>
#include <algorithm>
#include <cmath>
#include <optional>

namespace sw {

namespace {

// How far from its expected place a positioning box is looked for: room for
// a few degrees of turn and a shifted feed.
constexpr double SearchMarginMm = 30.0;
constexpr int DarkGrey = 128;
// Fuzzy patterns were learnt at layout resolution, binarized at this grey.
constexpr int FuzzyThreshold = 200;
constexpr int FuzzyMinimum = 50;
constexpr double FuzzyMargin = 2.0;
// Largest page, in layout pixels, that fuzzy boxes are looked for on.
constexpr double MaxLayoutPixels = 64e6;

// The first guess: the scan shows the whole sheet.
AffineMap sizeEstimate(const PageGeometry& page, const GreyView& scan)
{
    AffineMap m;
    m.A = double(scan.width()) / std::max(1, page.Width);
    m.E = double(scan.height()) / std::max(1, page.Height);
    return m;
}

QPointF centreOf(const TRect& r)
{
    return {(r.Left + r.Right) / 2.0, (r.Top + r.Bottom) / 2.0};
}

// The centre of the solid block of about the box's size nearest to where the
// estimate puts it.
std::optional<QPointF> findBlock(const GreyView& scan, const AffineMap& estimate, const TRect& box,
                                 double pixelsPerMm)
{
    const QPointF expected = estimate.map(centreOf(box));
    const double w = box.width() * estimate.A;
    const double h = box.height() * estimate.E;
    const double margin = SearchMarginMm * pixelsPerMm * std::max(estimate.A, estimate.E);
    const int left = std::max(0, int(expected.x() - w / 2 - margin));
    const int top = std::max(0, int(expected.y() - h / 2 - margin));
    const int right = std::min(scan.width(), int(expected.x() + w / 2 + margin) + 1);
    const int bottom = std::min(scan.height(), int(expected.y() + h / 2 + margin) + 1);
    if (right <= left || bottom <= top)
        return std::nullopt;

    DarkMask mask(right - left, bottom - top, {left, top});
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            if (scan.grey(x, y) < DarkGrey)
                mask.set(x - left, y - top);
        }
    }
    const double area = w * h;
    std::optional<QPointF> best;
    double bestDistance = 0;
    for (const TBlob& blob : FindBlobs(mask, std::max(4, int(area * 0.4)))) {
        const int bw = blob.Right - blob.Left + 1;
        const int bh = blob.Bottom - blob.Top + 1;
        const bool sized = bw > 0.7 * w && bw < 1.3 * w + 3 && bh > 0.7 * h && bh < 1.3 * h + 3;
        if (!sized || double(blob.Points.size()) < 0.6 * bw * bh)
            continue;
        double sx = 0, sy = 0;
        for (const TPoint& p : blob.Points) {
            sx += p.X;
            sy += p.Y;
        }
        // Blob points are scan pixels already; their centres lie half a pixel in.
        const QPointF c(sx / blob.Points.size() + 0.5, sy / blob.Points.size() + 0.5);
        const double d = std::hypot(c.x() - expected.x(), c.y() - expected.y());
        if (!best || d < bestDistance) {
            best = c;
            bestDistance = d;
        }
    }
    return best;
}

// The scan brought to layout resolution, where the fuzzy patterns were learnt.
QImage layoutPicture(const GreyView& scan, const PageGeometry& page)
{
    QImage picture(page.Width, page.Height, QImage::Format_RGB32);
    const double fx = double(scan.width()) / page.Width;
    const double fy = double(scan.height()) / page.Height;
    for (int y = 0; y < picture.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        const int y0 = int(y * fy);
        const int y1 = std::max(y0 + 1, int((y + 1) * fy));
        for (int x = 0; x < picture.width(); ++x) {
            const int x0 = int(x * fx);
            const int x1 = std::max(x0 + 1, int((x + 1) * fx));
            int sum = 0;
            for (int sy = y0; sy < y1; ++sy)
                for (int sx = x0; sx < x1; ++sx)
                    sum += scan.grey(sx, sy);
            const int g = sum / ((y1 - y0) * (x1 - x0));
            line[x] = qRgb(g, g, g);
        }
    }
    return picture;
}

std::vector<PointPair> findFuzzyBoxes(const PageGeometry& page, const GreyView& scan,
                                      std::vector<QPointF>& found)
{
    if (page.Width <= 0 || page.Height <= 0 || double(page.Width) * page.Height > MaxLayoutPixels)
        return {};
    const QImage picture = layoutPicture(scan, page);
    const double fx = double(scan.width()) / page.Width;
    const double fy = double(scan.height()) / page.Height;
    std::vector<PointPair> pairs;
    for (const FuzzyBoxGeometry& box : page.FuzzyBoxes) {
        const std::vector<TPoint> pattern = parsePointList(box.Pattern);
        const auto extent = locatePattern(picture, box.Rect, box.DarkCount, pattern, FuzzyThreshold,
                                          FuzzyMargin, FuzzyMinimum);
        if (!extent)
            continue;
        const TPoint c = extentCentre(*extent);
        const QPointF scanPoint((c.X + 0.5) * fx, (c.Y + 0.5) * fy);
        found.push_back(scanPoint);
        pairs.push_back({QPointF(box.Centre.X + 0.5, box.Centre.Y + 0.5), scanPoint});
    }
    return pairs;
}

} // namespace

Registration registerPage(const PageGeometry& page, const GreyView& scan)
{
    Registration r;
    const bool fuzzy = page.PositioningBoxes.empty();
    r.ByFuzzyBoxes = fuzzy;
    r.ExpectedMarks = int(fuzzy ? page.FuzzyBoxes.size() : page.PositioningBoxes.size());
    if (r.ExpectedMarks < 2) {
        r.Result = Registration::NoReferences;
        return r;
    }
    std::vector<PointPair> pairs;
    if (fuzzy) {
        pairs = findFuzzyBoxes(page, scan, r.FoundMarks);
    } else {
        const AffineMap estimate = sizeEstimate(page, scan);
        for (const TRect& box : page.PositioningBoxes) {
            if (const auto c = findBlock(scan, estimate, box, page.PixelsPerMm)) {
                r.FoundMarks.push_back(*c);
                pairs.push_back({centreOf(box), *c});
            }
        }
    }
    // Every positioning box must be found (three would fit any stray blot);
    // fuzzy boxes need two.
    const std::size_t needed = fuzzy ? 2 : page.PositioningBoxes.size();
    const auto fit = pairs.size() >= needed ? fitAffine(pairs) : std::nullopt;
    if (!fit) {
        r.Result = Registration::NotFound;
        return r;
    }
    r.Fit = *fit;
    const double scanPixelsPerMm = fit->Map.scale() * page.PixelsPerMm;
    const double expectedScale = double(scan.width()) / std::max(1, page.Width);
    const bool plausible = std::abs(fit->Map.scale() / expectedScale - 1) < 0.2;
    r.Result = plausible && fit->Residual <= MaxFitResidualMm * scanPixelsPerMm
                   ? Registration::Found
                   : Registration::PoorFit;
    return r;
}

} // namespace sw
