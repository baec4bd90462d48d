#include "document/arrange.h"
#include "document/selection.h"
#include "selectionfixture.h"
#include "shapes/rectkg.h"

namespace sw::test {
namespace {

constexpr int PaperTypeMark = 4;
constexpr int PageNumberMark = 5;

int selectedCount(const TVectorGraph& page)
{
    return page.SelectedCount();
}

TEST_F(SelectionTest, SelectShapeReplacesTheSelectionUnlessAdding)
{
    TRectangle& a = addBox({10, 10, 20, 20});
    TRectangle& b = addBox({30, 10, 40, 20});
    ASSERT_TRUE(SelectShape(document, a, false, false));
    EXPECT_TRUE(a.Selected);
    EXPECT_EQ(document.ActiveShape, &a);

    ASSERT_TRUE(SelectShape(document, b, false, false));
    EXPECT_FALSE(a.Selected);
    EXPECT_TRUE(b.Selected);

    ASSERT_TRUE(SelectShape(document, a, true, false));
    EXPECT_TRUE(a.Selected);
    EXPECT_TRUE(b.Selected);
    EXPECT_EQ(document.ActiveShape, &a);

    // Pressing on a shape already selected keeps the others.
    ASSERT_TRUE(SelectShape(document, b, false, false));
    EXPECT_TRUE(a.Selected);
    EXPECT_EQ(document.ActiveShape, &b);
}

TEST_F(SelectionTest, SelectShapeWithGroupSelectsTheWholeGroup)
{
    TRectangle& a = addBox({10, 10, 20, 20});
    TRectangle& b = addBox({30, 10, 40, 20});
    TRectangle& c = addBox({50, 10, 60, 20});
    TRectangle& loose = addBox({70, 10, 80, 20});
    a.Group = b.Group = 4;
    c.Group = 5;
    ASSERT_TRUE(SelectShape(document, b, false, true));
    EXPECT_TRUE(a.Selected);
    EXPECT_TRUE(b.Selected);
    EXPECT_FALSE(c.Selected);

    // Group 0 is no group.
    ASSERT_TRUE(SelectShape(document, loose, false, true));
    EXPECT_EQ(selectedCount(page()), 1);
    ASSERT_TRUE(SelectShape(document, a, false, false));
    EXPECT_FALSE(b.Selected);
}

TEST_F(SelectionTest, SelectShapeRefusesLockedHiddenAndReservedShapes)
{
    TRectangle& locked = addBox({10, 10, 20, 20});
    locked.Locked = true;
    TRectangle& hidden = addBox({30, 10, 40, 20});
    hidden.Visible = false;
    TRectangle& current = addBox({50, 10, 60, 20});
    ASSERT_TRUE(SelectShape(document, current, false, false));

    for (TGraphics* shape :
         {static_cast<TGraphics*>(&locked), static_cast<TGraphics*>(&hidden), page().ShapeItem(0),
          page().ShapeItem(PaperTypeMark), page().ShapeItem(PageNumberMark)}) {
        EXPECT_FALSE(SelectShape(document, *shape, false, true));
        EXPECT_FALSE(shape->Selected);
    }
    EXPECT_TRUE(current.Selected);
    EXPECT_EQ(document.ActiveShape, &current);
}

TEST_F(SelectionTest, PageMarksAreSelectableInTheOverlayModes)
{
    document.Modal = 2;
    EXPECT_TRUE(SelectShape(document, *page().ShapeItem(PageNumberMark), false, false));
    EXPECT_TRUE(SelectShape(document, *page().ShapeItem(PaperTypeMark), true, false));
    EXPECT_FALSE(SelectShape(document, *page().ShapeItem(0), true, false));
    EXPECT_EQ(selectedCount(page()), 2);
}

TEST_F(SelectionTest, BandStrictlyInsideALargeShapeSelectsNothing)
{
    TRectangle& large = addBox({10, 10, 300, 300});
    document.Interaction.BandStart = {50, 50};
    document.Interaction.BandEnd = {100, 120};
    document.Interaction.BandPending = true;
    SelectInBand(document);
    EXPECT_FALSE(large.Selected);
    EXPECT_EQ(selectedCount(page()), 0);
    EXPECT_FALSE(document.Interaction.BandPending);
}

TEST_F(SelectionTest, BandAtZoomTwoCatchesCornersInTheLayoutRectangle)
{
    // Layout band (50, 50) to (100, 100), right and bottom edges outside.
    TRectangle& topLeftIn = addBox({90, 90, 150, 150});
    TRectangle& bottomLeftIn = addBox({60, 0, 70, 99});
    TRectangle& rightEdgeOnly = addBox({100, 60, 120, 70});
    TRectangle& farAway = addBox({200, 200, 210, 210});
    page().SetScaleX(2.0);
    page().SetScaleY(2.0);
    // Given in reverse: the band's edges are sorted.
    document.Interaction.BandStart = {200, 200};
    document.Interaction.BandEnd = {100, 100};
    document.Interaction.BandPending = true;
    SelectInBand(document);
    EXPECT_TRUE(topLeftIn.Selected);
    EXPECT_TRUE(bottomLeftIn.Selected);
    EXPECT_FALSE(rightEdgeOnly.Selected);
    EXPECT_FALSE(farAway.Selected);
    EXPECT_EQ(document.ActiveShape, &bottomLeftIn); // the last one selected, in list order
}

TEST_F(SelectionTest, BandAddsToTheSelectionAndSkipsRefusedShapes)
{
    TRectangle& before = addBox({500, 500, 510, 510}, true);
    TRectangle& locked = addBox({10, 10, 20, 20});
    locked.Locked = true;
    TRectangle& caught = addBox({30, 30, 40, 40});
    document.Interaction.BandStart = {0, 0};
    document.Interaction.BandEnd = {60, 60};
    // Not pending: nothing happens.
    SelectInBand(document);
    EXPECT_FALSE(caught.Selected);

    document.Interaction.BandPending = true;
    SelectInBand(document);
    EXPECT_TRUE(before.Selected);
    EXPECT_TRUE(caught.Selected);
    EXPECT_FALSE(locked.Selected);
    // The reserved shapes in the band corner (positioning boxes at (1, 1),
    // marks at (0, 0)) are refused in the self-made mode.
    for (int i = 0; i < 6; ++i)
        EXPECT_FALSE(page().ShapeItem(i)->Selected) << i;
}

TEST_F(SelectionTest, GroupingTakesTheNextFreeGroupNumber)
{
    addBox({10, 10, 20, 20}).Group = 3;
    addBox({30, 10, 40, 20}).Group = 7;
    TRectangle& a = addBox({50, 10, 60, 20}, true);
    TRectangle& b = addBox({70, 10, 80, 20}, true);
    GroupSelection(document);
    EXPECT_EQ(a.Group, 8);
    EXPECT_EQ(b.Group, 8);

    // One selected shape is not a group.
    b.Selected = false;
    a.Group = 0;
    GroupSelection(document);
    EXPECT_EQ(a.Group, 0);
}

TEST_F(SelectionTest, UngroupingFreesOnlyTheSelectedMembers)
{
    TRectangle& a = addBox({10, 10, 20, 20}, true);
    TRectangle& b = addBox({30, 10, 40, 20});
    a.Group = b.Group = 2;
    UngroupSelection(document);
    EXPECT_EQ(a.Group, 0);
    EXPECT_EQ(b.Group, 2);
}

TEST_F(SelectionTest, CopiesPasteOntoAnotherPageAtTheSameCoordinates)
{
    TRectangle& a = addBox({10, 20, 30, 40}, true);
    TLine& line = addLine<TLine>({5, 6}, {70, 80}, true);
    TRectangle& locked = addBox({50, 50, 60, 60}, true);
    locked.Locked = true;
    addBox({90, 90, 95, 95});
    a.Group = line.Group = 3;
    MarkSelectionForCopy(document);
    EXPECT_TRUE(a.CopyMark);
    EXPECT_TRUE(line.CopyMark);
    EXPECT_FALSE(locked.CopyMark);

    TVectorGraph& first = page();
    document.NewPage(-1, 0);
    TVectorGraph& second = page();
    ASSERT_NE(&first, &second);
    const int before = second.ShapeCount();
    PasteMarked(document);

    ASSERT_EQ(second.ShapeCount(), before + 2);
    const TGraphics& pastedBox = *second.ShapeItem(before);
    const TGraphics& pastedLine = *second.ShapeItem(before + 1);
    EXPECT_EQ(pastedBox.Kind, GRectangle);
    EXPECT_EQ(pastedBox.GetBounds(), (TRect{10, 20, 30, 40}));
    EXPECT_EQ(pastedLine.Kind, GLine);
    EXPECT_EQ(pastedLine.GetBounds(), (TRect{5, 6, 70, 80}));
    for (const TGraphics* pasted : {&pastedBox, &pastedLine}) {
        EXPECT_TRUE(pasted->Selected);
        EXPECT_EQ(pasted->Group, 0);
    }
    EXPECT_EQ(selectedCount(first), 0);
    EXPECT_EQ(selectedCount(second), 2);

    // The marks stay: pasting again adds the same shapes once more.
    PasteMarked(document);
    EXPECT_EQ(second.ShapeCount(), before + 4);
    EXPECT_EQ(selectedCount(second), 2);
}

TEST_F(SelectionTest, CopyMarksFollowTheLatestCopy)
{
    TRectangle& a = addBox({10, 20, 30, 40}, true);
    MarkSelectionForCopy(document);
    a.Selected = false;
    MarkSelectionForCopy(document);
    EXPECT_FALSE(a.CopyMark);
    const int before = page().ShapeCount();
    PasteMarked(document);
    EXPECT_EQ(page().ShapeCount(), before);
}

TEST(SelectionWithoutPageTest, EveryOperationIsANoOp)
{
    TVectorGraphics empty(96);
    TRectangle loose({10, 10}, {20, 20}, 1.0, 1.0);
    EXPECT_FALSE(SelectShape(empty, loose, false, true));
    EXPECT_FALSE(loose.Selected);
    empty.Interaction.BandPending = true;
    SelectInBand(empty);
    GroupSelection(empty);
    UngroupSelection(empty);
    MarkSelectionForCopy(empty);
    PasteMarked(empty);
    for (const auto& command :
         {AlignLeft, AlignRight, AlignTop, AlignBottom, DistributeHorizontally,
          DistributeVertically, MaxWidth, MaxHeight, MinWidth, MinHeight})
        command(empty);
    EXPECT_EQ(empty.PageCount(), 0);
    EXPECT_EQ(empty.ActiveShape, nullptr);
}

} // namespace
} // namespace sw::test
