#include "document/stream/names.h"

#include <array>
#include <utility>

namespace sw::stream {

namespace {

using namespace std::string_view_literals;

template <class Value> struct NamedValue
{
    std::string_view name;
    Value value;
};

constexpr std::array<NamedValue<TColor>, 52> kColours{{
    {"clBlack"sv, 0x000000},
    {"clMaroon"sv, 0x000080},
    {"clGreen"sv, 0x008000},
    {"clOlive"sv, 0x008080},
    {"clNavy"sv, 0x800000},
    {"clPurple"sv, 0x800080},
    {"clTeal"sv, 0x808000},
    {"clGray"sv, 0x808080},
    {"clSilver"sv, 0xC0C0C0},
    {"clRed"sv, 0x0000FF},
    {"clLime"sv, 0x00FF00},
    {"clYellow"sv, 0x00FFFF},
    {"clBlue"sv, 0xFF0000},
    {"clFuchsia"sv, 0xFF00FF},
    {"clAqua"sv, 0xFFFF00},
    {"clWhite"sv, 0xFFFFFF},
    {"clMoneyGreen"sv, 0xC0DCC0},
    {"clSkyBlue"sv, 0xF0CAA6},
    {"clCream"sv, 0xF0FBFF},
    {"clMedGray"sv, 0xA4A0A0},
    {"clActiveBorder"sv, 0x8000000A},
    {"clActiveCaption"sv, 0x80000002},
    {"clAppWorkSpace"sv, 0x8000000C},
    {"clBackground"sv, 0x80000001},
    {"clBtnFace"sv, 0x8000000F},
    {"clBtnHighlight"sv, 0x80000014},
    {"clBtnShadow"sv, 0x80000010},
    {"clBtnText"sv, 0x80000012},
    {"clCaptionText"sv, 0x80000009},
    {"clDefault"sv, 0x20000000},
    {"clGradientActiveCaption"sv, 0x8000001B},
    {"clGradientInactiveCaption"sv, 0x8000001C},
    {"clGrayText"sv, 0x80000011},
    {"clHighlight"sv, 0x8000000D},
    {"clHighlightText"sv, 0x8000000E},
    {"clHotLight"sv, 0x8000001A},
    {"clInactiveBorder"sv, 0x8000000B},
    {"clInactiveCaption"sv, 0x80000003},
    {"clInactiveCaptionText"sv, 0x80000013},
    {"clInfoBk"sv, 0x80000018},
    {"clInfoText"sv, 0x80000017},
    {"clMenu"sv, 0x80000004},
    {"clMenuBar"sv, 0x8000001E},
    {"clMenuHighlight"sv, 0x8000001D},
    {"clMenuText"sv, 0x80000007},
    {"clNone"sv, 0x1FFFFFFF},
    {"clScrollBar"sv, 0x80000000},
    {"cl3DDkShadow"sv, 0x80000015},
    {"cl3DLight"sv, 0x80000016},
    {"clWindow"sv, 0x80000005},
    {"clWindowFrame"sv, 0x80000006},
    {"clWindowText"sv, 0x80000008},
}};

constexpr std::array<NamedValue<std::uint8_t>, 18> kCharsets{{
    {"ANSI_CHARSET"sv, 0},
    {"DEFAULT_CHARSET"sv, 1},
    {"SYMBOL_CHARSET"sv, 2},
    {"MAC_CHARSET"sv, 77},
    {"SHIFTJIS_CHARSET"sv, 128},
    {"HANGEUL_CHARSET"sv, 129},
    {"JOHAB_CHARSET"sv, 130},
    {"GB2312_CHARSET"sv, 134},
    {"CHINESEBIG5_CHARSET"sv, 136},
    {"GREEK_CHARSET"sv, 161},
    {"TURKISH_CHARSET"sv, 162},
    {"HEBREW_CHARSET"sv, 177},
    {"ARABIC_CHARSET"sv, 178},
    {"BALTIC_CHARSET"sv, 186},
    {"RUSSIAN_CHARSET"sv, 204},
    {"THAI_CHARSET"sv, 222},
    {"EASTEUROPE_CHARSET"sv, 238},
    {"OEM_CHARSET"sv, 255},
}};

constexpr std::array kGraphicsTypes{"GLine"sv,    "GRectangle"sv, "GRoundRect"sv, "GRectText"sv,
                                    "GEllipse"sv, "GGrid"sv,      "GKg"sv,        "GTriangle"sv,
                                    "GZg"sv,      "GDw"sv,        "GErrorImg"sv,  "GOkImg"sv,
                                    "gsinline"sv, "Gbarcode"sv,   "GRImage"sv,    "GHline"sv,
                                    "GVline"sv,   "GMHSB"sv,      "GLinelist"sv};
constexpr std::array kTextTypes{"RSExamCode"sv, "RSResult"sv, "RSGapExam"sv,   "RSCheat"sv,
                                "RSXZT"sv,      "RSZGF"sv,    "RSPaperType"sv, "RSPageNumber"sv};
constexpr std::array kShowTypes{"SInner"sv, "SOuter"sv, "SDeny"sv};
constexpr std::array kAspects{"ADown"sv, "ARight"sv, "AUp"sv, "ALeft"sv};
constexpr std::array kOptionTypes{"Single"sv, "Multi"sv};
constexpr std::array kPageSizes{"A3"sv, "A4"sv, "A5"sv, "B4"sv, "B5"sv, "Custom"sv};
constexpr std::array kOrientations{"poPortrait"sv, "poLandscape"sv};
constexpr std::array kPenModes{
    "pmBlack"sv,       "pmWhite"sv,      "pmNop"sv,         "pmNot"sv,
    "pmCopy"sv,        "pmNotCopy"sv,    "pmMergePenNot"sv, "pmMaskPenNot"sv,
    "pmMergeNotPen"sv, "pmMaskNotPen"sv, "pmMerge"sv,       "pmNotMerge"sv,
    "pmMask"sv,        "pmNotMask"sv,    "pmXor"sv,         "pmNotXor"sv};
constexpr std::array kPenStyles{"psSolid"sv,      "psDash"sv,  "psDot"sv,        "psDashDot"sv,
                                "psDashDotDot"sv, "psClear"sv, "psInsideFrame"sv};
constexpr std::array kBrushStyles{"bsSolid"sv,    "bsClear"sv,     "bsHorizontal"sv,
                                  "bsVertical"sv, "bsFDiagonal"sv, "bsBDiagonal"sv,
                                  "bsCross"sv,    "bsDiagCross"sv};
constexpr std::array kFontPitches{"fpDefault"sv, "fpVariable"sv, "fpFixed"sv};
constexpr std::array kFontStyles{"fsBold"sv, "fsItalic"sv, "fsUnderline"sv, "fsStrikeOut"sv};
constexpr std::array kBooleans{"False"sv, "True"sv};

// Every member of each enumeration has its name.
static_assert(kGraphicsTypes.size() == GLinelist + 1);
static_assert(kTextTypes.size() == RSPageNumber + 1);
static_assert(kShowTypes.size() == SDeny + 1);
static_assert(kAspects.size() == ALeft + 1);
static_assert(kOptionTypes.size() == Multi + 1);
static_assert(kPageSizes.size() == Custom + 1);
static_assert(kOrientations.size() == poLandscape + 1);
static_assert(kPenModes.size() == pmNotXor + 1);
static_assert(kPenStyles.size() == psInsideFrame + 1);
static_assert(kBrushStyles.size() == bsDiagCross + 1);
static_assert(kFontPitches.size() == fpFixed + 1);
static_assert(kFontStyles.size() == fsStrikeOut + 1);

bool equalsIgnoringCase(std::string_view a, QByteArrayView b)
{
    if (a.size() != static_cast<std::size_t>(b.size()))
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[static_cast<qsizetype>(i)]))
            return false;
    }
    return true;
}

