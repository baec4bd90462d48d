#include "shapes/graphics.h"

#include "platform/rounding.h"

namespace sw {

int TGraphics::toDeviceX(int x) const
{
    return roundHalfEven(x * ScaleX);
}

int TGraphics::toDeviceY(int y) const
{
    return roundHalfEven(y * ScaleY);
}

int TGraphics::toLayoutX(int x) const
{
    return roundHalfEven(x / ScaleX);
}

int TGraphics::toLayoutY(int y) const
{
    return roundHalfEven(y / ScaleY);
}

TRect TGraphics::toDevice(const TRect& r) const
{
    return {toDeviceX(r.Left), toDeviceY(r.Top), toDeviceX(r.Right), toDeviceY(r.Bottom)};
}

void TGraphics::setOutlineStyle(Canvas& canvas)
{
    canvas.setPen({clBlack, 1, psDot, pmNotXor});
    canvas.brush().Style = bsClear;
}

TFont TGraphics::deviceFont(const TFont& font) const
{
    TFont scaled = font;
    scaled.Height = roundHalfEven(font.Height * ScaleY);
    return scaled;
}

TPen TGraphics::devicePen() const
{
    TPen pen = Pen;
    pen.Width = toDeviceX(Pen.Width);
    return pen;
}

std::optional<TPoint> TGraphics::offsetPoint(TPoint p, TPoint d)
{
    const std::int64_t x = std::int64_t(p.X) + d.X;
    const std::int64_t y = std::int64_t(p.Y) + d.Y;
    if (x != clampToInt(x) || y != clampToInt(y))
        return std::nullopt;
    return TPoint{int(x), int(y)};
}

} // namespace sw
