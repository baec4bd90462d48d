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
