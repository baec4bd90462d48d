#pragma once

#include <QColor>
#include <QString>
#include <cstdint>

namespace sw {

// 0x00BBGGRR, as stored in templates.
using TColor = std::uint32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clWhite = 0xFFFFFF;

// Only the low 24 bits name a colour; the high byte is ignored.
inline QColor toQColor(TColor c)
{
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}
inline TColor toTColor(const QColor& c)
{
    return TColor(c.red()) | TColor(c.green()) << 8 | TColor(c.blue()) << 16;
}

enum TPenMode : std::uint8_t
{
    pmBlack,
    pmWhite,
    pmNop,
    pmNot,
    pmCopy,
    pmNotCopy,
    pmMergePenNot,
    pmMaskPenNot,
    pmMergeNotPen,
    pmMaskNotPen,
    pmMerge,
    pmNotMerge,
    pmMask,
    pmNotMask,
    pmXor,
    pmNotXor
};

enum TPenStyle : std::uint8_t
{
    psSolid,
    psDash,
    psDot,
    psDashDot,
    psDashDotDot,
    psClear,
    psInsideFrame
};

enum TBrushStyle : std::uint8_t
{
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};

enum TFontPitch : std::uint8_t
{
    fpDefault,
    fpVariable,
    fpFixed
};

enum TFontStyle : std::uint8_t
{
    fsBold,
    fsItalic,
    fsUnderline,
    fsStrikeOut
};

// Set of TFontStyle members, bit i = member i.
using TFontStyles = std::uint8_t;
constexpr TFontStyles fontStyleBit(TFontStyle s)
{
    return static_cast<TFontStyles>(1u << s);
}

constexpr std::uint8_t DEFAULT_CHARSET = 1;
constexpr std::uint8_t GB2312_CHARSET = 134;

struct TPen
{
    TColor Color = clBlack;
    int Width = 1; // layout pixels in a shape, device pixels on a canvas
    TPenStyle Style = psSolid;
    TPenMode Mode = pmCopy;

    friend bool operator==(const TPen&, const TPen&) = default;
};

struct TBrush
{
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;

    friend bool operator==(const TBrush&, const TBrush&) = default;
};

// A font as the drawing code and the templates know it. Height follows the GDI
// sign convention: negative = character height in pixels, positive = cell height.
// The size in points is derived from Height and the pixels per inch of the
// canvas the font is used on.
struct TFont
{
    QString Name = QStringLiteral("MS Sans Serif");
    int Height = -11;
    TColor Color = clBlack;
    TFontStyles Style = 0;
    std::uint8_t Charset = DEFAULT_CHARSET;
    TFontPitch Pitch = fpDefault;

    friend bool operator==(const TFont&, const TFont&) = default;

    bool has(TFontStyle s) const { return (Style & fontStyleBit(s)) != 0; }
    // Points <-> Height at a resolution, rounded like the platform does (MulDiv).
    int size(int pixelsPerInch) const;
    void setSize(int points, int pixelsPerInch);
};

} // namespace sw
