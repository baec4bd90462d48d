#include "document/arrange.h"

#include "document/vectorgraphics.h"
#include "platform/rounding.h"
#include "platform/saturating.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

namespace sw {

namespace {

// The reserved positioning boxes and marks stand before this index.
constexpr int FirstUserShape = 6;

// A collected shape with its bounds as Left, Top, Right, Bottom, widened so
// the arithmetic cannot overflow on coordinates read from a file.
struct Box
{
    TGraphics* shape;
    std::array<std::int64_t, 4> edge;
};

// Low and high edge index of an axis in Box::edge.
struct Axis
{
    int lo;
    int hi;
};
constexpr Axis Horizontal{0, 2};
constexpr Axis Vertical{1, 3};

// The selected shapes of the current page from index 6 on, in list order, or
// nothing when fewer than `needed` shapes of the page are selected (the
// reserved ones count) or there is no current page.
std::vector<Box> collect(const TVectorGraphics& document, int needed,
                         std::optional<TGraphicsType> excluded = std::nullopt)
{
    const TVectorGraph* page = document.ActivePage();
    std::vector<Box> boxes;
    if (!page || page->SelectedCount() < needed)
        return boxes;
    for (int i = FirstUserShape; i < page->ShapeCount(); ++i) {
        TGraphics* shape = page->ShapeItem(i);
        if (!shape->Selected || shape->Kind == excluded)
            continue;
        const TRect r = shape->GetBounds();
        boxes.push_back({shape, {r.Left, r.Top, r.Right, r.Bottom}});
    }
    return boxes;
}

void writeBack(const std::vector<Box>& boxes)
{
    for (const Box& box : boxes) {
        box.shape->SetBounds({clampToInt(box.edge[0]), clampToInt(box.edge[1]),
                              clampToInt(box.edge[2]), clampToInt(box.edge[3])});
    }
}

// Moves every box along the axis so that its low edge (toLow) or its high
// edge lines up with the outermost one.
void align(TVectorGraphics& document, Axis axis, bool toLow)
{
    std::vector<Box> boxes = collect(document, 2);
    if (boxes.empty())
        return;
    const int ref = toLow ? axis.lo : axis.hi;
    const int other = toLow ? axis.hi : axis.lo;
    std::int64_t m = boxes.front().edge[ref];
    for (const Box& box : boxes)
        m = toLow ? std::min(m, box.edge[ref]) : std::max(m, box.edge[ref]);
    for (Box& box : boxes) {
        box.edge[other] += m - box.edge[ref];
        box.edge[ref] = m;
    }
    writeBack(boxes);
}

// Gives every box the largest (or smallest) extent along the axis, keeping
// its low edge.
void matchSize(TVectorGraphics& document, Axis axis, bool largest, TGraphicsType excluded)
{
    std::vector<Box> boxes = collect(document, 2, excluded);
    if (boxes.empty())
        return;
    const auto extent = [axis](const Box& box) { return box.edge[axis.hi] - box.edge[axis.lo]; };
    std::int64_t size = extent(boxes.front());
    for (const Box& box : boxes)
        size = largest ? std::max(size, extent(box)) : std::min(size, extent(box));
    for (Box& box : boxes)
        box.edge[axis.hi] = box.edge[axis.lo] + size;
    writeBack(boxes);
}

// Equal gaps between the boxes in list order, the last one flush with the
// outermost high edge. The horizontal rule counts the span one pixel wider
// than the vertical one (extraPixel).
void distribute(TVectorGraphics& document, Axis axis, int extraPixel)
{
    std::vector<Box> boxes = collect(document, 3);
    const std::size_t n = boxes.size();
    if (n < 2)
        return;
    std::int64_t low = boxes.front().edge[axis.lo];
    std::int64_t high = boxes.front().edge[axis.hi];
    std::int64_t total = 0;
    for (const Box& box : boxes) {
        low = std::min(low, box.edge[axis.lo]);
        high = std::max(high, box.edge[axis.hi]);
        total += box.edge[axis.hi] - box.edge[axis.lo] + 1;
    }
    const double gap = double(high - low + extraPixel - total) / double(n - 1);

    Box& last = boxes.back();
    last.edge[axis.lo] += high - last.edge[axis.hi];
    last.edge[axis.hi] = high;

    double position = double(low);
    for (std::size_t k = 0; k + 1 < n; ++k) {
        Box& box = boxes[k];
        const std::int64_t size = box.edge[axis.hi] - box.edge[axis.lo];
        box.edge[axis.lo] = roundHalfEven(position);
        box.edge[axis.hi] = box.edge[axis.lo] + size;
        position += double(size) + gap + 1;
    }
    writeBack(boxes);
}

} // namespace

void AlignLeft(TVectorGraphics& document)
{
    align(document, Horizontal, true);
}

void AlignRight(TVectorGraphics& document)
{
    align(document, Horizontal, false);
}

void AlignTop(TVectorGraphics& document)
{
    align(document, Vertical, true);
}

void AlignBottom(TVectorGraphics& document)
{
    align(document, Vertical, false);
}

void DistributeHorizontally(TVectorGraphics& document)
{
    distribute(document, Horizontal, 1);
}

void DistributeVertically(TVectorGraphics& document)
{
    distribute(document, Vertical, 0);
}

void MaxWidth(TVectorGraphics& document)
{
    matchSize(document, Horizontal, true, GVline);
}

void MaxHeight(TVectorGraphics& document)
{
    matchSize(document, Vertical, true, GHline);
}

void MinWidth(TVectorGraphics& document)
{
    matchSize(document, Horizontal, false, GVline);
}

void MinHeight(TVectorGraphics& document)
{
    matchSize(document, Vertical, false, GHline);
}

} // namespace sw
