#include "panel_support.h"
#include "support/fieldtips_check.h"

#include "editor/colorswatch.h"
#include "editor/fontbutton.h"
#include "shapes/rectkg.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
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
        {"QuestionSpin", 1, 999, 1},           {"PartSpin", 1, 99, 1},
        {"PenWidthSpin", 1, 100, 1},           {"CountSpin", 1, 999, 5},
        {"BubbleColumnSpaceSpin", 0, 999, 10}, {"BubbleRowSpaceSpin", 0, 999, 5},
        {"NumberAddSpin", 0, 999, 0},          {"LinkedQuestionSpin", 1, 999, 1},
        {"GridWidthSpin", 0, 1000, 30},        {"GridHeightSpin", 0, 1000, 30},
        {"GridColumnSpaceSpin", 0, 1000, 0},   {"GridRowSpaceSpin", 0, 999, 5},
        {"GridColumnsSpin", 1, 1000, 5},       {"GridRowsSpin", 1, 1000, 5},
        {"CornerRadiusSpin", 1, 100, 25},      {"LineRowsSpin", 1, 1000, 1},
    };
    for (const SpinRow& row : rows) {
        auto* spin = control<QSpinBox>(row.name);
        ASSERT_NE(spin, nullptr);
        EXPECT_EQ(spin->minimum(), row.minimum) << row.name;
        EXPECT_EQ(spin->maximum(), row.maximum) << row.name;
        EXPECT_EQ(spin->value(), row.value) << row.name;
    }
    auto* width = control<QDoubleSpinBox>("BubbleWidthSpin");
    auto* height = control<QDoubleSpinBox>("BubbleHeightSpin");
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
        {"PenStyleList", {"实线", "虚线"}, "实线"},
        {"PurposeList", {"准考证号", "答题", "缺考", "作弊", "选作题", "主观分"}, "准考证号"},
        {"OptionTypeList", {"单选", "多选"}, "单选"},
        {"ShowTypeList", {"填图框内", "填图框外", "不显示"}, "填图框内"},
        {"DirectionList", {"下", "右"}, "下"},
        {"ReadTypeList", {"涂点", "对勾"}, "涂点"},
        {"TriangleDirectionList", {"上", "右", "下", "左"}, "上"},
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

    auto* chars = control<QComboBox>("OptionCharactersList");
    EXPECT_TRUE(chars->isEditable());
    EXPECT_EQ(chars->currentText(), QString());
    EXPECT_EQ(chars->count(), 66);
    EXPECT_EQ(panel->optionCharacters(), QString());
}

TEST_F(ControlsTest, OtherControlsStartEmptyBlackAndWithTheirFonts)
{
    for (const char* name : {"TagEdit", "PicturePathEdit", "CaptionEdit", "AlternativesEdit"})
        EXPECT_EQ(control<QLineEdit>(name)->text(), QString()) << name;
    EXPECT_TRUE(control<QLineEdit>("PicturePathEdit")->isReadOnly());
    EXPECT_EQ(control<QToolButton>("PictureBrowseButton")->toolTip(), "选择图片");
    EXPECT_FALSE(control<QCheckBox>("OptionalCheck")->isChecked());
    EXPECT_FALSE(control<QLineEdit>("AlternativesEdit")->isEnabled());
    EXPECT_TRUE(control<QCheckBox>("ShowNumberCheck")->isChecked());
    EXPECT_FALSE(control<QCheckBox>("FillCheck")->isChecked());
    EXPECT_EQ(control<QCheckBox>("FillCheck")->text(), "填充颜色");

    for (const char* name : {"bcolor1", "bcolor2", "textcolor", "Numbercolor", "fontcolor"})
        EXPECT_EQ(control<ColorSwatch>(name)->Color(), clBlack) << name;

    const TFont labels = control<FontButton>("LabelFontButton")->Font();
    EXPECT_EQ(labels.Name, "新宋体");
    EXPECT_EQ(labels.Height, -10);
    const TFont numbers = control<FontButton>("NumberFontButton")->Font();
    EXPECT_EQ(numbers.Name, "Arial");
    EXPECT_EQ(numbers.Height, -12);
    ASSERT_NE(control<FontButton>("BtnFont1"), nullptr);
    ASSERT_NE(control<FontButton>("LineFontButton"), nullptr);

    auto* memo = control<QPlainTextEdit>("lineMemo");
    EXPECT_TRUE(memo->isHidden());
    EXPECT_EQ(panel->LineListRows(), QStringList{"\\\\1"});
    EXPECT_EQ(control<QToolButton>("PositionCheckButton")->text(), "定位检测");
}

