#include "shapes/recttext.h"
#include "window/windowfixture.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLayout>
#include <QLineEdit>
#include <QListView>
#include <QMimeData>
#include <QPlainTextEdit>

namespace sw::test {
namespace {

using InputTest = WindowTest;

TEST_F(InputTest, DroppedTemplateIsOpened)
{
    addPage(true);
    dialogs.files = {{path(QStringLiteral("dropped.exm")), 1}};
    click("SaveAct");
    click("DeletePageAct"); // asks, answered No
    addPage(false);
    ASSERT_EQ(document().PageCount(), 3);

    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path(QStringLiteral("dropped.exm")))});
    QDragEnterEvent enter(QPoint(300, 300), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(300, 300), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    dialogs.threeWayAnswers = {Answer::No}; // the added page is not kept
    QApplication::sendEvent(window.get(), &drop);
    EXPECT_EQ(tabTexts(), (QStringList{"A卷--1面", "B卷--1面"}));
    EXPECT_EQ(historyRows(), QStringList{QStringLiteral("打开文件")});
}

TEST_F(InputTest, OtherDropsAreRefused)
{
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path(QStringLiteral("picture.png")))});
    QDragEnterEvent enter(QPoint(300, 300), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    enter.ignore();
    QApplication::sendEvent(window.get(), &enter);
    EXPECT_FALSE(enter.isAccepted());
}

TEST_F(InputTest, KeysTypedIntoSideBarInputsStayThere)
{
    draw("ToolRectAct", {150, 300}, {250, 400});
    auto* input = new QLineEdit(QStringLiteral("tag"));
    window->findChild<QWidget*>(QStringLiteral("图形参数"))->layout()->addWidget(input);
    input->show();
    input->setFocus();
    ASSERT_TRUE(input->hasFocus());
    const int shapes = page().ShapeCount();
    input->setCursorPosition(0);
    key(Qt::Key_Delete);
    key(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(page().ShapeCount(), shapes);
    EXPECT_EQ(lastShape()->GetBounds(), (TRect{150, 300, 250, 400}));
    EXPECT_EQ(input->text(), QStringLiteral("ag"));
}

TEST_F(InputTest, ArrowKeysReachTheShapesFirstWhileTheEditorShows)
{
    draw("ToolRectAct", {150, 300}, {250, 400});
    TGraphics* rectangle = lastShape();
    click("textAction");
    drag({400, 300}, {600, 360});
    QPlainTextEdit& memo = *window->textEditor();
    ASSERT_TRUE(memo.hasFocus());
    QTest::keyClicks(&memo, QStringLiteral("ab"));
    key(Qt::Key_Left);
    EXPECT_EQ(memo.textCursor().position(), 2); // consumed: the caret stays
    key(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(rectangle->GetBounds().Left, 151);
    key(Qt::Key_Backspace);
    EXPECT_EQ(memo.toPlainText(), QStringLiteral("a"));
    // Delete belongs to the editor.
    const int shapes = page().ShapeCount();
    memo.moveCursor(QTextCursor::Start);
    key(Qt::Key_Delete);
    EXPECT_EQ(page().ShapeCount(), shapes);
    EXPECT_TRUE(memo.toPlainText().isEmpty());
}

TEST_F(InputTest, ShiftEnterStartsASecondLine)
{
    draw("textAction", {400, 300}, {600, 360});
    QPlainTextEdit& memo = *window->textEditor();
    QTest::keyClicks(&memo, QStringLiteral("one"));
    key(Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(&memo, QStringLiteral("two"));
    key(Qt::Key_Return);
    EXPECT_EQ(static_cast<TRectText*>(lastShape())->Lines, (QStringList{"one", "two"}));
}

TEST_F(InputTest, HistoryDoubleClickWithoutARowDoesNothing)
{
    draw("ToolRectAct", {150, 300}, {250, 400});
    QListView* view = window->historyView();
    view->setCurrentIndex(QModelIndex());
    emit view->doubleClicked(QModelIndex());
    EXPECT_EQ(document().ActiveShape, lastShape());
    EXPECT_EQ(historyRows().size(), 2);
}

TEST_F(InputTest, MouseIsIgnoredWithoutASelectedTab)
{
    const int shapes = page().ShapeCount();
    while (tabs().count() > 0)
        tabs().removeTab(0);
    ASSERT_EQ(tabs().currentIndex(), -1);
    draw("ToolRectAct", {150, 300}, {250, 400});
    EXPECT_EQ(page().ShapeCount(), shapes);
}

} // namespace
} // namespace sw::test