template <class Table, class Value>
std::optional<std::string_view> nameOf(const Table& table, Value value)
{
    for (const auto& entry : table)
        if (entry.value == value)
            return entry.name;
    return std::nullopt;
}

template <class Table>
auto valueOf(const Table& table, QByteArrayView name) -> std::optional<decltype(table[0].value)>
{
    for (const auto& entry : table)
        if (equalsIgnoringCase(entry.name, name))
            return entry.value;
    return std::nullopt;
}

} // namespace

std::optional<int> findName(NameTable names, QByteArrayView name)
{
    for (std::size_t i = 0; i < names.size(); ++i)
        if (QByteArrayView(names[i].data(), static_cast<qsizetype>(names[i].size())) == name)
            return static_cast<int>(i);
    return std::nullopt;
}

template <> NameTable enumNames<TGraphicsType>()
{
    return kGraphicsTypes;
}
template <> NameTable enumNames<TTextType>()
{
    return kTextTypes;
}
template <> NameTable enumNames<TShowType>()
{
    return kShowTypes;
}
template <> NameTable enumNames<TAspect>()
{
    return kAspects;
}
template <> NameTable enumNames<TOptionType>()
{
    return kOptionTypes;
}
template <> NameTable enumNames<TPageSize>()
{
    return kPageSizes;
}
template <> NameTable enumNames<TPrinterOrientation>()
{
    return kOrientations;
}
template <> NameTable enumNames<TPenMode>()
{
    return kPenModes;
}
template <> NameTable enumNames<TPenStyle>()
{
    return kPenStyles;
}
template <> NameTable enumNames<TBrushStyle>()
{
    return kBrushStyles;
}
template <> NameTable enumNames<TFontPitch>()
{
    return kFontPitches;
}
template <> NameTable enumNames<TFontStyle>()
{
    return kFontStyles;
}
template <> NameTable enumNames<bool>()
{
    return kBooleans;
}

std::optional<std::string_view> colourName(TColor value)
{
    return nameOf(kColours, value);
}

std::optional<TColor> colourFromName(QByteArrayView name)
{
    return valueOf(kColours, name);
}

std::optional<std::string_view> charsetName(std::uint8_t value)
{
    return nameOf(kCharsets, value);
}

std::optional<std::uint8_t> charsetFromName(QByteArrayView name)
{
    return valueOf(kCharsets, name);
}

} // namespace sw::stream
