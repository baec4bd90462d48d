#include "controllerfixture.h"
#include "shapes/recttext.h"

namespace sw::test {
namespace {

class TextEditorTest : public ControllerTest
{
protected:
    TRectText& addText(TRect r, const QStringList& lines)
    {
        TRectText& text = add<TRectText>(r);
        text.Lines = lines;
        text.Font.Name = QStringLiteral("宋体");
        text.Font.Height = -16;
        return text;
    }
    bool type(int key) { return controller.TextEditorKeyPress(key); }
};

TEST_F(TextEditorTest, TheTextToolOpensAnEditorAtLeastFiftyByThirty)
{
    view.scroll = {10, 20};
    const int before = page().ShapeCount();
    drag(ToolText, {120, 110}, {100, 100});
    EXPECT_TRUE(view.editorVisible);
    EXPECT_TRUE(controller.TextEditorShowing());
    EXPECT_EQ(view.editorArea, (TRect{90, 80, 140, 110}));
    EXPECT_TRUE(view.editorLines.isEmpty());
    EXPECT_EQ(page().ShapeCount(), before);
    EXPECT_EQ(document.Interaction.Tool, ToolSelect);

    // A press beside the editor closes it (nothing typed) and starts no other box.
    drag(ToolText, {0, 0}, {0, 0});
    EXPECT_FALSE(view.editorVisible);
    EXPECT_EQ(view.editorArea, (TRect{90, 80, 140, 110}));
    EXPECT_EQ(page().ShapeCount(), before);
}

TEST_F(TextEditorTest, EnterCreatesAnUnselectedTextBox)
{
    setZoom(2.0);
    view.scroll = {10, 20};
    drag(ToolText, {100, 100}, {300, 180});
    ASSERT_EQ(view.editorArea, (TRect{90, 80, 290, 160}));
    view.editorLines = {QStringLiteral("姓名"), QStringLiteral("班级")};
    view.editorFont.Name = QStringLiteral("黑体");
    const qsizetype entries = rows().size();
    EXPECT_TRUE(type(Qt::Key_Return));

    EXPECT_FALSE(view.editorVisible);
    EXPECT_FALSE(controller.TextEditorShowing());
    auto* text = dynamic_cast<TRectText*>(lastShape());
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->GetBounds(), (TRect{50, 50, 150, 90}));
    EXPECT_EQ(text->Lines, view.editorLines);
    EXPECT_EQ(text->Font.Name, QStringLiteral("黑体"));
    EXPECT_FALSE(text->Selected);
    EXPECT_NE(document.ActiveShape, text);
    ASSERT_EQ(rows().size(), entries + 1);
    EXPECT_EQ(rows().back(), QStringLiteral("新建-文本框"));
}

TEST_F(TextEditorTest, EscapeAndBlankTextChangeNothing)
{
    const int before = page().ShapeCount();
    for (const int key : {int(Qt::Key_Escape), int(Qt::Key_Enter)}) {
        drag(ToolText, {100, 100}, {200, 200});
        view.editorLines = {QStringLiteral("  "), QString()};
        if (key == Qt::Key_Escape)
            view.editorLines = {QStringLiteral("不要")};
        EXPECT_TRUE(type(key));
        EXPECT_FALSE(view.editorVisible);
        EXPECT_EQ(page().ShapeCount(), before);
    }
    EXPECT_EQ(rows().size(), 1);
    EXPECT_FALSE(type(Qt::Key_Return)); // nothing open
    EXPECT_FALSE(type(Qt::Key_A));
}

TEST_F(TextEditorTest, APressBesideTheEditorKeepsTheTypedText)
{
    TRectangle& box = add({300, 300, 350, 350});
    const int before = page().ShapeCount();
    drag(ToolText, {100, 100}, {200, 200});
    view.editorLines = {QStringLiteral("姓名")};
    click({320, 320});

    EXPECT_FALSE(box.Selected); // the press ends the typing and does nothing else
    EXPECT_FALSE(view.editorVisible);
    ASSERT_EQ(page().ShapeCount(), before + 1);
    auto* text = dynamic_cast<TRectText*>(lastShape());
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->Lines, view.editorLines);
    EXPECT_EQ(rows().back(), QStringLiteral("新建-文本框"));
}

TEST_F(TextEditorTest, DoubleClickEditsATextBoxInPlace)
{
    setZoom(2.0);
    view.scroll = {10, 20};
    TRectText& text = addText({40, 60, 140, 90}, {QStringLiteral("原文")});
    TRectangle& other = add({300, 300, 350, 350});
    click({620, 620});
    ASSERT_EQ(document.ActiveShape, &other);
    click({100, 140}, Qt::ControlModifier); // the double click's first press
    controller.DoubleClick();

    EXPECT_TRUE(view.editorVisible);
    // Placed at the zoomed corner, sized in layout pixels.
    EXPECT_EQ(view.editorArea, (TRect{70, 100, 170, 130}));
    EXPECT_EQ(view.editorLines, QStringList{QStringLiteral("原文")});
    EXPECT_EQ(view.editorFont, text.Font);
    EXPECT_EQ(document.ActiveShape, &text);
    // The selection marks are as the press left them.
    EXPECT_TRUE(text.Selected);
    EXPECT_TRUE(other.Selected);

    view.editorLines = {QStringLiteral("新文"), QStringLiteral("第二行")};
    view.editorFont.Height = -20;
    const qsizetype entries = rows().size();
    const int shapes = page().ShapeCount();
    EXPECT_TRUE(type(Qt::Key_Return));
    EXPECT_EQ(text.Lines, view.editorLines);
    EXPECT_EQ(text.Font.Height, -20);
    EXPECT_EQ(page().ShapeCount(), shapes);
    EXPECT_EQ(rows().size(), entries);
}

TEST_F(TextEditorTest, DoubleClickMakesTheTextBoxCurrentWithoutSelectingIt)
{
    TRectText& text = addText({100, 100, 200, 130}, {QStringLiteral("标题")});
    TRectangle& box = add({300, 300, 350, 350});
    click({320, 320});
    document.Interaction.BandStart = {150, 110}; // as the first press of a double click leaves it
    controller.DoubleClick();
    EXPECT_EQ(document.ActiveShape, &text);
    EXPECT_FALSE(text.Selected);
    EXPECT_FALSE(box.Selected);
    EXPECT_TRUE(view.editorVisible);
}

TEST_F(TextEditorTest, DoubleClickElsewhereOpensNothing)
{
    add({100, 100, 200, 200});
    click({150, 150});
    controller.DoubleClick();
    EXPECT_FALSE(view.editorVisible);
    document.Interaction.Tool = ToolRectangle;
    addText({300, 300, 400, 330}, {QStringLiteral("x")});
    document.Interaction.BandStart = {350, 310};
    controller.DoubleClick();
    EXPECT_FALSE(view.editorVisible);
}

TEST_F(TextEditorTest, RestoringCancelsTheEditor)
{
    TRectText& text = addText({100, 100, 200, 130}, {QStringLiteral("标题")});
    click({150, 110});
    controller.DoubleClick();
    ASSERT_TRUE(view.editorVisible);
    ASSERT_EQ(document.ActiveShape, &text);
    ASSERT_TRUE(controller.RestoreEntry(0));
    EXPECT_FALSE(view.editorVisible);
    EXPECT_FALSE(controller.TextEditorShowing());
    EXPECT_EQ(document.ActiveShape, nullptr);
}

} // namespace
} // namespace sw::test
