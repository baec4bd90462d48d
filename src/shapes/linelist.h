#pragma once

#include "shapes/rectangle.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

namespace sw {

// Rows of fill-in lines with words before and after each line. A row is
// described by segments "lead\trail\weight" joined by "|"; the lines of a row
// share the width the texts leave in proportion to their weights.
class TLinelist : public TRectangle
{
public:
    // The font is 15 points at the screen's pixelsPerInch.
    TLinelist(TPoint p1, TPoint p2, double scaleX, double scaleY, int pixelsPerInch = 96);

    void Draw(Canvas& canvas) override;
    std::unique_ptr<TGraphics> clone() const override;

    void SetFont(const TFont& font) { Font = font; }
    // The whole text: every row description followed by CR LF.
    QString Text() const;
    void SetText(const QString& text);

    QStringList Lines; // one row description per row
    TFont Font;
    std::int32_t Row = 0; // rows drawn
};

// One segment of a row description.
struct TLineSegment
{
    QString Lead;
    QString Trail;
    int Weight = 0;
};

// A well-formed row description.
struct TLineListRow
{
    std::vector<TLineSegment> Segments; // the non-empty segments, in order
    std::int64_t WeightSum = 0;         // > 0
    // Segments that reserve a gap in the row's width: every one that is not
    // the last entry of the split description.
    int Gaps = 0;
};

// Splits at every separator; two separators in a row give an empty part
// between them, a separator at the very end adds nothing.
QStringList splitLineListText(const QString& text, QChar separator);

// The row a description stands for, or nothing when a segment lacks one of
// its three parts, a weight is not a non-negative integer, or the weights add
// up to 0.
std::optional<TLineListRow> parseLineListRow(const QString& row);

} // namespace sw
