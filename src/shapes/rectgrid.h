#pragma once

#include "shapes/rectangle.h"

#include <cstdint>

namespace sw {

// Rows and columns of a cell grid (grid or bubble box) drawn at most: the
// panel's largest count. Larger counts come only from damaged files; the size
// of the box still follows the full counts.
constexpr int MaxGridCount = 1000;

// count limited to 0..MaxGridCount.
int drawnGridCount(std::int32_t count);
// (cell + space) * count - space, saturated to the int range.
int gridExtent(std::int32_t cell, std::int32_t space, std::int32_t count);
// Layout length or coordinate v in device pixels at scale (saturated).
int scaleToDevice(std::int64_t v, double scale);
// Indexes [first, last) of a row or column of cells.
struct CellRange
{
    int first = 0;
    int last = 0;
};
// The cells among `count` that can reach into [low, high) of the device, one
// more on either side for labels standing beside them: cell i starts at layout
// coordinate origin + i * step and is `cell` layout pixels long, drawn at
// `scale`. Drawing only these keeps the cost of a huge grid in proportion to
// what can show.
CellRange visibleCells(std::int64_t origin, std::int64_t step, std::int64_t cell, double scale,
                       int count, int low, int high);
// A cell outline as a closed path of four lines from its top-left device
// corner: right by width, down by height, back left and up.
void drawCellOutline(Canvas& canvas, int x, int y, int width, int height);

// A regular grid of cells; cells of zero height (width) make ruled
// horizontal (vertical) lines. Its size follows the grid at every draw.
class TRectGrid : public TRectangle
{
public:
    TRectGrid(TPoint p1, TPoint p2, double scaleX, double scaleY);

    void Draw(Canvas& canvas) override;
    std::unique_ptr<TGraphics> clone() const override;

    std::int32_t GridHeight = 0; // cell height
    std::int32_t Gridwidth = 0;  // cell width
    std::int32_t RowSpace = 0;   // gap between rows
    std::int32_t ColSpace = 0;   // gap between columns
    std::int32_t Row = 0;
    std::int32_t col = 0;
};

} // namespace sw
