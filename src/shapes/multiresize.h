#pragma once

#include "shapes/graphics.h"

#include <array>
#include <cstdint>

namespace sw {

// A shape with eight resize handles around a rectangle.
class TMultiResizeControlGraphics : public TGraphics
{
public:
    bool OnHandle(TPoint p) override;
    TCursor HandleCursor(TPoint p, TCursor current) override;
    // Draws only the handles (when selected) and clears the outline flags.
    void Draw(Canvas& canvas) override;

    static int OppositeHandle(int i) { return 7 - i; }
    void DrawHandles(Canvas& canvas) const;
    int HandleAt(TPoint p) const;      // device pixels; 0 when on no handle
    void PlaceHandles(const TRect& r); // device pixels

    std::uint8_t ActiveHandle = 0;
    TRect HandleFrame;
    std::array<TRect, 8> Handles{};

protected:
    using TGraphics::TGraphics;
};

} // namespace sw
