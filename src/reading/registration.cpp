#include "reading/registration.h"

#include "document/analysis/fuzzymatch.h"
#include "document/analysis/pointlist.h"
#include "platform/saturating.h"
#include "reading/blockfinder.h"
#include "reading/greyview.h"
#include "reading/printedink.h"
#include "reading/sheetgeometry.h"

#include <QImage>
#include <algorithm>
#include <cmath>
#include <optional>

namespace sw {

namespace {

// How far from its expected place a positioning box is looked for: room for
// a few degrees of turn and a shifted feed, then, when that finds too few,
// for a sheet turned by 10 degrees in a picture cropped to it.
constexpr double SearchMarginMm = 30.0;
constexpr double WideMarginMm = 60.0;
constexpr int DarkGrey = 128;
// Fuzzy patterns were learnt at layout resolution, binarized at this grey.
constexpr int FuzzyThreshold = 200;
constexpr int FuzzyMinimum = 50;
constexpr double FuzzyMargin = 2.0;
// Largest page, in layout pixels, that fuzzy boxes are looked for on.
constexpr double MaxLayoutPixels = 64e6;
// Scan pixels per layout pixel against the first guess, at most this far off.
constexpr double MinScaleShare = 0.6;
constexpr double MaxScaleShare = 1.4;
// Found blocks agree with a placement within this distance.
constexpr double AgreementMm = 2.0;
// The sheet is turned by at most this much.
constexpr double MaxTurnDegrees = 12.0;
// A fit through three boxes is exact: its stretch and shear tell a stray blot.
constexpr double MaxDistortion = 0.06;
// A box whose place shows this share of the picture is in view, and counts
// when this share of what shows of it is dark.
constexpr double InViewShare = 0.4;
constexpr double DarkShare = 0.5;
constexpr int BoxSamples = 6;
// A found block measures the box's size within this share, and lies in its
// direction within this angle unless it is about square.
constexpr double SizeTolerance = 0.15;
constexpr double DirectionToleranceDegrees = 15;
constexpr double SquareAspect = 1.2;
// A first placement from one box puts the page marks this far off at most;
// once shifted, their blocks lie on their cells within MarkAgreementMm.
constexpr double MarkShiftMm = 4.0;
constexpr double MarkAgreementMm = 1.0;

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

// The solid blocks around where the estimate puts a box, of about its size.
std::vector<SolidBlock> blocksNear(const GreyView& scan, const AffineMap& estimate,
                                   const TRect& box, double marginMm, double pixelsPerMm)
{
    const double s = std::max(estimate.A, estimate.E);
    const QPointF expected = estimate.map(centreOf(box));
    const double reach = (marginMm * pixelsPerMm + std::max(box.width(), box.height())) * s;
    const QRect region(QPoint(int(expected.x() - reach), int(expected.y() - reach)),
                       QPoint(int(expected.x() + reach), int(expected.y() + reach)));
    const double longSide = std::max(box.width(), box.height());
    const double shortSide = std::max(1, std::min(box.width(), box.height()));
    const double low = std::min(estimate.A, estimate.E) * MinScaleShare;
    return findSolidBlocks(scan, region, longSide * low, longSide * s * MaxScaleShare,
                           longSide / shortSide);
}

struct Placement
{
    AffineMap Map;
    std::vector<int> Boxes; // which boxes agree, in box order
    std::vector<QPointF> Found;
    double Spread = 0;
    std::vector<PointPair> Marks; // page-mark blocks, where few boxes show
};

// Whether a block has the size and the direction that the map gives the box.
bool blockFits(const SolidBlock& block, const TRect& box, const AffineMap& m)
{
    const double longSide = std::max(box.width(), box.height()) * m.scale();
    if (std::abs(block.Long / longSide - 1) > SizeTolerance)
        return false;
    if (std::max(box.width(), box.height()) < SquareAspect * std::min(box.width(), box.height()))
        return true; // a square block has no direction
    const double boxAngle = std::atan2(m.D, m.A) + (box.width() >= box.height() ? 0 : M_PI / 2);
    const double off = std::remainder(block.Angle - boxAngle, M_PI);
    return std::abs(off) * 180 / M_PI <= DirectionToleranceDegrees;
}

bool plausibleTurn(const AffineMap& m, double expectedScale)
{
    const double turn = std::abs(std::atan2(m.D, m.A)) * 180 / M_PI;
    const double share = m.scale() / expectedScale;
    return turn <= MaxTurnDegrees && share >= MinScaleShare && share <= MaxScaleShare;
}

// The placement that the most found blocks agree with: every two blocks of
// different boxes propose one (a turn, a scale and a shift), the others vote.
std::optional<Placement> agreedPlacement(const PageGeometry& page,
                                         const std::vector<std::vector<SolidBlock>>& blocks,
                                         double expectedScale)
{
    const std::size_t n = page.PositioningBoxes.size();
    std::optional<Placement> best;
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = i + 1; j < n; ++j) {
            for (const SolidBlock& bi : blocks[i]) {
                for (const SolidBlock& bj : blocks[j]) {
                    const auto fit = fitAffine({{centreOf(page.PositioningBoxes[i]), bi.Centre},
                                                {centreOf(page.PositioningBoxes[j]), bj.Centre}});
                    if (!fit || !plausibleTurn(fit->Map, expectedScale) ||
                        !blockFits(bi, page.PositioningBoxes[i], fit->Map) ||
                        !blockFits(bj, page.PositioningBoxes[j], fit->Map))
                        continue;
                    const double tolerance = AgreementMm * page.PixelsPerMm * fit->Map.scale();
                    Placement p{fit->Map, {}, {}, 0, {}};
                    for (std::size_t k = 0; k < n; ++k) {
                        const QPointF there = fit->Map.map(centreOf(page.PositioningBoxes[k]));
                        const SolidBlock* nearest = nullptr;
                        double distance = tolerance;
                        for (const SolidBlock& b : blocks[k]) {
                            if (!blockFits(b, page.PositioningBoxes[k], fit->Map))
                                continue;
                            const double d =
                                std::hypot(b.Centre.x() - there.x(), b.Centre.y() - there.y());
                            if (d <= distance) {
                                nearest = &b;
                                distance = d;
                            }
                        }
                        if (!nearest)
                            continue;
                        p.Boxes.push_back(int(k));
                        p.Found.push_back(nearest->Centre);
                        p.Spread += distance;
                    }
                    if (!best || p.Boxes.size() > best->Boxes.size() ||
                        (p.Boxes.size() == best->Boxes.size() && p.Spread < best->Spread))
                        best = std::move(p);
                }
            }
        }
    }
    return best;
}

