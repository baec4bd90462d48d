#pragma once

#include "shapes/rectangle.h"

namespace sw {

// The area where the barcode label goes; drawn as a plain box.
class TRectbarcode : public TRectangle
{
public:
    TRectbarcode(TPoint p1, TPoint p2, double scaleX, double scaleY);

    std::unique_ptr<TGraphics> clone() const override;
};

} // namespace sw
