#include "shapes/posrect.h"

namespace sw {

TPosRect::TPosRect(TPoint p1, TPoint p2, double scaleX, double scaleY)
    : TRectangle(p1, p2, scaleX, scaleY)
{
    Kind = GDw;
}

std::unique_ptr<TGraphics> TPosRect::clone() const
{
    return std::make_unique<TPosRect>(*this);
}

// A black block or frame one pixel wide; no handles, since the page marks
// place these boxes, not the user.
void TPosRect::Draw(Canvas& canvas)
{
    canvas.pen().Color = Pen.Color;
    canvas.pen().Width = 1;
    canvas.pen().Style = psSolid;
    canvas.setBrush({clBlack, Brush.Style});
    canvas.Rectangle(deviceBounds());
    PlaceHandles(deviceBounds());
}

} // namespace sw