// A map from one block taken for box `box`: its turn, its scale and its place.
AffineMap mapFromBlock(const SolidBlock& block, const TRect& box)
{
    double angle = block.Angle - (box.width() >= box.height() ? 0 : M_PI / 2);
    angle = std::remainder(angle, M_PI);
    const double scale = block.Long / std::max(1, std::max(box.width(), box.height()));
    AffineMap m{scale * std::cos(angle), -scale * std::sin(angle), 0,
                scale * std::sin(angle), scale * std::cos(angle),  0};
    const QPointF shift = block.Centre - m.map(centreOf(box));
    m.C = shift.x();
    m.F = shift.y();
    return m;
}

// The printed blocks of the page marks found near where the map puts their
// cells: with the positioning boxes they steady a fit that few boxes make.
std::vector<PointPair> markBlocks(const PageGeometry& page, const GreyView& scan,
                                  const AffineMap& map)
{
    std::vector<PointPair> pairs;
    const double s = map.scale();
    const double reach = AgreementMm * page.PixelsPerMm * s;
    for (const auto* mark : {&page.PaperTypeMark, &page.PageNumberMark}) {
        if (!*mark)
            continue;
        for (const QuestionGeometry& q : (*mark)->Questions) {
            for (const CellGeometry& cell : q.Cells) {
                const double longSide = std::max(cell.Rect.width(), cell.Rect.height());
                const double shortSide =
                    std::max(1, std::min(cell.Rect.width(), cell.Rect.height()));
                const QPointF there = map.map(centreOf(cell.Rect));
                const double half = reach + longSide * s;
                const QRect region(QPoint(int(there.x() - half), int(there.y() - half)),
                                   QPoint(int(there.x() + half), int(there.y() + half)));
                const auto found =
                    findSolidBlocks(scan, region, longSide * s * (1 - SizeTolerance),
                                    longSide * s * (1 + SizeTolerance), longSide / shortSide);
                for (const SolidBlock& b : found) {
                    if (std::hypot(b.Centre.x() - there.x(), b.Centre.y() - there.y()) <= reach) {
                        pairs.push_back({centreOf(cell.Rect), b.Centre});
                        break;
                    }
                }
            }
        }
    }
    return pairs;
}

