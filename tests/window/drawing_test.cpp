#include "shapes/line.h"
#include "shapes/multiresize.h"
#include "shapes/rectangle.h"
#include "shapes/recttext.h"
#include "window/windowfixture.h"

#include <QLabel>
#include <QPlainTextEdit>

namespace sw::test {
namespace {

using DrawingTest = WindowTest;

struct ToolCase
{
    const char* tool;
    TGraphicsType kind;
    bool dragged; // else created by a click
};

class EachToolTest : public WindowTest, public ::testing::WithParamInterface<ToolCase>
{
};

TEST_P(EachToolTest, DrawsItsShapeAndRecordsIt)
{
    const ToolCase c = GetParam();
    const int before = page().ShapeCount();
    click(c.tool);
    EXPECT_NE(document().Interaction.Tool, ToolSelect);
    if (c.dragged)
        drag({150, 300}, {300, 420});
    else
        clickAt({150, 300});

    ASSERT_EQ(page().ShapeCount(), before + 1);
    TGraphics* shape = lastShape();
    EXPECT_EQ(shape->Kind, c.kind);
    EXPECT_TRUE(shape->Selected);
    EXPECT_EQ(document().ActiveShape, shape);
    EXPECT_EQ(historyRows().last(), QStringLiteral("新建-") + shape->KindName);
    EXPECT_EQ(historyRows().size(), 2);
    // The tool is one-shot.
    EXPECT_EQ(document().Interaction.Tool, ToolSelect);
    EXPECT_TRUE(window->action(QStringLiteral("ToolSelectAct"))->isChecked());
    EXPECT_EQ(panel.shownTool, ToolSelect);
}

INSTANTIATE_TEST_SUITE_P(
    Tools, EachToolTest,
    ::testing::Values(ToolCase{"ToolLineAct", GLine, true},
                      ToolCase{"ToolRectAct", GRectangle, true},
                      ToolCase{"ToolRoundRectAct", GRoundRect, true},
                      ToolCase{"ToolEllipseAct", GEllipse, true}, ToolCase{"GridAct", GGrid, false},
                      ToolCase{"kgact", GKg, false}, ToolCase{"triact", GTriangle, true},
                      ToolCase{"Zgact", GZg, true}, ToolCase{"barcode", Gbarcode, true},
                      ToolCase{"picture", GRImage, true}, ToolCase{"HlineAct", GHline, true},
                      ToolCase{"VLineAct", GVline, true}, ToolCase{"MHSB", GMHSB, true},
                      ToolCase{"linelistact", GLinelist, true}),
    [](const auto& info) { return std::string(info.param.tool); });

TEST_F(DrawingTest, CutBoxIsRecordedWithItsKindName)
{
    draw("Zgact", {150, 300}, {300, 420});
    EXPECT_EQ(historyRows().last(), QStringLiteral("新建-主观题"));
    const TRect bounds = lastShape()->GetBounds();
    EXPECT_EQ(bounds, (TRect{150, 300, 300, 420}));
    // The read-outs show the current shape's bounds.
    EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("LeftValue"))->text(), "150");
    EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("BottomValue"))->text(), "420");
}

TEST_F(DrawingTest, SmallCutBoxIsNotCreated)
{
    const int before = page().ShapeCount();
    draw("Zgact", {150, 300}, {190, 340});
    EXPECT_EQ(page().ShapeCount(), before);
    EXPECT_EQ(historyRows().size(), 1);
    EXPECT_EQ(document().Interaction.Tool, ToolSelect);
}

TEST_F(DrawingTest, SecondBarcodeBoxIsRefused)
{
    draw("barcode", {150, 300}, {300, 420});
    const int before = page().ShapeCount();
    draw("barcode", {350, 300}, {500, 420});
    EXPECT_EQ(page().ShapeCount(), before);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, QStringLiteral("已创条码框"));
    EXPECT_EQ(dialogs.messages()[0].caption, QStringLiteral("模板设计"));
}

TEST_F(DrawingTest, FourthFuzzyBoxIsRefused)
{
    for (int i = 0; i < 4; ++i)
        draw("MHSB", {150 + 100 * i, 300}, {220 + 100 * i, 380});
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, QStringLiteral("只能创建3个智能识别框"));
}

TEST_F(DrawingTest, MousePositionIsShown)
{
    moveTo({123, 45});
    EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("MouseValue"))->text(),
              QStringLiteral("X:123  Y:45"));
}

TEST_F(DrawingTest, ToolCursorIsACross)
{
    click("ToolRectAct");
    EXPECT_EQ(surface().cursor().shape(), Qt::CrossCursor);
    click("ToolSelectAct");
    EXPECT_EQ(surface().cursor().shape(), Qt::ArrowCursor);
}

class SelectionTest : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        draw("ToolRectAct", {150, 300}, {250, 400});
        a = lastShape();
        draw("ToolRectAct", {350, 300}, {450, 400});
        b = lastShape();
    }

    TGraphics* a = nullptr;
    TGraphics* b = nullptr;
};

