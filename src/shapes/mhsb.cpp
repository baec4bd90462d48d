#include "shapes/mhsb.h"

namespace sw {

TMHSB::TMHSB(TPoint p1, TPoint p2, double scaleX, double scaleY)
    : TRectangle(p1, p2, scaleX, scaleY)
{
    Kind = GMHSB;
    KindName = QStringLiteral("模糊识别框");
}

std::unique_ptr<TGraphics> TMHSB::clone() const
{
    return std::make_unique<TMHSB>(*this);
}

// The red frame and the number appear on screen, in print and in exports alike.
void TMHSB::Draw(Canvas& canvas)
{
    const TRect r = deviceBounds();
    canvas.pen().Color = clRed;
    canvas.pen().Width = 2;
    canvas.setBrush(Brush);
    canvas.Rectangle(r);

    TFont font;
    font.Name = QStringLiteral("Arial");
    font.Color = clRed;
    canvas.setFont(font);
    canvas.setFontSize(toDeviceX(20));
    canvas.brush().Style = bsClear;
    // The number stands 30 device pixels above the box at every zoom.
    canvas.TextOut(r.Left, clampToInt(std::int64_t(r.Top) - 30), QString::number(Number));
    finishDraw(canvas);
}

} // namespace sw
