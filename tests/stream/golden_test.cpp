// Byte-exact streams of the writer.
#include "document/templatestream.h"
#include "samples.h"
#include "streambytes.h"

#include <gtest/gtest.h>

namespace sw::test {
namespace {

const char* const kTen = "00 00 00 00 00 00 00 A0 02 40";

QByteArray notice()
{
    const QByteArray text = copyRightNotice().toLatin1();
    return QByteArray(1, char(0x06)) + char(text.size()) + text;
}

// The pairs of a record's default font, under `prefix`.
StreamBytes& defaultFontPairs(StreamBytes& b, const std::string& prefix)
{
    b.name(prefix + ".Charset").ident("DEFAULT_CHARSET");
    b.name(prefix + ".Color").ident("clWindowText");
    b.name(prefix + ".Height").hex("02 F5");
    b.name(prefix + ".Name").hex("06").name("MS Sans Serif");
    b.name(prefix + ".Style").hex("0B 00");
    return b;
}

QByteArray newPageItem()
{
    StreamBytes b;
    b.hex("01");
    b.hex("09").ascii("PaperType").hex("06 01 41");
    b.hex("0A").ascii("PageNumber").hex("02 01");
    b.hex("04").ascii("Left").hex("02 00");
    b.hex("03").ascii("Top").hex("02 00");
    b.hex("0A").ascii("LeftMargin").hex("05").hex(kTen);
    b.hex("0B").ascii("RightMargin").hex("05").hex(kTen);
    b.hex("09").ascii("TopMargin").hex("05").hex(kTen);
    b.hex("0C").ascii("BottomMargin").hex("05").hex(kTen);
    b.hex("08").ascii("PageSize").hex("07 02").ascii("A4");
    b.hex("06").ascii("Height").hex("05 00 00 00 00 00 00 80 94 07 40");
    b.hex("05").ascii("Width").hex("05 00 00 00 00 00 00 00 D2 06 40");
    b.hex("0B").ascii("Orientation").hex("07 0A").ascii("poPortrait");
    b.hex("00");
    return b;
}

QByteArray positioningBoxItem()
{
    StreamBytes b;
    b.hex("01");
    b.name("VGIndex").integer8(0);
    b.name("GType").ident("GDw");
    b.name("X1").hex("05 00 D8 DD DD DD DD DD A0 02 40");
    b.name("X2").hex("05 00 D8 DD DD DD DD 1D 81 03 40");
    b.name("Y1").hex("05 00 D8 DD DD DD DD DD A0 02 40");
    b.name("Y2").hex("05 00 D8 DD DD DD DD 5D E0 02 40");
    defaultFontPairs(b, "Font");
    b.name("Row").integer8(0);
    b.name("col").integer8(0);
    b.name("Group").integer8(0);
    b.name("Locked").hex("09");
    b.name("Spread").hex("08");
    b.name("Aspect").ident("ADown");
    b.name("StartNumber").integer8(0);
    b.name("StartNumberAgg").integer8(0);
    b.name("TextType").ident("RSExamCode");
    b.name("ShowType").ident("SInner");
    b.name("ShowNumber").hex("08");
    defaultFontPairs(b, "NumberFont");
    b.name("OptionType").ident("Single");
    b.name("ReadType").integer8(0);
    b.name("GLZG").integer8(0);
    b.name("Question").integer8(0);
    b.name("Number").integer8(0);
    b.name("XZT").hex("08");
    b.name("SBSL").integer8(0);
    b.hex("00");
    return b;
}

TEST(TemplateWriter, SmallestStream)
{
    StreamBytes expected;
    expected.ascii("TPF0").hex("0F").ascii("TVectorGraphics").hex("00");
    expected.hex("06").ascii("Papers").hex("0E 00");
    expected.hex("09").ascii("CopyRight").raw(notice());
    expected.hex("06").ascii("GPList").hex("0E 00");
    expected.hex("05").ascii("Modal").hex("02 00");
    expected.hex("06").ascii("Locked").hex("08");
    expected.hex("03").ascii("DWW").hex("05 00 00 00 00 00 00 00 C0 01 40");
    expected.hex("03").ascii("DWH").hex("05 00 00 00 00 00 00 00 80 01 40");
    expected.hex("00 00");
    EXPECT_EQ(writeTemplate(StoredDocument()).toHex(' '), expected.bytes().toHex(' '));
}

TEST(TemplateWriter, NewPageRecordAndPositioningBoxAt96Ppi)
{
    StoredDocument d;
    d.Papers = {newPagePaper()};
    d.GPList = {positioningBoxRecord()};

    StreamBytes expected;
    expected.header();
    expected.name("Papers").hex("0E").raw(newPageItem()).hex("00");
    expected.name("CopyRight").raw(notice());
    expected.name("GPList").hex("0E").raw(positioningBoxItem()).hex("00");
    expected.name("Modal").integer8(0);
    expected.name("Locked").hex("08");
    expected.name("DWW").hex("05 00 00 00 00 00 00 00 C0 01 40");
    expected.name("DWH").hex("05 00 00 00 00 00 00 00 80 01 40");
    expected.hex("00 00");
    EXPECT_EQ(writeTemplate(d).toHex(' '), expected.bytes().toHex(' '));
}

TEST(TemplateWriter, DefaultFontFollowsResolution)
{
    EXPECT_EQ(recordDefaultFont(96).Height, -11);
    EXPECT_EQ(recordDefaultFont(120).Height, -13);
    EXPECT_EQ(recordDefaultFont(144).Height, -16);
    const TFont f = recordDefaultFont(96);
    EXPECT_EQ(f.Name, QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(f.Color, 0x80000008u);
    EXPECT_EQ(f.Charset, DEFAULT_CHARSET);
    EXPECT_EQ(f.Style, 0);
    EXPECT_EQ(f.Pitch, fpDefault);
}

// The bytes of one shape record property, found in the written stream.
QByteArray written(const TGPS& record)
{
    StoredDocument d;
    d.GPList = {record};
    return writeTemplate(d);
}

struct ValueCase
{
    const char* label;
    std::function<void(TGPS&)> set;
    QByteArray expected;
};

TEST(TemplateWriter, ValueForms)
{
    const std::vector<ValueCase> cases = {
        {"Chinese font name as UTF-16", [](TGPS& g) { g.Font.Name = QStringLiteral("宋体"); },
         StreamBytes().name("Font.Name").hex("12 02 00 00 00 8B 5B 53 4F")},
        {"ASCII font name", [](TGPS& g) { g.Font.Name = QStringLiteral("Arial"); },
         StreamBytes().name("Font.Name").hex("06 05").ascii("Arial")},
        {"Chinese text line as UTF-8", [](TGPS& g) { g.Text = {QStringLiteral("准考证号")}; },
         StreamBytes()
             .name("Text.Strings")
             .hex("01 14 0C 00 00 00")
             .raw(QStringLiteral("准考证号").toUtf8())
             .hex("00")},
        {"the same text as a string property",
         [](TGPS& g) { g.Caption = QStringLiteral("准考证号"); },
         StreamBytes().name("Caption").hex("12 04 00 00 00 C6 51 03 80 C1 8B F7 53")},
        {"mostly ASCII with Chinese as UTF-8", [](TGPS& g) { g.Tag = QStringLiteral("Page 1 卷"); },
         StreamBytes().name("Tag").hex("14 0A 00 00 00").raw(QStringLiteral("Page 1 卷").toUtf8())},
        {"empty text line",
         [](TGPS& g) {
             g.Text = {QString(), QStringLiteral("x")};
         },
         StreamBytes().name("Text.Strings").hex("01 06 00 06 01 78 00")},
        {"negative font height", [](TGPS& g) { g.Font.Height = -12; },
         StreamBytes().name("Font.Height").hex("02 F4")},
        {"16-bit integer", [](TGPS& g) { g.Row = 128; }, StreamBytes().name("Row").hex("03 80 00")},
        {"negative 16-bit integer", [](TGPS& g) { g.Row = -129; },
         StreamBytes().name("Row").hex("03 7F FF")},
        {"32-bit integer", [](TGPS& g) { g.Row = 32768; },
         StreamBytes().name("Row").hex("04 00 80 00 00")},
        {"named pen colour", [](TGPS& g) { g.Pen.Color = clRed; },
         StreamBytes().name("Pen.Color").ident("clRed")},
        {"unnamed colour as integer", [](TGPS& g) { g.Brush.Color = 0x123456; },
         StreamBytes().name("Brush.Color").hex("04 56 34 12 00")},
        {"system colour outside the table", [](TGPS& g) { g.Font.Color = 0x80000020; },
         StreamBytes().name("Font.Color").hex("04 20 00 00 80")},
        {"named charset", [](TGPS& g) { g.Font.Charset = GB2312_CHARSET; },
         StreamBytes().name("Font.Charset").ident("GB2312_CHARSET")},
        {"unnamed charset", [](TGPS& g) { g.Font.Charset = 200; },
         StreamBytes().name("Font.Charset").hex("03 C8 00")},
        {"font style set in ordinal order",
         [](TGPS& g) { g.Font.Style = fontStyleBit(fsStrikeOut) | fontStyleBit(fsBold); },
         StreamBytes().name("Font.Style").hex("0B").name("fsBold").name("fsStrikeOut").hex("00")},
        {"font pitch when not default", [](TGPS& g) { g.Font.Pitch = fpFixed; },
         StreamBytes().name("Font.Pitch").ident("fpFixed")},
        {"pen pairs in order",
         [](TGPS& g) {
             g.Pen = {clGreen, 2, psDot, pmNotXor};
         },
         StreamBytes()
             .name("Pen.Color")
             .ident("clGreen")
             .name("Pen.Mode")
             .ident("pmNotXor")
             .name("Pen.Style")
             .ident("psDot")
             .name("Pen.Width")
             .integer8(2)},
        {"brush pairs in order",
         [](TGPS& g) {
             g.Brush = {clBlack, bsClear};
         },
         StreamBytes().name("Brush.Color").ident("clBlack").name("Brush.Style").ident("bsClear")},
        {"long ASCII string", [](TGPS& g) { g.PointList = QString(300, u'x'); },
         StreamBytes().name("PointList").hex("0C 2C 01 00 00").ascii(std::string(300, 'x'))},
    };
    for (const ValueCase& c : cases) {
        TGPS g(kPpi);
        c.set(g);
        EXPECT_TRUE(written(g).contains(c.expected))
            << c.label << "\nexpected " << c.expected.toHex(' ').constData() << "\nin "
            << written(g).toHex(' ').constData();
    }
}

TEST(TemplateWriter, DefaultsAndZerosAreLeftOut)
{
    StoredDocument d;
    d.DWW = 0.0;
    d.CopyRight.clear();
    d.GPList = {TGPS(kPpi)};
    const QByteArray bytes = writeTemplate(d);
    for (const char* absent : {"DWW", "CopyRight", "Pen.", "Brush.", "Font.Pitch", "Radii",
                               "Text.Strings", "Geifen", "Tag", "KeyFZ", "Caption", "PointX"})
        EXPECT_FALSE(bytes.contains(absent)) << absent;
    EXPECT_TRUE(bytes.contains(StreamBytes().name("DWH").bytes()));
}

TEST(TemplateWriter, DocumentTagOnlyWhenSet)
{
    StoredDocument d;
    d.Tag = 300;
    EXPECT_TRUE(writeTemplate(d).contains(
        StreamBytes().header().name("Tag").hex("03 2C 01").name("Papers").bytes()));
}

TEST(TemplateWriter, NonAsciiPaperTypeStaysOneCharacter)
{
    StoredDocument d;
    TPaper p;
    p.PaperType = u'卷';
    d.Papers = {p};
    StoredDocument back;
    ASSERT_TRUE(readTemplate(writeTemplate(d), back, kPpi));
    EXPECT_EQ(back.Papers.at(0).PaperType, u'卷');
}

TEST(TemplateWriter, PropertyOrder)
{
    const QByteArray bytes = writeTemplate(fullDocument());
    const std::vector<std::string> order = {"Tag",
                                            "Papers",
                                            "PaperType",
                                            "PageNumber",
                                            "PicturePath",
                                            "Left",
                                            "Top",
                                            "LeftMargin",
                                            "RightMargin",
                                            "TopMargin",
                                            "BottomMargin",
                                            "PageSize",
                                            "Height",
                                            "Width",
                                            "Orientation",
                                            "CopyRight",
                                            "GPList",
                                            "VGIndex",
                                            "GType",
                                            "X1",
                                            "X2",
                                            "Y1",
                                            "Y2",
                                            "Brush.Color",
                                            "Brush.Style",
                                            "Pen.Color",
                                            "Pen.Mode",
                                            "Pen.Style",
                                            "Pen.Width",
                                            "Font.Charset",
                                            "Font.Color",
                                            "Font.Height",
                                            "Font.Name",
                                            "Font.Pitch",
                                            "Font.Style",
                                            "Radii",
                                            "Text.Strings",
                                            "GridHeight",
                                            "Gridwidth",
                                            "RowSpace",
                                            "ColSpace",
                                            "Row",
                                            "col",
                                            "Group",
                                            "Locked",
                                            "Tag",
                                            "KeyFZ",
                                            "FormatText",
                                            "KeyText",
                                            "Spread",
                                            "Aspect",
                                            "StartNumber",
                                            "StartNumberAgg",
                                            "TextType",
                                            "ShowType",
                                            "ShowNumber",
                                            "NumberFont.Charset",
                                            "NumberFont.Color",
                                            "NumberFont.Height",
                                            "NumberFont.Name",
                                            "NumberFont.Pitch",
                                            "NumberFont.Style",
                                            "OptionType",
                                            "ReadType",
                                            "GLZG",
                                            "Question",
                                            "Number",
                                            "Caption",
                                            "PicturePath",
                                            "XZT",
                                            "XZTH",
                                            "SBSL",
                                            "PointList",
                                            "PointX",
                                            "PointY"};
    qsizetype at = 0;
    for (const std::string& name : order) {
        const qsizetype next = bytes.indexOf(StreamBytes().name(name).bytes(), at);
        ASSERT_GE(next, at) << name << " missing or out of order";
        at = next + 1;
    }
    // The document's own pairs after the collections.
    for (const char* name : {"Geifen.Strings", "Modal", "Locked", "DWW", "DWH"}) {
        const qsizetype next = bytes.indexOf(StreamBytes().name(name).bytes(), at);
        ASSERT_GE(next, at) << name << " missing or out of order";
        at = next + 1;
    }
}

TEST(TemplateWriter, Deterministic)
{
    EXPECT_EQ(writeTemplate(fullDocument()), writeTemplate(fullDocument()));
}

} // namespace
} // namespace sw::test
