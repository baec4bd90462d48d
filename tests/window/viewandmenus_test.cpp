#include "window/windowfixture.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QScrollArea>
#include <QTimer>

namespace sw::test {
namespace {

class ViewAndMenusTest : public WindowTest
{
protected:
    // The texts of the context menu a right click at pos opens (submenus as
    // their title), the menu closed again.
    QStringList contextMenuAt(QPoint pos)
    {
        QStringList texts;
        QTimer::singleShot(0, window.get(), [&] {
            QMenu* menu = window->contextMenu();
            if (!menu)
                return;
            for (QAction* action : menu->actions()) {
                if (!action->isSeparator())
                    texts << action->text();
            }
            menu->close();
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, pos, surface().mapToGlobal(pos));
        QApplication::sendEvent(&surface(), &event);
        return texts;
    }

    QSize room() const { return window->scrollArea()->maximumViewportSize(); }
};

TEST_F(ViewAndMenusTest, FitCommandsScaleThePageToTheVisibleArea)
{
    click("FitPageAct");
    const double fitPage = page().ScaleX;
    EXPECT_LE(surface().width(), room().width());
    EXPECT_LE(surface().height(), room().height());
    // One side nearly fills its room: the fit is not just any smaller zoom.
    EXPECT_TRUE(room().height() - surface().height() < 40 ||
                room().width() - surface().width() < 60);
    EXPECT_EQ(window->zoomLabel()->text(), QStringLiteral("%1%").arg(qRound(fitPage * 100)));

    click("FitWidthAct");
    EXPECT_LE(surface().width(), room().width());
    EXPECT_GT(surface().width(), room().width() - 60);
    EXPECT_EQ(page().ScaleY, page().ScaleX);

    click("ActualSizeAct");
    EXPECT_EQ(window->zoomLabel()->text(), QStringLiteral("100%"));
    click("ZoomInAct");
    EXPECT_EQ(window->zoomLabel()->text(), QStringLiteral("110%"));
}

TEST_F(ViewAndMenusTest, TheZoomShownFollowsThePage)
{
    click("ZoomOutAct");
    addPage(true);
    EXPECT_EQ(window->zoomLabel()->text(), QStringLiteral("100%"));
    window->selectTab(0);
    EXPECT_EQ(window->zoomLabel()->text(), QStringLiteral("90%"));
}

TEST_F(ViewAndMenusTest, ContextMenusOfferTheCommandsForWhatIsUnderThePointer)
{
    draw("ToolRectAct", {100, 300}, {200, 350});
    clickAt({150, 325});
    EXPECT_EQ(contextMenuAt({150, 325}),
              (QStringList{QStringLiteral("剪切"), QStringLiteral("复制"), QStringLiteral("粘贴"),
                           QStringLiteral("删除"), QStringLiteral("对齐"), QStringLiteral("组合"),
                           QStringLiteral("锁定")}));
    EXPECT_EQ(
        contextMenuAt({600, 600}),
        (QStringList{QStringLiteral("粘贴"), QStringLiteral("全选"), QStringLiteral("页面设置")}));
}

TEST_F(ViewAndMenusTest, CutShapesComeBackWithPaste)
{
    draw("ToolRectAct", {100, 300}, {200, 350});
    const TRect bounds = lastShape()->GetBounds();
    const QString kind = lastShape()->KindName;
    const int shapes = page().ShapeCount();
    clickAt({150, 325});
    window->action(QStringLiteral("CutAct"))->trigger();
    EXPECT_EQ(page().ShapeCount(), shapes - 1);
    EXPECT_EQ(historyRows().last(), QStringLiteral("删除-") + kind);

    for (int paste = 1; paste <= 2; ++paste) {
        dialogs.answers = {true};
        click("PasteAct");
        ASSERT_EQ(page().ShapeCount(), shapes - 1 + paste);
        EXPECT_EQ(lastShape()->GetBounds(), bounds);
        EXPECT_EQ(historyRows().last(), QStringLiteral("粘贴图形"));
    }

    // A copy after the cut pastes the copied shapes, not the cut ones.
    click("CopyAct"); // the last pasted shape is selected
    dialogs.answers = {true};
    click("PasteAct");
    EXPECT_EQ(page().ShapeCount(), shapes + 2);
}

} // namespace
} // namespace sw::test
