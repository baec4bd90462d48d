#pragma once

#include <cstdint>

namespace sw {

// Ordinal values are stored in templates: never reorder.
enum TGraphicsType : std::uint8_t
{
    GLine,
    GRectangle,
    GRoundRect,
    GRectText,
    GEllipse,
    GGrid,
    GKg,
    GTriangle,
    GZg,
    GDw,
    GErrorImg,
    GOkImg,
    gsinline,
    Gbarcode,
    GRImage,
    GHline,
    GVline,
    GMHSB,
    GLinelist
};
// The number of kinds: keep it one past the last kind.
constexpr int GraphicsTypeCount = GLinelist + 1;

// Purpose of a bubble box.
enum TTextType : std::uint8_t
{
    RSExamCode,
    RSResult,
    RSGapExam,
    RSCheat,
    RSXZT,
    RSZGF,
    RSPaperType,
    RSPageNumber
};

enum TShowType : std::uint8_t
{
    SInner,
    SOuter,
    SDeny
};

enum TAspect : std::uint8_t
{
    ADown,
    ARight,
    AUp,
    ALeft
};

enum TOptionType : std::uint8_t
{
    Single,
    Multi
};

enum TPageSize : std::uint8_t
{
    A3,
    A4,
    A5,
    B4,
    B5,
    Custom
};

enum TPrinterOrientation : std::uint8_t
{
    poPortrait,
    poLandscape
};

// The mouse cursor a shape asks for; the window maps it to a real cursor.
enum class TCursor : std::uint8_t
{
    Default,
    Cross,
    Hand,
    Move,
    SizeNWSE,
    SizeNS,
    SizeNESW,
    SizeWE
};

} // namespace sw