// A map from one block is a little off in its turn, which shifts the far
// page marks by up to about a cell. The shift that lays the most printed mark
// blocks onto cells, the smallest of those, corrects it.
AffineMap alignedOnMarks(const PageGeometry& page, const GreyView& scan, const AffineMap& rough)
{
    std::vector<QPointF> cells;
    QRectF area;
    double longSide = 0, shortSide = 0;
    for (const auto* mark : {&page.PaperTypeMark, &page.PageNumberMark}) {
        if (!*mark)
            continue;
        for (const QuestionGeometry& q : (*mark)->Questions) {
            for (const CellGeometry& cell : q.Cells) {
                cells.push_back(rough.map(centreOf(cell.Rect)));
                area |= QRectF(cells.back(), QSizeF(1, 1));
                longSide = std::max<double>(cell.Rect.width(), cell.Rect.height());
                shortSide = std::max(1, std::min(cell.Rect.width(), cell.Rect.height()));
            }
        }
    }
    const double s = rough.scale();
    const double pixelsPerMm = page.PixelsPerMm * s;
    const double reach = MarkShiftMm * pixelsPerMm;
    area.adjust(-reach - longSide * s, -reach - longSide * s, reach + longSide * s,
                reach + longSide * s);
    if (cells.empty() || area.width() * area.height() > double(scan.width()) * scan.height() / 4)
        return rough;
    const std::vector<SolidBlock> blocks =
        findSolidBlocks(scan, area.toAlignedRect(), longSide * s * (1 - SizeTolerance),
                        longSide * s * (1 + SizeTolerance), longSide / shortSide);
    const double tolerance = MarkAgreementMm * pixelsPerMm;
    QPointF bestShift;
    int bestVotes = 0;
    for (const SolidBlock& b : blocks) {
        for (const QPointF& c : cells) {
            const QPointF shift = b.Centre - c;
            if (std::hypot(shift.x(), shift.y()) > reach)
                continue;
            int votes = 0;
            for (const SolidBlock& other : blocks)
                for (const QPointF& o : cells)
                    if (std::hypot(other.Centre.x() - o.x() - shift.x(),
                                   other.Centre.y() - o.y() - shift.y()) <= tolerance) {
                        ++votes;
                        break;
                    }
            const bool nearer =
                std::hypot(shift.x(), shift.y()) < std::hypot(bestShift.x(), bestShift.y());
            if (votes > bestVotes || (votes == bestVotes && nearer)) {
                bestVotes = votes;
                bestShift = shift;
            }
        }
    }
    AffineMap m = rough;
    m.C += bestShift.x();
    m.F += bestShift.y();
    return m;
}

