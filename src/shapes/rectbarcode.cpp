#include "shapes/rectbarcode.h"

namespace sw {

TRectbarcode::TRectbarcode(TPoint p1, TPoint p2, double scaleX, double scaleY)
    : TRectangle(p1, p2, scaleX, scaleY)
{
    Kind = Gbarcode;
    KindName = QStringLiteral("条码框");
}

std::unique_ptr<TGraphics> TRectbarcode::clone() const
{
    return std::make_unique<TRectbarcode>(*this);
}

} // namespace sw
