#pragma once

#include "platform/geometry.h"
#include "shapes/enums.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace sw {

class TGraphics;

// Tool numbers kept in TVectorGraphics::Tool and in the tool bar's actions.
// The numbers are those users and stored settings know: never renumber.
enum TTool : std::uint8_t
{
    ToolSelect = 0,
    ToolLine = 1,
    ToolRectangle = 2,
    ToolRoundRect = 3,
    ToolEllipse = 4,
    ToolText = 5,
    ToolGrid = 6,
    ToolBubbleBox = 7,
    ToolTriangle = 8,
    ToolCutBox = 9,
    ToolBarcode = 13,
    ToolPicture = 14,
    ToolHLine = 15,
    ToolVLine = 16,
    ToolFuzzyBox = 17,
    ToolLineList = 18,
};

// The property sub-panels a kind shows, one bit each: bit n - 1 is the panel
// "rpn" ("RP13" for the last).
enum KindPanel : std::uint16_t
{
    PanelRp1 = 1u << 0,
    PanelRp2 = 1u << 1,
    PanelRp3 = 1u << 2,
    PanelRp4 = 1u << 3,
    PanelRp5 = 1u << 4,
    PanelRp6 = 1u << 5,
    PanelRp7 = 1u << 6,
    PanelRp8 = 1u << 7,
    PanelRp9 = 1u << 8,
    PanelRp10 = 1u << 9,
    PanelRp11 = 1u << 10,
    PanelRp12 = 1u << 11,
    PanelRp13 = 1u << 12,
};
constexpr int KindPanelCount = 13;

// The dotted figure the controller draws while a shape of the kind is dragged
// out.
enum class KindPreview : std::uint8_t
{
    None, // created on a press, nothing is dragged
    Line,
    HorizontalLine,
    VerticalLine,
    RoundRect,
    Ellipse,
    Rectangle
};

// What a new shape is made from: its corners in device pixels of a canvas at
// the given scale, the corner radius of rounded boxes (layout pixels) and the
// screen resolution line lists measure their text with.
struct ShapeSeed
{
    TPoint A;
    TPoint B;
    double ScaleX = 1.0;
    double ScaleY = 1.0;
    int Radius = 0;
    int PixelsPerInch = 96;
};

// Everything the program knows about one kind of shape, in one row.
struct ShapeKind
{
    TGraphicsType Kind;
    const char* ClassName; // as the JSON output names it
    // The shape of the kind; nullptr for kinds without a shape class.
    std::unique_ptr<TGraphics> (*Create)(const ShapeSeed& seed);
    // The kind whose shape a stored record of this kind becomes.
    TGraphicsType LoadsAs;
    // The drawing tool; ToolSelect for kinds no tool draws.
    TTool Tool;
    const char* ToolAction;  // object name of the tool bar's action
    const char* ToolCaption; // menu text
    const char* ToolHint;    // tool tip
    const char* ToolIcon;    // icon name
    std::uint16_t Panels;    // KindPanel bits
    bool KeepsLinePanel;     // leaves "rp3" as it is when its panels show
    bool CreatedOnPress;     // else dragged out and created on the release
    KindPreview Preview;
    // Smallest width and height, layout pixels (0: none); a resized shape
    // grows to it. With TooSmallStatus set a smaller drawn one is refused
    // with that note.
    int MinimumSize;
    const char* TooSmallStatus;
    // Most shapes of the kind on a page (0: no limit) and the message when a
    // tool would draw one more.
    int MaximumCount;
    const char* LimitMessage;
};

// The row of a kind.
const ShapeKind& shapeKind(TGraphicsType kind);
// The row of the kind a tool draws; nullptr for the select tool and numbers
// without a tool.
const ShapeKind* shapeKindOfTool(int tool);
// The rows of the kinds tools draw, by tool number (the tool bar's order).
std::vector<const ShapeKind*> toolKinds();

} // namespace sw
