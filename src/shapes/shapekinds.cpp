#include "shapes/shapekinds.h"

#include "shapes/ellipse.h"
#include "shapes/line.h"
#include "shapes/linelist.h"
#include "shapes/mhsb.h"
#include "shapes/posrect.h"
#include "shapes/rectbarcode.h"
#include "shapes/rectgrid.h"
#include "shapes/rectkg.h"
#include "shapes/recttext.h"
#include "shapes/rectzg.h"
#include "shapes/rimage.h"
#include "shapes/roundrect.h"
#include "shapes/triangle.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

namespace sw {

namespace {

template <class Shape> std::unique_ptr<TGraphics> create(const ShapeSeed& s)
{
    return std::make_unique<Shape>(s.A, s.B, s.ScaleX, s.ScaleY);
}

template <> std::unique_ptr<TGraphics> create<TRoundRect>(const ShapeSeed& s)
{
    return std::make_unique<TRoundRect>(s.A, s.B, s.ScaleX, s.ScaleY, s.Radius);
}

template <> std::unique_ptr<TGraphics> create<TLinelist>(const ShapeSeed& s)
{
    return std::make_unique<TLinelist>(s.A, s.B, s.ScaleX, s.ScaleY, s.PixelsPerInch);
}

// Cut and barcode boxes are at least this big each way (layout pixels), when
// drawn and when resized; fuzzy recognition boxes FuzzyBoxMinimum.
constexpr int RecognitionBoxMinimum = 50;
constexpr int FuzzyBoxMinimum = 20;

using P = KindPanel;
using V = KindPreview;

// clang-format off
constexpr ShapeKind Kinds[] = {
    {GLine, "TLine", create<TLine>, GLine,
     ToolLine, "ToolLineAct", "线段(&L)", "画线", "line",
     P::PanelRp3 | P::PanelRp4, false, false, V::Line, 0, nullptr, 0, nullptr},
    {GRectangle, "TRectangle", create<TRectangle>, GRectangle,
     ToolRectangle, "ToolRectAct", "矩形(&R)", "画方框", "rect",
     P::PanelRp3 | P::PanelRp4 | P::PanelRp5, false, false, V::Rectangle, 0, nullptr, 0, nullptr},
    {GRoundRect, "TRoundRect", create<TRoundRect>, GRoundRect,
     ToolRoundRect, "ToolRoundRectAct", "圆角矩形", "画圆角方框", "roundrect",
     P::PanelRp3 | P::PanelRp4 | P::PanelRp5 | P::PanelRp7, false, false, V::RoundRect,
     0, nullptr, 0, nullptr},
    {GRectText, "TRectText", create<TRectText>, GRectText,
     ToolText, "textAction", "文字", "书写文字", "text",
     P::PanelRp5 | P::PanelRp6, false, false, V::Rectangle, 0, nullptr, 0, nullptr},
    {GEllipse, "TEllipse", create<TEllipse>, GEllipse,
     ToolEllipse, "ToolEllipseAct", "椭圆(&C)", "画椭圆", "ellipse",
     P::PanelRp3 | P::PanelRp4 | P::PanelRp5, false, false, V::Ellipse, 0, nullptr, 0, nullptr},
    {GGrid, "TRectGrid", create<TRectGrid>, GGrid,
     ToolGrid, "GridAct", "画网格", "画网格", "grid",
     P::PanelRp3 | P::PanelRp4 | P::PanelRp9, false, true, V::None, 0, nullptr, 0, nullptr},
    {GKg, "TRectKg", create<TRectKg>, GKg,
     ToolBubbleBox, "kgact", "画涂点框", "画涂点框", "bubble",
     P::PanelRp1 | P::PanelRp2 | P::PanelRp4, false, true, V::None, 0, nullptr, 0, nullptr},
    {GTriangle, "TTriangle", create<TTriangle>, GTriangle,
     ToolTriangle, "triact", "画三角", "画三角", "triangle",
     P::PanelRp3 | P::PanelRp4 | P::PanelRp5 | P::PanelRp8, false, false, V::Rectangle,
     0, nullptr, 0, nullptr},
    {GZg, "TRectZg", create<TRectZg>, GZg,
     ToolCutBox, "Zgact", "画切割框", "画切割框", "cutbox",
     P::PanelRp3 | P::PanelRp10, false, false, V::Rectangle,
     RecognitionBoxMinimum, "切割框太小，未创建：宽和高至少为50像素", 0, nullptr},
    {GDw, "TPosRect", create<TPosRect>, GDw,
     ToolSelect, nullptr, nullptr, nullptr, nullptr,
     0, false, false, V::None, 0, nullptr, 0, nullptr},
    {GErrorImg, nullptr, nullptr, GErrorImg,
     ToolSelect, nullptr, nullptr, nullptr, nullptr,
     0, false, false, V::None, 0, nullptr, 0, nullptr},
    {GOkImg, nullptr, nullptr, GOkImg,
     ToolSelect, nullptr, nullptr, nullptr, nullptr,
     0, false, false, V::None, 0, nullptr, 0, nullptr},
    {gsinline, nullptr, nullptr, gsinline,
     ToolSelect, nullptr, nullptr, nullptr, nullptr,
     0, false, false, V::None, 0, nullptr, 0, nullptr},
    {Gbarcode, "TRectbarcode", create<TRectbarcode>, Gbarcode,
     ToolBarcode, "barcode", "条码识别框", "条码识别框", "barcode",
     P::PanelRp4, true, false, V::Rectangle,
     RecognitionBoxMinimum, "条码识别框太小，未创建：宽和高至少为50像素", 1, "已创条码框"},
    {GRImage, "TRImage", create<TRImage>, GRImage,
     ToolPicture, "picture", "插入图片", "插入图片", "picture",
     P::PanelRp11, true, false, V::Rectangle, 0, nullptr, 0, nullptr},
    // Stored horizontal and vertical lines load as plain lines.
    {GHline, "THLine", create<THLine>, GLine,
     ToolHLine, "HlineAct", "画横线", "画横线", "hline",
     P::PanelRp3 | P::PanelRp4, false, false, V::HorizontalLine, 0, nullptr, 0, nullptr},
    {GVline, "TVLine", create<TVLine>, GLine,
     ToolVLine, "VLineAct", "画竖线", "画竖线", "vline",
     P::PanelRp3 | P::PanelRp4, false, false, V::VerticalLine, 0, nullptr, 0, nullptr},
    {GMHSB, "TMHSB", create<TMHSB>, GMHSB,
     ToolFuzzyBox, "MHSB", "智能识别框", "智能识别框", "fuzzy",
     P::PanelRp12, false, false, V::Rectangle,
     FuzzyBoxMinimum, nullptr, 3, "只能创建3个智能识别框"},
    {GLinelist, "TLinelist", create<TLinelist>, GLinelist,
     ToolLineList, "linelistact", "画线表", "画线表", "linelist",
     P::PanelRp3 | P::PanelRp4 | P::PanelRp13, false, false, V::Rectangle,
     0, nullptr, 0, nullptr},
};
// clang-format on

static_assert(std::size(Kinds) == GraphicsTypeCount, "one row per TGraphicsType");

constexpr bool rowsInKindOrder()
{
    for (std::size_t i = 0; i < std::size(Kinds); ++i) {
        if (Kinds[i].Kind != TGraphicsType(i))
            return false;
    }
    return true;
}
static_assert(rowsInKindOrder(), "the row of a kind stands at its kind value");

} // namespace

const ShapeKind& shapeKind(TGraphicsType kind)
{
    return Kinds[std::size_t(kind)];
}

const ShapeKind* shapeKindOfTool(int tool)
{
    if (tool == ToolSelect)
        return nullptr;
    const auto row = std::find_if(std::begin(Kinds), std::end(Kinds),
                                  [tool](const ShapeKind& k) { return k.Tool == tool; });
    return row == std::end(Kinds) ? nullptr : &*row;
}

std::vector<const ShapeKind*> toolKinds()
{
    std::vector<const ShapeKind*> rows;
    for (const ShapeKind& row : Kinds) {
        if (row.Tool != ToolSelect)
            rows.push_back(&row);
    }
    std::sort(rows.begin(), rows.end(),
              [](const ShapeKind* a, const ShapeKind* b) { return a->Tool < b->Tool; });
    return rows;
}

} // namespace sw
