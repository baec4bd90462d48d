#include "shapes/triangle.h"

#include <vector>

namespace sw {

TTriangle::TTriangle(TPoint p1, TPoint p2, double scaleX, double scaleY)
    : TRectangle(p1, p2, scaleX, scaleY)
{
    Kind = GTriangle;
    KindName = QStringLiteral("三角形");
}

std::unique_ptr<TGraphics> TTriangle::clone() const
{
    return std::make_unique<TTriangle>(*this);
}

std::array<TPoint, 3> TTriangle::Vertices() const
{
    const int l = Left;
    const int t = Top;
    const int r = BottomRight.X;
    const int b = BottomRight.Y;
    const int xm = l + Width / 2;
    const int ym = t + Height / 2;
    switch (Aspect) {
    case ARight:
        return {{{l, t}, {r, ym}, {l, b}}};
    case AUp:
        return {{{l, b}, {xm, t}, {r, b}}};
    case ALeft:
        return {{{r, t}, {l, ym}, {r, b}}};
    case ADown:
    default:
        return {{{l, t}, {r, t}, {xm, b}}};
    }
}

void TTriangle::Draw(Canvas& canvas)
{
    canvas.setPen(devicePen());
    canvas.setBrush(Brush);
    const auto vertices = Vertices();
    std::vector<TPoint> polygon;
    polygon.reserve(vertices.size() + 1);
    for (const TPoint& v : vertices)
        polygon.push_back(toDevice(v));
    polygon.push_back(polygon.front());
    canvas.Polygon(polygon);
    finishDraw(canvas);
}

} // namespace sw
