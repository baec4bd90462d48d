#include "window/windowfixture.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QWheelEvent>

namespace sw::test {
namespace {

using PagesTest = WindowTest;

TEST_F(PagesTest, TabsFollowPaperTypesAndPages)
{
    addPage(false);
    addPage(false);
    addPage(true);
    EXPECT_EQ(tabTexts(), (QStringList{"A卷--1面", "A卷--2面", "A卷--3面", "B卷--1面"}));
    // A new paper type's page is current and its tab selected.
    EXPECT_EQ(tabs().currentIndex(), 3);
    EXPECT_EQ(document().CurrentPage, 3);
    EXPECT_EQ(tabs().tabTextColor(3), QColor(Qt::red));
    EXPECT_NE(tabs().tabTextColor(0), QColor(Qt::red));
    EXPECT_EQ(historyRows(), QStringList{QStringLiteral("新建页面")});

    // A further page goes right after the current page, with its letter.
    tabs().setCurrentIndex(0);
    addPage(false);
    EXPECT_EQ(tabTexts(),
              (QStringList{"A卷--1面", "A卷--2面", "A卷--3面", "A卷--4面", "B卷--1面"}));
    EXPECT_EQ(tabs().currentIndex(), 1);
    EXPECT_EQ(document().PageAt(1)->PaperType, QChar('A'));
}

TEST_F(PagesTest, PaperDialogListsTheTabs)
{
    addPage(true);
    NewPageDialog& paper = window->paperDialog();
    paper.show();
    EXPECT_FALSE(paper.copyBox()->isChecked());
    EXPECT_TRUE(paper.copyBox()->isEnabled());
    ASSERT_EQ(paper.pageList()->count(), 2);
    EXPECT_EQ(paper.pageList()->itemText(1), QStringLiteral("B卷--1面"));
    EXPECT_EQ(paper.pageList()->currentIndex(), -1);
    paper.copyBox()->setChecked(true);
    EXPECT_TRUE(paper.pageList()->isEnabled());
    paper.copyBox()->setChecked(false);
    EXPECT_FALSE(paper.pageList()->isEnabled());
    paper.hide();
}

TEST_F(PagesTest, CancellingThePaperDialogChangesNothing)
{
    dialogs.handlers.push_back([](QDialog& dialog) { dialog.reject(); });
    click("NewAct");
    EXPECT_EQ(document().PageCount(), 1);
    EXPECT_EQ(tabs().count(), 1);
}

TEST_F(PagesTest, NewPageCopiedFromAnExistingOne)
{
    draw("ToolRectAct", {150, 300}, {250, 400});
    const int shapes = page().ShapeCount();
    addPage(false, 0);
    ASSERT_EQ(document().PageCount(), 2);
    EXPECT_EQ(document().CurrentPage, 1);
    EXPECT_EQ(page().ShapeCount(), shapes);
    EXPECT_EQ(lastShape()->GetBounds(), (TRect{150, 300, 250, 400}));
}

TEST_F(PagesTest, CopyWithoutChoosingAPageAddsAnEmptyPage)
{
    draw("ToolRectAct", {150, 300}, {250, 400});
    dialogs.handlers.push_back([](QDialog& dialog) {
        auto& paper = static_cast<NewPageDialog&>(dialog);
        paper.newPageButton()->setChecked(true);
        paper.copyBox()->setChecked(true);
        paper.addPage();
    });
    click("NewAct");
    ASSERT_EQ(document().PageCount(), 2);
    EXPECT_EQ(page().ShapeCount(), 7); // the reserved boxes and marks, an empty text box
}

TEST_F(PagesTest, TwentySeventhPaperTypeIsRefused)
{
    for (int i = 0; i < 25; ++i)
        addPage(true);
    ASSERT_EQ(document().PaperTypes(), QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ"));
    int result = -1;
    dialogs.handlers.push_back([&result](QDialog& dialog) {
        auto& paper = static_cast<NewPageDialog&>(dialog);
        paper.newPaperTypeButton()->setChecked(true);
        paper.addPage();
        result = dialog.result();
    });
    click("NewAct");
    EXPECT_EQ(result, QDialog::Rejected); // the dialog stays open
    EXPECT_EQ(document().PageCount(), 26);
    EXPECT_EQ(tabs().count(), 26);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, NoPaperTypeLeftMessage);
    // A further page of the current paper type is still possible.
    addPage(false);
    EXPECT_EQ(document().PageCount(), 27);
}

TEST_F(PagesTest, SwitchingTabsScrollsToTheTopLeft)
{
    addPage(true);
    QSignalSpy changed(window.get(), &MainWindow::currentPageChanged);
    QScrollArea& scroll = *window->scrollArea();
    scroll.verticalScrollBar()->setValue(200);
    ASSERT_EQ(scroll.verticalScrollBar()->value(), 200);
    tabs().setCurrentIndex(0);
    EXPECT_EQ(scroll.verticalScrollBar()->value(), 0);
    EXPECT_EQ(document().CurrentPage, 0);
    EXPECT_EQ(changed.count(), 1);
    tabs().setCurrentIndex(0);
    EXPECT_EQ(changed.count(), 1);
}

class DeletePageTest : public WindowTest
{
protected:
    void deletePage(bool confirmed = true)
    {
        dialogs.answers.push_back(confirmed);
        click("DeletePageAct");
    }
};

TEST_F(DeletePageTest, OnlyPageStays)
{
    deletePage();
    EXPECT_EQ(document().PageCount(), 1);
    ASSERT_EQ(dialogs.questions().size(), 1u);
    EXPECT_EQ(dialogs.questions()[0].text, QStringLiteral("您确信要删除当前页吗？"));
    EXPECT_EQ(dialogs.questions()[0].caption, QStringLiteral("模板设计"));
}

TEST_F(DeletePageTest, NoKeepsThePage)
{
    addPage(false);
    deletePage(false);
    EXPECT_EQ(document().PageCount(), 2);
}

TEST_F(DeletePageTest, SolePageOfTheFirstPaperTypeStays)
{
    addPage(true);
    tabs().setCurrentIndex(0);
    deletePage();
    EXPECT_EQ(tabTexts(), (QStringList{"A卷--1面", "B卷--1面"}));
}

TEST_F(DeletePageTest, SolePageOfAMiddlePaperTypeStays)
{
    addPage(true);
    addPage(true);
    tabs().setCurrentIndex(1);
    deletePage();
    EXPECT_EQ(tabTexts(), (QStringList{"A卷--1面", "B卷--1面", "C卷--1面"}));
}

TEST_F(DeletePageTest, SolePageOfTheLastPaperTypeGoes)
{
    addPage(true);
    deletePage();
    EXPECT_EQ(tabTexts(), QStringList{"A卷--1面"});
    EXPECT_EQ(document().PaperTypes(), QStringLiteral("A"));
    EXPECT_EQ(tabs().currentIndex(), 0);
    EXPECT_EQ(historyRows(), QStringList{QStringLiteral("删除页面")});
}

TEST_F(DeletePageTest, PageOfALongerPaperTypeGoesAndTheTabsAreRenumbered)
{
    addPage(false);
    addPage(false);
    addPage(true);
    tabs().setCurrentIndex(1);
    draw("ToolRectAct", {150, 300}, {250, 400});
    TVectorGraph* third = document().PageAt(2);
    deletePage();
    EXPECT_EQ(tabTexts(), (QStringList{"A卷--1面", "A卷--2面", "B卷--1面"}));
    EXPECT_EQ(tabs().currentIndex(), 1);
    EXPECT_EQ(document().CurrentPage, 1);
    EXPECT_EQ(document().ActivePage(), third);
    EXPECT_EQ(document().ActiveShape, nullptr);
}

TEST_F(PagesTest, ZoomStopsAtItsLimits)
{
    for (int i = 0; i < 41; ++i)
        click("ZoomInAct");
    EXPECT_NEAR(page().ScaleX, 5.1, 1e-9);
    EXPECT_NEAR(page().ScaleY, 5.1, 1e-9);
    click("ZoomInAct");
    EXPECT_NEAR(page().ScaleX, 5.1, 1e-9);

    click("ActualSizeAct");
    EXPECT_EQ(page().ScaleX, 1.0);
    EXPECT_EQ(surface().size(), QSize(794, 1123));
    for (int i = 0; i < 9; ++i)
        click("ZoomOutAct");
    EXPECT_NEAR(page().ScaleX, 0.1, 1e-9);
    click("ZoomOutAct");
    EXPECT_NEAR(page().ScaleY, 0.1, 1e-9);
    EXPECT_EQ(surface().size(), QSize(79, 112));
}

TEST_F(PagesTest, ZoomKeys)
{
    key(Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_NEAR(page().ScaleX, 1.1, 1e-9);
    EXPECT_EQ(surface().width(), 873);
    key(Qt::Key_Minus, Qt::ControlModifier);
    key(Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_NEAR(page().ScaleY, 0.9, 1e-9);
}

TEST_F(PagesTest, ZoomBelongsToThePage)
{
    addPage(false);
    click("ZoomInAct");
    tabs().setCurrentIndex(0);
    EXPECT_EQ(page().ScaleX, 1.0);
    EXPECT_EQ(surface().width(), 794);
}

TEST_F(PagesTest, WheelScrollsTwentyPixelsANotch)
{
    QScrollArea& scroll = *window->scrollArea();
    for (int i = 0; i < 10; ++i)
        click("ZoomInAct");
    const auto wheel = [&](int delta, Qt::KeyboardModifiers modifiers) {
        const QPointF at(100, 100);
        QWheelEvent event(at, scroll.viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta),
                          Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(scroll.viewport(), &event);
    };
    wheel(-120, Qt::NoModifier);
    EXPECT_EQ(scroll.verticalScrollBar()->value(), 20);
    wheel(-240, Qt::NoModifier);
    EXPECT_EQ(scroll.verticalScrollBar()->value(), 60);
    wheel(120, Qt::NoModifier);
    EXPECT_EQ(scroll.verticalScrollBar()->value(), 40);
    wheel(-120, Qt::ControlModifier);
    EXPECT_EQ(scroll.horizontalScrollBar()->value(), 20);
    EXPECT_EQ(scroll.verticalScrollBar()->value(), 40);
    EXPECT_EQ(window->scrollPosition(), (TPoint{20, 40}));
}

TEST_F(PagesTest, BackgroundPictureShowsInTheOverlayModes)
{
    QImage scan(400, 300, QImage::Format_RGB32);
    scan.fill(Qt::gray);
    const QString picture = path(QStringLiteral("scan.png"));
    ASSERT_TRUE(scan.save(picture));
    addPage(false);
    document().PageAt(0)->PicturePath = picture;
    QWidget* image = window->findChild<QWidget*>(QStringLiteral("BackgroundPicture"));

    tabs().setCurrentIndex(0);
    EXPECT_FALSE(image->isVisible()); // a self-made sheet shows no picture

    document().Modal = 1;
    tabs().setCurrentIndex(1);
    EXPECT_FALSE(image->isVisible());
    tabs().setCurrentIndex(0);
    ASSERT_TRUE(image->isVisible());
    EXPECT_EQ(image->size(), QSize(400, 300));
    click("ZoomInAct");
    EXPECT_EQ(image->size(), QSize(440, 330));
    click("ActualSizeAct");
    EXPECT_EQ(image->size(), QSize(400, 300));
}

} // namespace
} // namespace sw::test
