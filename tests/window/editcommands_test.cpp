#include "window/windowfixture.h"

#include <QListView>

namespace sw::test {
namespace {

// Three rectangles A, B, C, all selected, C drawn last.
class EditCommandsTest : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        draw("ToolRectAct", {100, 300}, {200, 350});
        a = lastShape();
        draw("ToolRectAct", {250, 320}, {330, 400});
        b = lastShape();
        draw("ToolRectAct", {400, 310}, {520, 340});
        c = lastShape();
    }

    void selectAll()
    {
        clickAt({460, 325});
        clickAt({150, 325}, Qt::ControlModifier);
        clickAt({290, 360}, Qt::ControlModifier);
    }

    int selectedCount() const { return page().SelectedCount(); }

    TGraphics* a = nullptr;
    TGraphics* b = nullptr;
    TGraphics* c = nullptr;
};

TEST_F(EditCommandsTest, CopyAndPasteOnTheSamePage)
{
    clickAt({150, 325});
    clickAt({290, 360}, Qt::ControlModifier);
    click("CopyAct");
    const int shapes = page().ShapeCount();
    EXPECT_EQ(historyRows().last(), QStringLiteral("新建-") + c->KindName); // copy records nothing

    dialogs.answers = {true};
    click("PasteAct");
    ASSERT_EQ(page().ShapeCount(), shapes + 2);
    EXPECT_FALSE(a->Selected);
    EXPECT_FALSE(b->Selected);
    EXPECT_TRUE(page().ShapeItem(shapes)->Selected);
    EXPECT_TRUE(page().ShapeItem(shapes + 1)->Selected);
    EXPECT_EQ(page().ShapeItem(shapes)->GetBounds(), a->GetBounds());
    EXPECT_EQ(page().ShapeItem(shapes + 1)->GetBounds(), b->GetBounds());
    EXPECT_EQ(historyRows().last(), QStringLiteral("粘贴图形"));
    ASSERT_EQ(dialogs.questions().size(), 1u);
    EXPECT_EQ(dialogs.questions()[0].text, QStringLiteral("您确信要粘贴图形吗？"));

    dialogs.answers = {true};
    click("PasteAct");
    EXPECT_EQ(page().ShapeCount(), shapes + 4);
}

TEST_F(EditCommandsTest, PasteAnsweredNoAddsNothing)
{
    clickAt({150, 325});
    click("CopyAct");
    const int shapes = page().ShapeCount();
    const int rows = historyRows().size();
    click("PasteAct");
    EXPECT_EQ(page().ShapeCount(), shapes);
    EXPECT_EQ(historyRows().size(), rows);
}

TEST_F(EditCommandsTest, PasteOnAnotherPage)
{
    clickAt({290, 360});
    click("CopyAct");
    addPage(true);
    const int shapes = page().ShapeCount();
    dialogs.answers = {true};
    click("PasteAct");
    ASSERT_EQ(page().ShapeCount(), shapes + 1);
    EXPECT_EQ(lastShape()->GetBounds(), (TRect{250, 320, 330, 400}));
    EXPECT_EQ(document().CurrentPage, 1);
}

TEST_F(EditCommandsTest, GroupAndUngroup)
{
    c->Group = 4;
    clickAt({150, 325});
    clickAt({290, 360}, Qt::ControlModifier);
    click("GroupAct");
    EXPECT_EQ(a->Group, 5);
    EXPECT_EQ(b->Group, 5);
    EXPECT_EQ(historyRows().last(), QStringLiteral("组合图形"));

    // Selecting one member selects the group.
    clickAt({600, 600});
    clickAt({150, 325});
    EXPECT_TRUE(a->Selected);
    EXPECT_TRUE(b->Selected);
    EXPECT_FALSE(c->Selected);

    // Ungrouping with one member selected frees that member only.
    clickAt({600, 600});
    for (const auto& shape : page().Shapes())
        shape->Deselect();
    b->Select();
    document().ActiveShape = b;
    click("UngroupAct");
    EXPECT_EQ(b->Group, 0);
    EXPECT_EQ(a->Group, 5);
    EXPECT_EQ(historyRows().last(), QStringLiteral("解散图形"));
}

TEST_F(EditCommandsTest, GroupingOneShapeStillRecords)
{
    clickAt({150, 325});
    const int rows = historyRows().size();
    click("GroupAct");
    EXPECT_EQ(a->Group, 0);
    EXPECT_EQ(historyRows().size(), rows + 1);
}

