#include "reading/printedink.h"

#include "platform/saturating.h"
#include "reading/greyview.h"
#include "reading/sheetgeometry.h"

#include <algorithm>
#include <cmath>

namespace sw {

namespace {

// A pixel of the painted page this dark is print.
constexpr int PrintedGrey = 128;
// The grids the search runs on, coarse to fine, and the largest page (in
// squares of the finest) that is searched at all.
constexpr double GridSidesMm[] = {2.0, 1.0};
constexpr double MaxSquares = 4e6;
// Print points lie on a lattice this fine, paper points on a coarser one;
// each list is thinned to about this many points.
constexpr double PointStepMm = 0.25;
constexpr double PaperStepMm = 2.0;
constexpr std::size_t MaxPoints = 40000;
// Paper points keep this far from print.
constexpr double PaperDistanceMm = 1.0;
// The coarse search: turns up to MaxTurnDegrees in TurnStepDegrees, shifts
// up to MaxShiftMm. Each finer step searches around the coarser result.
constexpr double MaxTurnDegrees = 12.0;
constexpr double TurnStepDegrees = 1.0;
constexpr double MaxShiftMm = 20.0;
// The print shows when its points are darker than the paper points by this
// many grey levels on average, with this share of them in the picture.
constexpr double MinContrast = 40;
constexpr double MinInView = 0.5;

bool writtenOn(const PageGeometry& page, QPointF p)
{
    const auto inside = [p](const TRect& r) {
        return p.x() >= r.Left && p.x() <= r.Right && p.y() >= r.Top && p.y() <= r.Bottom;
    };
    for (const CutBoxGeometry& cut : page.CutBoxes)
        if (inside(cut.Rect))
            return true;
    for (const TRect& r : page.BarcodeAreas)
        if (inside(r))
            return true;
    for (const BubbleBoxGeometry& box : page.BubbleBoxes)
        if (inside(box.Bounds))
            return true;
    return false;
}

void thin(std::vector<QPointF>& points)
{
    if (points.size() <= MaxPoints)
        return;
    const std::size_t step = (points.size() + MaxPoints - 1) / MaxPoints;
    std::vector<QPointF> kept;
    for (std::size_t i = 0; i < points.size(); i += step)
        kept.push_back(points[i]);
    points = std::move(kept);
}

// A turn about the page's middle and a shift, at a fixed scale.
struct Pose
{
    double Degrees = 0;
    QPointF Shift; // scan pixels
};

AffineMap mapOf(const Pose& pose, double scale, QPointF middle, QPointF scanMiddle)
{
    const double a = pose.Degrees * M_PI / 180;
    AffineMap m{scale * std::cos(a), -scale * std::sin(a), 0,
                scale * std::sin(a), scale * std::cos(a),  0};
    const QPointF there = m.map(middle);
    m.C = scanMiddle.x() + pose.Shift.x() - there.x();
    m.F = scanMiddle.y() + pose.Shift.y() - there.y();
    return m;
}

// The scan's mean darkness on squares of `side` scan pixels, less its mean
// over the whole scan: print laid onto paper then scores below nothing.
struct ScanGrid
{
    double Side = 0;
    int Columns = 0;
    int Rows = 0;
    std::vector<float> Darkness;

