#pragma once

#include "shapes/rectangle.h"

#include <QString>
#include <cstdint>

namespace sw {

// The cut box framing the written answer of one subjective question (part).
// On screen it shows "question-part" in red in its middle.
class TRectZg : public TRectangle
{
public:
    TRectZg(TPoint p1, TPoint p2, double scaleX, double scaleY);

    void Draw(Canvas& canvas) override;
    std::unique_ptr<TGraphics> clone() const override;

    // The text shown in the middle of the box, e.g. "12-2(选做题：12,13)".
    QString Label() const;

    std::int32_t Question = 1; // 题号
    std::int32_t Number = 1;   // 序号: part within the question
    QString Caption;           // for the marking system, not drawn
    bool XZT = false;          // optional question
    QString XZTH;              // the alternatives of the optional question
};

} // namespace sw