TEST_F(SelectionTest, ClickSelectsAndEmptyClickDeselects)
{
    clickAt({200, 350});
    EXPECT_TRUE(a->Selected);
    EXPECT_FALSE(b->Selected);
    EXPECT_EQ(document().ActiveShape, a);
    EXPECT_EQ(panel.loaded, a);

    clickAt({600, 600});
    EXPECT_FALSE(a->Selected);
    EXPECT_EQ(document().ActiveShape, nullptr);
}

TEST_F(SelectionTest, CtrlClickAddsToTheSelection)
{
    clickAt({200, 350});
    clickAt({400, 350}, Qt::ControlModifier);
    EXPECT_TRUE(a->Selected);
    EXPECT_TRUE(b->Selected);
    EXPECT_EQ(document().ActiveShape, b);
}

TEST_F(SelectionTest, BandSelectsEveryShapeWithACornerInside)
{
    clickAt({600, 600});
    press({120, 280}, Qt::ControlModifier);
    moveTo({300, 330}, Qt::ControlModifier);
    moveTo({500, 420}, Qt::ControlModifier);
    release({500, 420}, Qt::ControlModifier);
    EXPECT_TRUE(a->Selected);
    EXPECT_TRUE(b->Selected);
    EXPECT_FALSE(document().Interaction.BandPending);
}

TEST_F(SelectionTest, BandCoveringOnlyOneShape)
{
    clickAt({600, 600});
    drag({120, 280}, {300, 330}, Qt::ControlModifier);
    EXPECT_TRUE(a->Selected);
    EXPECT_FALSE(b->Selected);
}

TEST_F(SelectionTest, DragMovesTheShapeAndRecordsOneEntry)
{
    drag({200, 350}, {230, 370});
    EXPECT_EQ(a->GetBounds(), (TRect{180, 320, 280, 420}));
    EXPECT_EQ(historyRows().last(), QStringLiteral("移动"));
    const int rows = historyRows().size();
    drag({230, 370}, {240, 380});
    EXPECT_EQ(a->GetBounds(), (TRect{190, 330, 290, 430}));
    EXPECT_EQ(historyRows().size(), rows); // the same shape again: one entry
}

TEST_F(SelectionTest, HandleDragResizes)
{
    clickAt({200, 350});
    auto* box = static_cast<TMultiResizeControlGraphics*>(a);
    const TRect handle = box->Handles[7]; // bottom right
    const QPoint grab((handle.Left + handle.Right) / 2, (handle.Top + handle.Bottom) / 2);
    drag(grab, grab + QPoint(40, 30));
    const TRect bounds = a->GetBounds();
    EXPECT_EQ(bounds.Left, 150);
    EXPECT_EQ(bounds.Top, 300);
    EXPECT_NEAR(bounds.Right, 290, 2);
    EXPECT_NEAR(bounds.Bottom, 430, 2);
    EXPECT_EQ(historyRows().last(), QStringLiteral("更改大小"));
}

TEST_F(SelectionTest, DeleteKeyDeletesTheSelection)
{
    clickAt({200, 350});
    clickAt({400, 350}, Qt::ControlModifier);
    const int before = page().ShapeCount();
    const QString kindName = b->KindName;
    key(Qt::Key_Delete);
    EXPECT_EQ(page().ShapeCount(), before - 2);
    EXPECT_EQ(document().ActiveShape, nullptr);
    EXPECT_EQ(historyRows().last(), QStringLiteral("删除-") + kindName);
}

TEST_F(SelectionTest, DeleteButtonDeletesTheSelection)
{
    clickAt({200, 350});
    const int before = page().ShapeCount();
    click("DeleteAct");
    EXPECT_EQ(page().ShapeCount(), before - 1);
    EXPECT_EQ(page().IndexOf(b), before - 2);
}

TEST_F(SelectionTest, DeleteStopsAtASelectedPageMark)
{
    clickAt({200, 350});
    clickAt({400, 350}, Qt::ControlModifier);
    // Page marks cannot be selected by hand on a self-made sheet.
    TGraphics* paperTypeMark = page().ShapeItem(4);
    TGraphics* pageNumberMark = page().ShapeItem(5);
    ASSERT_TRUE(isPageMark(*paperTypeMark));
    paperTypeMark->Select();
    pageNumberMark->Select();
    const int before = page().ShapeCount();
    key(Qt::Key_Delete);
    EXPECT_EQ(page().ShapeCount(), before - 2);
    EXPECT_EQ(page().ShapeItem(4), paperTypeMark);
    EXPECT_EQ(page().ShapeItem(5), pageNumberMark);
}

