#include "cli/documentjson.h"

#include "document/stream/names.h"
#include "document/vectorgraphics.h"
#include "shapes/linelist.h"
#include "shapes/mhsb.h"
#include "shapes/rectgrid.h"
#include "shapes/rectkg.h"
#include "shapes/recttext.h"
#include "shapes/rectzg.h"
#include "shapes/rimage.h"
#include "shapes/roundrect.h"
#include "shapes/shapekinds.h"
#include "shapes/triangle.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace sw::cli {

namespace {

template <class E> QString name(E value)
{
    const auto names = stream::enumNames<E>();
    const auto i = static_cast<std::size_t>(value);
    if (i >= names.size())
        return QString::number(i);
    return QString::fromLatin1(names[i].data(), qsizetype(names[i].size()));
}

QJsonArray lines(const QStringList& list)
{
    return QJsonArray::fromStringList(list);
}

QJsonObject fontJson(const TFont& font)
{
    QJsonArray styles;
    for (TFontStyle s : {fsBold, fsItalic, fsUnderline, fsStrikeOut}) {
        if (font.has(s))
            styles.append(name(s));
    }
    return {{"Name", font.Name},
            {"Height", font.Height},
            {"Color", qint64(font.Color)},
            {"Style", styles},
            {"Charset", font.Charset}};
}

QString className(TGraphicsType kind)
{
    const char* name = shapeKind(kind).ClassName;
    return name ? QString::fromUtf8(name) : QString();
}

// The cell sizes, spacings and counts bubble boxes and grids share.
template <class Cells> void addCellFields(QJsonObject& o, const Cells& cells)
{
    o["Gridwidth"] = cells.Gridwidth;
    o["GridHeight"] = cells.GridHeight;
    o["RowSpace"] = cells.RowSpace;
    o["ColSpace"] = cells.ColSpace;
    o["Row"] = cells.Row;
    o["col"] = cells.col;
}

void addKindFields(QJsonObject& o, const TGraphics& shape)
{
    switch (shape.Kind) {
    case GKg: {
        const auto& kg = static_cast<const TRectKg&>(shape);
        o["FormatText"] = kg.FormatText;
        o["KeyText"] = kg.KeyText;
        o["Spread"] = kg.Spread;
        o["Aspect"] = name(kg.Aspect);
        o["TextType"] = name(kg.TextType);
        o["ShowType"] = name(kg.ShowType);
        o["OptionType"] = name(kg.OptionType);
        o["GLZG"] = kg.GLZG;
        o["ShowNumber"] = kg.ShowNumber;
        o["StartNumberAgg"] = kg.StartNumberAgg;
        addCellFields(o, kg);
        o["ReadType"] = kg.ReadType;
        o["Font"] = fontJson(kg.Font);
        o["NumberFont"] = fontJson(kg.NumberFont);
        break;
    }
    case GZg: {
        const auto& zg = static_cast<const TRectZg&>(shape);
        o["Question"] = zg.Question;
        o["Number"] = zg.Number;
        o["Caption"] = zg.Caption;
        o["XZT"] = zg.XZT;
        o["XZTH"] = zg.XZTH;
        break;
    }
    case GRectText: {
        const auto& text = static_cast<const TRectText&>(shape);
        o["Lines"] = lines(text.Lines);
        o["Font"] = fontJson(text.Font);
        break;
    }
    case GLinelist: {
        const auto& list = static_cast<const TLinelist&>(shape);
        o["Lines"] = lines(list.Lines);
        o["Font"] = fontJson(list.Font);
        o["Row"] = list.Row;
        break;
    }
    case GGrid:
        addCellFields(o, static_cast<const TRectGrid&>(shape));
        break;
    case GRoundRect:
        o["Radius"] = static_cast<const TRoundRect&>(shape).Radius;
        break;
    case GTriangle:
        o["Aspect"] = name(static_cast<const TTriangle&>(shape).Aspect);
        break;
    case GRImage:
        o["PicturePath"] = static_cast<const TRImage&>(shape).PicturePath;
        break;
    case GMHSB: {
        const auto& fuzzy = static_cast<const TMHSB&>(shape);
        o["Number"] = fuzzy.Number;
        o["SBSL"] = fuzzy.SBSL;
        o["PointList"] = fuzzy.PointList;
        o["PointX"] = fuzzy.PointX;
        o["PointY"] = fuzzy.PointY;
        break;
    }
    case GLine:
    case GRectangle:
    case GEllipse:
    case GDw:
    case GErrorImg:
    case GOkImg:
    case gsinline:
    case Gbarcode:
    case GHline:
    case GVline:
        break;
    }
}

QJsonObject pageJson(const TVectorGraph& page)
{
    QJsonArray shapes;
    for (const auto& shape : page.Shapes())
        shapes.append(shapeToJson(*shape));
    return {{"PaperType", QString(page.PaperType)},
            {"PageNumber", page.PageNumber},
            {"PicturePath", page.PicturePath},
            {"Left", page.Left},
            {"Top", page.Top},
            {"LeftMargin", page.LeftMargin},
            {"RightMargin", page.RightMargin},
            {"TopMargin", page.TopMargin},
            {"BottomMargin", page.BottomMargin},
            {"PageSize", name(page.PageSize)},
            {"Orientation", name(page.Orientation)},
            {"Height", page.Height},
            {"Width", page.Width},
            {"shapes", shapes}};
}

} // namespace

