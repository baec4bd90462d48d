#include "reading/pageidentification.h"

#include "document/pagemarks.h"
#include "reading/cellsampling.h"
#include "reading/greyview.h"
#include "reading/sheetgeometry.h"

#include <algorithm>

namespace sw {

namespace {

// A printed block is darker than this all over its interior; an empty cell
// lighter than EmptyCell.
constexpr double BlockCell = 0.5;
constexpr double EmptyCell = 0.25;
// Around a block the paper shows: a strip beside it is paper when lighter
// than this, and at most one strip may be dark (a slightly misplaced scan,
// a hole next door).
constexpr double PaperAround = 0.35;
constexpr int MaxDarkStrips = 1;
// The strips beside a cell lie this share of its smaller side away, and are
// as thick.
constexpr double StripShare = 0.15;
constexpr double MinStrip = 1.5;
// The corners of a cell's interior checked for a block's square shape: this
// share of its sides.
constexpr double CornerShare = 0.3;

// The strips of paper on the four sides of a cell that no other cell of the
// mark covers.
std::vector<QRectF> stripsAround(const TRect& cell, const BubbleBoxGeometry& mark)
{
    const double d = std::max(MinStrip, StripShare * std::min(cell.width(), cell.height()));
    const QRectF c(cell.Left, cell.Top, cell.width(), cell.height());
    const QRectF inner = c.adjusted(d, d, -d, -d);
    const QRectF strips[] = {
        {c.left() - 2 * d, inner.top(), d, inner.height()},
        {c.right() + d, inner.top(), d, inner.height()},
        {inner.left(), c.top() - 2 * d, inner.width(), d},
        {inner.left(), c.bottom() + d, inner.width(), d},
    };
    std::vector<QRectF> free;
    for (const QRectF& strip : strips) {
        bool touches = false;
        for (const QuestionGeometry& q : mark.Questions)
            for (const CellGeometry& other : q.Cells)
                touches = touches || QRectF(other.Rect.Left, other.Rect.Top, other.Rect.width(),
                                            other.Rect.height())
                                         .intersects(strip);
        if (!touches)
            free.push_back(strip);
    }
    return free;
}

bool inView(const TRect& cell, const GreyView& scan, const AffineMap& map)
{
    for (const QPointF corner :
         {QPointF(cell.Left, cell.Top), QPointF(cell.Right, cell.Top),
          QPointF(cell.Left, cell.Bottom), QPointF(cell.Right, cell.Bottom)}) {
        const QPointF p = map.map(corner);
        if (p.x() < 0 || p.y() < 0 || p.x() >= scan.width() || p.y() >= scan.height())
            return false;
    }
    return true;
}

// A printed block is dark into its corners; a round hole or a blot over the
// cell leaves them light.
bool darkCorners(const QRectF& interior, const GreyView& scan, const AffineMap& map,
                 const InkLevels& levels)
{
    const double w = interior.width() * CornerShare;
    const double h = interior.height() * CornerShare;
    for (const QPointF at : {interior.topLeft(), QPointF(interior.right() - w, interior.top()),
                             QPointF(interior.left(), interior.bottom() - h),
                             QPointF(interior.right() - w, interior.bottom() - h)})
        if (levels.darkness(meanGrey(scan, map, QRectF(at, QSizeF(w, h)))) < BlockCell)
            return false;
    return true;
}

MarkCell readCell(const TRect& cell, const BubbleBoxGeometry& mark, const GreyView& scan,
                  const AffineMap& map, const InkLevels& levels)
{
    if (!inView(cell, scan, map))
        return MarkCell::OutOfView;
    const QRectF interior = cellInterior(cell);
    const double inside = levels.darkness(meanGrey(scan, map, interior));
    if (inside <= EmptyCell)
        return MarkCell::Empty;
    if (inside < BlockCell || !darkCorners(interior, scan, map, levels))
        return MarkCell::Damaged;
    int dark = 0;
    for (const QRectF& strip : stripsAround(cell, mark))
        dark += levels.darkness(meanGrey(scan, map, strip)) > PaperAround ? 1 : 0;
    return dark > MaxDarkStrips ? MarkCell::Damaged : MarkCell::Block;
}

// Which cells the mark prints for `value`: those whose weights add up to it.
// Nothing when the mark cannot show the value.
std::optional<std::vector<bool>> printedCells(const BubbleBoxGeometry& mark, int value)
{
    std::vector<bool> printed;
    int rest = value;
    for (const QuestionGeometry& q : mark.Questions) {
        for (const CellGeometry& cell : q.Cells) {
            const int weight = cell.Label.size() == 1 ? cell.Label.at(0).digitValue() : -1;
            const bool set = weight > 0 && (rest & weight) == weight;
            if (set)
                rest -= weight;
            printed.push_back(set);
        }
    }
    if (rest != 0)
        return std::nullopt;
    return printed;
}

void compareMark(const BubbleBoxGeometry& mark, int value, const GreyView& scan,
                 const AffineMap& map, const InkLevels& levels, MarkComparison& result)
{
    const std::vector<MarkCell> seen = readMarkCells(mark, scan, map, levels);
    const auto printed = printedCells(mark, value);
    for (std::size_t k = 0; k < seen.size(); ++k) {
        if (!printed)
            ++result.Differing; // a value the mark cannot show matches no scan
        else if (seen[k] == MarkCell::Damaged)
            ++result.Damaged;
        else if (seen[k] == MarkCell::OutOfView)
            ++result.OutOfView;
        else if ((seen[k] == MarkCell::Block) != (*printed)[k])
            ++result.Differing;
    }
}

} // namespace

std::vector<MarkCell> readMarkCells(const BubbleBoxGeometry& mark, const GreyView& scan,
                                    const AffineMap& map, const InkLevels& levels)
{
    std::vector<MarkCell> cells;
    for (const QuestionGeometry& q : mark.Questions)
        for (const CellGeometry& cell : q.Cells)
            cells.push_back(readCell(cell.Rect, mark, scan, map, levels));
    return cells;
}

MarkComparison compareMarks(const PageGeometry& page, const GreyView& scan, const AffineMap& map,
                            const InkLevels& levels)
{
    MarkComparison result;
    if (page.PaperTypeMark)
        compareMark(*page.PaperTypeMark, PaperTypeNumber(page.PaperType), scan, map, levels,
                    result);
    if (page.PageNumberMark)
        compareMark(*page.PageNumberMark, page.PageNumber, scan, map, levels, result);
    return result;
}

} // namespace sw
