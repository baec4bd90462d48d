#pragma once

#include "document/records.h"
#include "shapes/line.h"
#include "shapes/linelist.h"
#include "shapes/mhsb.h"
#include "shapes/rectangle.h"
#include "shapes/rectgrid.h"
#include "shapes/rectkg.h"
#include "shapes/recttext.h"
#include "shapes/rectzg.h"
#include "shapes/rimage.h"
#include "shapes/roundrect.h"
#include "shapes/triangle.h"

#include <type_traits>

namespace sw {

// T, const when Of is.
template <class T, class Of> using Like = std::conditional_t<std::is_const_v<Of>, const T, T>;

// The cell sizes, spacings and counts bubble boxes and grids share.
template <class Visitor, class Record, class Cells>
void describeCells(const Visitor& v, Record& r, Cells& cells)
{
    v.length("GridHeight", r.GridHeight, cells.GridHeight);
    v.length("Gridwidth", r.Gridwidth, cells.Gridwidth);
    v.length("RowSpace", r.RowSpace, cells.RowSpace);
    v.length("ColSpace", r.ColSpace, cells.ColSpace);
}

// The fields of a shape's kind, each once as (name, record field, shape
// field), for a visitor that copies one way or the other or shows them:
//   corners(X1, Y1, X2, Y2, a, b)        the corners, layout pixels; the
//                                        shape is built from them
//   length(name, millimetres, pixels)    a length, converted
//   same(name, recordField, shapeField)  a value copied as it is
// The name is the shape field's.
// Record and Shape are TGPS and TGraphics, the one copied from const. Fields
// are listed in the order a shape takes them from its record; the fields all
// kinds share (pen, brush, group, tag, lock) are not listed here.
template <class Visitor, class Record, class Shape>
void describeShapeFields(const Visitor& v, Record& r, Shape& shape)
{
    switch (shape.Kind) {
    case GLine:
    case GHline:
    case GVline: {
        auto& line = static_cast<Like<TLine, Shape>&>(shape);
        v.corners(r.X1, r.Y1, r.X2, r.Y2, line.P1, line.P2);
        return;
    }
    case GRectangle:
    case GEllipse:
    case GDw:
    case Gbarcode:
        break;
    case GRoundRect:
        v.length("Radius", r.Radii, static_cast<Like<TRoundRect, Shape>&>(shape).Radius);
        break;
    case GRectText: {
        auto& text = static_cast<Like<TRectText, Shape>&>(shape);
        v.same("Lines", r.Text, text.Lines);
        v.same("Font", r.Font, text.Font);
        break;
    }
    case GGrid: {
        auto& grid = static_cast<Like<TRectGrid, Shape>&>(shape);
        describeCells(v, r, grid);
        v.same("Row", r.Row, grid.Row);
        v.same("col", r.col, grid.col);
        break;
    }
    case GKg: {
        auto& kg = static_cast<Like<TRectKg, Shape>&>(shape);
        v.same("KeyText", r.KeyText, kg.KeyText);
        v.same("Spread", r.Spread, kg.Spread);
        v.same("FormatText", r.FormatText, kg.FormatText);
        v.same("Aspect", r.Aspect, kg.Aspect);
        v.same("TextType", r.TextType, kg.TextType);
        v.same("ShowType", r.ShowType, kg.ShowType);
        describeCells(v, r, kg);
        v.same("Font", r.Font, kg.Font);
        v.same("NumberFont", r.NumberFont, kg.NumberFont);
        v.same("ShowNumber", r.ShowNumber, kg.ShowNumber);
        v.same("Row", r.Row, kg.Row);
        v.same("col", r.col, kg.col);
        v.same("OptionType", r.OptionType, kg.OptionType);
        v.same("StartNumberAgg", r.StartNumberAgg, kg.StartNumberAgg);
        v.same("GLZG", r.GLZG, kg.GLZG);
        v.same("ReadType", r.ReadType, kg.ReadType);
        break;
    }
    case GTriangle:
        v.same("Aspect", r.Aspect, static_cast<Like<TTriangle, Shape>&>(shape).Aspect);
        break;
    case GZg: {
        auto& zg = static_cast<Like<TRectZg, Shape>&>(shape);
        v.same("Question", r.Question, zg.Question);
        v.same("Number", r.Number, zg.Number);
        v.same("Caption", r.Caption, zg.Caption);
        v.same("XZT", r.XZT, zg.XZT);
        v.same("XZTH", r.XZTH, zg.XZTH);
        break;
    }
    case GRImage:
        v.same("PicturePath", r.PicturePath, static_cast<Like<TRImage, Shape>&>(shape).PicturePath);
        break;
    case GMHSB: {
        auto& fuzzy = static_cast<Like<TMHSB, Shape>&>(shape);
        v.same("Number", r.Number, fuzzy.Number);
        v.same("SBSL", r.SBSL, fuzzy.SBSL);
        v.same("PointList", r.PointList, fuzzy.PointList);
        v.length("PointX", r.PointX, fuzzy.PointX);
        v.length("PointY", r.PointY, fuzzy.PointY);
        break;
    }
    case GLinelist: {
        auto& lines = static_cast<Like<TLinelist, Shape>&>(shape);
        v.same("Lines", r.Text, lines.Lines);
        v.same("Font", r.Font, lines.Font);
        v.same("Row", r.Row, lines.Row);
        break;
    }
    case GErrorImg:
    case GOkImg:
    case gsinline:
        return;
    }
    auto& box = static_cast<Like<TRectangle, Shape>&>(shape);
    v.corners(r.X1, r.Y1, r.X2, r.Y2, box.TopLeft, box.BottomRight);
}

// The page fields a paper record holds, as describeShapeFields does for
// shapes; recorded(): written, not read back (a page's number is set by its
// place).
template <class Visitor, class Paper, class Page>
void describePaperFields(const Visitor& v, Paper& paper, Page& page)
{
    v.same("PaperType", paper.PaperType, page.PaperType);
    v.recorded("PageNumber", paper.PageNumber, page.PageNumber);
    v.same("PicturePath", paper.PicturePath, page.PicturePath);
    v.same("Left", paper.Left, page.Left);
    v.same("Top", paper.Top, page.Top);
    v.same("LeftMargin", paper.LeftMargin, page.LeftMargin);
    v.same("RightMargin", paper.RightMargin, page.RightMargin);
    v.same("TopMargin", paper.TopMargin, page.TopMargin);
    v.same("BottomMargin", paper.BottomMargin, page.BottomMargin);
    v.same("PageSize", paper.PageSize, page.PageSize);
    v.same("Height", paper.Height, page.Height);
    v.same("Width", paper.Width, page.Width);
    v.same("Orientation", paper.Orientation, page.Orientation);
}

} // namespace sw
