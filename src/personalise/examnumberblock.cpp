#include "personalise/examnumberblock.h"

#include "document/vectorgraph.h"
#include "platform/canvas.h"
#include "platform/rounding.h"
#include "shapes/rectgrid.h"
#include "shapes/rectkg.h"

#include <algorithm>

namespace sw {

namespace {

// Layout pixels between the written digits and the bubbles (or the numbers
// drawn above them); the digits' height as a share of the column pitch.
constexpr int DigitGap = 4;
constexpr double DigitHeight = 0.7;

// Bubble of option `option` in digit column `question` of a box whose
// questions run down its columns or across its rows.
TRect bubbleRect(const TRectKg& box, int question, int option)
{
    const bool down = box.Aspect == ADown;
    const std::int64_t i = down ? question : option;
    const std::int64_t j = down ? option : question;
    const std::int64_t x = box.GetBounds().Left + i * (std::int64_t(box.Gridwidth) + box.ColSpace);
    const std::int64_t y = box.GetBounds().Top + j * (std::int64_t(box.GridHeight) + box.RowSpace);
    const int left = scaleToDevice(x, box.ScaleX);
    const int top = scaleToDevice(y, box.ScaleY);
    return {left, top, left + scaleToDevice(box.Gridwidth, box.ScaleX),
            top + scaleToDevice(box.GridHeight, box.ScaleY)};
}

void writeDigitAbove(Canvas& canvas, const TRectKg& box, int question, QChar digit)
{
    TFont font = box.Font;
    const int pitch = box.Gridwidth + box.ColSpace;
    font.Height = -std::max(1, roundHalfEven(pitch * DigitHeight * box.ScaleY));
    canvas.setFont(font);
    canvas.brush().Style = bsClear;
    const QString text(digit);
    const TRect bubble = bubbleRect(box, question, 0);
    // Above the question numbers where the box shows them.
    const int above = box.ShowNumber ? box.GridHeight + box.RowSpace : 0;
    const int bottom = bubble.Top - roundHalfEven((above + DigitGap) * box.ScaleY);
    const int x = (bubble.Left + bubble.Right - canvas.TextWidth(text)) / 2;
    canvas.TextOut(x, bottom - canvas.TextHeight(text), text);
}

} // namespace

ExamNumberBlock::ExamNumberBlock(TVectorGraph& page)
{
    for (int i = 0; i < page.ShapeCount(); ++i) {
        auto* box = dynamic_cast<TRectKg*>(page.ShapeItem(i));
        if (box && box->Visible && box->TextType == RSExamCode && box->QuestionCount() > 0)
            m_boxes.push_back(box);
    }
}

int ExamNumberBlock::digitCount() const
{
    return int(columns().size());
}

std::vector<ExamNumberBlock::Column> ExamNumberBlock::columns() const
{
    std::vector<Column> all;
    for (TRectKg* box : m_boxes)
        for (int q = 0; q < std::min(box->QuestionCount(), MaxGridCount); ++q)
            all.push_back({box, q});
    return all;
}

QChar ExamNumberBlock::missingBubble(const QString& number) const
{
    const std::vector<Column> all = columns();
    for (qsizetype k = 0; k < number.size() && k < qsizetype(all.size()); ++k)
        if (!all[std::size_t(k)].Box->FormatText.contains(number.at(k)))
            return number.at(k);
    return {};
}

void ExamNumberBlock::draw(Canvas& canvas, const QString& number, bool fill) const
{
    const std::vector<Column> all = columns();
    for (qsizetype k = 0; k < number.size() && k < qsizetype(all.size()); ++k) {
        const Column& column = all[std::size_t(k)];
        const QChar digit = number.at(k);
        if (column.Box->Aspect == ADown)
            writeDigitAbove(canvas, *column.Box, column.Question, digit);
        const qsizetype option = column.Box->FormatText.indexOf(digit);
        if (fill && option >= 0) {
            canvas.setBrush({clBlack, bsSolid});
            canvas.FillRect(bubbleRect(*column.Box, column.Question, int(option)));
        }
    }
}

} // namespace sw
