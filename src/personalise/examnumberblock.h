#pragma once

#include <QChar>
#include <QString>
#include <vector>

namespace sw {

class Canvas;
class TRectKg;
class TVectorGraph;

// The exam-number bubble boxes of a page, in page order: their digit columns
// (questions) together hold one exam number, as the reader joins them.
class ExamNumberBlock
{
public:
    explicit ExamNumberBlock(TVectorGraph& page);

    bool isEmpty() const { return m_boxes.empty(); }
    // Digits the block holds.
    int digitCount() const;
    // The first character of `number` that the digit column it falls in has
    // no bubble for; a null QChar when every one has.
    QChar missingBubble(const QString& number) const;

    // With `fill`, the bubble of every digit of `number` printed filled; the
    // digits written above their columns. Draw on the canvas the page was
    // just painted on, at the same scale.
    void draw(Canvas& canvas, const QString& number, bool fill) const;

private:
    // A digit column: the box and its question.
    struct Column
    {
        TRectKg* Box = nullptr;
        int Question = 0;
    };
    std::vector<Column> columns() const;

    std::vector<TRectKg*> m_boxes;
};

} // namespace sw
