#include "dialogs/papersizes.h"
#include "pagesetup/pagesetupfixture.h"
#include "support/fieldtips_check.h"

#include <QLabel>

namespace sw::test {
namespace {

using F = PageSetupDialog;

TEST_F(PageSetupTest, StartsWithA4AndSelfMade)
{
    EXPECT_EQ(setup().windowTitle(), QStringLiteral("页面设置"));
    EXPECT_FALSE(setup().isModal());
    EXPECT_EQ(setup().sizeList()->currentText(), QStringLiteral("A4"));
    EXPECT_EQ(setup().modeList()->currentText(), QStringLiteral("自制"));
    EXPECT_TRUE(setup().sizeList()->isEnabled());
    EXPECT_EQ(field(F::WidthField)->text(), QStringLiteral("210"));
    EXPECT_EQ(field(F::HeightField)->text(), QStringLiteral("297"));
    EXPECT_EQ(field(F::LeftMarginField)->text(), QStringLiteral("10"));
    EXPECT_EQ(field(F::DwwField)->text(), QStringLiteral("6"));
    EXPECT_EQ(field(F::DwhField)->text(), QStringLiteral("4"));
    // The marks' sizes in layout pixels.
    EXPECT_EQ(field(F::TypeWidthField)->text(), QString::number(mark(0).Gridwidth));
    EXPECT_EQ(field(F::NumberHeightField)->text(), QString::number(mark(1).GridHeight));
    // The main window goes on working while the dialog is open.
    EXPECT_TRUE(window->isEnabled());
}

TEST_F(PageSetupTest, EveryInputIsNamedAfterItsLabel)
{
    const QStringList expected = {
        "制卷模式",  "尺寸",      "方向",     "宽度:mm",  "高度:mm",  "左边距:mm", "顶边距:mm",
        "右边距:mm", "底边距:mm", "定位框宽", "定位框高", "类型方向", "类型宽",    "类型高",
        "类型行距",  "类型列距",  "页码方向", "页码宽",   "页码高",   "页码行距",  "页码列距"};
    QStringList labels;
    for (const QLabel* label : setup().findChildren<QLabel*>()) {
        ASSERT_NE(label->buddy(), nullptr) << label->text().toStdString();
        EXPECT_EQ(label->buddy()->accessibleName(), label->text());
        labels << label->text();
    }
    EXPECT_EQ(labels, expected);
    QStringList buttons;
    for (const QPushButton* button : setup().findChildren<QPushButton*>())
        buttons << button->text();
    EXPECT_EQ(buttons, (QStringList{"确定", "取消"}));
    EXPECT_EQ(setup().modeList()->count(), 5);
    EXPECT_EQ(setup().sizeList()->count(), 10);
    EXPECT_EQ(setup().typeAspectList()->itemText(3), QStringLiteral("左"));
}

struct PresetCase
{
    int entry;
    int orientation;
    const char* width;
    const char* height;
};

class PresetTest : public PageSetupTest, public ::testing::WithParamInterface<PresetCase>
{
};

TEST_P(PresetTest, SizeListFillsWidthAndHeightOnly)
{
    const PresetCase c = GetParam();
    choose(setup().orientationList(), c.orientation);
    // A neighbour first, so that the entry is one key away.
    choose(setup().sizeList(), c.entry == 0 ? 1 : c.entry - 1);
    retype(field(F::WidthField), QStringLiteral("123.4"));
    retype(field(F::HeightField), QStringLiteral("234.5"));
    choose(setup().sizeList(), c.entry);
    EXPECT_EQ(field(F::WidthField)->text(), QString::fromUtf8(c.width));
    EXPECT_EQ(field(F::HeightField)->text(), QString::fromUtf8(c.height));
    // Nothing applied before "确定".
    EXPECT_EQ(page().Width, 210.0);
    EXPECT_EQ(page().Height, 297.0);
    EXPECT_EQ(page().PageSize, A4);
}

INSTANTIATE_TEST_SUITE_P(Sizes, PresetTest,
                         ::testing::Values(PresetCase{EntryA3, 0, "297.0", "420.0"},
                                           PresetCase{EntryA3, 1, "420.0", "297.0"},
                                           PresetCase{EntryA4, 0, "210.0", "297.0"},
                                           PresetCase{EntryA4, 1, "297.0", "210.0"},
                                           PresetCase{EntryA5, 0, "148.0", "210.0"},
                                           PresetCase{EntryB4, 1, "354.0", "250.0"},
                                           PresetCase{EntryB5, 0, "182.0", "257.0"},
                                           PresetCase{EntryZheng16, 0, "123.4", "234.5"},
                                           PresetCase{EntryDa8, 1, "123.4", "234.5"},
                                           PresetCase{EntryCustom, 0, "123.4", "234.5"}));

TEST_F(PageSetupTest, SelfMadeOrientationWaitsForOk)
{
    choose(setup().orientationList(), 1);
    EXPECT_EQ(field(F::WidthField)->text(), QStringLiteral("297.0"));
    EXPECT_EQ(field(F::HeightField)->text(), QStringLiteral("210.0"));
    EXPECT_EQ(page().Orientation, poPortrait);
    EXPECT_EQ(page().Width, 210.0);
    const int boxRight = page().ShapeItem(1)->GetBounds().Left;

    pressOk();
    EXPECT_FALSE(setup().isVisible());
    EXPECT_EQ(page().Orientation, poLandscape);
    EXPECT_EQ(page().Width, 297.0);
    EXPECT_EQ(page().Height, 210.0);
    EXPECT_EQ(page().PageSize, A4);
    // The marks follow the new paper.
    EXPECT_GT(page().ShapeItem(1)->GetBounds().Left, boxRight);
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(PageSetupTest, OverlayModeLocksTheSizeListOnCustom)
{
    retype(field(F::WidthField), QStringLiteral("250.5"));
    chooseMode(1);
    EXPECT_EQ(document().Modal, 1);
    EXPECT_EQ(setup().sizeList()->currentText(), QStringLiteral("自定义"));
    EXPECT_FALSE(setup().sizeList()->isEnabled());
    EXPECT_EQ(field(F::WidthField)->text(), QStringLiteral("250.5"));
    EXPECT_EQ(field(F::HeightField)->text(), QStringLiteral("297"));
    // Applied at once: the width, and the move buttons show.
    EXPECT_EQ(page().Width, 250.5);
    EXPECT_TRUE(window->action(QStringLiteral("MoveBackgroundRightAct"))->isVisible());
    // The size list is not applied in the overlay modes.
    EXPECT_EQ(page().PageSize, A4);

    chooseMode(0);
    EXPECT_EQ(document().Modal, 0);
    EXPECT_TRUE(setup().sizeList()->isEnabled());
    EXPECT_EQ(setup().sizeList()->currentText(), QStringLiteral("自定义"));
    EXPECT_EQ(page().PageSize, Custom);
    EXPECT_FALSE(window->action(QStringLiteral("MoveBackgroundRightAct"))->isVisible());
}

struct WheelCase
{
    const char* name;
    int modal;
    F::Field field;
    const char* start;
    bool up;
    int notches;
    const char* expected; // the field afterwards; nullptr: unchanged
};

class WheelTest : public PageSetupTest, public ::testing::WithParamInterface<WheelCase>
{
};

TEST_P(WheelTest, WheelStepsFieldsInOverlayModes)
{
    const WheelCase c = GetParam();
    chooseMode(c.modal);
    retype(field(c.field), QString::fromUtf8(c.start));
    const double before = page().LeftMargin;
    for (int i = 0; i < c.notches; ++i)
        wheel(field(c.field), c.up);
    const QString expected = QString::fromUtf8(c.expected ? c.expected : c.start);
    EXPECT_EQ(field(c.field)->text(), expected);
    if (c.expected && c.field == F::LeftMarginField)
        EXPECT_DOUBLE_EQ(page().LeftMargin, expected.toDouble());
    else if (c.expected && c.field == F::TypeWidthField)
        EXPECT_EQ(mark(0).Gridwidth, expected.toInt());
    else if (c.expected && c.field == F::DwwField)
        EXPECT_DOUBLE_EQ(document().DWW, expected.toDouble());
    else
        EXPECT_EQ(page().LeftMargin, before);
    EXPECT_TRUE(dialogs.messages().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WheelTest,
    ::testing::Values(WheelCase{"MarginUp", 1, F::LeftMarginField, "10", true, 1, "10.1"},
                      WheelCase{"MarginTwiceDown", 2, F::LeftMarginField, "10", false, 2, "9.8"},
                      WheelCase{"MarginBelowZero", 1, F::LeftMarginField, "0.1", false, 2, "-0.1"},
                      WheelCase{"TenthsAddUp", 1, F::LeftMarginField, "10", true, 10, "11"},
                      WheelCase{"BoxWidth", 4, F::DwwField, "6", true, 1, "6.1"},
                      WheelCase{"MarkByOne", 1, F::TypeWidthField, "12", true, 1, "13"},
                      WheelCase{"MarkDown", 3, F::TypeWidthField, "12", false, 3, "9"},
                      WheelCase{"WidthIgnores", 1, F::WidthField, "250", true, 1, nullptr},
                      WheelCase{"HeightIgnores", 1, F::HeightField, "250", false, 1, nullptr},
                      WheelCase{"SelfMadeIgnores", 0, F::LeftMarginField, "10", true, 1, nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PageSetupTest, WheelMovesTheMarksAtOnce)
{
    chooseMode(1);
    const int left = topLeftBox().GetBounds().Left;
    for (int i = 0; i < 5; ++i)
        wheel(field(F::LeftMarginField), true);
    EXPECT_EQ(field(F::LeftMarginField)->text(), QStringLiteral("10.5"));
    EXPECT_EQ(topLeftBox().GetBounds().Left, document().toPixels(10.5));
    EXPECT_NE(topLeftBox().GetBounds().Left, left);
}

struct KeyCase
{
    const char* typed;
    const char* result;
};

class KeyFilterTest : public PageSetupTest, public ::testing::WithParamInterface<KeyCase>
{
};

TEST_P(KeyFilterTest, OnlyDigitsAndOnePointGetIn)
{
    for (F::Field f : {F::WidthField, F::TopMarginField, F::NumberColSpaceField}) {
        retype(field(f), QString::fromUtf8(GetParam().typed));
        EXPECT_EQ(field(f)->text(), QString::fromUtf8(GetParam().result));
    }
}

INSTANTIATE_TEST_SUITE_P(Typing, KeyFilterTest,
                         ::testing::Values(KeyCase{"12.5", "12.5"}, KeyCase{"1.2.3", "1.23"},
                                           KeyCase{"-7", "7"}, KeyCase{"a1b,2", "12"},
                                           KeyCase{"..5", ".5"}, KeyCase{"1 0", "10"}));

TEST_F(PageSetupTest, BackspaceAndShortcutsPassTheFilter)
{
    retype(field(F::LeftMarginField), QStringLiteral("123"));
    QTest::keyClick(field(F::LeftMarginField), Qt::Key_Backspace);
    EXPECT_EQ(field(F::LeftMarginField)->text(), QStringLiteral("12"));
    QTest::keyClick(field(F::LeftMarginField), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field(F::LeftMarginField), Qt::Key_Delete);
    EXPECT_EQ(field(F::LeftMarginField)->text(), QString());
}

struct EnterCase
{
    const char* name;
    int modal;
    const char* text;
    bool applies;
};

class EnterTest : public PageSetupTest, public ::testing::WithParamInterface<EnterCase>
{
};

TEST_P(EnterTest, EnterAppliesNonEmptyFieldsInOverlayModes)
{
    const EnterCase c = GetParam();
    chooseMode(c.modal);
    retype(field(F::TopMarginField), QString::fromUtf8(c.text));
    QTest::keyClick(field(F::TopMarginField), Qt::Key_Return);
    EXPECT_EQ(page().TopMargin, c.applies ? QString::fromUtf8(c.text).toDouble() : 10.0);
    // Enter never closes the dialog and an empty field is not refused.
    EXPECT_TRUE(setup().isVisible());
    EXPECT_TRUE(dialogs.messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, EnterTest,
                         ::testing::Values(EnterCase{"Overlay", 1, "15.5", true},
                                           EnterCase{"Fuzzy", 4, "12", true},
                                           EnterCase{"SelfMade", 0, "15.5", false},
                                           EnterCase{"Empty", 1, "", false}),
                         [](const auto& info) { return std::string(info.param.name); });

struct BadFieldCase
{
    const char* name;
    int modal;
    F::Field field;
    const char* text;
    const char* message;
};

class BadFieldTest : public PageSetupTest, public ::testing::WithParamInterface<BadFieldCase>
{
};

TEST_P(BadFieldTest, StopsAtTheFieldAndKeepsWhatCameBefore)
{
    const BadFieldCase c = GetParam();
    chooseMode(c.modal);
    const int boxLeft = topLeftBox().GetBounds().Left;
    retype(field(F::LeftMarginField), QStringLiteral("12"));
    field(c.field)->setText(QString::fromUtf8(c.text));
    const int markWidth = mark(0).Gridwidth;

    pressOk();
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, QString::fromUtf8(c.message));
    EXPECT_TRUE(setup().isVisible());
    EXPECT_TRUE(field(c.field)->hasFocus());
    // Fields before the bad one are applied; the marks are not laid out.
    if (c.field > F::LeftMarginField)
        EXPECT_EQ(page().LeftMargin, 12.0);
    else
        EXPECT_EQ(page().LeftMargin, 10.0);
    EXPECT_EQ(topLeftBox().GetBounds().Left, boxLeft);
    EXPECT_EQ(mark(0).Gridwidth, markWidth);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadFieldTest,
    ::testing::Values(
        BadFieldCase{"EmptyWidth", 0, F::WidthField, "", "“宽度”中的“”不是有效的数字！"},
        BadFieldCase{"LonePoint", 1, F::TopMarginField, ".", "“顶边距”中的“.”不是有效的数字！"},
        BadFieldCase{"ZeroHeight", 0, F::HeightField, "0", "“高度”中的“0”必须大于0！"},
        BadFieldCase{"FractionInMark", 1, F::TypeWidthField, "10.5",
                     "“类型宽”中的“10.5”不是有效的整数！"},
        BadFieldCase{"HugeMark", 2, F::NumberColSpaceField, "99999999999",
                     "“页码列距”中的“99999999999”不是有效的整数！"},
        BadFieldCase{"PastedLetters", 4, F::DwhField, "4mm",
                     "“定位框高”中的“4mm”不是有效的数字！"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PageSetupTest, MarkFieldsApplyToTheFirstPageInOverlayModes)
{
    addPage(false);
    ASSERT_EQ(document().CurrentPage, 1);
    settle();
    chooseMode(1);
    retype(field(F::TypeWidthField), QStringLiteral("20"));
    retype(field(F::NumberRowSpaceField), QStringLiteral("7"));
    choose(setup().numberAspectList(), 2);
    EXPECT_EQ(mark(0).Gridwidth, 20);
    EXPECT_EQ(mark(1).RowSpace, 7);
    EXPECT_EQ(mark(1).Aspect, AUp);
    EXPECT_EQ(mark(1).TextType, RSPageNumber);
    EXPECT_EQ(mark(1).FormatText, QStringLiteral("8421"));
    // The layout copies the first page's marks to the others.
    auto* second = static_cast<TRectKg*>(page().ShapeItem(5));
    EXPECT_EQ(second->RowSpace, 7);
    EXPECT_EQ(second->Aspect, AUp);
}

TEST_F(PageSetupTest, CancelKeepsWhatWasApplied)
{
    chooseMode(1);
    retype(field(F::LeftMarginField), QStringLiteral("20"));
    auto* cancel = setup().findChild<QPushButton*>(QStringLiteral("CancelButton"));
    QTest::mouseClick(cancel, Qt::LeftButton);
    EXPECT_FALSE(setup().isVisible());
    EXPECT_EQ(document().Modal, 1);
    EXPECT_EQ(page().LeftMargin, 10.0);
}

TEST_F(PageSetupTest, FollowsTheCurrentPage)
{
    addPage(true);
    page().Width = 333.3;
    page().LeftMargin = 7.5;
    tabs().setCurrentIndex(0);
    settle();
    EXPECT_EQ(field(F::WidthField)->text(), QStringLiteral("210"));
    tabs().setCurrentIndex(1);
    settle();
    EXPECT_EQ(field(F::WidthField)->text(), QStringLiteral("333.3"));
    EXPECT_EQ(field(F::LeftMarginField)->text(), QStringLiteral("7.5"));
}

struct SizeCase
{
    int entry;
    int orientation;
    double width;
    double height;
    TPageSize stored;
};

class SizeRoundTripTest : public PageSetupTest, public ::testing::WithParamInterface<SizeCase>
{
};

TEST_P(SizeRoundTripTest, FileReopensWithTheSameEntry)
{
    const SizeCase c = GetParam();
    choose(setup().orientationList(), c.orientation);
    choose(setup().sizeList(), c.entry);
    retype(field(F::WidthField), QString::number(c.width));
    retype(field(F::HeightField), QString::number(c.height));
    pressOk();
    EXPECT_EQ(page().PageSize, c.stored);
    EXPECT_EQ(page().Width, c.width);
    const QString file = path(QStringLiteral("sized.exm"));
    QString error;
    ASSERT_TRUE(document().SaveToFile(SaveAllShapes, file, &error)) << error.toStdString();

    // Elsewhere first, so that the list has to move back.
    setup().sizeList()->setCurrentIndex(c.entry == EntryA3 ? EntryA5 : EntryA3);
    ASSERT_TRUE(window->openFile(file));
    settle();
    EXPECT_EQ(setup().sizeList()->currentIndex(), c.entry);
    EXPECT_EQ(page().PageSize, c.stored);
    EXPECT_EQ(field(F::WidthField)->text(), QString::number(c.width));
    EXPECT_EQ(field(F::HeightField)->text(), QString::number(c.height));
    EXPECT_EQ(setup().orientationList()->currentIndex(), c.orientation);
}

INSTANTIATE_TEST_SUITE_P(Entries, SizeRoundTripTest,
                         ::testing::Values(SizeCase{EntryA3, 1, 420, 297, A3},
                                           SizeCase{EntryA4, 0, 210, 297, A4},
                                           SizeCase{EntryA5, 0, 148, 210, A5},
                                           SizeCase{EntryB4, 0, 250, 354, B4},
                                           SizeCase{EntryB5, 1, 257, 182, B5},
                                           SizeCase{EntryZheng16, 0, 185, 260, Custom},
                                           SizeCase{EntryZheng8, 1, 370, 260, Custom},
                                           SizeCase{EntryDa16, 0, 210, 285, Custom},
                                           SizeCase{EntryDa8, 0, 285, 420, Custom},
                                           SizeCase{EntryCustom, 0, 200.5, 300, Custom}));

TEST_F(PageSetupTest, EveryFieldHasATip)
{
    EXPECT_EQ(inputsWithoutTips(setup()), QStringList());
}

} // namespace
} // namespace sw::test