TEST_F(EditCommandsTest, LockRefusesMovesButNotTheCommands)
{
    clickAt({150, 325});
    click("LockAct");
    EXPECT_TRUE(document().Locked);
    EXPECT_TRUE(button("LockAct")->isChecked());

    drag({150, 325}, {180, 345});
    EXPECT_EQ(a->GetBounds(), (TRect{100, 300, 200, 350}));
    key(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(a->GetBounds(), (TRect{100, 300, 200, 350}));
    const int shapes = page().ShapeCount();
    key(Qt::Key_Delete);
    EXPECT_EQ(page().ShapeCount(), shapes);

    clickAt({290, 360}, Qt::ControlModifier);
    click("AlignLeftAct");
    EXPECT_EQ(b->GetBounds().Left, 100);
    click("CopyAct");
    dialogs.answers = {true};
    click("PasteAct");
    EXPECT_EQ(page().ShapeCount(), shapes + 2);

    click("LockAct");
    EXPECT_FALSE(document().Locked);
}

struct ArrangeCase
{
    const char* button;
    const char* entry;
    TRect a, b, c;
};

class ArrangeTest : public EditCommandsTest, public ::testing::WithParamInterface<ArrangeCase>
{
};

TEST_P(ArrangeTest, ButtonArrangesTheSelection)
{
    const ArrangeCase ac = GetParam();
    selectAll();
    ASSERT_EQ(selectedCount(), 3);
    click(ac.button);
    EXPECT_EQ(a->GetBounds(), ac.a);
    EXPECT_EQ(b->GetBounds(), ac.b);
    EXPECT_EQ(c->GetBounds(), ac.c);
    EXPECT_EQ(historyRows().last(), QString::fromUtf8(ac.entry));
}

INSTANTIATE_TEST_SUITE_P(Commands, ArrangeTest,
                         ::testing::Values(ArrangeCase{"AlignLeftAct",
                                                       "左对齐",
                                                       {100, 300, 200, 350},
                                                       {100, 320, 180, 400},
                                                       {100, 310, 220, 340}},
                                           ArrangeCase{"AlignRightAct",
                                                       "右对齐",
                                                       {420, 300, 520, 350},
                                                       {440, 320, 520, 400},
                                                       {400, 310, 520, 340}},
                                           ArrangeCase{"AlignTopAct",
                                                       "顶对齐",
                                                       {100, 300, 200, 350},
                                                       {250, 300, 330, 380},
                                                       {400, 300, 520, 330}},
                                           ArrangeCase{"AlignBottomAct",
                                                       "底对齐",
                                                       {100, 350, 200, 400},
                                                       {250, 320, 330, 400},
                                                       {400, 370, 520, 400}},
                                           ArrangeCase{"CentreHorizontallyAct",
                                                       "横向对齐",
                                                       {100, 300, 200, 350},
                                                       {260, 320, 340, 400},
                                                       {400, 310, 520, 340}},
                                           ArrangeCase{"CentreVerticallyAct",
                                                       "纵向对齐",
                                                       {100, 300, 200, 350},
                                                       {250, 320, 330, 400},
                                                       {400, 370, 520, 400}},
                                           ArrangeCase{"MaxWidthAct",
                                                       "最大宽度",
                                                       {100, 300, 220, 350},
                                                       {250, 320, 370, 400},
                                                       {400, 310, 520, 340}},
                                           ArrangeCase{"MaxHeightAct",
                                                       "最大高度",
                                                       {100, 300, 200, 380},
                                                       {250, 320, 330, 400},
                                                       {400, 310, 520, 390}},
                                           ArrangeCase{"MinWidthAct",
                                                       "最小宽度",
                                                       {100, 300, 180, 350},
                                                       {250, 320, 330, 400},
                                                       {400, 310, 480, 340}},
                                           ArrangeCase{"MinHeightAct",
                                                       "最小高度",
                                                       {100, 300, 200, 330},
                                                       {250, 320, 330, 350},
                                                       {400, 310, 520, 340}}),
                         [](const auto& info) { return std::string(info.param.button); });

TEST_F(EditCommandsTest, HistoryRestoreGoesBack)
{
    selectAll();
    click("AlignLeftAct");
    const QStringList rows = historyRows();
    ASSERT_EQ(rows.last(), QStringLiteral("左对齐"));
    QListView* view = window->historyView();
    const QModelIndex before = view->model()->index(int(rows.size()) - 2, 0);
    view->setCurrentIndex(before);
    emit view->doubleClicked(before);
    // The document was rebuilt: the third rectangle is back in its place.
    const TGraphics* restored = lastShape();
    EXPECT_EQ(restored->GetBounds(), (TRect{400, 310, 520, 340}));
    EXPECT_EQ(document().ActiveShape, nullptr);
}

TEST_F(EditCommandsTest, RestoredEntryBringsItsLockState)
{
    click("LockAct");
    selectAll();
    click("AlignLeftAct"); // recorded while locked
    click("LockAct");
    ASSERT_FALSE(document().Locked);
    QListView* view = window->historyView();
    const QModelIndex last = view->model()->index(view->model()->rowCount() - 1, 0);
    view->setCurrentIndex(last);
    emit view->doubleClicked(last);
    EXPECT_TRUE(document().Locked);
    EXPECT_TRUE(button("LockAct")->isChecked());
}

} // namespace
} // namespace sw::test
