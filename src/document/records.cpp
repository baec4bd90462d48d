#include "document/records.h"

#include "platform/rounding.h"

namespace sw {

namespace {
constexpr TColor clWindowText = 0x80000008;
}

QString copyRightNotice()
{
    return QStringLiteral("Sheetwright answer-sheet template");
}

TFont recordDefaultFont(int pixelsPerInch)
{
    TFont font;
    font.Name = QStringLiteral("MS Sans Serif");
    font.Height = -roundHalfEven(8.0 * pixelsPerInch / 72.0);
    font.Color = clWindowText;
    font.Style = 0;
    font.Charset = DEFAULT_CHARSET;
    font.Pitch = fpDefault;
    return font;
}

TGPS::TGPS(int pixelsPerInch)
    : Font(recordDefaultFont(pixelsPerInch)), NumberFont(recordDefaultFont(pixelsPerInch))
{
}

} // namespace sw
