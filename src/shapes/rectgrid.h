#pragma once

#include "shapes/rectangle.h"

#include <cstdint>

namespace sw {

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
