#include "document/templatestream.h"
#include "document_support.h"
#include "shapes/ellipse.h"
#include "shapes/line.h"
#include "shapes/linelist.h"
#include "shapes/mhsb.h"
#include "shapes/posrect.h"
#include "shapes/rectbarcode.h"
#include "shapes/rectgrid.h"
#include "shapes/recttext.h"
#include "shapes/rimage.h"
#include "shapes/roundrect.h"
#include "shapes/triangle.h"

#include <gtest/gtest.h>

namespace sw::test {
namespace {

QString describe(const TFont& f)
{
    return QStringLiteral("%1/%2/%3/%4/%5/%6")
        .arg(f.Name)
        .arg(f.Height)
        .arg(f.Color)
        .arg(f.Style)
        .arg(f.Charset)
        .arg(int(f.Pitch));
}

// Every stored field of a shape, as text.
QStringList describe(const TGraphics& shape)
{
    QStringList d;
    d << QStringLiteral("kind %1 group %2 tag %3").arg(shape.Kind).arg(shape.Group).arg(shape.Tag);
    d << QStringLiteral("pen %1 %2 %3 %4")
             .arg(shape.Pen.Color)
             .arg(shape.Pen.Width)
             .arg(int(shape.Pen.Style))
             .arg(int(shape.Pen.Mode));
    d << QStringLiteral("brush %1 %2").arg(shape.Brush.Color).arg(int(shape.Brush.Style));
    const TRect r = shape.GetBounds();
    d << QStringLiteral("bounds %1 %2 %3 %4").arg(r.Left).arg(r.Top).arg(r.Right).arg(r.Bottom);
    if (const auto* s = dynamic_cast<const TRoundRect*>(&shape))
        d << QStringLiteral("radius %1").arg(s->Radius);
    if (const auto* s = dynamic_cast<const TRectText*>(&shape))
        d << s->Lines << describe(s->Font);
    if (const auto* s = dynamic_cast<const TRectGrid*>(&shape))
        d << QStringLiteral("grid %1 %2 %3 %4 %5 %6")
                 .arg(s->GridHeight)
                 .arg(s->Gridwidth)
                 .arg(s->RowSpace)
                 .arg(s->ColSpace)
                 .arg(s->Row)
                 .arg(s->col);
    if (const auto* s = dynamic_cast<const TRectKg*>(&shape)) {
        d << s->KeyText << s->FormatText << describe(s->Font) << describe(s->NumberFont);
        d << QStringLiteral("kg %1 %2 %3 %4 %5 %6 %7 %8 %9")
                 .arg(s->Spread)
                 .arg(s->Aspect)
                 .arg(s->TextType)
                 .arg(s->ShowType)
                 .arg(s->ShowNumber)
                 .arg(s->OptionType)
                 .arg(s->StartNumberAgg)
                 .arg(s->GLZG)
                 .arg(s->ReadType);
        d << QStringLiteral("cells %1 %2 %3 %4 %5 %6")
                 .arg(s->GridHeight)
                 .arg(s->Gridwidth)
                 .arg(s->RowSpace)
                 .arg(s->ColSpace)
                 .arg(s->Row)
                 .arg(s->col);
    }
    if (const auto* s = dynamic_cast<const TTriangle*>(&shape))
        d << QStringLiteral("aspect %1").arg(s->Aspect);
    if (const auto* s = dynamic_cast<const TRectZg*>(&shape))
        d << QStringLiteral("zg %1 %2 %3").arg(s->Question).arg(s->Number).arg(s->XZT) << s->Caption
          << s->XZTH;
    if (const auto* s = dynamic_cast<const TRImage*>(&shape))
        d << s->PicturePath;
    if (const auto* s = dynamic_cast<const TMHSB*>(&shape))
        d << QStringLiteral("mhsb %1 %2 %3 %4")
                 .arg(s->Number)
                 .arg(s->SBSL)
                 .arg(s->PointX)
                 .arg(s->PointY)
          << s->PointList;
    if (const auto* s = dynamic_cast<const TLinelist*>(&shape))
        d << s->Lines << describe(s->Font) << QString::number(s->Row);
    return d;
}

TFont unusualFont(int height)
{
    TFont font;
    font.Name = QStringLiteral("宋体");
    font.Height = height;
    font.Color = 0x0000FF;
    font.Style = fontStyleBit(fsBold) | fontStyleBit(fsItalic);
    font.Charset = GB2312_CHARSET;
    font.Pitch = fpFixed;
    return font;
}

// One shape of every kind that has a class, every stored field set to a value
// other than the class's default.
void addEveryKind(TVectorGraph& page)
{
    int offset = 0;
    const auto next = [&offset](TGraphics& shape) -> TGraphics& {
        offset += 7;
        shape.Pen = TPen{0x123456, 3, psDot, pmNotXor};
        shape.Brush = TBrush{0x00FF00, bsClear};
        shape.Group = 4 + offset;
        shape.Tag = QStringLiteral("标记%1").arg(offset);
        return shape;
    };
    auto line = std::make_unique<TLine>(TPoint{15, 80}, TPoint{95, 20}, 1.0, 1.0);
    next(*line);
    page.AddShape(std::move(line));

    next(addBox<TRectangle>(page, {11, 12, 113, 114}));
    auto round = std::make_unique<TRoundRect>(TPoint{20, 30}, TPoint{220, 130}, 1.0, 1.0, 25);
    next(*round);
    page.AddShape(std::move(round));

    auto& text = addBox<TRectText>(page, {40, 50, 240, 90});
    next(text);
    text.Lines = QStringList{QStringLiteral("准考证号"), QStringLiteral("second line"), QString()};
    text.SetFont(unusualFont(-16));

    next(addBox<TEllipse>(page, {33, 44, 55, 66}));

    auto& grid = addBox<TRectGrid>(page, {60, 70, 300, 400});
    next(grid);
    grid.GridHeight = 21;
    grid.Gridwidth = 23;
    grid.RowSpace = 5;
    grid.ColSpace = 6;
    grid.Row = 7;
    grid.col = 8;

    auto& bubbles = addBox<TRectKg>(page, {70, 80, 150, 135});
    next(bubbles);
    bubbles.FormatText = QStringLiteral("ABCD");
    bubbles.KeyText = QStringLiteral("AC");
    bubbles.Spread = true;
    bubbles.Aspect = ALeft;
    bubbles.StartNumberAgg = 5;
    bubbles.TextType = RSZGF;
    bubbles.ShowType = SOuter;
    bubbles.OptionType = Multi;
    bubbles.GLZG = 12;
    bubbles.ShowNumber = true;
    bubbles.SetFont(unusualFont(-13));
    bubbles.SetNumberFont(unusualFont(-20));
    bubbles.GridHeight = 13;
    bubbles.Gridwidth = 19;
    bubbles.RowSpace = 4;
    bubbles.ColSpace = 6;
    bubbles.Row = 2;
    bubbles.col = 4;
    bubbles.ReadType = 1;

    auto& triangle = addBox<TTriangle>(page, {10, 10, 30, 50});
    next(triangle);
    triangle.Aspect = AUp;

    auto& cut = addBox<TRectZg>(page, {100, 500, 700, 800});
    next(cut);
    cut.Question = 12;
    cut.Number = 2;
    cut.Caption = QStringLiteral("作文 essay");
    cut.XZT = true;
    cut.XZTH = QStringLiteral("12,13");

    next(addBox<TPosRect>(page, {5, 6, 28, 21}));
    next(addBox<TRectbarcode>(page, {400, 100, 600, 180}));

    auto& picture = addBox<TRImage>(page, {300, 300, 380, 360});
    next(picture);
    picture.PicturePath = QStringLiteral("C:\\pictures\\校徽.bmp");

    auto& fuzzy = addBox<TMHSB>(page, {500, 600, 560, 650});
    next(fuzzy);
    fuzzy.Number = 2;
    fuzzy.SBSL = 345;
    fuzzy.PointList = QStringLiteral("1,2;3,4;10,12");
    fuzzy.PointX = 529;
    fuzzy.PointY = 631;

    auto& lines = addBox<TLinelist>(page, {50, 900, 650, 960});
    next(lines);
    lines.Lines = QStringList{QStringLiteral("姓名\\\\1|班级\\\\2"), QStringLiteral("\\\\1")};
    lines.SetFont(unusualFont(-20));
    lines.Row = 2;
}

TEST(RoundTrip, EveryKindKeepsEveryStoredField)
{
    auto document = documentWithPages(1);
    TVectorGraph& page = *document->ActivePage();
    page.PicturePath = QStringLiteral("D:\\scans\\第一页.jpg");
    page.Left = -12;
    page.Top = 34;
    page.LeftMargin = 11.5;
    page.RightMargin = 12.25;
    page.TopMargin = 13.0;
    page.BottomMargin = 14.75;
    page.PageSize = B4;
    page.Width = 364.0;
    page.Height = 257.0;
    page.Orientation = poLandscape;
    document->Modal = 3;
    document->Locked = true;
    document->DWW = 7.5;
    document->DWH = 5.25;
    document->Geifen = QStringList{QStringLiteral("一"), QStringLiteral("two")};
    document->CopyRight = QStringLiteral("copy right");
    addEveryKind(page);
    QList<QStringList> before;
    for (const auto& shape : page.Shapes())
        before << describe(*shape);

    TVectorGraphics loaded(test::ScreenDpi);
    QString error;
    ASSERT_TRUE(loadFromBytes(loaded, saveToBytes(*document), &error)) << error.toStdString();

    ASSERT_EQ(loaded.PageCount(), 1);
    const TVectorGraph& copy = *loaded.PageAt(0);
    EXPECT_EQ(copy.PaperType, QChar('A'));
    EXPECT_EQ(copy.PicturePath, page.PicturePath);
    EXPECT_EQ(copy.Left, -12);
    EXPECT_EQ(copy.Top, 34);
    EXPECT_EQ(copy.LeftMargin, 11.5);
    EXPECT_EQ(copy.RightMargin, 12.25);
    EXPECT_EQ(copy.TopMargin, 13.0);
    EXPECT_EQ(copy.BottomMargin, 14.75);
    EXPECT_EQ(copy.PageSize, B4);
    EXPECT_EQ(copy.Width, 364.0);
    EXPECT_EQ(copy.Height, 257.0);
    EXPECT_EQ(copy.Orientation, poLandscape);
    EXPECT_EQ(copy.PageNumber, 0);
    EXPECT_EQ(copy.ScaleX, 1.0);
    EXPECT_EQ(loaded.Modal, 3);
    EXPECT_TRUE(loaded.Locked);
    EXPECT_EQ(loaded.DWW, 7.5);
    EXPECT_EQ(loaded.DWH, 5.25);
    EXPECT_EQ(loaded.Geifen, document->Geifen);
    EXPECT_EQ(loaded.CopyRight, QStringLiteral("copy right"));

    ASSERT_EQ(copy.ShapeCount(), int(before.size()));
    for (int i = 0; i < copy.ShapeCount(); ++i) {
        EXPECT_EQ(describe(*copy.ShapeItem(i)), before[i]) << i;
        EXPECT_FALSE(copy.ShapeItem(i)->Selected);
        EXPECT_FALSE(copy.ShapeItem(i)->Locked);
    }
}

TEST(RoundTrip, HorizontalAndVerticalLinesComeBackAsPlainLines)
{
    auto document = documentWithPages(1);
    TVectorGraph& page = *document->ActivePage();
    page.AddShape(std::make_unique<THLine>(TPoint{10, 100}, TPoint{300, 100}, 1.0, 1.0));
    page.AddShape(std::make_unique<TVLine>(TPoint{40, 20}, TPoint{40, 220}, 1.0, 1.0));
    saveToBytes(*document);
    EXPECT_EQ(document->GPList[7].GType, GHline);
    EXPECT_EQ(document->GPList[8].GType, GVline);

    TVectorGraphics loaded(test::ScreenDpi);
    ASSERT_TRUE(loadFromBytes(loaded, saveToBytes(*document)));
    const TVectorGraph& copy = *loaded.PageAt(0);
    const TRect expected[] = {{10, 100, 300, 100}, {40, 20, 40, 220}};
    for (int i = 0; i < 2; ++i) {
        const TGraphics& line = *copy.ShapeItem(7 + i);
        EXPECT_EQ(typeid(line), typeid(TLine));
        EXPECT_EQ(line.Kind, GLine);
        EXPECT_EQ(line.KindName, QStringLiteral("直线"));
        EXPECT_EQ(line.GetBounds(), expected[i]);
    }
}

TEST(RoundTrip, LengthsAreStoredAsExactMillimetres)
{
    auto document = documentWithPages(1);
    TRectKg& box = test::addBubbleBox(*document->ActivePage(), RSResult);
    box.Gridwidth = 19;
    saveToBytes(*document);
    EXPECT_DOUBLE_EQ(document->GPList.back().Gridwidth, 19 / (96 / 25.4));

    TVectorGraphics loaded(test::ScreenDpi);
    ASSERT_TRUE(loadFromBytes(loaded, saveToBytes(*document)));
    EXPECT_EQ(dynamic_cast<TRectKg*>(loaded.PageAt(0)->ShapeItem(7))->Gridwidth, 19);
}

TEST(RoundTrip, PositioningBoxRecordHoldsTheRoundedPixelsInMillimetres)
{
    auto document = documentWithPages(1);
    document->RenumberPages();
    document->LayoutMarks();
    saveToBytes(*document);
    ASSERT_EQ(document->Papers.size(), 1u);
    EXPECT_EQ(document->Papers[0].PageNumber, 1);
    const TGPS& box = document->GPList.front();
    EXPECT_EQ(box.GType, GDw);
    EXPECT_EQ(box.VGIndex, 0);
    EXPECT_DOUBLE_EQ(box.X1, 38 / (96 / 25.4));
    EXPECT_DOUBLE_EQ(box.Y1, 38 / (96 / 25.4));
    EXPECT_DOUBLE_EQ(box.X2, 61 / (96 / 25.4));
    EXPECT_DOUBLE_EQ(box.Y2, 53 / (96 / 25.4));
    EXPECT_TRUE(box.Locked);
    EXPECT_EQ(box.StartNumber, 0);
}

TEST(SaveToStream, DropsBubbleBoxesWithoutRowsOrColumns)
{
    auto document = documentWithPages(2);
    TVectorGraph& page = *document->PageAt(1);
    TRectKg& noRows = test::addBubbleBox(page, RSResult);
    noRows.Row = 0;
    test::addBubbleBox(page, RSResult).col = 0;
    TRectKg& kept = test::addBubbleBox(page, RSResult);
    document->ActiveShape = &noRows;

    saveToBytes(*document);

    EXPECT_EQ(page.ShapeCount(), 8);
    EXPECT_EQ(page.ShapeItem(7), &kept);
    EXPECT_EQ(document->ActiveShape, nullptr);
    EXPECT_EQ(int(document->GPList.size()), 7 + 8);
}

TEST(SaveToStream, StoresCutBoxesOfAPageByQuestion)
{
    auto document = documentWithPages(2);
    TVectorGraph& page = *document->PageAt(1);
    test::addCutBox(page, 5);
    TRectangle& between = addBox<TRectangle>(page, {1, 2, 3, 4});
    test::addCutBox(page, 3, 1);
    test::addBubbleBox(page, RSResult);
    test::addCutBox(page, 3, 2);
    test::addCutBox(page, 9);

    saveToBytes(*document);
    QStringList stored;
    for (std::size_t i = 14; i < document->GPList.size(); ++i) {
        const TGPS& r = document->GPList[i];
        stored << (r.GType == GZg ? QStringLiteral("%1-%2").arg(r.Question).arg(r.Number)
                                  : QString::number(r.GType));
    }
    EXPECT_EQ(stored, (QStringList{"3-1", "3-2", "5-1", "1", "6", "9-1"}));

    TVectorGraphics loaded(test::ScreenDpi);
    ASSERT_TRUE(loadFromBytes(loaded, saveToBytes(*document)));
    const TVectorGraph& copy = *loaded.PageAt(1);
    EXPECT_EQ(dynamic_cast<TRectZg*>(copy.ShapeItem(7))->Number, 1);
    EXPECT_EQ(dynamic_cast<TRectZg*>(copy.ShapeItem(8))->Number, 2);
    EXPECT_EQ(dynamic_cast<TRectZg*>(copy.ShapeItem(9))->Question, 5);
    EXPECT_EQ(copy.ShapeItem(10)->GetBounds(), between.GetBounds());
}

TEST(SaveToStream, RecognitionModeStoresOnlyRecognitionShapes)
{
    auto document = documentWithPages(1);
    TVectorGraph& page = *document->ActivePage();
    addEveryKind(page);
    saveToBytes(*document, SaveRecognitionShapes);
    QList<TGraphicsType> kinds;
    for (const TGPS& r : document->GPList) {
        if (!kinds.contains(r.GType))
            kinds << r.GType;
    }
    EXPECT_EQ(kinds, (QList<TGraphicsType>{GDw, GKg, GZg, Gbarcode, GMHSB}));
}

TEST(SaveToStream, RecordModeWritesTheRecordsAsTheyAre)
{
    auto document = documentWithPages(1);
    const QByteArray first = saveToBytes(*document);
    test::addCutBox(*document->ActivePage(), 4);
    EXPECT_EQ(saveToBytes(*document, SaveRecordsAsTheyAre), first);
    EXPECT_NE(saveToBytes(*document), first);

    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QString error;
    EXPECT_FALSE(document->SaveToStream(2, buffer, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(SaveToStream, WritesTheSameBytesAgainAndAfterALoad)
{
    auto document = documentWithPages(2);
    document->NewPage(-1, -1);
    addEveryKind(*document->PageAt(1));
    document->RenumberPages();
    document->LayoutMarks();
    const QByteArray first = saveToBytes(*document);
    ASSERT_FALSE(first.isEmpty());
    EXPECT_EQ(saveToBytes(*document), first);

    TVectorGraphics loaded(test::ScreenDpi);
    ASSERT_TRUE(loadFromBytes(loaded, first));
    loaded.RenumberPages();
    loaded.LayoutMarks();
    EXPECT_EQ(saveToBytes(loaded), first);
}

TEST(LoadFromStream, SkipsRecordsOfKindsWithoutAShapeClass)
{
    StoredDocument stored;
    stored.Papers.resize(1);
    stored.Papers[0].PaperType = QChar('A');
    for (const TGraphicsType kind : {GErrorImg, GRectangle, GOkImg, gsinline}) {
        TGPS record(test::ScreenDpi);
        record.GType = kind;
        record.X2 = record.Y2 = 10.0;
        stored.GPList.push_back(record);
    }
    TVectorGraphics loaded(test::ScreenDpi);
    ASSERT_TRUE(loadFromBytes(loaded, writeTemplate(stored)));
    ASSERT_EQ(loaded.PageAt(0)->ShapeCount(), 1);
    EXPECT_EQ(loaded.PageAt(0)->ShapeItem(0)->Kind, GRectangle);
    EXPECT_EQ(loaded.PageAt(0)->ShapeItem(0)->GetBounds(), (TRect{0, 0, 38, 38}));
}

// A load that fails leaves the document as it was: same pages, same shapes,
// same active shape, nothing half built.
class FailedLoad : public ::testing::Test
{
protected:
    void SetUp() override
    {
        document = documentWithPages(2);
        document->Modal = 2;
        active = document->PageAt(1)->ShapeItem(6);
        document->ActiveShape = active;
        document->CurrentPage = 1;
        first = document->PageAt(0);
        second = document->PageAt(1);
    }

    void expectUnchanged() const
    {
        ASSERT_EQ(document->PageCount(), 2);
        EXPECT_EQ(document->PageAt(0), first);
        EXPECT_EQ(document->PageAt(1), second);
        EXPECT_EQ(second->ShapeCount(), 7);
        EXPECT_EQ(document->ActiveShape, active);
        EXPECT_EQ(document->CurrentPage, 1);
        EXPECT_EQ(document->Modal, 2);
    }

    std::unique_ptr<TVectorGraphics> document;
    TGraphics* active = nullptr;
    TVectorGraph* first = nullptr;
    TVectorGraph* second = nullptr;
};

TEST_F(FailedLoad, OnARecordOfAMissingPage)
{
    StoredDocument stored;
    stored.Modal = 4;
    stored.Papers.resize(1);
    for (const int page : {0, 1}) {
        TGPS record(test::ScreenDpi);
        record.GType = GRectangle;
        record.VGIndex = page;
        stored.GPList.push_back(record);
    }
    QString error;
    EXPECT_FALSE(loadFromBytes(*document, writeTemplate(stored), &error));
    EXPECT_EQ(error, QStringLiteral("List index out of bounds (1)"));
    expectUnchanged();
}

TEST_F(FailedLoad, OnATruncatedOrForeignStream)
{
    const QByteArray whole = saveToBytes(*documentWithPages(3));
    for (const QByteArray& bytes :
         {whole.left(whole.size() / 2), QByteArray("PK\3\4 zip"), QByteArray()}) {
        QString error;
        EXPECT_FALSE(loadFromBytes(*document, bytes, &error));
        EXPECT_FALSE(error.isEmpty());
        expectUnchanged();
    }
}

TEST(LoadFromStream, ReplacesTheDocumentAndResetsTheEditingState)
{
    auto source = documentWithPages(3);
    source->Modal = 1;
    const QByteArray bytes = saveToBytes(*source);

    auto document = documentWithPages(1);
    document->ActivePage()->SetScaleX(2.0);
    document->ActiveShape = document->ActivePage()->ShapeItem(6);
    document->Geifen = QStringList{QStringLiteral("old")};
    ASSERT_TRUE(loadFromBytes(*document, bytes));
    EXPECT_EQ(document->PageCount(), 3);
    EXPECT_EQ(document->ActiveShape, nullptr);
    EXPECT_EQ(document->CurrentPage, 0);
    EXPECT_EQ(document->Modal, 1);
    EXPECT_TRUE(document->Geifen.isEmpty());
    EXPECT_EQ(document->PageAt(0)->ScaleX, 1.0);
    EXPECT_EQ(document->Papers.size(), 3u);
}

TEST(ShapeFromRecord, PlacesTheShapeAtTheZoomOfTheTargetPage)
{
    auto document = documentWithPages(1);
    TVectorGraph& page = *document->ActivePage();
    TRectangle& box = addBox<TRectangle>(page, {100, 60, 200, 90});
    document->GPList.clear();
    document->RecordFromShape(0, box);
    page.SetScaleX(2.0);
    page.SetScaleY(1.5);

    TGraphics* pasted = document->ShapeFromRecord(page, 0, true);
    ASSERT_NE(pasted, nullptr);
    EXPECT_EQ(page.ShapeItem(page.ShapeCount() - 1), pasted);
    EXPECT_EQ(pasted->GetBounds(), (TRect{100, 60, 200, 90}));
    EXPECT_EQ(pasted->ScaleX, 2.0);
    EXPECT_EQ(pasted->ScaleY, 1.5);
    EXPECT_TRUE(pasted->Selected);
    // Handles sit on the device corners at that zoom: (400, 135) bottom right.
    EXPECT_EQ(dynamic_cast<TRectangle*>(pasted)->Handles[7], (TRect{397, 132, 403, 138}));
}

} // namespace
} // namespace sw::test
