#pragma once

#include "shapes/rectangle.h"

#include <QString>
#include <cstdint>

namespace sw {

// A box of bubbles (objective answers, exam-number digits, absent/cheating
// marks, optional-question choice, subjective scores, page marks). Its size
// follows from the bubble grid at every draw.
class TRectKg : public TRectangle
{
public:
    TRectKg(TPoint p1, TPoint p2, double scaleX, double scaleY);

    void Draw(Canvas& canvas) override;
    std::unique_ptr<TGraphics> clone() const override;

    void SetFont(const TFont& font) { Font = font; }
    void SetNumberFont(const TFont& font) { NumberFont = font; }

    // Questions the box numbers: col with ADown, Row with ARight, else 0.
    int QuestionCount() const;
    // The label of bubble (column i, row j) as drawn; empty past the end of
    // FormatText.
    QString BubbleLabel(int i, int j) const;

    QString FormatText;  // option characters, one per bubble along the options
    QString KeyText;     // labels drawn filled in code mode
    bool Spread = false; // code mode
    TAspect Aspect = ADown;
    std::int32_t StartNumber = 0;    // set by the page before every draw
    std::int32_t StartNumberAgg = 0; // added to the running number from this box on
    TTextType TextType = RSExamCode;
    TShowType ShowType = SInner;
    TOptionType OptionType = Single;
    std::int32_t GLZG = 0; // Question of the cut box a score/choice box belongs to
    bool ShowNumber = false;
    TFont Font;       // labels
    TFont NumberFont; // question numbers
    std::int32_t GridHeight = 0;
    std::int32_t Gridwidth = 0;
    std::int32_t RowSpace = 0;
    std::int32_t ColSpace = 0;
    std::int32_t Row = 0;
    std::int32_t col = 0;
    std::int32_t ReadType = 0; // 0 filled dot, 1 tick
};

} // namespace sw