// When no two boxes show whole: one whole box gives a first placement, which
// the page marks' printed blocks then steady.
std::optional<Placement> placementFromOneBox(const PageGeometry& page, const GreyView& scan,
                                             const std::vector<std::vector<SolidBlock>>& blocks,
                                             double expectedScale)
{
    std::optional<Placement> best;
    for (std::size_t k = 0; k < blocks.size(); ++k) {
        const TRect& box = page.PositioningBoxes[k];
        for (const SolidBlock& block : blocks[k]) {
            const AffineMap rough = mapFromBlock(block, box);
            if (!plausibleTurn(rough, expectedScale))
                continue;
            const AffineMap first = alignedOnMarks(page, scan, rough);
            const std::vector<PointPair> marks = markBlocks(page, scan, first);
            if (marks.size() < 2 || (best && marks.size() <= best->Marks.size()))
                continue;
            best = Placement{first, {int(k)}, {block.Centre}, 0, marks};
        }
    }
    return best;
}

enum class BoxView
{
    Shown,   // its place on the picture is dark
    Missing, // its place is on the picture, but light
    Outside, // too little of its place is on the picture to tell
};

// What the picture shows where the map puts a box: a box cut by the
// picture's edge or partly covered still shows as dark where it shows.
BoxView boxAt(const GreyView& scan, const AffineMap& map, const TRect& box)
{
    int inView = 0;
    int dark = 0;
    for (int j = 0; j < BoxSamples; ++j) {
        for (int i = 0; i < BoxSamples; ++i) {
            const QPointF p = map.map(QPointF(box.Left + box.width() * (i + 0.5) / BoxSamples,
                                              box.Top + box.height() * (j + 0.5) / BoxSamples));
            const int x = int(std::floor(p.x()));
            const int y = int(std::floor(p.y()));
            if (x < 0 || y < 0 || x >= scan.width() || y >= scan.height())
                continue;
            ++inView;
            dark += scan.grey(x, y) < DarkGrey ? 1 : 0;
        }
    }
    if (inView < InViewShare * BoxSamples * BoxSamples)
        return BoxView::Outside;
    return dark >= DarkShare * inView ? BoxView::Shown : BoxView::Missing;
}

// Whether an affine map stays a turn and a scale: an exact fit through a
// stray blot stretches or shears.
bool undistorted(const AffineMap& m)
{
    const double s = std::max(1e-9, m.scale());
    return std::abs(m.A - m.E) / s <= MaxDistortion && std::abs(m.B + m.D) / s <= MaxDistortion;
}

// Finds the positioning boxes: three of them must show (found whole, or cut
// by the picture's edge or partly covered where the fit puts them), or fewer
// with the page marks' printed blocks; none may be missing where the picture
// shows its place.
// The registration a placement gives: its fit, and whether enough boxes
// (or page-mark blocks) show and none is missing where the picture shows its
// place.
void settle(const PageGeometry& page, const GreyView& scan, const Placement& placement,
            double expectedScale, Registration& r)
{
    const std::size_t n = page.PositioningBoxes.size();
    r.FoundMarks = placement.Found;
    std::vector<PointPair> pairs;
    for (std::size_t k = 0; k < placement.Boxes.size(); ++k)
        pairs.push_back(
            {centreOf(page.PositioningBoxes[std::size_t(placement.Boxes[k])]), placement.Found[k]});
    // Three boxes or more fit an affine map; fewer take the page marks' blocks
    // to a turn, scale and shift.
    std::size_t marks = 0;
    if (pairs.size() < 3) {
        const std::vector<PointPair> found = markBlocks(page, scan, placement.Map);
        marks = found.size();
        pairs.insert(pairs.end(), found.begin(), found.end());
    }
    const auto fit = placement.Boxes.size() < 3 ? fitSimilarity(pairs) : fitAffine(pairs);
    if (!fit) {
        r.Result = Registration::NotFound;
        return;
    }
    r.Fit = *fit;
    std::size_t shown = placement.Boxes.size();
    for (std::size_t k = 0; k < n; ++k) {
        if (std::find(placement.Boxes.begin(), placement.Boxes.end(), int(k)) !=
            placement.Boxes.end())
            continue;
        switch (boxAt(scan, fit->Map, page.PositioningBoxes[k])) {
        case BoxView::Shown:
            ++shown;
            break;
        case BoxView::Missing:
            r.Result = Registration::NotFound;
            return;
        case BoxView::Outside:
            break;
        }
    }
    if (shown + marks < std::min<std::size_t>(3, n)) {
        r.Result = Registration::NotFound;
        return;
    }
    const double scanPixelsPerMm = fit->Map.scale() * page.PixelsPerMm;
    r.Result = plausibleTurn(fit->Map, expectedScale) && undistorted(fit->Map) &&
                       fit->Residual <= MaxFitResidualMm * scanPixelsPerMm
                   ? Registration::Found
                   : Registration::PoorFit;
}

