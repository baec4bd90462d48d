#pragma once

#include "shapes/rectangle.h"

namespace sw {

// An ellipse inscribed in its box.
class TEllipse : public TRectangle
{
public:
    TEllipse(TPoint p1, TPoint p2, double scaleX, double scaleY);

    bool HitTest(TPoint p) override;
    void Draw(Canvas& canvas) override;
    std::unique_ptr<TGraphics> clone() const override;

protected:
    void drawOutline(Canvas& canvas) const override;
};

} // namespace sw
