#include "reading/printedlayout.h"

#include "platform/rounding.h"
#include "platform/saturating.h"
#include "reading/cellsampling.h"
#include "reading/greyview.h"
#include "reading/sheetgeometry.h"

#include <algorithm>
#include <cmath>

namespace sw {

namespace {

// Grid squares are a millimetre a side; the page's edge this wide is left
// out (skew, the scanner's border), and blank squares keep this far from print.
constexpr double SquareMm = 1.0;
constexpr int EdgeSquares = 6;
constexpr int BlankDistance = 2;
// A square of the painted page holding a pixel this dark is printed.
constexpr int PrintedGrey = 128;
// Print is present on the scan where a square or its neighbours hold a
// sample this dark; the neighbours allow for the registration's error.
constexpr double PresentDarkness = 0.3;
constexpr int PresentReach = 1;
// Squares of foreign or missing print before a sheet is flagged: more than
// a stray mark or a scribbled name covers.
constexpr int MinDifferentSquares = 200;
// Samples per square side, at most.
constexpr int MaxSamples = 6;

void markArea(std::vector<bool>& area, int columns, int rows, double side, const TRect& r)
{
    const int left = std::clamp(saturatingFloor(r.Left / side), 0, columns);
    const int top = std::clamp(saturatingFloor(r.Top / side), 0, rows);
    const int right = std::clamp(saturatingFloor(r.Right / side) + 1, 0, columns);
    const int bottom = std::clamp(saturatingFloor(r.Bottom / side) + 1, 0, rows);
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            area[std::size_t(y) * std::size_t(columns) + std::size_t(x)] = true;
}

// Squares where people write or stick something.
std::vector<bool> writtenAreas(const PageGeometry& page, int columns, int rows, double side)
{
    std::vector<bool> area(std::size_t(columns) * std::size_t(rows), false);
    for (const CutBoxGeometry& cut : page.CutBoxes)
        markArea(area, columns, rows, side, cut.Rect);
    for (const TRect& r : page.BarcodeAreas)
        markArea(area, columns, rows, side, r);
    for (const BubbleBoxGeometry& box : page.BubbleBoxes)
        markArea(area, columns, rows, side, box.Bounds);
    for (const auto* mark : {&page.PaperTypeMark, &page.PageNumberMark})
        if (*mark)
            markArea(area, columns, rows, side, (*mark)->Bounds);
    return area;
}

} // namespace

PrintedLayout::PrintedLayout(const QImage& printed, double scale, const PageGeometry& page)
{
    if (page.Mode != 0 || printed.isNull() || page.PixelsPerMm <= 0)
        return;
    m_side = SquareMm * page.PixelsPerMm;
    m_columns = std::max(0, saturatingFloor(page.Width / m_side));
    m_rows = std::max(0, saturatingFloor(page.Height / m_side));
    const QImage grey = printed.convertToFormat(QImage::Format_Grayscale8);
    if (grey.isNull() || m_columns <= 2 * EdgeSquares || m_rows <= 2 * EdgeSquares) {
        m_columns = m_rows = 0;
        return;
    }

    // Printed squares: the darkest pixel of each.
    std::vector<bool> print(std::size_t(m_columns) * std::size_t(m_rows), false);
    const double picturePerSquare = m_side * scale;
    for (int y = 0; y < grey.height(); ++y) {
        const int row = std::min(m_rows - 1, saturatingFloor(y / picturePerSquare));
        const uchar* line = grey.constScanLine(y);
        for (int x = 0; x < grey.width(); ++x) {
            if (line[x] >= PrintedGrey)
                continue;
            const int column = std::min(m_columns - 1, saturatingFloor(x / picturePerSquare));
            print[std::size_t(row) * std::size_t(m_columns) + std::size_t(column)] = true;
        }
    }

    const std::vector<bool> written = writtenAreas(page, m_columns, m_rows, m_side);
    m_squares.assign(print.size(), Ignored);
    const auto at = [this](int x, int y) {
        return std::size_t(y) * std::size_t(m_columns) + std::size_t(x);
    };
    for (int y = EdgeSquares; y < m_rows - EdgeSquares; ++y) {
        for (int x = EdgeSquares; x < m_columns - EdgeSquares; ++x) {
            if (written[at(x, y)])
                continue;
            bool nearPrint = false;
            for (int dy = -BlankDistance; dy <= BlankDistance && !nearPrint; ++dy)
                for (int dx = -BlankDistance; dx <= BlankDistance && !nearPrint; ++dx)
                    nearPrint = print[at(x + dx, y + dy)];
            m_squares[at(x, y)] = print[at(x, y)] ? Print : nearPrint ? Ignored : Blank;
        }
    }
}

QString PrintedLayout::differences(const GreyView& scan, const AffineMap& map,
                                   const InkLevels& levels) const
{
    if (m_squares.empty())
        return {};
    const int samples = std::clamp(saturatingFloor(std::ceil(m_side * map.scale())), 1, MaxSamples);
    const double step = m_side / samples;
    // Whether any sample of a square shows ink.
    std::vector<signed char> dark(m_squares.size(), -1);
    const auto darkAt = [&](int x, int y) {
        signed char& known = dark[std::size_t(y) * std::size_t(m_columns) + std::size_t(x)];
        if (known < 0) {
            known = 0;
            for (int j = 0; j < samples && !known; ++j) {
                for (int i = 0; i < samples && !known; ++i) {
                    const QPointF p =
                        map.map({(x * samples + i + 0.5) * step, (y * samples + j + 0.5) * step});
                    known = levels.darkness(scan.grey(saturatingFloor(p.x()),
                                                      saturatingFloor(p.y()))) > PresentDarkness;
                }
            }
        }
        return known != 0;
    };

    int missing = 0;
    int foreign = 0;
    QPointF foreignSum;
    QPointF missingSum;
    for (int y = 0; y < m_rows; ++y) {
        for (int x = 0; x < m_columns; ++x) {
            const Square square =
                m_squares[std::size_t(y) * std::size_t(m_columns) + std::size_t(x)];
            if (square == Blank && darkAt(x, y)) {
                ++foreign;
                foreignSum += QPointF(x, y);
            } else if (square == Print) {
                bool present = false;
                for (int dy = -PresentReach; dy <= PresentReach && !present; ++dy)
                    for (int dx = -PresentReach; dx <= PresentReach && !present; ++dx)
                        present = darkAt(x + dx, y + dy);
                if (!present) {
                    ++missing;
                    missingSum += QPointF(x, y);
                }
            }
        }
    }
    const auto where = [this](QPointF sum, int count) {
        const QPointF mm = sum / count * SquareMm;
        return QStringLiteral("about %1, %2 mm")
            .arg(roundHalfEven(mm.x()))
            .arg(roundHalfEven(mm.y()));
    };
    if (foreign >= MinDifferentSquares)
        return QStringLiteral("printed from another template? print where the template has none "
                              "(%1 mm², %2)")
            .arg(foreign * SquareMm * SquareMm)
            .arg(where(foreignSum, foreign));
    if (missing >= MinDifferentSquares)
        return QStringLiteral("printed from another template? the template's print is missing "
                              "(%1 mm², %2)")
            .arg(missing * SquareMm * SquareMm)
            .arg(where(missingSum, missing));
    return {};
}

} // namespace sw
