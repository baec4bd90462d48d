#pragma once

#include "shapes/rectangle.h"

#include <QString>
#include <cstdint>

namespace sw {

// A fuzzy-recognition box: marks a distinctive printed feature of the scanned
// sheet, drawn as a red frame with its number above it.
class TMHSB : public TRectangle
{
public:
    TMHSB(TPoint p1, TPoint p2, double scaleX, double scaleY);

    void Draw(Canvas& canvas) override;
    std::unique_ptr<TGraphics> clone() const override;

    // Which reference feature the box marks: 1, 2 or 3.
    std::int32_t Number = 0;
    // Dark pixels of the learnt pattern.
    std::int32_t SBSL = 0;
    // The learnt pattern: "x,y" pixel positions joined by ";".
    QString PointList;
    // Centre of the pattern, layout pixels.
    std::int32_t PointX = 0;
    std::int32_t PointY = 0;
};

} // namespace sw
