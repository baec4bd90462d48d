// Reading templates: round trips, what other writers produce, and every error.
#include "document/templatestream.h"
#include "samples.h"
#include "streambytes.h"

#include <gtest/gtest.h>

namespace sw::test {
namespace {

// A stream whose document pairs are `pairs`.
QByteArray documentStream(const QByteArray& pairs)
{
    return StreamBytes().header().raw(pairs).hex("00 00");
}

// A stream with one shape record whose pairs are `pairs`.
QByteArray shapeStream(const QByteArray& pairs)
{
    return documentStream(StreamBytes().name("GPList").hex("0E 01").raw(pairs).hex("00 00"));
}

QString readError(const QByteArray& bytes)
{
    StoredDocument d;
    QString error;
    EXPECT_FALSE(readTemplate(bytes, d, kPpi, &error));
    return error;
}

TEST(TemplateReader, RoundTripOfEveryField)
{
    const StoredDocument original = fullDocument();
    StoredDocument back;
    back.Papers.clear();
    QString error;
    ASSERT_TRUE(readTemplate(writeTemplate(original), back, kPpi, &error)) << error.toStdString();
    EXPECT_EQ(back.Papers, original.Papers);
    ASSERT_EQ(back.GPList.size(), original.GPList.size());
    EXPECT_EQ(back.GPList[0], original.GPList[0]);
    EXPECT_EQ(back.GPList[1], original.GPList[1]);
    EXPECT_EQ(back, original);
}

TEST(TemplateReader, RoundTripKeepsLayoutPixelPositions)
{
    StoredDocument d;
    d.GPList = {positioningBoxRecord()};
    StoredDocument back;
    ASSERT_TRUE(readTemplate(writeTemplate(d), back, kPpi));
    const double ppmm = kPpi / 25.4;
    EXPECT_EQ(back.GPList.at(0).X1 * ppmm, 38.0);
    EXPECT_EQ(back.GPList.at(0).X2 * ppmm, 61.0);
    EXPECT_EQ(back.GPList.at(0).Y2 * ppmm, 53.0);
}

TEST(TemplateReader, MissingPropertiesKeepDocumentValues)
{
    StoredDocument before;
    before.DWW = 8.5;
    before.Modal = 2;
    before.Locked = true;
    StoredDocument written;
    written.DWW = 0.0; // left out
    written.Modal = 1;
    QString error;
    ASSERT_TRUE(readTemplate(writeTemplate(written), before, kPpi, &error));
    EXPECT_EQ(before.DWW, 8.5);
    EXPECT_EQ(before.Modal, 1);
    EXPECT_FALSE(before.Locked);
}

TEST(TemplateReader, FreshRecordsHoldCreationValuesAtTheGivenResolution)
{
    StoredDocument d;
    ASSERT_TRUE(readTemplate(shapeStream(StreamBytes().name("GType").ident("GKg")), d, 120));
    TGPS expected(120);
    expected.GType = GKg;
    EXPECT_EQ(d.GPList.at(0), expected);
    EXPECT_EQ(d.GPList.at(0).Font.Height, -13);
}

TEST(TemplateReader, OtherWriterForms)
{
    const auto samples = sampleStreams();
    const auto other = std::find_if(samples.begin(), samples.end(), [](const SampleStream& s) {
        return s.name == QStringLiteral("other-writer");
    });
    ASSERT_NE(other, samples.end());
    StoredDocument d;
    QString error;
    ASSERT_TRUE(readTemplate(other->bytes, d, kPpi, &error)) << error.toStdString();

    ASSERT_EQ(d.Papers.size(), 2u);
    EXPECT_EQ(d.Papers[0].PaperType, u'C');
    EXPECT_EQ(d.Papers[0].PicturePath, QStringLiteral("宋体.b")); // GBK bytes
    EXPECT_EQ(d.Papers[0].Height, 100.0);                         // integer for a float
    EXPECT_EQ(d.Papers[1].PageSize, Custom);

    ASSERT_EQ(d.GPList.size(), 1u);
    const TGPS& g = d.GPList[0];
    EXPECT_EQ(g.GType, GRectText);
    EXPECT_EQ(g.Font.Color, clRed); // name in other case
    EXPECT_EQ(g.Font.Charset, GB2312_CHARSET);
    EXPECT_EQ(g.Font.Style, fontStyleBit(fsItalic)); // unknown member ignored
    EXPECT_EQ(g.Text, QStringList({QStringLiteral("你"), QStringLiteral("好")}));
    EXPECT_EQ(g.Pen.Width, 65536);
    EXPECT_EQ(g.X2, 10000.0);
    EXPECT_EQ(g.Caption, QStringLiteral("abc"));
    EXPECT_EQ(d.Geifen, QStringList({QStringLiteral("宋")}));
    EXPECT_EQ(d.Modal, 2);
}

// The bytes of a page record item, from 0x01 to its 0x00.
QByteArray paperItem(const TPaper& paper)
{
    StoredDocument d;
    d.Papers = {paper};
    const QByteArray bytes = writeTemplate(d);
    const QByteArray head = StreamBytes().name("Papers").hex("0E");
    const qsizetype from = bytes.indexOf(head) + head.size();
    const qsizetype to = bytes.indexOf(StreamBytes().name("CopyRight").bytes()) - 1;
    return bytes.mid(from, to - from);
}

TEST(TemplateReader, ItemIndexOfOtherWritersIsSkipped)
{
    StoredDocument plain;
    plain.Papers = {newPagePaper(), fullPaper()};
    const QByteArray bytes = writeTemplate(plain);
    const QByteArray rest = bytes.mid(bytes.indexOf(StreamBytes().name("CopyRight").bytes()));
    const QByteArray indexed = StreamBytes()
                                   .header()
                                   .name("Papers")
                                   .hex("0E 02 00")
                                   .raw(paperItem(newPagePaper()))
                                   .hex("04 01 00 00 00")
                                   .raw(paperItem(fullPaper()))
                                   .hex("00")
                                   .raw(rest);
    ASSERT_EQ(indexed.size(), bytes.size() + 7);

    StoredDocument a;
    StoredDocument b;
    ASSERT_TRUE(readTemplate(bytes, a, kPpi));
    QString error;
    ASSERT_TRUE(readTemplate(indexed, b, kPpi, &error)) << error.toStdString();
    EXPECT_EQ(a, b);
    EXPECT_EQ(b.Papers, plain.Papers);
}

TEST(TemplateReader, CollectionIsClearedOnlyWhenItHasItems)
{
    StoredDocument d;
    d.Papers = {fullPaper()};
    ASSERT_TRUE(readTemplate(documentStream(StreamBytes().name("Papers").hex("0E 00")), d, kPpi));
    EXPECT_EQ(d.Papers.size(), 1u);
    ASSERT_TRUE(readTemplate(
        documentStream(
            StreamBytes().name("Papers").hex("0E 01").name("Top").integer8(4).hex("00 00")),
        d, kPpi));
    ASSERT_EQ(d.Papers.size(), 1u);
    EXPECT_EQ(d.Papers[0].Top, 4);
    EXPECT_EQ(d.Papers[0].PaperType, QChar());
}

// The bytes of the shape record items of `shapes`, without the collection's
// own tag and end.
QByteArray shapeItems(const std::vector<TGPS>& shapes)
{
    StoredDocument d;
    d.GPList = shapes;
    const QByteArray bytes = writeTemplate(d);
    const QByteArray head = StreamBytes().name("GPList").hex("0E");
    const qsizetype from = bytes.indexOf(head) + head.size();
    const qsizetype to = bytes.indexOf(StreamBytes().name("Modal").bytes()) - 1;
    return bytes.mid(from, to - from);
}

// The items are counted before they are read, stepping over every form of
// value, so that storing them moves none (three items would otherwise leave
// room for four).
TEST(TemplateReader, StoresTheItemsWithoutSpareRoom)
{
    const QByteArray otherForms =
        StreamBytes()
            .hex("03 07 00 01") // item index
            .name("Text.Strings")
            .hex("01 06 02 C4 E3 12 01 00 00 00 7D 59 14 03 00 00 00 E5 AE 8B 00")
            .name("Caption")
            .hex("0C 03 00 00 00")
            .ascii("abc")
            .name("KeyText")
            .hex("12 01 00 00 00 7D 59")
            .name("Font.Style")
            .hex("0B")
            .name("fsItalic")
            .hex("00")
            .name("Font.Color")
            .ident("clRed")
            .name("Pen.Width")
            .hex("04 00 00 01 00")
            .name("X2")
            .hex("03 10 27")
            .name("Locked")
            .hex("09 00");
    const QByteArray bytes =
        documentStream(StreamBytes()
                           .name("GPList")
                           .hex("0E")
                           .raw(shapeItems({fullShape(), positioningBoxRecord()}))
                           .raw(otherForms)
                           .hex("00"));
    StoredDocument d;
    QString error;
    ASSERT_TRUE(readTemplate(bytes, d, kPpi, &error)) << error.toStdString();
    ASSERT_EQ(d.GPList.size(), 3u);
    EXPECT_EQ(d.GPList[0], fullShape());
    EXPECT_EQ(d.GPList[2].Caption, QStringLiteral("abc"));
    EXPECT_EQ(d.GPList.capacity(), 3u);
}

TEST(TemplateReader, PropertiesInAnyOrder)
{
    StoredDocument d;
    ASSERT_TRUE(readTemplate(shapeStream(StreamBytes()
                                             .name("Font.Name")
                                             .hex("06 01 61")
                                             .name("VGIndex")
                                             .integer8(9)
                                             .name("Font.Name")
                                             .hex("06 01 62")),
                             d, kPpi));
    EXPECT_EQ(d.GPList.at(0).VGIndex, 9);
    EXPECT_EQ(d.GPList.at(0).Font.Name, QStringLiteral("b"));
}

TEST(TemplateReader, PairsOutOfOrderAmongPairsInOrder)
{
    StoredDocument d;
    ASSERT_TRUE(readTemplate(shapeStream(StreamBytes()
                                             .name("X1")
                                             .hex("05")
                                             .raw(QByteArray::fromHex("00000000000000C00040"))
                                             .name("Row")
                                             .integer8(3)
                                             .name("VGIndex")
                                             .integer8(9)
                                             .name("col")
                                             .integer8(4)
                                             .name("Font.Name")
                                             .hex("06 01 62")
                                             .name("Group")
                                             .integer8(5)),
                             d, kPpi));
    const TGPS& g = d.GPList.at(0);
    EXPECT_EQ(g.X1, 3.0);
    EXPECT_EQ(g.Row, 3);
    EXPECT_EQ(g.VGIndex, 9);
    EXPECT_EQ(g.col, 4);
    EXPECT_EQ(g.Font.Name, QStringLiteral("b"));
    EXPECT_EQ(g.Group, 5);
}

TEST(TemplateReader, ErrorsAfterPairsReadInOrderOrNot)
{
    const std::vector<std::pair<QByteArray, const char*>> cases = {
        {shapeStream(StreamBytes().name("VGIndex").integer8(1).name("Row").hex("06 01 61")),
         "Error reading TVectorGraphics.GPList: Error reading TGPS.Row: Invalid property value"},
        {shapeStream(StreamBytes().name("Row").integer8(1).name("VGIndex").hex("06 01 61")),
         "Error reading TVectorGraphics.GPList: Error reading TGPS.VGIndex: Invalid property "
         "value"},
        {shapeStream(StreamBytes().name("Row").integer8(1).name("Font.Size").integer8(1)),
         "Error reading TVectorGraphics.GPList: Error reading TGPS.Font.Size: Property Size does "
         "not exist"},
        {shapeStream(StreamBytes().name("Font").integer8(1)),
         "Error reading TVectorGraphics.GPList: Error reading TGPS.Font: Invalid property value"},
        {shapeStream(StreamBytes().name("Font.Name.X").hex("06 01 61")),
         "Error reading TVectorGraphics.GPList: Error reading TGPS.Font.Name.X: Invalid property "
         "path"},
    };
    for (const auto& [bytes, message] : cases)
        EXPECT_EQ(readError(bytes), QString::fromLatin1(message)) << message;
}

TEST(TemplateReader, ByteStringsDecodeAsGbk)
{
    StoredDocument d;
    ASSERT_TRUE(readTemplate(shapeStream(StreamBytes()
                                             .name("Caption")
                                             .hex("0C 04 00 00 00 D7 BC BF BC")
                                             .name("Tag")
                                             .hex("06 04 CB CE CC E5")),
                             d, kPpi));
    EXPECT_EQ(d.GPList.at(0).Caption, QStringLiteral("准考"));
    EXPECT_EQ(d.GPList.at(0).Tag, QStringLiteral("宋体"));
}

TEST(TemplateReader, TrailingBytesAreIgnored)
{
    StoredDocument d;
    EXPECT_TRUE(readTemplate(writeTemplate(fullDocument()) + "junk", d, kPpi));
    EXPECT_EQ(d, fullDocument());
}

TEST(TemplateReader, DocumentKeepsWhatWasReadBeforeAnError)
{
    StoredDocument d;
    EXPECT_FALSE(readTemplate(
        documentStream(StreamBytes().name("Modal").integer8(4).name("Locked").integer8(1)), d,
        kPpi));
    EXPECT_EQ(d.Modal, 4);
    EXPECT_FALSE(d.Locked);
}

struct ErrorCase
{
    const char* label;
    QByteArray bytes;
    const char* message;
};

TEST(TemplateReader, Errors)
{
    const QByteArray nan = QByteArray::fromHex("00 00 00 00 00 00 00 C0 FF 7F");
    const QByteArray huge = QByteArray::fromHex("00 00 00 00 00 00 00 80 00 44");
    const std::vector<ErrorCase> cases = {
        {"empty", QByteArray(), "Stream read error"},
        {"short signature", "TPF", "Stream read error"},
        {"wrong signature", "TPF1\x0fTVectorGraphics", "Invalid stream format"},
        {"ends after signature", "TPF0", "Stream read error"},
        {"class name cut", StreamBytes().ascii("TPF0").hex("0F").ascii("TVector"),
         "Stream read error"},
        {"no end of properties", StreamBytes().header(), "Stream read error"},
        {"no end of sub-components", StreamBytes().header().hex("00"), "Stream read error"},
        {"a sub-component", StreamBytes().header().hex("00 05"), "Invalid stream format"},
        {"name cut", StreamBytes().header().hex("05").ascii("Mod"), "Stream read error"},
        {"value missing", StreamBytes().header().name("Modal"),
         "Error reading TVectorGraphics.Modal: Stream read error"},
        {"integer cut", StreamBytes().header().name("Modal").hex("04 01 00"),
         "Error reading TVectorGraphics.Modal: Stream read error"},
        {"unknown property", documentStream(StreamBytes().name("Colour").integer8(1)),
         "Error reading TVectorGraphics.Colour: Property Colour does not exist"},
        {"names are matched exactly", documentStream(StreamBytes().name("modal").integer8(1)),
         "Error reading TVectorGraphics.modal: Property modal does not exist"},
        {"path through a plain value", documentStream(StreamBytes().name("Modal.X").integer8(1)),
         "Error reading TVectorGraphics.Modal.X: Invalid property path"},
        {"path into a collection", documentStream(StreamBytes().name("Papers.Count").integer8(1)),
         "Error reading TVectorGraphics.Papers.Count: Property Count does not exist"},
        {"unknown list property", documentStream(StreamBytes().name("Geifen.Text").hex("01 00")),
         "Error reading TVectorGraphics.Geifen.Text: Property Text does not exist"},
        {"path through Strings",
         documentStream(StreamBytes().name("Geifen.Strings.X").hex("01 00")),
         "Error reading TVectorGraphics.Geifen.Strings.X: Invalid property path"},
        {"list as a whole", documentStream(StreamBytes().name("Geifen").hex("01 00")),
         "Error reading TVectorGraphics.Geifen: Invalid property value"},
        {"list without list tag", documentStream(StreamBytes().name("Geifen.Strings").hex("06 00")),
         "Error reading TVectorGraphics.Geifen.Strings: Invalid property value"},
        {"list line not a string",
         documentStream(StreamBytes().name("Geifen.Strings").hex("01 02 00 00")),
         "Error reading TVectorGraphics.Geifen.Strings: Invalid property value"},
        {"float for an integer", documentStream(StreamBytes().name("Modal").hex("05").raw(nan)),
         "Error reading TVectorGraphics.Modal: Invalid property value"},
        {"64-bit integer tag",
         documentStream(StreamBytes().name("Modal").hex("13 00 00 00 00 00 00 00 00")),
         "Error reading TVectorGraphics.Modal: Invalid property value"},
        {"unknown tag", documentStream(StreamBytes().name("Modal").hex("7F")),
         "Error reading TVectorGraphics.Modal: Invalid property value"},
        {"integer for a boolean", documentStream(StreamBytes().name("Locked").integer8(1)),
         "Error reading TVectorGraphics.Locked: Invalid property value"},
        {"unknown boolean name", documentStream(StreamBytes().name("Locked").ident("Yes")),
         "Error reading TVectorGraphics.Locked: Invalid property value"},
        {"NaN", documentStream(StreamBytes().name("DWW").hex("05").raw(nan)),
         "Error reading TVectorGraphics.DWW: Invalid property value"},
        {"beyond double range", documentStream(StreamBytes().name("DWW").hex("05").raw(huge)),
         "Error reading TVectorGraphics.DWW: Invalid property value"},
        {"string for a float", documentStream(StreamBytes().name("DWW").hex("06 01 31")),
         "Error reading TVectorGraphics.DWW: Invalid property value"},
        {"integer for a string", documentStream(StreamBytes().name("CopyRight").integer8(1)),
         "Error reading TVectorGraphics.CopyRight: Invalid property value"},
        {"long string beyond the end",
         documentStream(StreamBytes().name("CopyRight").hex("0C FF FF FF FF 41")),
         "Error reading TVectorGraphics.CopyRight: Stream read error"},
        {"wide string beyond the end",
         documentStream(StreamBytes().name("CopyRight").hex("12 FF FF FF 7F 41 00")),
         "Error reading TVectorGraphics.CopyRight: Stream read error"},
        {"UTF-8 string beyond the end",
         documentStream(StreamBytes().name("CopyRight").hex("14 00 00 00 80")),
         "Error reading TVectorGraphics.CopyRight: Stream read error"},
        {"short string beyond the end", StreamBytes().header().name("CopyRight").hex("06 09 41"),
         "Error reading TVectorGraphics.CopyRight: Stream read error"},
        {"collection tag missing", documentStream(StreamBytes().name("Papers").hex("01 00")),
         "Error reading TVectorGraphics.Papers: Invalid property value"},
        {"collection item without list tag",
         documentStream(StreamBytes().name("Papers").hex("0E 06 00 00")),
         "Error reading TVectorGraphics.Papers: Invalid property value"},
        {"collection cut", StreamBytes().header().name("Papers").hex("0E 01"),
         "Error reading TVectorGraphics.Papers: Stream read error"},
        {"item property error is wrapped twice",
         documentStream(
             StreamBytes().name("Papers").hex("0E 01").name("PaperType").hex("06 02 41 42 00 00")),
         "Error reading TVectorGraphics.Papers: Error reading TPaper.PaperType: "
         "Invalid property value"},
        {"empty character",
         documentStream(
             StreamBytes().name("Papers").hex("0E 01").name("PaperType").hex("06 00 00 00")),
         "Error reading TVectorGraphics.Papers: Error reading TPaper.PaperType: "
         "Invalid property value"},
        {"unknown enumeration member",
         documentStream(
             StreamBytes().name("Papers").hex("0E 01").name("PageSize").ident("A7").hex("00 00")),
         "Error reading TVectorGraphics.Papers: Error reading TPaper.PageSize: "
         "Invalid property value"},
        {"enumeration members are matched exactly",
         documentStream(
             StreamBytes().name("Papers").hex("0E 01").name("PageSize").ident("a4").hex("00 00")),
         "Error reading TVectorGraphics.Papers: Error reading TPaper.PageSize: "
         "Invalid property value"},
        {"boolean tag for an enumeration", shapeStream(StreamBytes().name("Aspect").hex("09")),
         "Error reading TVectorGraphics.GPList: Error reading TGPS.Aspect: "
         "Invalid property value"},
        {"unknown font property", shapeStream(StreamBytes().name("Font.Size").integer8(9)),
         "Error reading TVectorGraphics.GPList: Error reading TGPS.Font.Size: "
         "Property Size does not exist"},
        {"path through a font value",
         shapeStream(StreamBytes().name("Font.Name.Length").integer8(9)),
         "Error reading TVectorGraphics.GPList: Error reading TGPS.Font.Name.Length: "
         "Invalid property path"},
        {"font as a whole", shapeStream(StreamBytes().name("Font").hex("0D")),
         "Error reading TVectorGraphics.GPList: Error reading TGPS.Font: "
         "Invalid property value"},
        {"unknown colour name", shapeStream(StreamBytes().name("Pen.Color").ident("clPink")),
         "Error reading TVectorGraphics.GPList: Error reading TGPS.Pen.Color: "
         "Invalid property value"},
        {"boolean for a colour", shapeStream(StreamBytes().name("Pen.Color").hex("08")),
         "Error reading TVectorGraphics.GPList: Error reading TGPS.Pen.Color: "
         "Invalid property value"},
        {"unknown charset name",
         shapeStream(StreamBytes().name("Font.Charset").ident("KLINGON_CHARSET")),
         "Error reading TVectorGraphics.GPList: Error reading TGPS.Font.Charset: "
         "Invalid property value"},
        {"charset beyond a byte", shapeStream(StreamBytes().name("Font.Charset").hex("03 00 01")),
         "Error reading TVectorGraphics.GPList: Error reading TGPS.Font.Charset: "
         "Invalid property value"},
        {"set without set tag",
         shapeStream(StreamBytes().name("Font.Style").hex("07 06").ascii("fsBold")),
         "Error reading TVectorGraphics.GPList: Error reading TGPS.Font.Style: "
         "Invalid property value"},
        {"set cut",
         StreamBytes()
             .header()
             .name("GPList")
             .hex("0E 01")
             .name("Font.Style")
             .hex("0B 06")
             .ascii("fsBold"),
         "Error reading TVectorGraphics.GPList: Error reading TGPS.Font.Style: "
         "Stream read error"},
        {"text line cut",
         StreamBytes().header().name("GPList").hex("0E 01").name("Text.Strings").hex("01 06 01 41"),
         "Error reading TVectorGraphics.GPList: Error reading TGPS.Text.Strings: "
         "Stream read error"},
    };
    for (const ErrorCase& c : cases)
        EXPECT_EQ(readError(c.bytes), QString::fromUtf8(c.message)) << c.label;
}

} // namespace
} // namespace sw::test