TEST_F(ControlsTest, SpinEditsClampValuesSetBeyondTheirRange)
{
    auto* penWidth = control<QSpinBox>("PenWidthSpin");
    penWidth->setValue(500);
    EXPECT_EQ(penWidth->value(), 100);
    penWidth->setValue(-3);
    EXPECT_EQ(penWidth->value(), 1);

    auto* width = control<QDoubleSpinBox>("BubbleWidthSpin");
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
    EXPECT_DOUBLE_EQ(control<QDoubleSpinBox>("BubbleHeightSpin")->value(), 999);
    EXPECT_EQ(control<QSpinBox>("CountSpin")->value(), 1);
    EXPECT_EQ(control<QSpinBox>("LinkedQuestionSpin")->value(), 1);
}

TEST_F(ControlsTest, TypedValuesStayWithinTheRange)
{
    panel->ShowPanels(1);
    auto* penWidth = control<QSpinBox>("PenWidthSpin");
    typeInto(penWidth, "5000");
    QTest::keyClick(penWidth, Qt::Key_Return);
    EXPECT_GE(penWidth->value(), 1);
    EXPECT_LE(penWidth->value(), 100);

    panel->ShowPanels(9);
    auto* question = control<QSpinBox>("QuestionSpin");
    typeInto(question, "0");
    QTest::keyClick(question, Qt::Key_Return);
    EXPECT_EQ(question->value(), 1);
}

// Every input carries the caption beside it (without the aligning spaces)
// as its accessible name, so screen readers and automation find it.
TEST_F(ControlsTest, InputsAreNamedByTheirCaptions)
{
    const struct
    {
        const char* control;
        const char* name;
    } captions[] = {
        {"QuestionSpin", "题号"},
        {"PartSpin", "序号"},
        {"CaptionEdit", "标题"},
        {"PenWidthSpin", "宽度"},
        {"OptionCharactersList", "字符"},
        {"ShowTypeList", "显示方式"},
        {"CountSpin", "数量"},
        {"BubbleWidthSpin", "宽"},
        {"ReadTypeList", "识别方式"},
        {"LinkedQuestionSpin", "关联主观题"},
        {"GridColumnsSpin", "列数"},
        {"CornerRadiusSpin", "圆角半径"},
        {"TriangleDirectionList", "方向"},
        {"LineRowsSpin", "行数"},
    };
    for (const auto& c : captions)
        EXPECT_EQ(control<QWidget>(c.control)->accessibleName(), QString::fromUtf8(c.name))
            << c.control;

    const QList<QWidget*> inputs = panel->findChildren<QWidget*>();
    for (QWidget* input : inputs) {
        const bool isInput = qobject_cast<QAbstractSpinBox*>(input) ||
                             qobject_cast<QComboBox*>(input) || qobject_cast<QLineEdit*>(input) ||
                             qobject_cast<QAbstractButton*>(input);
        // The combo boxes' and spin boxes' own line edits speak for them.
        if (!isInput || qobject_cast<QAbstractSpinBox*>(input->parentWidget()) ||
            qobject_cast<QComboBox*>(input->parentWidget()))
            continue;
        const auto* button = qobject_cast<QAbstractButton*>(input);
        const QString name =
            input->accessibleName().isEmpty() && button ? button->text() : input->accessibleName();
        EXPECT_FALSE(name.isEmpty() || name == QStringLiteral("..."))
            << input->objectName().toStdString();
    }
}

// Resting the pointer on a field tells what it is and, for numbers, the range.
TEST_F(ControlsTest, EveryFieldHasATip)
{
    EXPECT_EQ(inputsWithoutTips(*panel), QStringList());
    auto* question = control<QSpinBox>("QuestionSpin");
    QHelpEvent event(QEvent::ToolTip, {2, 2}, question->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(question, &event);
    EXPECT_EQ(QToolTip::text(),
              QStringLiteral("题号（%1–%2）").arg(question->minimum()).arg(question->maximum()));
}

} // namespace
} // namespace sw::test
