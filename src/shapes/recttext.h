#pragma once

#include "shapes/rectangle.h"

#include <QString>
#include <QStringList>

namespace sw {

// A box of unwrapped text lines, clipped to the box; no frame.
class TRectText : public TRectangle
{
public:
    TRectText(TPoint p1, TPoint p2, double scaleX, double scaleY);

    void Draw(Canvas& canvas) override;
    std::unique_ptr<TGraphics> clone() const override;

    void SetFont(const TFont& font) { Font = font; }
    // The whole text: every line followed by CR LF.
    QString Text() const;
    // Splits at CR LF, CR or LF; a line break at the very end adds no line.
    void SetText(const QString& text);

    QStringList Lines;
    TFont Font;
};

// Joins lines the way Text() does, and splits them the way SetText() does.
QString joinTextLines(const QStringList& lines);
QStringList splitTextLines(const QString& text);

} // namespace sw
