#include "document/templatestream.h"

#include "document/stream/graphicsobjects.h"
#include "document/stream/propertyreader.h"
#include "document/stream/propertywriter.h"
#include "document/stream/storedcopy.h"

namespace sw {

namespace {

using stream::enumeration;
using stream::kAlways;
using stream::PropertyVisitor;

constexpr std::string_view kDocumentClass = "TVectorGraphics";
// A little more than a shape record of a wizard sheet takes (about 570 bytes),
// for the writer to make room for the whole stream at once.
constexpr qsizetype BytesPerRecord = 640;

void describePaper(PropertyVisitor& v, TPaper& p)
{
    v.character("PaperType", p.PaperType);
    v.integer("PageNumber", p.PageNumber, kAlways);
    v.string("PicturePath", p.PicturePath);
    v.integer("Left", p.Left, kAlways);
    v.integer("Top", p.Top, kAlways);
    v.real("LeftMargin", p.LeftMargin);
    v.real("RightMargin", p.RightMargin);
    v.real("TopMargin", p.TopMargin);
    v.real("BottomMargin", p.BottomMargin);
    enumeration(v, "PageSize", p.PageSize, kAlways);
    v.real("Height", p.Height);
    v.real("Width", p.Width);
    enumeration(v, "Orientation", p.Orientation, kAlways);
}

void describeShape(PropertyVisitor& v, TGPS& g)
{
    v.integer("VGIndex", g.VGIndex, kAlways);
    enumeration(v, "GType", g.GType, kAlways);
    v.real("X1", g.X1);
    v.real("X2", g.X2);
    v.real("Y1", g.Y1);
    v.real("Y2", g.Y2);
    v.object("Brush", [&g](PropertyVisitor& o) { stream::describeBrush(o, g.Brush); });
    v.object("Pen", [&g](PropertyVisitor& o) { stream::describePen(o, g.Pen); });
    v.object("Font", [&g](PropertyVisitor& o) { stream::describeFont(o, g.Font); });
    v.real("Radii", g.Radii);
    v.strings("Text", g.Text);
    v.real("GridHeight", g.GridHeight);
    v.real("Gridwidth", g.Gridwidth);
    v.real("RowSpace", g.RowSpace);
    v.real("ColSpace", g.ColSpace);
    v.integer("Row", g.Row, kAlways);
    v.integer("col", g.col, kAlways);
    v.integer("Group", g.Group, kAlways);
    v.boolean("Locked", g.Locked);
    v.string("Tag", g.Tag);
    v.string("KeyFZ", g.KeyFZ);
    v.string("FormatText", g.FormatText);
    v.string("KeyText", g.KeyText);
    v.boolean("Spread", g.Spread);
    enumeration(v, "Aspect", g.Aspect, kAlways);
    v.integer("StartNumber", g.StartNumber, kAlways);
    v.integer("StartNumberAgg", g.StartNumberAgg, kAlways);
    enumeration(v, "TextType", g.TextType, kAlways);
    enumeration(v, "ShowType", g.ShowType, kAlways);
    v.boolean("ShowNumber", g.ShowNumber);
    v.object("NumberFont", [&g](PropertyVisitor& o) { stream::describeFont(o, g.NumberFont); });
    enumeration(v, "OptionType", g.OptionType, kAlways);
    v.integer("ReadType", g.ReadType, kAlways);
    v.integer("GLZG", g.GLZG, kAlways);
    v.integer("Question", g.Question, kAlways);
    v.integer("Number", g.Number, kAlways);
    v.string("Caption", g.Caption);
    v.string("PicturePath", g.PicturePath);
    v.boolean("XZT", g.XZT);
    v.string("XZTH", g.XZTH);
    v.integer("SBSL", g.SBSL, kAlways);
    v.string("PointList", g.PointList);
    v.real("PointX", g.PointX);
    v.real("PointY", g.PointY);
}

// `pixelsPerInch` sets the fonts of shape records created while reading.
void describeDocument(PropertyVisitor& v, StoredDocument& d, int pixelsPerInch)
{
    v.integer("Tag", d.Tag, 0);
    stream::VectorCollection<TPaper> papers("TPaper", d.Papers, describePaper, TPaper{});
    v.collection("Papers", papers);
    v.string("CopyRight", d.CopyRight);
    stream::VectorCollection<TGPS> shapes("TGPS", d.GPList, describeShape, TGPS(pixelsPerInch));
    v.collection("GPList", shapes);
    v.strings("Geifen", d.Geifen);
    v.integer("Modal", d.Modal, kAlways);
    v.boolean("Locked", d.Locked);
    v.real("DWW", d.DWW);
    v.real("DWH", d.DWH);
}

// The writer (or a copy's source) is visited without changing its properties
// and creates no records, so neither the const_cast nor the resolution matters.
stream::Describe describeForWriting(const StoredDocument& document)
{
    return [&visited = const_cast<StoredDocument&>(document)](PropertyVisitor& v) {
        describeDocument(v, visited, 96);
    };
}

} // namespace

QByteArray writeTemplate(const StoredDocument& document)
{
    const auto records = qsizetype(document.Papers.size() + document.GPList.size());
    return stream::writeComponent(kDocumentClass, describeForWriting(document),
                                  BytesPerRecord * (records + 1));
}

bool writeTemplate(const StoredDocument& document, const std::function<bool(QByteArrayView)>& sink)
{
    return stream::writeComponent(kDocumentClass, describeForWriting(document), sink);
}

bool readTemplate(const QByteArray& bytes, StoredDocument& document, int pixelsPerInch,
                  QString* error)
{
    return stream::readComponent(
        bytes, kDocumentClass,
        [&document, pixelsPerInch](PropertyVisitor& v) {
            describeDocument(v, document, pixelsPerInch);
        },
        error);
}

void copyTemplate(const StoredDocument& source, StoredDocument& target, int pixelsPerInch)
{
    stream::copyAsStored(describeForWriting(source), [&target, pixelsPerInch](PropertyVisitor& v) {
        describeDocument(v, target, pixelsPerInch);
    });
}

} // namespace sw
