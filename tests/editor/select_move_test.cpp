#include "controllerfixture.h"
#include "shapes/mhsb.h"
#include "shapes/rectzg.h"

namespace sw::test {
namespace {

using SelectMoveTest = ControllerTest;

TEST_F(SelectMoveTest, PressOnAShapeSelectsItAndLoadsThePanel)
{
    TRectangle& other = add({300, 300, 350, 350});
    other.Selected = true;
    TRectangle& box = add({100, 100, 150, 150});
    press({120, 120});
    EXPECT_TRUE(box.Selected);
    EXPECT_FALSE(other.Selected);
    EXPECT_EQ(document.ActiveShape, &box);
    ASSERT_EQ(view.loaded.size(), 1u);
    EXPECT_EQ(view.loaded[0], &box);
    EXPECT_TRUE(document.Interaction.Moving);
    EXPECT_EQ(view.cursor, TCursor::Move);
    release({120, 120});
    EXPECT_FALSE(document.Interaction.Moving);
    EXPECT_EQ(rows().size(), 1); // nothing moved, nothing recorded
}

TEST_F(SelectMoveTest, PressOnEmptySurfaceClearsTheSelection)
{
    TRectangle& a = add({100, 100, 150, 150});
    TRectangle& b = add({200, 100, 250, 150});
    click({120, 120});
    click({220, 120}, Qt::ControlModifier);
    ASSERT_TRUE(a.Selected && b.Selected);
    click({500, 500});
    EXPECT_EQ(page().SelectedCount(), 0);
    EXPECT_EQ(document.ActiveShape, nullptr);
}

TEST_F(SelectMoveTest, CtrlPressAddsTheShapeWithItsGroupAndStartsABand)
{
    TRectangle& a = add({100, 100, 150, 150});
    TRectangle& b = add({200, 100, 250, 150});
    TRectangle& c = add({300, 100, 350, 150});
    TRectangle& far = add({100, 400, 150, 450});
    b.Group = c.Group = 2;
    click({120, 120});
    press({220, 120}, Qt::ControlModifier);
    EXPECT_TRUE(a.Selected);
    EXPECT_TRUE(b.Selected);
    EXPECT_TRUE(c.Selected);
    EXPECT_TRUE(document.Interaction.BandPending);
    EXPECT_FALSE(document.Interaction.Moving);
    release({220, 120});
    EXPECT_FALSE(document.Interaction.BandPending);
    EXPECT_FALSE(far.Selected);
    EXPECT_EQ(page().SelectedCount(), 3);
}

TEST_F(SelectMoveTest, CtrlDragSelectsTheShapesWithACornerInTheBand)
{
    TRectangle& inside = add({100, 100, 150, 150});
    TRectangle& overlapping = add({180, 180, 400, 400});
    TRectangle& outside = add({300, 50, 350, 90});
    const QImage clean = controller.SurfaceImage().copy();
    press({50, 50}, Qt::ControlModifier);
    move({150, 150});
    move({200, 200});
    EXPECT_NE(controller.SurfaceImage(), clean); // the band shows
    release({200, 200});
    EXPECT_TRUE(inside.Selected);
    EXPECT_TRUE(overlapping.Selected);
    EXPECT_FALSE(outside.Selected);
    EXPECT_FALSE(document.Interaction.BandPending);
}

TEST_F(SelectMoveTest, MovingTheSameShapeTwiceLeavesOneEntry)
{
    TRectangle& box = add({100, 100, 150, 150});
    drag(ToolSelect, {120, 120}, {150, 140});
    EXPECT_EQ(box.GetBounds(), (TRect{130, 120, 180, 170}));
    drag(ToolSelect, {150, 140}, {170, 140});
    EXPECT_EQ(box.GetBounds(), (TRect{150, 120, 200, 170}));
    EXPECT_EQ(rows(), (QStringList{QStringLiteral("新建页面"), QStringLiteral("移动")}));

    // The entry holds the second move.
    box.SetBounds({0, 0, 1, 1});
    ASSERT_TRUE(controller.RestoreEntry(1));
    EXPECT_EQ(lastShape()->GetBounds(), (TRect{150, 120, 200, 170}));
}

TEST_F(SelectMoveTest, MovingAnotherShapeMakesAnotherEntry)
{
    TRectangle& a = add({100, 100, 150, 150});
    TRectangle& b = add({300, 100, 350, 150});
    drag(ToolSelect, {120, 120}, {130, 130});
    drag(ToolSelect, {320, 120}, {330, 130});
    EXPECT_EQ(a.GetBounds(), (TRect{110, 110, 160, 160}));
    EXPECT_EQ(b.GetBounds(), (TRect{310, 110, 360, 160}));
    EXPECT_EQ(rows(), (QStringList{QStringLiteral("新建页面"), QStringLiteral("移动"),
                                   QStringLiteral("移动")}));
}

TEST_F(SelectMoveTest, MovingCarriesTheWholeSelection)
{
    TRectangle& a = add({100, 100, 150, 150});
    TRectangle& b = add({300, 100, 350, 150});
    click({120, 120});
    click({320, 120}, Qt::ControlModifier);
    drag(ToolSelect, {120, 120}, {100, 150});
    EXPECT_EQ(a.GetBounds(), (TRect{80, 130, 130, 180}));
    EXPECT_EQ(b.GetBounds(), (TRect{280, 130, 330, 180}));
}

TEST_F(SelectMoveTest, ALockedDocumentSelectsButDoesNotMove)
{
    TRectangle& box = add({100, 100, 150, 150});
    document.Locked = true;
    drag(ToolSelect, {120, 120}, {200, 200});
    EXPECT_TRUE(box.Selected);
    EXPECT_EQ(box.GetBounds(), (TRect{100, 100, 150, 150}));
    EXPECT_EQ(rows().size(), 1);

    // Nor resize by a handle.
    press({150, 150});
    EXPECT_FALSE(document.Interaction.Resizing);
    release({150, 150});
}

struct ResizeCase
{
    const char* name;
    TRect expected;
};

TEST_F(SelectMoveTest, HandleResizingKeepsTheMinimumSizes)
{
    // Each box from (100, 100) to (300, 300), its bottom-right handle dragged
    // to (120, 115).
    const ResizeCase cases[] = {
        {"cut box", {100, 100, 150, 150}},
        {"fuzzy box", {100, 100, 120, 120}},
        {"rectangle", {100, 100, 120, 115}},
    };
    for (const ResizeCase& c : cases) {
        SCOPED_TRACE(c.name);
        TGraphics* shape = nullptr;
        if (c.name == std::string("cut box"))
            shape = &add<TRectZg>({100, 100, 300, 300});
        else if (c.name == std::string("fuzzy box"))
            shape = &add<TMHSB>({100, 100, 300, 300});
        else
            shape = &add({100, 100, 300, 300});
        click({200, 200});
        ASSERT_EQ(document.ActiveShape, shape);
        press({300, 300});
        EXPECT_TRUE(document.Interaction.Resizing);
        move({200, 200});
        move({120, 115});
        release({120, 115});
        EXPECT_FALSE(document.Interaction.Resizing);
        EXPECT_EQ(shape->GetBounds(), c.expected);
        EXPECT_EQ(rows().back(), QStringLiteral("更改大小"));
        document.ActiveShape = nullptr;
        page().RemoveShape(shape);
    }
}

TEST_F(SelectMoveTest, WithSeveralSelectedAHandlePressMovesInstead)
{
    TRectangle& a = add({100, 100, 150, 150});
    TRectangle& b = add({300, 100, 350, 150});
    click({320, 120});
    click({120, 120}, Qt::ControlModifier);
    ASSERT_EQ(document.ActiveShape, &a);
    // (100, 100) is on a's top-left handle and inside the box.
    drag(ToolSelect, {100, 100}, {90, 90});
    EXPECT_EQ(a.GetBounds(), (TRect{90, 90, 140, 140}));
    EXPECT_EQ(b.GetBounds(), (TRect{290, 90, 340, 140}));
}

TEST_F(SelectMoveTest, TheCursorShowsWhatAPressWouldDo)
{
    add({100, 100, 300, 300});
    click({200, 200});
    move({300, 300});
    EXPECT_EQ(view.cursor, TCursor::SizeNWSE);
    move({200, 300});
    EXPECT_EQ(view.cursor, TCursor::SizeNS);
    move({200, 200});
    EXPECT_EQ(view.cursor, TCursor::Hand);
    move({500, 500});
    EXPECT_EQ(view.cursor, TCursor::Default);
}

TEST_F(SelectMoveTest, MouseMovesFeedTheReadOutsAndTheRulerMarks)
{
    view.scroll = {10, 20};
    const int updates = view.rulerUpdates;
    move({130, 140});
    EXPECT_EQ(view.mouse, (TPoint{130, 140}));
    EXPECT_EQ(document.RulerMarkX, 120);
    EXPECT_EQ(document.RulerMarkY, 120);
    EXPECT_GT(view.rulerUpdates, updates);
}

TEST_F(SelectMoveTest, WithoutACurrentPageEveryEventIsIgnored)
{
    document.Clear();
    document.CurrentPage = -1;
    const int updates = view.surfaceUpdates;
    drag(ToolRectangle, {100, 100}, {200, 200});
    controller.DoubleClick();
    controller.PaintSurface();
    EXPECT_EQ(view.surfaceUpdates, updates);
    EXPECT_EQ(view.toolResets, 0);
    EXPECT_FALSE(document.Interaction.Creating);
}

} // namespace
} // namespace sw::test
