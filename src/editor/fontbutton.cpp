#include "editor/fontbutton.h"

#include "platform/rounding.h"

#include <cmath>
#include <cstdlib>

namespace sw {

FontButton::FontButton(QWidget* parent) : QToolButton(parent)
{
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    SetFont(m_font);
}

void FontButton::SetFont(const TFont& font)
{
    m_font = font;
    setText(font.Name);
    setToolTip(font.Name);
}

namespace {

// Points of a font height; 0 for the platform's default size.
double pointSize(const TFont& font, int pixelsPerInch)
{
    if (pixelsPerInch <= 0)
        return 0.0;
    return std::abs(double(font.Height)) * 72.0 / pixelsPerInch;
}

TFontStyles dialogStyles(const QFont& font)
{
    TFontStyles styles = 0;
    if (font.bold())
        styles |= fontStyleBit(fsBold);
    if (font.italic())
        styles |= fontStyleBit(fsItalic);
    if (font.underline())
        styles |= fontStyleBit(fsUnderline);
    if (font.strikeOut())
        styles |= fontStyleBit(fsStrikeOut);
    return styles;
}

} // namespace

QFont toDialogFont(const TFont& font, int pixelsPerInch)
{
    QFont result(font.Name);
    const double points = pointSize(font, pixelsPerInch);
    if (points > 0.0)
        result.setPointSizeF(points);
    result.setBold(font.has(fsBold));
    result.setItalic(font.has(fsItalic));
    result.setUnderline(font.has(fsUnderline));
    result.setStrikeOut(font.has(fsStrikeOut));
    return result;
}

TFont fromDialogFont(const QFont& chosen, const TFont& base, int pixelsPerInch)
{
    TFont font = base;
    font.Name = chosen.family();
    font.Style = dialogStyles(chosen);
    if (chosen.pixelSize() > 0) {
        font.Height = -chosen.pixelSize();
    } else if (chosen.pointSizeF() > 0.0 && pixelsPerInch > 0) {
        const double preset = pointSize(base, pixelsPerInch);
        if (std::abs(chosen.pointSizeF() - preset) > 1e-6)
            font.Height = -roundHalfEven(chosen.pointSizeF() * pixelsPerInch / 72.0);
    }
    return font;
}

} // namespace sw
