#pragma once

#include "shapes/rectangle.h"

namespace sw {

// A positioning box in a page corner: a black block (solid brush) or a
// black frame (clear brush). Placed and locked by the page marks.
class TPosRect : public TRectangle
{
public:
    TPosRect(TPoint p1, TPoint p2, double scaleX, double scaleY);

    void Draw(Canvas& canvas) override;
    std::unique_ptr<TGraphics> clone() const override;
};

} // namespace sw
