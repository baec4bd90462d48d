#include "shapes/rectzg.h"

#include "platform/rounding.h"

namespace sw {

TRectZg::TRectZg(TPoint p1, TPoint p2, double scaleX, double scaleY)
    : TRectangle(p1, p2, scaleX, scaleY)
{
    Kind = GZg;
    KindName = QStringLiteral("主观题");
}

std::unique_ptr<TGraphics> TRectZg::clone() const
{
    return std::make_unique<TRectZg>(*this);
}

QString TRectZg::Label() const
{
    QString label = QString::number(Question) + QLatin1Char('-') + QString::number(Number);
    if (XZT)
        label += QStringLiteral("(选做题：") + XZTH + QLatin1Char(')');
    return label;
}

// The label is only a designer's aid: printouts and exports show the frame alone.
void TRectZg::Draw(Canvas& canvas)
{
    if (OutputMode == 0) {
        const QString label = Label();
        canvas.font().Name = QStringLiteral("Arial");
        canvas.font().Color = clRed;
        canvas.setFontSize(roundHalfEven(40 * ScaleX));
        canvas.brush().Style = bsClear;
        const int tw = canvas.TextWidth(label);
        const int th = canvas.TextHeight(label);
        const int xw = roundHalfEven(Width * ScaleX);
        const int yh = roundHalfEven(Height * ScaleY);
        canvas.TextOut(
            clampToInt(std::int64_t(toDeviceX(Left)) + roundHalfEven((double(xw) - tw) / 2)),
            clampToInt(std::int64_t(toDeviceY(Top)) + roundHalfEven((double(yh) - th) / 2)), label);
    }
    TRectangle::Draw(canvas);
}

} // namespace sw
