#include "panel_support.h"

#include "editor/colorswatch.h"
#include "editor/fontbutton.h"
#include "shapes/rectkg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QToolButton>

namespace sw::test {
namespace {

using ControlsTest = PanelTest;

struct SpinRow
{
    const char* name;
    int minimum;
    int maximum;
    int value;
};

TEST_F(ControlsTest, SpinEditsStartWithTheirRangesAndValues)
{
    const SpinRow rows[] = {
        {"RzSpinEdit9", 1, 999, 1},   {"RzSpinEdit15", 1, 99, 1},   {"RzSpinEdit1", 1, 100, 1},
        {"RzSpinEdit10", 1, 999, 5},  {"RzSpinEdit14", 0, 999, 10}, {"RzSpinEdit13", 0, 999, 5},
        {"RzSpinEdit16", 0, 999, 0},  {"RzSpinEdit17", 1, 999, 1},  {"RzSpinEdit5", 0, 1000, 30},
        {"RzSpinEdit6", 0, 1000, 30}, {"RzSpinEdit7", 0, 1000, 0},  {"RzSpinEdit2", 0, 999, 5},
        {"RzSpinEdit4", 1, 1000, 5},  {"RzSpinEdit3", 1, 1000, 5},  {"RzSpinEdit8", 1, 100, 25},
        {"RzSpinEdit18", 1, 1000, 1},
    };
    for (const SpinRow& row : rows) {
        auto* spin = control<QSpinBox>(row.name);
        ASSERT_NE(spin, nullptr);
        EXPECT_EQ(spin->minimum(), row.minimum) << row.name;
        EXPECT_EQ(spin->maximum(), row.maximum) << row.name;
        EXPECT_EQ(spin->value(), row.value) << row.name;
    }
    auto* width = control<QDoubleSpinBox>("RzSpinEdit11");
    auto* height = control<QDoubleSpinBox>("RzSpinEdit12");
    EXPECT_DOUBLE_EQ(width->minimum(), 0.1);
    EXPECT_DOUBLE_EQ(width->maximum(), 999);
    EXPECT_DOUBLE_EQ(width->value(), 20);
    EXPECT_DOUBLE_EQ(height->minimum(), 0.1);
    EXPECT_DOUBLE_EQ(height->value(), 10);
}

struct ComboRow
{
    const char* name;
    QStringList items;
    QString current;
};

TEST_F(ControlsTest, ListsStartWithTheirEntries)
{
    const ComboRow rows[] = {
        {"RzComboBox2", {"实线", "虚线"}, "实线"},
        {"RzComboBox3", {"准考证号", "答题", "缺考", "作弊", "选作题", "主观分"}, "准考证号"},
        {"RzComboBox7", {"单选", "多选"}, "单选"},
        {"RzComboBox5", {"填图框内", "填图框外", "不显示"}, "填图框内"},
        {"RzComboBox4", {"下", "右"}, "下"},
        {"RzComboBox8", {"涂点", "对勾"}, "涂点"},
        {"RzComboBox6", {"上", "右", "下", "左"}, "上"},
    };
    for (const ComboRow& row : rows) {
        auto* combo = control<QComboBox>(row.name);
        ASSERT_NE(combo, nullptr);
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items.append(combo->itemText(i));
        EXPECT_EQ(items, row.items) << row.name;
        EXPECT_EQ(combo->currentText(), row.current) << row.name;
        EXPECT_FALSE(combo->isEditable()) << row.name;
    }

    auto* chars = control<QComboBox>("RzComboBox1");
    EXPECT_TRUE(chars->isEditable());
    EXPECT_EQ(chars->currentText(), QString());
    EXPECT_EQ(chars->count(), 66);
    EXPECT_EQ(panel->optionCharacters(), QString());
}

TEST_F(ControlsTest, OtherControlsStartEmptyBlackAndWithTheirFonts)
{
    for (const char* name : {"RzEdit4", "RzEdit2", "RzEdit1", "RzEdit3"})
        EXPECT_EQ(control<QLineEdit>(name)->text(), QString()) << name;
    EXPECT_TRUE(control<QLineEdit>("RzEdit2")->isReadOnly());
    EXPECT_EQ(control<QToolButton>("RzToolButton35")->toolTip(), "选择图片");
    EXPECT_FALSE(control<QCheckBox>("RzCheckBox3")->isChecked());
    EXPECT_FALSE(control<QLineEdit>("RzEdit3")->isEnabled());
    EXPECT_TRUE(control<QCheckBox>("RzCheckBox2")->isChecked());
    EXPECT_FALSE(control<QCheckBox>("RzCheckBox1")->isChecked());
    EXPECT_EQ(control<QCheckBox>("RzCheckBox1")->text(), "填充颜色");

    for (const char* name : {"bcolor1", "bcolor2", "textcolor", "Numbercolor", "fontcolor"})
        EXPECT_EQ(control<TColorSwatch>(name)->Color(), clBlack) << name;

    const TFont labels = control<TFontButton>("RzToolButton2")->Font();
    EXPECT_EQ(labels.Name, "新宋体");
    EXPECT_EQ(labels.Height, -10);
    const TFont numbers = control<TFontButton>("RzToolButton3")->Font();
    EXPECT_EQ(numbers.Name, "Arial");
    EXPECT_EQ(numbers.Height, -12);
    ASSERT_NE(control<TFontButton>("BtnFont1"), nullptr);
    ASSERT_NE(control<TFontButton>("RzToolButton37"), nullptr);

    auto* memo = control<QPlainTextEdit>("lineMemo");
    EXPECT_TRUE(memo->isHidden());
    EXPECT_EQ(panel->LineListRows(), QStringList{"\\\\1"});
    EXPECT_EQ(control<QToolButton>("RzToolButton12")->text(), "定位检测");
}

TEST_F(ControlsTest, SpinEditsClampValuesSetBeyondTheirRange)
{
    auto* penWidth = control<QSpinBox>("RzSpinEdit1");
    penWidth->setValue(500);
    EXPECT_EQ(penWidth->value(), 100);
    penWidth->setValue(-3);
    EXPECT_EQ(penWidth->value(), 1);

    auto* width = control<QDoubleSpinBox>("RzSpinEdit11");
    width->setValue(0);
    EXPECT_DOUBLE_EQ(width->value(), 0.1);
    width->setValue(5000);
    EXPECT_DOUBLE_EQ(width->value(), 999);

    // A box loaded with sizes beyond the ranges shows the nearer bounds.
    auto& box = add<TRectKg>({10, 10, 20, 20});
    box.FormatText = "AB";
    box.Gridwidth = 0;
    box.GridHeight = 4000;
    box.col = 0;
    box.GLZG = 0;
    select(box);
    EXPECT_DOUBLE_EQ(width->value(), 0.1);
    EXPECT_DOUBLE_EQ(control<QDoubleSpinBox>("RzSpinEdit12")->value(), 999);
    EXPECT_EQ(control<QSpinBox>("RzSpinEdit10")->value(), 1);
    EXPECT_EQ(control<QSpinBox>("RzSpinEdit17")->value(), 1);
}

TEST_F(ControlsTest, TypedValuesStayWithinTheRange)
{
    panel->ShowPanels(1);
    auto* penWidth = control<QSpinBox>("RzSpinEdit1");
    typeInto(penWidth, "5000");
    QTest::keyClick(penWidth, Qt::Key_Return);
    EXPECT_GE(penWidth->value(), 1);
    EXPECT_LE(penWidth->value(), 100);

    panel->ShowPanels(9);
    auto* question = control<QSpinBox>("RzSpinEdit9");
    typeInto(question, "0");
    QTest::keyClick(question, Qt::Key_Return);
    EXPECT_EQ(question->value(), 1);
}

} // namespace
} // namespace sw::test
