#include "editor/propertypanel.h"
#include "window/windowfixture.h"

#include <QItemSelectionModel>
#include <QListView>
#include <QSpinBox>

namespace sw::test {
namespace {

// Two rectangles, A and B.
class UndoRedoTest : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        draw("ToolRectAct", {100, 300}, {200, 350});
        draw("ToolRectAct", {250, 320}, {330, 400});
    }

    // What the page holds, shape by shape.
    QStringList shapes() const
    {
        QStringList list;
        for (const auto& shape : page().Shapes()) {
            const TRect r = shape->GetBounds();
            list << QStringLiteral("%1 %2,%3,%4,%5 group %6 pen %7")
                        .arg(int(shape->Kind))
                        .arg(r.Left)
                        .arg(r.Top)
                        .arg(r.Right)
                        .arg(r.Bottom)
                        .arg(shape->Group)
                        .arg(shape->Pen.Width);
        }
        return list;
    }

    int selectedHistoryRow() const
    {
        const QModelIndexList rows = window->historyView()->selectionModel()->selectedRows();
        return rows.size() == 1 ? rows.first().row() : -1;
    }
    int currentHistoryRow() const { return window->controller().History().CurrentRow(); }
};

class EditUndoTest;

struct Edit
{
    const char* name;
    void (*run)(EditUndoTest&);
    // How the edit is redone: 0 Ctrl+Y, 1 Ctrl+Shift+Z, 2 the tool-bar button.
    int redo;
};

class EditUndoTest : public UndoRedoTest, public ::testing::WithParamInterface<Edit>
{
public:
    using UndoRedoTest::click;
    using UndoRedoTest::clickAt;
    using UndoRedoTest::dialogs;
    using UndoRedoTest::drag;
    using UndoRedoTest::draw;
    using UndoRedoTest::key;
};

TEST_P(EditUndoTest, UndoAndRedoTheEdit)
{
    const QStringList before = shapes();
    const QStringList rowsBefore = historyRows();
    GetParam().run(*this);
    const QStringList after = shapes();
    ASSERT_NE(after, before);
    EXPECT_EQ(selectedHistoryRow(), currentHistoryRow());

    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(shapes(), before);
    EXPECT_EQ(selectedHistoryRow(), currentHistoryRow());
    EXPECT_TRUE(button("RedoAct")->isEnabled());

    switch (GetParam().redo) {
    case 0:
        key(Qt::Key_Y, Qt::ControlModifier);
        break;
    case 1:
        key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        break;
    case 2:
        click("RedoAct");
        break;
    }
    EXPECT_EQ(shapes(), after);
    EXPECT_EQ(selectedHistoryRow(), currentHistoryRow());
    EXPECT_EQ(currentHistoryRow(), historyRows().size() - 1);
    EXPECT_FALSE(button("RedoAct")->isEnabled());

    // Undo through the tool bar, then a new edit: nothing is left to redo.
    click("UndoAct");
    EXPECT_EQ(shapes(), before);
    draw("ToolRectAct", {400, 500}, {450, 550});
    EXPECT_FALSE(button("RedoAct")->isEnabled());
    EXPECT_EQ(historyRows().size(), rowsBefore.size() + 1);
}

