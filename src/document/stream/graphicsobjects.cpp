#include "document/stream/graphicsobjects.h"

namespace sw::stream {

void describeFont(PropertyVisitor& v, TFont& font)
{
    v.charset("Charset", font.Charset);
    v.colour("Color", font.Color, kAlways);
    v.integer("Height", font.Height, kAlways);
    v.string("Name", font.Name);
    enumeration(v, "Pitch", font.Pitch, fpDefault);
    std::uint32_t style = font.Style;
    v.set("Style", style, enumNames<TFontStyle>());
    font.Style = static_cast<TFontStyles>(style);
}

void describePen(PropertyVisitor& v, TPen& pen)
{
    v.colour("Color", pen.Color, clBlack);
    enumeration(v, "Mode", pen.Mode, pmCopy);
    enumeration(v, "Style", pen.Style, psSolid);
    v.integer("Width", pen.Width, 1);
}

void describeBrush(PropertyVisitor& v, TBrush& brush)
{
    v.colour("Color", brush.Color, clWhite);
    enumeration(v, "Style", brush.Style, bsSolid);
}

} // namespace sw::stream