    ScanGrid(const GreyView& scan, double side)
        : Side(side), Columns(std::max(1, saturatingFloor(std::ceil(scan.width() / side)))),
          Rows(std::max(1, saturatingFloor(std::ceil(scan.height() / side))))
    {
        std::vector<double> sum(std::size_t(Columns) * std::size_t(Rows), 0);
        std::vector<int> count(sum.size(), 0);
        for (int y = 0; y < scan.height(); ++y) {
            const std::size_t row = std::size_t(std::min(Rows - 1, saturatingFloor(y / side)));
            for (int x = 0; x < scan.width(); ++x) {
                const std::size_t i = row * std::size_t(Columns) +
                                      std::size_t(std::min(Columns - 1, saturatingFloor(x / side)));
                sum[i] += 255 - scan.grey(x, y);
                ++count[i];
            }
        }
        double total = 0;
        Darkness.resize(sum.size());
        for (std::size_t i = 0; i < sum.size(); ++i) {
            Darkness[i] = float(count[i] > 0 ? sum[i] / count[i] / 255 : 0);
            total += Darkness[i];
        }
        const float mean = float(total / double(Darkness.size()));
        for (float& d : Darkness)
            d -= mean;
    }
};

// The best pose on one grid among the turns and the shifts (in squares)
// around `from`.
Pose searchGrid(const PrintedInk::Grid& grid, const ScanGrid& scan, double layoutPerMm,
                double scale, QPointF middle, QPointF scanMiddle, const Pose& from,
                double turnReach, double turnStep, int shiftReach)
{
    Pose best = from;
    double bestScore = -1e300;
    const double squareLayout = grid.SideMm * layoutPerMm;
    std::vector<double> scores(std::size_t(2 * shiftReach + 1) * std::size_t(2 * shiftReach + 1));
    const int turns = saturatingFloor(turnReach / turnStep + 0.5);
    for (int t = -turns; t <= turns; ++t) {
        const Pose pose{from.Degrees + t * turnStep, from.Shift};
        const AffineMap m = mapOf(pose, scale, middle, scanMiddle);
        std::fill(scores.begin(), scores.end(), 0);
        for (const int square : grid.Inked) {
            const QPointF p(((square % grid.Columns) + 0.5) * squareLayout,
                            ((square / grid.Columns) + 0.5) * squareLayout);
            const QPointF q = m.map(p);
            const int cx = saturatingFloor(q.x() / scan.Side);
            const int cy = saturatingFloor(q.y() / scan.Side);
            const float ink = grid.Ink[std::size_t(square)];
            std::size_t k = 0;
            for (int dy = -shiftReach; dy <= shiftReach; ++dy) {
                const int y = cy + dy;
                for (int dx = -shiftReach; dx <= shiftReach; ++dx, ++k) {
                    const int x = cx + dx;
                    if (x >= 0 && y >= 0 && x < scan.Columns && y < scan.Rows)
                        scores[k] +=
                            ink * scan.Darkness[std::size_t(y) * std::size_t(scan.Columns) +
                                                std::size_t(x)];
                }
            }
        }
        std::size_t k = 0;
        for (int dy = -shiftReach; dy <= shiftReach; ++dy) {
            for (int dx = -shiftReach; dx <= shiftReach; ++dx, ++k) {
                if (scores[k] > bestScore) {
                    bestScore = scores[k];
                    best = {pose.Degrees, pose.Shift + QPointF(dx, dy) * scan.Side};
                }
            }
        }
    }
    return best;
}

// The summed darkness of the scan under the print points, and how many lie
// in the picture.
std::pair<double, int> darknessUnder(const std::vector<QPointF>& points, const GreyView& scan,
                                     const AffineMap& m)
{
    double sum = 0;
    int inView = 0;
    for (const QPointF& p : points) {
        const QPointF q = m.map(p);
        const int x = saturatingFloor(q.x());
        const int y = saturatingFloor(q.y());
        if (x < 0 || y < 0 || x >= scan.width() || y >= scan.height())
            continue;
        sum += 255 - scan.grey(x, y);
        ++inView;
    }
    return {sum, inView};
}

// The best pose on the print points, around `from`, in steps of scan pixels.
Pose searchPoints(const std::vector<QPointF>& points, const GreyView& scan, double scale,
                  QPointF middle, QPointF scanMiddle, const Pose& from, double turnReach,
                  double turnStep, double shiftReach, double shiftStep)
{
    Pose best = from;
    double bestScore = -1;
    const int turns = saturatingFloor(turnReach / turnStep + 0.5);
    const int shifts = saturatingFloor(shiftReach / shiftStep + 0.5);
    for (int t = -turns; t <= turns; ++t) {
        for (int dy = -shifts; dy <= shifts; ++dy) {
            for (int dx = -shifts; dx <= shifts; ++dx) {
                const Pose pose{from.Degrees + t * turnStep,
                                from.Shift + QPointF(dx, dy) * shiftStep};
                const double score =
                    darknessUnder(points, scan, mapOf(pose, scale, middle, scanMiddle)).first;
                if (score > bestScore) {
                    bestScore = score;
                    best = pose;
                }
            }
        }
    }
    return best;
}

} // namespace

PrintedInk::PrintedInk(const QImage& printed, double scale, const PageGeometry& page)
{
    if (printed.isNull() || page.PixelsPerMm <= 0 || scale <= 0 ||
        page.WidthMm * page.HeightMm > MaxSquares)
        return;
    const QImage grey = printed.convertToFormat(QImage::Format_Grayscale8);
    if (grey.isNull())
        return;
    m_pixelsPerMm = page.PixelsPerMm;
    m_middle = QPointF(page.Width / 2.0, page.Height / 2.0);
    const double picturePerMm = page.PixelsPerMm * scale;
    const auto dark = [&grey](double x, double y) {
        const int px = saturatingFloor(x);
        const int py = saturatingFloor(y);
        return px >= 0 && py >= 0 && px < grey.width() && py < grey.height() &&
               grey.constScanLine(py)[px] < PrintedGrey;
    };

    for (const double side : GridSidesMm) {
        Grid grid;
        grid.SideMm = side;
        const double squarePixels = side * picturePerMm;
        grid.Columns = std::max(1, saturatingFloor(std::ceil(grey.width() / squarePixels)));
        grid.Rows = std::max(1, saturatingFloor(std::ceil(grey.height() / squarePixels)));
        grid.Ink.assign(std::size_t(grid.Columns) * std::size_t(grid.Rows), 0);
        for (int y = 0; y < grey.height(); ++y) {
            const uchar* line = grey.constScanLine(y);
            const int row = std::min(grid.Rows - 1, saturatingFloor(y / squarePixels));
            for (int x = 0; x < grey.width(); ++x)
                if (line[x] < PrintedGrey)
                    grid.Ink[std::size_t(row) * std::size_t(grid.Columns) +
                             std::size_t(std::min(grid.Columns - 1,
                                                  saturatingFloor(x / squarePixels)))] += 1;
        }
        for (std::size_t i = 0; i < grid.Ink.size(); ++i) {
            grid.Ink[i] /= float(squarePixels * squarePixels);
            if (grid.Ink[i] > 0)
                grid.Inked.push_back(int(i));
        }
        m_grids.push_back(std::move(grid));
    }

    const double step = PointStepMm * page.PixelsPerMm;
    for (double y = step / 2; y < page.Height; y += step)
        for (double x = step / 2; x < page.Width; x += step)
            if (dark(x * scale, y * scale))
                m_points.emplace_back(x, y);
    thin(m_points);

    const Grid& fine = m_grids.back();
    const int reach = std::max(1, saturatingFloor(std::ceil(PaperDistanceMm / fine.SideMm)));
    const double paperStep = PaperStepMm * page.PixelsPerMm;
    for (double y = paperStep / 2; y < page.Height; y += paperStep) {
        for (double x = paperStep / 2; x < page.Width; x += paperStep) {
            const int cx = saturatingFloor(x * scale / (fine.SideMm * picturePerMm));
            const int cy = saturatingFloor(y * scale / (fine.SideMm * picturePerMm));
            bool nearPrint = false;
            for (int dy = -reach; dy <= reach && !nearPrint; ++dy)
                for (int dx = -reach; dx <= reach && !nearPrint; ++dx) {
                    const int gx = std::clamp(cx + dx, 0, fine.Columns - 1);
                    const int gy = std::clamp(cy + dy, 0, fine.Rows - 1);
                    nearPrint =
                        fine.Ink[std::size_t(gy) * std::size_t(fine.Columns) + std::size_t(gx)] > 0;
                }
            if (!nearPrint && !writtenOn(page, {x, y}))
                m_paper.emplace_back(x, y);
        }
    }
    thin(m_paper);
    if (m_paper.empty())
        m_points.clear();
}

std::optional<AffineMap> PrintedInk::alignOn(const GreyView& scan, const AffineMap& estimate) const
{
    if (isEmpty() || scan.width() <= 0 || scan.height() <= 0)
        return std::nullopt;
    const double scale = estimate.scale();
    const QPointF scanMiddle = estimate.map(m_middle);
    const double scanPerMm = m_pixelsPerMm * scale;

    Pose pose;
    const ScanGrid coarse(scan, m_grids.front().SideMm * scanPerMm);
    pose = searchGrid(m_grids.front(), coarse, m_pixelsPerMm, scale, m_middle, scanMiddle, pose,
                      MaxTurnDegrees, TurnStepDegrees,
                      saturatingFloor(MaxShiftMm / m_grids.front().SideMm));
    const ScanGrid fine(scan, m_grids.back().SideMm * scanPerMm);
    pose = searchGrid(m_grids.back(), fine, m_pixelsPerMm, scale, m_middle, scanMiddle, pose,
                      TurnStepDegrees, TurnStepDegrees / 4, 2);
    // On the print points: a quarter of a millimetre, then a sixteenth.
    pose = searchPoints(m_points, scan, scale, m_middle, scanMiddle, pose, TurnStepDegrees / 4,
                        TurnStepDegrees / 8, scanPerMm, scanPerMm / 4);
    pose = searchPoints(m_points, scan, scale, m_middle, scanMiddle, pose, TurnStepDegrees / 16,
                        TurnStepDegrees / 32, scanPerMm / 8, scanPerMm / 16);

    const AffineMap map = mapOf(pose, scale, m_middle, scanMiddle);
    const auto [ink, inkInView] = darknessUnder(m_points, scan, map);
    const auto [paper, paperInView] = darknessUnder(m_paper, scan, map);
    if (inkInView < MinInView * double(m_points.size()) || paperInView == 0 ||
        ink / inkInView - paper / paperInView < MinContrast)
        return std::nullopt;
    return map;
}

} // namespace sw