TEST_F(SelectionTest, CtrlArrowsNudgeAtZoomOnePointFive)
{
    clickAt({200, 350});
    for (int i = 0; i < 5; ++i)
        click("ZoomInAct");
    ASSERT_NEAR(page().ScaleX, 1.5, 1e-9);
    ASSERT_EQ(document().ActiveShape, a);
    const int rows = historyRows().size();

    key(Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(a->GetBounds(), (TRect{149, 300, 249, 400}));
    EXPECT_EQ(historyRows().last(), QStringLiteral("轻移"));
    key(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(a->GetBounds(), (TRect{149, 301, 249, 401}));
    EXPECT_EQ(historyRows().size(), rows + 1); // nudges in a row share one entry

    key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(a->GetBounds(), (TRect{149, 301, 250, 401}));
    EXPECT_EQ(historyRows().last(), QStringLiteral("更改大小"));

    key(Qt::Key_Right);
    EXPECT_EQ(a->GetBounds(), (TRect{149, 301, 250, 401}));
}

TEST_F(SelectionTest, CtrlShiftArrowsNudgeEverySelectedShape)
{
    clickAt({200, 350});
    clickAt({400, 350}, Qt::ControlModifier);
    key(Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(a->GetBounds().Top, 299);
    EXPECT_EQ(b->GetBounds().Top, 299);
}

TEST_F(DrawingTest, ShiftUpOnAHorizontalLineIsLeftAlone)
{
    draw("HlineAct", {150, 300}, {300, 300});
    const TRect before = lastShape()->GetBounds();
    const int rows = historyRows().size();
    key(Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(lastShape()->GetBounds(), before);
    EXPECT_EQ(historyRows().size(), rows);
}

class TextEditorTest : public WindowTest
{
protected:
    QPlainTextEdit& memo() const { return *window->textEditor(); }
};

TEST_F(TextEditorTest, EnterCreatesATextBox)
{
    const int before = page().ShapeCount();
    draw("textAction", {200, 300}, {400, 360});
    ASSERT_TRUE(memo().isVisible());
    EXPECT_TRUE(memo().hasFocus());
    EXPECT_EQ(memo().geometry(), QRect(200, 300, 200, 60));
    QTest::keyClicks(&memo(), QStringLiteral("Name"));
    key(Qt::Key_Return);

    EXPECT_FALSE(memo().isVisible());
    ASSERT_EQ(page().ShapeCount(), before + 1);
    auto* text = dynamic_cast<TRectText*>(lastShape());
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->Lines, QStringList{QStringLiteral("Name")});
    EXPECT_EQ(text->GetBounds(), (TRect{200, 300, 400, 360}));
    EXPECT_EQ(historyRows().last(), QStringLiteral("新建-") + text->KindName);
}

TEST_F(TextEditorTest, SmallAreaGetsTheMinimumEditorSize)
{
    draw("textAction", {200, 300}, {210, 305});
    EXPECT_EQ(memo().size(), QSize(50, 30));
    key(Qt::Key_Escape);
    EXPECT_FALSE(memo().isVisible());
}

TEST_F(TextEditorTest, EscapeAndBlankTextCreateNothing)
{
    const int before = page().ShapeCount();
    draw("textAction", {200, 300}, {400, 360});
    QTest::keyClicks(&memo(), QStringLiteral("gone"));
    key(Qt::Key_Escape);
    draw("textAction", {200, 300}, {400, 360});
    QTest::keyClicks(&memo(), QStringLiteral("   "));
    key(Qt::Key_Return);
    EXPECT_EQ(page().ShapeCount(), before);
    EXPECT_EQ(historyRows().size(), 1);
}

TEST_F(TextEditorTest, DoubleClickEditsTheText)
{
    draw("textAction", {200, 300}, {400, 360});
    QTest::keyClicks(&memo(), QStringLiteral("old"));
    key(Qt::Key_Return);
    auto* text = static_cast<TRectText*>(lastShape());
    const int rows = historyRows().size();

    doubleClickAt({250, 320});
    ASSERT_TRUE(memo().isVisible());
    EXPECT_EQ(memo().toPlainText(), QStringLiteral("old"));
    EXPECT_EQ(memo().geometry(), QRect(200, 300, 200, 60));
    memo().selectAll();
    QTest::keyClicks(&memo(), QStringLiteral("new"));
    key(Qt::Key_Return);
    EXPECT_EQ(text->Lines, QStringList{QStringLiteral("new")});
    EXPECT_EQ(historyRows().size(), rows);
}

TEST_F(TextEditorTest, APressBesideTheEditorKeepsTheTypedText)
{
    draw("ToolRectAct", {500, 300}, {600, 400});
    TGraphics* box = lastShape();
    clickAt({700, 700}); // nothing selected
    ASSERT_FALSE(box->Selected);
    const int before = page().ShapeCount();
    draw("textAction", {200, 300}, {400, 360});
    QTest::keyClicks(&memo(), QStringLiteral("name"));
    clickAt({550, 350});

    EXPECT_FALSE(memo().isVisible());
    EXPECT_FALSE(box->Selected); // the press ends the typing and does nothing else
    ASSERT_EQ(page().ShapeCount(), before + 1);
    EXPECT_EQ(static_cast<TRectText*>(lastShape())->Lines, QStringList{QStringLiteral("name")});
    EXPECT_EQ(historyRows().last(), QStringLiteral("新建-文本框"));
}

} // namespace
} // namespace sw::test
