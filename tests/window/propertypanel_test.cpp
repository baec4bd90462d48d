#include "editor/propertypanel.h"
#include "window/windowfixture.h"

#include <QComboBox>
#include <QLayout>
#include <QSpinBox>

namespace sw::test {
namespace {

// The window with its own property panel.
class RealPanelTest : public WindowTest
{
protected:
    bool useTestPanel() const override { return false; }

    template <typename T> T* control(const char* name) const
    {
        return window->propertyPanel()->findChild<T*>(QString::fromUtf8(name));
    }
};

TEST_F(RealPanelTest, PanelFillsTheGroup)
{
    PropertyPanel* panel = window->propertyPanel();
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->isVisible());
    QWidget* group = window->findChild<QWidget*>(QStringLiteral("图形参数"));
    EXPECT_EQ(panel->parentWidget(), group);
    EXPECT_GE(group->layout()->indexOf(panel), 0);
    EXPECT_GT(panel->height(), 0);
    EXPECT_GE(group->height(), panel->height());
}

TEST_F(RealPanelTest, BubbleBoxNeedsOptionCharacters)
{
    const int before = page().ShapeCount();
    draw("kgact", {150, 300}, {150, 300});
    EXPECT_EQ(page().ShapeCount(), before);

    auto* characters = control<QComboBox>("OptionCharactersList");
    ASSERT_NE(characters, nullptr);
    characters->setEditText(QStringLiteral("ABCD"));
    draw("kgact", {150, 300}, {150, 300});
    ASSERT_EQ(page().ShapeCount(), before + 1);
    auto* box = dynamic_cast<TRectKg*>(lastShape());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->FormatText, QStringLiteral("ABCD"));
    EXPECT_EQ(box->Row, 4);
    EXPECT_EQ(box->col, 5);
}

TEST_F(RealPanelTest, PanelChangeIsWrittenAndRecorded)
{
    draw("ToolRectAct", {150, 300}, {250, 400});
    TGraphics* rectangle = lastShape();
    auto* width = control<QSpinBox>("PenWidthSpin");
    ASSERT_NE(width, nullptr);
    width->setValue(4);
    EXPECT_EQ(rectangle->Pen.Width, 4);
    EXPECT_EQ(historyRows().last(), QStringLiteral("修改参数"));

    // The next shape takes the panel's style.
    draw("ToolEllipseAct", {300, 300}, {400, 400});
    EXPECT_EQ(lastShape()->Pen.Width, 4);
}

TEST_F(RealPanelTest, LockedDocumentIgnoresThePanel)
{
    draw("ToolRectAct", {150, 300}, {250, 400});
    TGraphics* rectangle = lastShape();
    click("LockAct");
    control<QSpinBox>("PenWidthSpin")->setValue(6);
    EXPECT_EQ(rectangle->Pen.Width, 1);
}

} // namespace
} // namespace sw::test