INSTANTIATE_TEST_SUITE_P(
    Edits, EditUndoTest,
    ::testing::Values(Edit{"Create",
                           [](EditUndoTest& e) {
                               e.draw("ToolEllipseAct", {400, 300}, {500, 380});
                           },
                           0},
                      Edit{"Move",
                           [](EditUndoTest& e) {
                               e.drag({150, 325}, {180, 345});
                           },
                           1},
                      Edit{"Resize",
                           [](EditUndoTest& e) {
                               e.clickAt({150, 325});
                               e.drag({200, 350}, {230, 380});
                           },
                           2},
                      Edit{"Delete",
                           [](EditUndoTest& e) {
                               e.clickAt({150, 325});
                               e.key(Qt::Key_Delete);
                           },
                           0},
                      Edit{"Group",
                           [](EditUndoTest& e) {
                               e.clickAt({150, 325});
                               e.clickAt({290, 360}, Qt::ControlModifier);
                               e.click("GroupAct");
                           },
                           1},
                      Edit{"Paste",
                           [](EditUndoTest& e) {
                               e.clickAt({150, 325});
                               e.key(Qt::Key_C, Qt::ControlModifier);
                               e.dialogs.answers = {true};
                               e.key(Qt::Key_V, Qt::ControlModifier);
                           },
                           0},
                      Edit{"Nudge",
                           [](EditUndoTest& e) {
                               e.clickAt({150, 325});
                               e.key(Qt::Key_Right, Qt::ControlModifier);
                               e.key(Qt::Key_Right, Qt::ControlModifier);
                           },
                           2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(UndoRedoTest, NothingToUndoAtTheStart)
{
    while (button("UndoAct")->isEnabled())
        click("UndoAct");
    EXPECT_EQ(currentHistoryRow(), 0);
    EXPECT_EQ(historyRows().first(), QStringLiteral("新建页面"));
    const QStringList start = shapes();
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(shapes(), start);
    EXPECT_EQ(selectedHistoryRow(), 0);
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(UndoRedoTest, HighlightFollowsARestoreAndLaterEdits)
{
    QListView* view = window->historyView();
    const QModelIndex first = view->model()->index(1, 0);
    view->setCurrentIndex(first);
    emit view->doubleClicked(first);
    EXPECT_EQ(selectedHistoryRow(), 1);
    key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(selectedHistoryRow(), 2);
    draw("ToolEllipseAct", {400, 300}, {500, 380});
    EXPECT_EQ(selectedHistoryRow(), historyRows().size() - 1);
    EXPECT_EQ(historyRows().last(), QStringLiteral("新建-") + lastShape()->KindName);
}

TEST_F(UndoRedoTest, CommandsShowTheirShortcuts)
{
    const struct
    {
        const char* name;
        const char* toolTip;
        const char* keys;
    } commands[] = {
        {"UndoAct", "撤销 (Ctrl+Z)", "Ctrl+Z"},      {"RedoAct", "重做 (Ctrl+Y)", "Ctrl+Y"},
        {"CopyAct", "复制 (Ctrl+C)", "Ctrl+C"},      {"PasteAct", "粘贴 (Ctrl+V)", "Ctrl+V"},
        {"SelectAllAct", "全选 (Ctrl+A)", "Ctrl+A"},
    };
    for (const auto& c : commands) {
        QAction* action = window->action(QString::fromUtf8(c.name));
        ASSERT_NE(action, nullptr) << c.name;
        EXPECT_EQ(action->toolTip(), QString::fromUtf8(c.toolTip)) << c.name;
        EXPECT_EQ(action->shortcut(), QKeySequence(QString::fromUtf8(c.keys))) << c.name;
    }
    EXPECT_TRUE(window->action(QStringLiteral("RedoAct"))
                    ->shortcuts()
                    .contains(QKeySequence(QStringLiteral("Ctrl+Shift+Z"))));
    EXPECT_EQ(button("UndoAct")->icon().isNull(), false);
}

TEST_F(UndoRedoTest, SelectAllTakesTheUserShapesOnly)
{
    clickAt({700, 900}); // nothing selected
    key(Qt::Key_A, Qt::ControlModifier);
    for (int i = 0; i < page().ShapeCount(); ++i) {
        const TGraphics& shape = *page().ShapeItem(i);
        // The empty text box of a new page is a user shape too.
        EXPECT_EQ(shape.Selected, i >= 6) << i;
    }
    EXPECT_EQ(document().ActiveShape, lastShape());
}

// The marker "[*]" of the title.
TEST_F(UndoRedoTest, ModifiedMarkerFollowsTheSavedState)
{
    EXPECT_TRUE(window->isWindowModified());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("试卷制作[*]"));

    dialogs.files = {{path(QStringLiteral("marked.exm")), 1}};
    click("SaveAct");
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("试卷制作 - marked.exm[*]"));

    drag({150, 325}, {180, 345});
    EXPECT_TRUE(window->isWindowModified());
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(window->isWindowModified());
    key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_TRUE(window->isWindowModified());

    dialogs.threeWayAnswers = {Answer::No};
    dialogs.files = {{path(QStringLiteral("marked.exm")), 1}};
    click("OpenAct");
    EXPECT_FALSE(window->isWindowModified());

    click("LockAct"); // the lock is saved with the template
    EXPECT_TRUE(window->isWindowModified());
}

using FreshWindowTest = WindowTest;

TEST_F(FreshWindowTest, StartsUnmodified)
{
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_FALSE(window->action(QStringLiteral("UndoAct"))->isEnabled());
    EXPECT_FALSE(window->action(QStringLiteral("RedoAct"))->isEnabled());
}

// The window's own property panel.
class PanelUndoTest : public UndoRedoTest
{
protected:
    bool useTestPanel() const override { return false; }
};

TEST_F(PanelUndoTest, PropertyEditsAreUndone)
{
    TGraphics* shape = lastShape();
    auto* width = window->propertyPanel()->findChild<QSpinBox*>(QStringLiteral("PenWidthSpin"));
    ASSERT_NE(width, nullptr);
    const QStringList before = shapes();
    width->setValue(5);
    ASSERT_EQ(shape->Pen.Width, 5);
    const QStringList after = shapes();

    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(shapes(), before);
    key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(shapes(), after);
}

} // namespace
} // namespace sw::test
