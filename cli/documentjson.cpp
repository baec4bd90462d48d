#include "cli/documentjson.h"

#include "document/shapefields.h"
#include "document/stream/names.h"
#include "document/vectorgraphics.h"
#include "shapes/shapekinds.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <type_traits>

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

template <class T> QJsonValue json(const T& value)
{
    if constexpr (std::is_enum_v<T>)
        return name(value);
    else if constexpr (std::is_same_v<T, TFont>)
        return fontJson(value);
    else if constexpr (std::is_same_v<T, QStringList>)
        return lines(value);
    else if constexpr (std::is_same_v<T, QChar>)
        return QString(value);
    else
        return value;
}

// Shows the shape or page side of the fields describeShapeFields and
// describePaperFields list, under their names.
struct FieldsToJson
{
    QJsonObject& object;

    // Bounds stand for the corners.
    void corners(double, double, double, double, TPoint, TPoint) const {}
    template <class R, class S> void length(const char* name, const R&, const S& field) const
    {
        object[QLatin1StringView(name)] = json(field);
    }
    template <class R, class S> void same(const char* name, const R& record, const S& field) const
    {
        length(name, record, field);
    }
    template <class R, class S>
    void recorded(const char* name, const R& record, const S& field) const
    {
        length(name, record, field);
    }
};

QJsonObject pageJson(const TVectorGraph& page)
{
    QJsonArray shapes;
    for (const auto& shape : page.Shapes())
        shapes.append(shapeToJson(*shape));
    QJsonObject o{{"shapes", shapes}};
    static const TPaper unusedRecord;
    describePaperFields(FieldsToJson{o}, unusedRecord, page);
    return o;
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
    static const TGPS unusedRecord(96);
    describeShapeFields(FieldsToJson{o}, unusedRecord, shape);
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