// When the boxes cannot place the page (all of them cut off by the
// picture's edge, or covered), its print does; a box whose place the picture
// shows must still show there.
void placeByPrint(const PageGeometry& page, const GreyView& scan, const PrintedInk& print,
                  Registration& r)
{
    const auto map = print.alignOn(scan, sizeEstimate(page, scan));
    if (!map)
        return;
    std::vector<QPointF> shown;
    for (const TRect& box : page.PositioningBoxes) {
        switch (boxAt(scan, *map, box)) {
        case BoxView::Missing:
            return;
        case BoxView::Shown: {
            // Only a middle in the picture tells the ink's level.
            const QPointF c = map->map(centreOf(box));
            if (scan.grey(saturatingFloor(c.x()), saturatingFloor(c.y())) < DarkGrey)
                shown.push_back(c);
            break;
        }
        case BoxView::Outside:
            break;
        }
    }
    r.Fit = AffineFit{*map, 0};
    r.FoundMarks = shown;
    r.Result = Registration::Found;
}

void registerByBoxes(const PageGeometry& page, const GreyView& scan, const PrintedInk* print,
                     Registration& r)
{
    const AffineMap estimate = sizeEstimate(page, scan);
    const double expectedScale = estimate.scale();
    const std::size_t n = page.PositioningBoxes.size();
    std::optional<Placement> placement;
    std::vector<std::vector<SolidBlock>> blocks;
    for (const double margin : {SearchMarginMm, WideMarginMm}) {
        blocks.clear();
        for (const TRect& box : page.PositioningBoxes)
            blocks.push_back(blocksNear(scan, estimate, box, margin, page.PixelsPerMm));
        auto found = agreedPlacement(page, blocks, expectedScale);
        if (found && (!placement || found->Boxes.size() > placement->Boxes.size()))
            placement = std::move(found);
        if (placement && placement->Boxes.size() == n)
            break;
    }
    r.Result = Registration::NotFound;
    if (placement) {
        settle(page, scan, *placement, expectedScale, r);
        if (r.Result == Registration::Found || placement->Boxes.size() >= 3)
            return;
    }
    // Fewer than three boxes agree, or two that do are no boxes at all: one
    // whole box and the page marks.
    const auto single = placementFromOneBox(page, scan, blocks, expectedScale);
    if (single) {
        Registration byOne = r;
        settle(page, scan, *single, expectedScale, byOne);
        if (byOne.Result == Registration::Found || !placement)
            r = byOne;
    }
    if (r.Result != Registration::Found && print)
        placeByPrint(page, scan, *print, r);
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

Registration registerPage(const PageGeometry& page, const GreyView& scan, const PrintedInk* print)
{
    Registration r;
    const bool fuzzy = page.PositioningBoxes.empty();
    r.ByFuzzyBoxes = fuzzy;
    r.ExpectedMarks = int(fuzzy ? page.FuzzyBoxes.size() : page.PositioningBoxes.size());
    if (r.ExpectedMarks < 2) {
        r.Result = Registration::NoReferences;
        return r;
    }
    if (!fuzzy) {
        registerByBoxes(page, scan, print, r);
        return r;
    }
    const std::vector<PointPair> pairs = findFuzzyBoxes(page, scan, r.FoundMarks);
    const auto fit = fitAffine(pairs);
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
