#pragma once

#include "shapes/rectangle.h"

#include <array>

namespace sw {

// A triangle filling its box, apex pointing towards Aspect.
class TTriangle : public TRectangle
{
public:
    TTriangle(TPoint p1, TPoint p2, double scaleX, double scaleY);

    void Draw(Canvas& canvas) override;
    std::unique_ptr<TGraphics> clone() const override;

    // The three corners in layout pixels.
    std::array<TPoint, 3> Vertices() const;

    TAspect Aspect = ADown;
};

} // namespace sw
