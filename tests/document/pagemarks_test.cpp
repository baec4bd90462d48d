#include "document/pagemarks.h"
#include "document_support.h"
#include "shapes/line.h"
#include "shapes/mhsb.h"
#include "shapes/rectbarcode.h"
#include "shapes/rimage.h"

#include <gtest/gtest.h>

namespace sw::test {
namespace {

TRectKg& paperTypeMark(TVectorGraph& page)
{
    return *dynamic_cast<TRectKg*>(page.ShapeItem(4));
}

TRectKg& pageNumberMark(TVectorGraph& page)
{
    return *dynamic_cast<TRectKg*>(page.ShapeItem(5));
}

TEST(MarkPattern, EncodesTheValueInTheWeightsOfTheCells)
{
    const struct
    {
        const char* format;
        int value;
        const char* expected;
    } cases[] = {
        {"12", 0, "00"},
        {"12", 1, "10"},
        {"12", 2, "02"},
        {"21", 0, "00"},
        {"21", 1, "01"},
        {"21", 2, "20"},
        {"1248", 0, "0000"},
        {"1248", 3, "1200"},
        {"1248", 5, "1040"},
        {"1248", 13, "1048"},
        {"1248", 15, "1248"},
        {"8421", 1, "0001"},
        {"8421", 5, "0401"},
        {"8421", 6, "0420"},
        {"8421", 15, "8421"},
        // Values a mark cannot show fill no cell.
        {"12", 3, ""},
        {"21", 26, ""},
        {"1248", 16, ""},
        {"8421", -1, ""},
        {"ABCD", 1, ""},
        {"", 0, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MarkPattern(c.value, QLatin1String(c.format)), QLatin1String(c.expected))
            << c.format << " " << c.value;
}

TEST(PaperTypeNumber, CountsLettersFromOne)
{
    EXPECT_EQ(PaperTypeNumber(QChar('A')), 1);
    EXPECT_EQ(PaperTypeNumber(QChar('Z')), 26);
    EXPECT_EQ(PaperTypeNumber(QChar('a')), 0);
    EXPECT_EQ(PaperTypeNumber(QChar()), 0);
}

TEST(RenumberPages, NumbersEachPaperTypeFromOneInListOrder)
{
    TVectorGraphics document(test::ScreenDpi);
    for (const char letter : {'A', 'A', 'B', 'A'}) {
        auto page = std::make_unique<TVectorGraph>();
        page->PaperType = QChar(letter);
        document.AddPage(std::move(page));
    }
    document.RenumberPages();
    const int expected[] = {1, 2, 1, 1};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(document.PageAt(i)->PageNumber, expected[i]) << i;
}

TEST(RenumberPages, WritesTheCodesOfBothMarks)
{
    TVectorGraphics document(test::ScreenDpi);
    document.NewPage(-1, -1);
    document.NewPage(-1, -1);
    document.NewPage(-1, 1);
    document.NewPage(-1, 2);
    document.NewPage(-1, -1);
    document.RenumberPages();

    TVectorGraph& thirdOfB = *document.PageAt(3);
    ASSERT_EQ(thirdOfB.PaperType, QChar('B'));
    EXPECT_EQ(thirdOfB.PageNumber, 3);
    EXPECT_EQ(paperTypeMark(thirdOfB).KeyText, QStringLiteral("02"));
    EXPECT_EQ(pageNumberMark(thirdOfB).KeyText, QStringLiteral("1200"));

    // Paper type C has no code on a two-cell mark: no cell is filled.
    TVectorGraph& firstOfC = *document.PageAt(4);
    EXPECT_EQ(paperTypeMark(firstOfC).KeyText, QString());
    EXPECT_EQ(pageNumberMark(firstOfC).KeyText, QStringLiteral("1000"));
}

TEST(LayoutMarks, SelfMadeSheetAt96PixelsPerInch)
{
    auto document = documentWithPages(2);
    document->DWW = 8.0;
    document->DWH = 5.0;
    document->MarkCellWidth = 4.0;
    TVectorGraph& page = *document->PageAt(1);
    addBox<TRectangle>(page, {0, 0, 1, 1});
    document->RenumberPages();
    document->LayoutMarks();

    EXPECT_EQ(document->DWW, 6.0);
    EXPECT_EQ(document->DWH, 4.0);
    EXPECT_EQ(document->MarkCellWidth, 3.0);
    const TRect boxes[] = {
        {38, 38, 61, 53}, {733, 38, 756, 53}, {38, 1070, 61, 1085}, {733, 1070, 756, 1085}};
    for (int j = 0; j < 4; ++j) {
        const auto* box = dynamic_cast<TRectangle*>(page.ShapeItem(j));
        EXPECT_EQ(box->Bounds, boxes[j]) << j;
        EXPECT_TRUE(box->Locked);
        EXPECT_TRUE(box->Visible);
        EXPECT_EQ(box->Pen.Color, clBlack);
        EXPECT_EQ(box->Brush.Style, bsSolid);
    }
    const TPoint starts[] = {{113, 38}, {227, 38}};
    for (int m = 0; m < 2; ++m) {
        const TRectKg& mark = m == 0 ? paperTypeMark(page) : pageNumberMark(page);
        EXPECT_EQ(mark.TopLeft, starts[m]) << m;
        EXPECT_EQ(mark.Gridwidth, 11);
        EXPECT_EQ(mark.GridHeight, 15);
        EXPECT_EQ(mark.ColSpace, 8);
        EXPECT_EQ(mark.Row, 1);
        EXPECT_EQ(mark.col, 4);
        EXPECT_EQ(mark.Aspect, ARight);
        EXPECT_TRUE(mark.Locked);
        EXPECT_TRUE(mark.Visible);
        EXPECT_EQ(mark.Brush.Style, bsSolid);
        EXPECT_EQ(mark.Pen.Color, clBlack);
    }
    for (int i = 6; i < page.ShapeCount(); ++i)
        EXPECT_TRUE(page.ShapeItem(i)->Visible) << i;
}

// Visibility of the positioning boxes, the two marks (on page number 1 and
// on page number 2) and a line, for the overlay modes.
TEST(LayoutMarks, OverlayModesShowOnlyTheRecognitionShapes)
{
    const struct
    {
        int modal;
        bool boxes;
        bool paperTypeOnFirst, paperTypeOnSecond;
        bool pageNumber;
    } cases[] = {
        {1, true, true, false, false},
        {2, true, true, true, true},
        {3, true, true, false, false},
        {4, false, true, false, false},
    };
    for (const auto& c : cases) {
        auto document = documentWithPages(2);
        document->Modal = c.modal;
        std::vector<TGraphics*> shown, hidden;
        for (int p = 0; p < 2; ++p) {
            TVectorGraph& page = *document->PageAt(p);
            shown.push_back(&test::addBubbleBox(page, RSResult));
            shown.push_back(&test::addCutBox(page, 1));
            shown.push_back(&addBox<TRectbarcode>(page, {5, 5, 50, 50}));
            shown.push_back(&addBox<TMHSB>(page, {5, 5, 50, 50}));
            hidden.push_back(&addBox<TRectangle>(page, {5, 5, 50, 50}));
            hidden.push_back(page.ShapeItem(6)); // the text box
            auto line = std::make_unique<TLine>(TPoint{1, 1}, TPoint{9, 9}, 1.0, 1.0);
            hidden.push_back(line.get());
            page.AddShape(std::move(line));
        }
        document->RenumberPages();
        document->LayoutMarks();

        for (int p = 0; p < 2; ++p) {
            TVectorGraph& page = *document->PageAt(p);
            for (int j = 0; j < 4; ++j) {
                const TGraphics& box = *page.ShapeItem(j);
                EXPECT_EQ(box.Visible, c.boxes) << c.modal;
                EXPECT_FALSE(box.Locked);
                EXPECT_EQ(box.Pen.Color, clRed);
                EXPECT_EQ(box.Brush.Style, bsClear);
            }
            EXPECT_EQ(paperTypeMark(page).Visible,
                      p == 0 ? c.paperTypeOnFirst : c.paperTypeOnSecond)
                << c.modal;
            EXPECT_EQ(pageNumberMark(page).Visible, c.pageNumber) << c.modal;
            for (const TRectKg* mark : {&paperTypeMark(page), &pageNumberMark(page)}) {
                EXPECT_FALSE(mark->Locked);
                EXPECT_EQ(mark->Brush.Style, bsClear);
            }
            EXPECT_EQ(paperTypeMark(page).Pen.Color, clRed);
            EXPECT_EQ(pageNumberMark(page).Pen.Color, clGreen);
        }
        for (const TGraphics* shape : shown)
            EXPECT_TRUE(shape->Visible) << c.modal << " " << shape->Kind;
        for (const TGraphics* shape : hidden)
            EXPECT_FALSE(shape->Visible) << c.modal << " " << shape->Kind;
    }
}

TEST(LayoutMarks, OverlayMarksFollowTheirDirectionAndTheFirstPage)
{
    const struct
    {
        TAspect aspect;
        int paperCol, paperRow;
        const char* paperFormat;
        int pageCol, pageRow;
        const char* pageFormat;
    } cases[] = {
        {ADown, 1, 2, "12", 1, 4, "1248"},
        {ARight, 2, 1, "12", 4, 1, "1248"},
        {AUp, 1, 2, "21", 1, 4, "8421"},
        {ALeft, 2, 1, "21", 4, 1, "8421"},
    };
    for (const auto& c : cases) {
        auto document = documentWithPages(2);
        document->Modal = 2;
        TVectorGraph& first = *document->PageAt(0);
        TVectorGraph& second = *document->PageAt(1);
        for (TRectKg* mark : {&paperTypeMark(first), &pageNumberMark(first)}) {
            mark->Aspect = c.aspect;
            mark->Gridwidth = 20;
            mark->GridHeight = 12;
            mark->RowSpace = 3;
            mark->ColSpace = 5;
        }
        document->LayoutMarks();
        document->LayoutMarks(); // the later page's codes catch up with the copied direction
        document->RenumberPages();

        for (TVectorGraph* page : {&first, &second}) {
            const TRectKg& paper = paperTypeMark(*page);
            const TRectKg& number = pageNumberMark(*page);
            EXPECT_EQ(paper.Aspect, c.aspect);
            EXPECT_EQ(paper.col, c.paperCol) << c.aspect;
            EXPECT_EQ(paper.Row, c.paperRow) << c.aspect;
            EXPECT_EQ(paper.FormatText, QLatin1String(c.paperFormat)) << c.aspect;
            EXPECT_EQ(number.col, c.pageCol) << c.aspect;
            EXPECT_EQ(number.Row, c.pageRow) << c.aspect;
            EXPECT_EQ(number.FormatText, QLatin1String(c.pageFormat)) << c.aspect;
            EXPECT_EQ(number.Gridwidth, 20);
            EXPECT_EQ(number.GridHeight, 12);
            EXPECT_EQ(number.RowSpace, 3);
            EXPECT_EQ(number.ColSpace, 5);
        }
    }
}

TEST(LayoutMarks, UpwardPageNumberMarkOfPageFive)
{
    auto document = documentWithPages(5);
    document->Modal = 2;
    pageNumberMark(*document->PageAt(0)).Aspect = AUp;
    document->LayoutMarks();
    document->LayoutMarks();
    document->RenumberPages();
    const TRectKg& mark = pageNumberMark(*document->PageAt(4));
    EXPECT_EQ(mark.col, 1);
    EXPECT_EQ(mark.Row, 4);
    EXPECT_EQ(mark.FormatText, QStringLiteral("8421"));
    EXPECT_EQ(mark.KeyText, QStringLiteral("0401"));
}

TEST(LayoutMarks, OverlayMarksKeepTheirPlaceButReturnFromNegativeOnes)
{
    auto document = documentWithPages(1);
    document->Modal = 1;
    TRectKg& mark = paperTypeMark(*document->ActivePage());
    mark.SetCorners({300, 400}, {340, 415});
    document->LayoutMarks();
    EXPECT_EQ(mark.TopLeft, (TPoint{300, 400}));

    mark.Left = -4; // as left by a drag past the edge
    document->LayoutMarks();
    EXPECT_EQ(mark.TopLeft, (TPoint{50, 400}));

    mark.Top = -1;
    document->LayoutMarks();
    EXPECT_EQ(mark.TopLeft, (TPoint{50, 50}));
}

TEST(LayoutMarks, PointsPicturesAtTheFolderOfTheTemplate)
{
    auto document = documentWithPages(1);
    TRImage& picture = addBox<TRImage>(*document->ActivePage(), {10, 10, 60, 60});
    document->LayoutMarks();
    EXPECT_TRUE(picture.PictureFolder.isEmpty());

    document->FileName = QStringLiteral("/srv/sheets/maths.exm");
    document->LayoutMarks();
    EXPECT_EQ(picture.PictureFolder, QStringLiteral("/srv/sheets"));
}

TEST(LayoutMarks, LeavesPagesWithoutReservedShapesAlone)
{
    TVectorGraphics document(test::ScreenDpi);
    auto page = std::make_unique<TVectorGraph>();
    page->PaperType = QChar('A');
    auto line = std::make_unique<TLine>(TPoint{1, 1}, TPoint{9, 9}, 1.0, 1.0);
    page->AddShape(std::move(line));
    document.AddPage(std::move(page));
    document.Modal = 2;
    document.RenumberPages();
    document.LayoutMarks();
    EXPECT_EQ(document.PageAt(0)->ShapeItem(0)->GetBounds(), (TRect{1, 1, 9, 9}));
}

} // namespace
} // namespace sw::test