QJsonObject shapeToJson(const TGraphics& shape)
{
    const TRect b = shape.GetBounds();
    QJsonObject o{{"class", className(shape.Kind)},
                  {"Kind", name(shape.Kind)},
                  {"Bounds", QJsonArray{b.Left, b.Top, b.Right, b.Bottom}},
                  {"Visible", shape.Visible},
                  {"Locked", shape.Locked},
                  {"Selected", shape.Selected},
                  {"Group", shape.Group},
                  {"Tag", shape.Tag},
                  {"Pen", QJsonObject{{"Color", qint64(shape.Pen.Color)},
                                      {"Width", shape.Pen.Width},
                                      {"Style", name(shape.Pen.Style)},
                                      {"Mode", name(shape.Pen.Mode)}}},
                  {"Brush", QJsonObject{{"Color", qint64(shape.Brush.Color)},
                                        {"Style", name(shape.Brush.Style)}}}};
    addKindFields(o, shape);
    return o;
}

namespace {

QJsonObject documentJson(const TVectorGraphics& document, const QJsonArray& pages)
{
    return {{"Modal", document.Modal},
            {"Locked", document.Locked},
            {"DWW", document.DWW},
            {"DWH", document.DWH},
            {"CopyRight", document.CopyRight},
            {"Geifen", lines(document.Geifen)},
            {"pages", pages}};
}

} // namespace

QJsonObject documentToJson(const TVectorGraphics& document)
{
    QJsonArray pages;
    for (int i = 0; i < document.PageCount(); ++i)
        pages.append(pageJson(*document.PageAt(i)));
    return documentJson(document, pages);
}

// The document is written with one placeholder page, whose line is then
// replaced by the pages written one by one at the depth of that line ("pages"
// sorts last among the keys, so the placeholder is its last line of that form).
void writeDocumentJson(const TVectorGraphics& document,
                       const std::function<void(QByteArrayView)>& write)
{
    const QByteArray indent(8, ' ');
    const QByteArray placeholder = "\n" + indent + "\"pages\"\n";
    const QByteArray outline =
        QJsonDocument(documentJson(document, QJsonArray{QStringLiteral("pages")}))
            .toJson(QJsonDocument::Indented);
    const qsizetype at = outline.lastIndexOf(placeholder);
    if (document.PageCount() == 0 || at < 0) {
        write(QJsonDocument(documentToJson(document)).toJson(QJsonDocument::Indented));
        return;
    }
    write(QByteArrayView(outline).first(at + 1));
    for (int i = 0; i < document.PageCount(); ++i) {
        QByteArray page =
            QJsonDocument(pageJson(*document.PageAt(i))).toJson(QJsonDocument::Indented);
        page.chop(1); // the final line break
        page.replace('\n', "\n" + indent);
        write(indent);
        write(page);
        write(i + 1 < document.PageCount() ? ",\n" : "\n");
    }
    write(QByteArrayView(outline).sliced(at + placeholder.size()));
}

} // namespace sw::cli
