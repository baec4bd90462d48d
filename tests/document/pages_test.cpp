#include "document_support.h"
#include "shapes/posrect.h"
#include "shapes/rectangle.h"
#include "shapes/recttext.h"

#include <gtest/gtest.h>

namespace sw::test {
namespace {

TEST(NewPage, FirstPageHoldsTheReservedShapesInOrder)
{
    TVectorGraphics document(test::ScreenDpi);
    TVectorGraph* page = document.NewPage(-1, -1);

    ASSERT_EQ(document.PageCount(), 1);
    EXPECT_EQ(page, document.PageAt(0));
    EXPECT_EQ(document.CurrentPage, 0);
    EXPECT_EQ(page->PaperType, QChar('A'));
    EXPECT_EQ(page->PageNumber, 0);
    ASSERT_EQ(page->ShapeCount(), 7);
    for (int i = 0; i < 4; ++i) {
        auto* box = dynamic_cast<TPosRect*>(page->ShapeItem(i));
        ASSERT_NE(box, nullptr) << i;
        EXPECT_EQ(box->Bounds, (TRect{1, 1, 1, 1}));
    }
    const struct
    {
        int index;
        TTextType purpose;
        const char* code;
    } marks[] = {{4, RSPaperType, "12"}, {5, RSPageNumber, "1248"}};
    for (const auto& expected : marks) {
        auto* mark = dynamic_cast<TRectKg*>(page->ShapeItem(expected.index));
        ASSERT_NE(mark, nullptr) << expected.index;
        EXPECT_EQ(mark->TextType, expected.purpose);
        EXPECT_EQ(mark->FormatText, QLatin1String(expected.code));
        EXPECT_EQ(mark->KeyText, QLatin1String(expected.code));
        EXPECT_EQ(mark->Gridwidth, 11);  // 3 mm
        EXPECT_EQ(mark->GridHeight, 15); // DWH 4 mm
        EXPECT_EQ(mark->ColSpace, 8);    // 2 mm
        EXPECT_EQ(mark->Row, 1);
        EXPECT_EQ(mark->col, 4);
        EXPECT_EQ(mark->Aspect, ARight);
        EXPECT_EQ(mark->ShowType, SDeny);
        EXPECT_TRUE(mark->Spread);
        EXPECT_EQ(mark->Pen.Color, clBlack);
        EXPECT_EQ(mark->TopLeft, (TPoint{0, 0}));
    }
    auto* text = dynamic_cast<TRectText*>(page->ShapeItem(6));
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->Lines.isEmpty());
    EXPECT_EQ(text->Bounds, (TRect{0, 0, 0, 0}));
}

TEST(NewPage, NewPaperTypesAreAppendedAndPagesJoinTheTypeOfTheirPosition)
{
    TVectorGraphics document(test::ScreenDpi);
    document.NewPage(-1, -1);
    document.NewPage(-1, -1);
    EXPECT_EQ(document.PageAt(1)->PaperType, QChar('B'));
    EXPECT_EQ(document.CurrentPage, 1);

    document.NewPage(-1, 0);
    ASSERT_EQ(document.PageCount(), 3);
    EXPECT_EQ(document.CurrentPage, 1);
    EXPECT_EQ(document.PageAt(1)->PaperType, QChar('A'));
    EXPECT_EQ(document.PageAt(2)->PaperType, QChar('B'));
    EXPECT_EQ(document.PaperTypes(), QStringLiteral("AB"));
}

TEST(NewPage, CopiesTheShapesOfTheSourcePageButNotItsPaper)
{
    auto document = documentWithPages(3);
    TVectorGraph* source = document->PageAt(2);
    source->Width = 420;
    source->Height = 297;
    source->LeftMargin = 25;
    source->PicturePath = QStringLiteral("scan.jpg");
    addBox<TRectangle>(*source, {10, 20, 30, 40}).Selected = true;
    test::addCutBox(*source, 3, 2);

    TVectorGraph* copy = document->NewPage(2, 0);

    ASSERT_EQ(document->PageCount(), 4);
    EXPECT_EQ(document->CurrentPage, 1);
    EXPECT_EQ(copy, document->PageAt(1));
    EXPECT_EQ(source, document->PageAt(3));
    EXPECT_EQ(copy->PaperType, QChar('A'));
    EXPECT_EQ(copy->Width, 210.0);
    EXPECT_EQ(copy->Height, 297.0);
    EXPECT_EQ(copy->LeftMargin, 10.0);
    EXPECT_TRUE(copy->PicturePath.isEmpty());
    ASSERT_EQ(copy->ShapeCount(), source->ShapeCount());
    for (int i = 0; i < copy->ShapeCount(); ++i) {
        EXPECT_NE(copy->ShapeItem(i), source->ShapeItem(i));
        EXPECT_EQ(copy->ShapeItem(i)->Kind, source->ShapeItem(i)->Kind) << i;
        EXPECT_EQ(copy->ShapeItem(i)->GetBounds(), source->ShapeItem(i)->GetBounds()) << i;
        EXPECT_FALSE(copy->ShapeItem(i)->Selected) << i;
    }
    EXPECT_EQ(dynamic_cast<TRectZg*>(copy->ShapeItem(8))->Number, 2);
    ASSERT_EQ(int(document->GPList.size()), source->ShapeCount());
    EXPECT_EQ(document->GPList.front().VGIndex, 1);
}

TEST(NewPage, RefusesAPaperTypeBeyondZAndChangesNothing)
{
    TVectorGraphics document(test::ScreenDpi);
    for (int i = 0; i < 26; ++i)
        ASSERT_NE(document.NewPage(-1, -1), nullptr) << i;
    ASSERT_EQ(document.PaperTypes(), QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ"));
    document.CurrentPage = 3;

    QString error;
    EXPECT_EQ(document.NewPage(-1, -1, &error), nullptr);
    EXPECT_EQ(error, NoPaperTypeLeftMessage);
    EXPECT_EQ(document.PageCount(), 26);
    EXPECT_EQ(document.CurrentPage, 3);

    TVectorGraph* page = document.NewPage(-1, 25, &error);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->PaperType, QChar('Z'));
    EXPECT_EQ(document.PageCount(), 27);
}

TEST(ShapeAt, PrefersTheSmallestShapeAndAmongEqualOnesTheTopmost)
{
    TVectorGraph page;
    addBox<TRectangle>(page, {0, 0, 400, 400});
    TRectKg& bubbles = addBox<TRectKg>(page, {100, 100, 140, 115});
    TRectangle& lower = addBox<TRectangle>(page, {200, 200, 260, 260});
    TRectangle& upper = addBox<TRectangle>(page, {200, 200, 260, 260});

    EXPECT_EQ(page.ShapeAt({110, 105}), &bubbles);
    EXPECT_EQ(page.LastHitIndex, 0);
    EXPECT_EQ(page.ShapeAt({210, 210}), &upper);

    upper.Visible = false;
    EXPECT_EQ(page.ShapeAt({210, 210}), &lower);
    EXPECT_EQ(page.ShapeAt({500, 500}), nullptr);
}

TEST(ShapeAt, TakesDevicePixelsAtThePageZoom)
{
    TVectorGraph page;
    TRectangle& box = addBox<TRectangle>(page, {100, 100, 110, 110});
    page.SetScaleX(2.0);
    page.SetScaleY(2.0);
    EXPECT_EQ(box.ScaleX, 2.0);
    EXPECT_EQ(box.ScaleY, 2.0);
    EXPECT_EQ(page.ShapeAt({205, 205}), &box);
    EXPECT_EQ(page.ShapeAt({105, 105}), nullptr);
}

TEST(DeleteSelected, DeletesUserShapesAndStopsAtASelectedMark)
{
    auto document = documentWithPages(1);
    TVectorGraph& page = *document->ActivePage();
    TRectangle& user = addBox<TRectangle>(page, {10, 10, 20, 20});
    TRectangle& kept = addBox<TRectangle>(page, {30, 30, 40, 40});
    user.Selected = true;
    page.ShapeItem(5)->Selected = true; // page-number mark
    page.ShapeItem(0)->Selected = true; // below the mark: stays too

    page.DeleteSelected();

    ASSERT_EQ(page.ShapeCount(), 8);
    EXPECT_EQ(page.ShapeItem(7), &kept);
    EXPECT_TRUE(isPageMark(*page.ShapeItem(5)));
    EXPECT_EQ(page.SelectedCount(), 2);
}

TEST(PageOperations, RemoveShapeHandsTheShapeOver)
{
    TVectorGraph page;
    TRectangle& box = addBox<TRectangle>(page, {1, 1, 2, 2});
    std::unique_ptr<TGraphics> taken = page.RemoveShape(&box);
    EXPECT_EQ(taken.get(), &box);
    EXPECT_EQ(page.ShapeCount(), 0);
    EXPECT_EQ(page.RemoveShape(&box), nullptr);
}

TEST(PaperTypes, ListsEachLetterOnceInOrderOfAppearance)
{
    TVectorGraphics document(test::ScreenDpi);
    for (const char letter : {'A', 'A', 'B', 'A'}) {
        auto page = std::make_unique<TVectorGraph>();
        page->PaperType = QChar(letter);
        document.AddPage(std::move(page));
    }
    EXPECT_EQ(document.CurrentPage, 3);
    EXPECT_EQ(document.PaperTypes(), QStringLiteral("AB"));
}

TEST(Clear, RemovesPagesAndRecordsButKeepsTheSheetSettings)
{
    auto document = documentWithPages(3);
    document->Modal = 2;
    document->DWW = 8.0;
    document->Geifen = QStringList{QStringLiteral("x")};
    test::saveToBytes(*document);
    ASSERT_FALSE(document->Papers.empty());
    document->ActiveShape = document->ActivePage()->ShapeItem(6);

    document->Clear();

    EXPECT_EQ(document->PageCount(), 0);
    EXPECT_TRUE(document->Papers.empty());
    EXPECT_TRUE(document->GPList.empty());
    EXPECT_TRUE(document->Geifen.isEmpty());
    EXPECT_EQ(document->ActiveShape, nullptr);
    EXPECT_EQ(document->CurrentPage, 0);
    EXPECT_EQ(document->Modal, 2);
    EXPECT_EQ(document->DWW, 8.0);
}

TEST(DeletePage, ForgetsTheActiveShapeOnlyWhenItWasOnThePage)
{
    auto document = documentWithPages(3);
    TGraphics* onLast = document->PageAt(2)->ShapeItem(6);
    document->ActiveShape = onLast;
    document->DeletePage(0);
    EXPECT_EQ(document->ActiveShape, onLast);
    document->DeletePage(1);
    EXPECT_EQ(document->ActiveShape, nullptr);
    EXPECT_EQ(document->PageCount(), 1);
}

TEST(PageAt, AnswersNothingOutsideThePageList)
{
    sw::TVectorGraphics document(96);
    EXPECT_EQ(document.ActivePage(), nullptr);
    EXPECT_EQ(document.PageAt(-1), nullptr);
    document.DeletePage(0); // no page: nothing happens
    document.AddShape(std::make_unique<sw::TRectangle>(sw::TPoint{0, 0}, sw::TPoint{5, 5}, 1, 1));
    ASSERT_NE(document.NewPage(-1, -1), nullptr);
    EXPECT_EQ(document.PageAt(1), nullptr);
    QString error;
    EXPECT_EQ(document.NewPage(-1, 5, &error), nullptr);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(document.PageCount(), 1);
}

} // namespace
} // namespace sw::test
