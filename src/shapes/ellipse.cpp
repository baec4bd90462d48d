#include "shapes/ellipse.h"

#include "shapes/roundrect.h"

namespace sw {

TEllipse::TEllipse(TPoint p1, TPoint p2, double scaleX, double scaleY)
    : TRectangle(p1, p2, scaleX, scaleY)
{
    Kind = GEllipse;
    KindName = QStringLiteral("椭圆");
}

std::unique_ptr<TGraphics> TEllipse::clone() const
{
    return std::make_unique<TEllipse>(*this);
}

bool TEllipse::HitTest(TPoint p)
{
    return inRoundRectRegion(Bounds, Width, Height, p);
}

void TEllipse::Draw(Canvas& canvas)
{
    TPen pen = devicePen();
    // Ellipses are drawn with twice the width a box gets from the same pen.
    pen.Width = clampToInt(2 * std::int64_t(pen.Width));
    canvas.setPen(pen);
    canvas.setBrush(Brush);
    drawOutline(canvas);
    finishDraw(canvas);
}

void TEllipse::drawOutline(Canvas& canvas) const
{
    const TRect r = deviceBounds();
    canvas.Ellipse(r.Left, r.Top, r.Right, r.Bottom);
}

} // namespace sw
