#include "controllerfixture.h"
#include "shapes/line.h"

namespace sw::test {
namespace {

class KeysTest : public ControllerTest
{
protected:
    bool key(int k, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        return controller.KeyDown(k, mods);
    }
};

TEST_F(KeysTest, CtrlArrowsNudgeByOneLayoutPixelAtZoomOneAndAHalf)
{
    setZoom(1.5);
    TRectangle& box = add({100, 100, 150, 150});
    click({180, 180});
    ASSERT_EQ(document.ActiveShape, &box);
    // Round(-1.5) = -2 surface pixels, which the shape takes as -1.
    EXPECT_TRUE(key(Qt::Key_Left, Qt::ControlModifier));
    EXPECT_EQ(box.GetBounds(), (TRect{99, 100, 149, 150}));
    EXPECT_TRUE(key(Qt::Key_Down, Qt::ControlModifier));
    EXPECT_EQ(box.GetBounds(), (TRect{99, 101, 149, 151}));
    EXPECT_EQ(rows().back(), QStringLiteral("轻移"));
}

TEST_F(KeysTest, TenNudgesWithoutMovingTheMouseLeaveOneEntry)
{
    TRectangle& box = add({100, 100, 150, 150});
    click({120, 120});
    for (int i = 0; i < 10; ++i)
        EXPECT_TRUE(key(Qt::Key_Right, Qt::ControlModifier));
    EXPECT_EQ(box.GetBounds(), (TRect{110, 100, 160, 150}));
    EXPECT_EQ(rows(), (QStringList{QStringLiteral("新建页面"), QStringLiteral("轻移")}));
}

TEST_F(KeysTest, CtrlShiftArrowsNudgeTheWholeSelection)
{
    TRectangle& a = add({100, 100, 150, 150});
    TRectangle& b = add({300, 100, 350, 150});
    TRectangle& loose = add({500, 100, 550, 150});
    click({120, 120});
    click({320, 120}, Qt::ControlModifier);
    EXPECT_TRUE(key(Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier));
    EXPECT_EQ(a.GetBounds(), (TRect{100, 99, 150, 149}));
    EXPECT_EQ(b.GetBounds(), (TRect{300, 99, 350, 149}));
    EXPECT_EQ(loose.GetBounds(), (TRect{500, 100, 550, 150}));
    EXPECT_EQ(rows().back(), QStringLiteral("轻移"));
}

TEST_F(KeysTest, ShiftArrowsMoveTheRightOrBottomEdge)
{
    TRectangle& box = add({100, 100, 150, 150});
    click({120, 120});
    EXPECT_TRUE(key(Qt::Key_Right, Qt::ShiftModifier));
    EXPECT_TRUE(key(Qt::Key_Up, Qt::ShiftModifier));
    EXPECT_EQ(box.GetBounds(), (TRect{100, 100, 151, 149}));
    EXPECT_EQ(rows().back(), QStringLiteral("更改大小"));
}

TEST_F(KeysTest, ShiftArrowsAcrossALineAreLeftToTheWindow)
{
    THLine& hline = add<THLine>({100, 100, 200, 100});
    click({150, 100});
    ASSERT_EQ(document.ActiveShape, &hline);
    EXPECT_FALSE(key(Qt::Key_Up, Qt::ShiftModifier));
    EXPECT_TRUE(key(Qt::Key_Right, Qt::ShiftModifier));
    EXPECT_EQ(hline.GetBounds(), (TRect{100, 100, 201, 100}));

    TVLine& vline = add<TVLine>({300, 100, 300, 200});
    click({300, 150});
    ASSERT_EQ(document.ActiveShape, &vline);
    const qsizetype entries = rows().size();
    EXPECT_FALSE(key(Qt::Key_Left, Qt::ShiftModifier));
    EXPECT_EQ(vline.GetBounds(), (TRect{300, 100, 300, 200}));
    EXPECT_EQ(rows().size(), entries);
}

TEST_F(KeysTest, PlainArrowsAreUsedUpWithoutChange)
{
    TRectangle& box = add({100, 100, 150, 150});
    click({120, 120});
    EXPECT_TRUE(key(Qt::Key_Left));
    EXPECT_EQ(box.GetBounds(), (TRect{100, 100, 150, 150}));
    EXPECT_EQ(rows().size(), 1);
    EXPECT_FALSE(key(Qt::Key_A, Qt::ControlModifier));
}

TEST_F(KeysTest, KeysNeedAnActiveShapeInAnUnlockedDocument)
{
    EXPECT_FALSE(key(Qt::Key_Left, Qt::ControlModifier));
    EXPECT_FALSE(key(Qt::Key_Delete));
    TRectangle& box = add({100, 100, 150, 150});
    click({120, 120});
    document.Locked = true;
    EXPECT_FALSE(key(Qt::Key_Left, Qt::ControlModifier));
    EXPECT_FALSE(key(Qt::Key_Right, Qt::ShiftModifier));
    EXPECT_FALSE(key(Qt::Key_Delete));
    EXPECT_EQ(box.GetBounds(), (TRect{100, 100, 150, 150}));
    EXPECT_EQ(page().ShapeCount(), 8);
}

TEST_F(KeysTest, DeleteStopsAtASelectedMark)
{
    document.Modal = 2; // the marks can be selected
    TRectangle& a = add({100, 100, 150, 150});
    TRectangle& b = add({300, 100, 350, 150});
    a.Selected = true;
    page().ShapeItem(5)->Selected = true;
    b.Selected = true;
    document.ActiveShape = &b;
    EXPECT_TRUE(key(Qt::Key_Delete, Qt::ControlModifier)); // the toolbar's delete button
    EXPECT_EQ(page().ShapeCount(), 7);
    EXPECT_TRUE(page().ShapeItem(5)->Selected);
    EXPECT_EQ(document.ActiveShape, nullptr);
    EXPECT_EQ(rows().back(), QStringLiteral("删除-方框"));
}

TEST_F(KeysTest, DeleteNamesTheKindOfTheCurrentShape)
{
    add<TLine>({100, 100, 200, 150});
    add({300, 100, 350, 150});
    click({320, 120});
    click({150, 125}, Qt::ControlModifier);
    EXPECT_TRUE(key(Qt::Key_Delete));
    EXPECT_EQ(page().ShapeCount(), 7);
    EXPECT_EQ(rows().back(), QStringLiteral("删除-直线"));
}

TEST_F(KeysTest, DeleteIsLeftToTheOpenTextEditor)
{
    add({100, 100, 150, 150});
    click({120, 120});
    drag(ToolText, {300, 300}, {400, 400});
    ASSERT_TRUE(view.editorVisible);
    EXPECT_FALSE(key(Qt::Key_Delete));
    EXPECT_EQ(page().ShapeCount(), 8);
    // Arrows still reach the shape first.
    EXPECT_TRUE(key(Qt::Key_Right, Qt::ControlModifier));
    EXPECT_EQ(lastShape()->GetBounds(), (TRect{101, 100, 151, 150}));
}

} // namespace
} // namespace sw::test
