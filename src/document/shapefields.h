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
    v.length(r.GridHeight, cells.GridHeight);
    v.length(r.Gridwidth, cells.Gridwidth);
    v.length(r.RowSpace, cells.RowSpace);
    v.length(r.ColSpace, cells.ColSpace);
}

// The fields of a shape's kind, each once as (record field, shape field), for
// a visitor that copies one way or the other:
//   corners(X1, Y1, X2, Y2, a, b)  the corners, layout pixels; the shape is
//                                  built from them
//   length(millimetres, pixels)    a length, converted
//   same(recordField, shapeField)  a value copied as it is
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
        v.length(r.Radii, static_cast<Like<TRoundRect, Shape>&>(shape).Radius);
        break;
    case GRectText: {
        auto& text = static_cast<Like<TRectText, Shape>&>(shape);
        v.same(r.Text, text.Lines);
        v.same(r.Font, text.Font);
        break;
    }
    case GGrid: {
        auto& grid = static_cast<Like<TRectGrid, Shape>&>(shape);
        describeCells(v, r, grid);
        v.same(r.Row, grid.Row);
        v.same(r.col, grid.col);
        break;
    }
    case GKg: {
        auto& kg = static_cast<Like<TRectKg, Shape>&>(shape);
        v.same(r.KeyText, kg.KeyText);
        v.same(r.Spread, kg.Spread);
        v.same(r.FormatText, kg.FormatText);
        v.same(r.Aspect, kg.Aspect);
        v.same(r.TextType, kg.TextType);
        v.same(r.ShowType, kg.ShowType);
        describeCells(v, r, kg);
        v.same(r.Font, kg.Font);
        v.same(r.NumberFont, kg.NumberFont);
        v.same(r.ShowNumber, kg.ShowNumber);
        v.same(r.Row, kg.Row);
        v.same(r.col, kg.col);
        v.same(r.OptionType, kg.OptionType);
        v.same(r.StartNumberAgg, kg.StartNumberAgg);
        v.same(r.GLZG, kg.GLZG);
        v.same(r.ReadType, kg.ReadType);
        break;
    }
    case GTriangle:
        v.same(r.Aspect, static_cast<Like<TTriangle, Shape>&>(shape).Aspect);
        break;
    case GZg: {
        auto& zg = static_cast<Like<TRectZg, Shape>&>(shape);
        v.same(r.Question, zg.Question);
        v.same(r.Number, zg.Number);
        v.same(r.Caption, zg.Caption);
        v.same(r.XZT, zg.XZT);
        v.same(r.XZTH, zg.XZTH);
        break;
    }
    case GRImage:
        v.same(r.PicturePath, static_cast<Like<TRImage, Shape>&>(shape).PicturePath);
        break;
    case GMHSB: {
        auto& fuzzy = static_cast<Like<TMHSB, Shape>&>(shape);
        v.same(r.Number, fuzzy.Number);
        v.same(r.SBSL, fuzzy.SBSL);
        v.same(r.PointList, fuzzy.PointList);
        v.length(r.PointX, fuzzy.PointX);
        v.length(r.PointY, fuzzy.PointY);
        break;
    }
    case GLinelist: {
        auto& lines = static_cast<Like<TLinelist, Shape>&>(shape);
        v.same(r.Text, lines.Lines);
        v.same(r.Font, lines.Font);
        v.same(r.Row, lines.Row);
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

} // namespace sw
