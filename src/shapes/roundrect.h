#pragma once

#include "shapes/rectangle.h"

namespace sw {

// A box with rounded corners.
class TRoundRect : public TRectangle
{
public:
    // p1, p2 in device pixels; radius in layout pixels (stored as given).
    TRoundRect(TPoint p1, TPoint p2, double scaleX, double scaleY, int radius);

    bool HitTest(TPoint p) override;
    void Draw(Canvas& canvas) override;
    std::unique_ptr<TGraphics> clone() const override;

    // Width and height of the ellipse that rounds each corner, layout pixels.
    std::int32_t Radius = 0;

protected:
    void drawOutline(Canvas& canvas) const override;
};

// Whether p lies in the region of r with corners rounded by ellipses of the
// given width and height (clipped to the size of r); an ellipse is the region
// whose corners are as large as r. Right and bottom edges are outside.
bool inRoundRectRegion(const TRect& r, int cornerWidth, int cornerHeight, TPoint p);

} // namespace sw
