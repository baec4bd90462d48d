#include "panel_support.h"

#include "editor/colorswatch.h"
#include "editor/fontbutton.h"
#include "shapes/linelist.h"
#include "shapes/rectbarcode.h"
#include "shapes/rectgrid.h"
#include "shapes/rectkg.h"
#include "shapes/recttext.h"
#include "shapes/rectzg.h"
#include "shapes/rimage.h"
#include "shapes/roundrect.h"
#include "shapes/triangle.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QSpinBox>

namespace sw::test {
namespace {

class ApplyPanelTest : public PanelTest
{
protected:
    TRectKg& bubbleBox(const QString& chars, int questions)
    {
        auto& box = add<TRectKg>({10, 10, 20, 20});
        box.FormatText = chars;
        box.Aspect = ADown;
        box.Row = int(chars.size());
        box.col = questions;
        box.Gridwidth = 20;
        box.GridHeight = 10;
        return box;
    }
};

TEST_F(ApplyPanelTest, ChangingABubbleWidthMakesEverySelectedBubbleBoxAlike)
{
    auto& current = bubbleBox("ABCD", 5);
    auto& second = bubbleBox("TF", 10);
    auto& third = bubbleBox("0123456789", 2);
    auto& unselected = bubbleBox("AB", 3);
    auto& grid = add<TRectGrid>({10, 10, 20, 20});
    grid.Gridwidth = 33;
    grid.Row = 4;
    grid.col = 4;
    second.Select();
    third.Select();
    grid.Select();
    second.TextType = RSResult;
    second.GLZG = 8;
    current.ColSpace = 7;
    current.RowSpace = 2;
    current.ShowNumber = true;
    current.GLZG = 4;
    select(current);
    panel->ShowPanels(7);

    auto* width = control<QDoubleSpinBox>("BubbleWidthSpin");
    typeInto(width, "36");

    for (const TRectKg* box : {&current, &second, &third}) {
        EXPECT_EQ(box->Gridwidth, 36);
        EXPECT_EQ(box->FormatText, "ABCD");
        EXPECT_EQ(box->Row, 4);
        EXPECT_EQ(box->col, 5);
        EXPECT_EQ(box->GridHeight, 10);
        EXPECT_EQ(box->TextType, RSExamCode);
        EXPECT_EQ(box->GLZG, 4);
        EXPECT_EQ(box->ColSpace, 7);
        EXPECT_EQ(box->RowSpace, 2);
        EXPECT_TRUE(box->ShowNumber);
    }
    EXPECT_EQ(unselected.Gridwidth, 20);
    EXPECT_EQ(unselected.FormatText, "AB");
    EXPECT_EQ(grid.Gridwidth, 33);
    EXPECT_EQ(grid.Row, 4);

    // Typing "36" is two changes of one kind on one shape.
    ASSERT_FALSE(records.empty());
    for (const Record& record : records) {
        EXPECT_EQ(record.key, page->IndexOf(&current));
        EXPECT_EQ(record.text, "修改参数");
    }
    EXPECT_GT(repaints, 0);
}

TEST_F(ApplyPanelTest, FrameColourWithAGridCurrentReachesOnlyTheGrids)
{
    auto& grid = add<TRectGrid>({10, 10, 20, 20});
    grid.Gridwidth = 30;
    auto& otherGrid = add<TRectGrid>({30, 30, 40, 40});
    auto& box = bubbleBox("ABCD", 5);
    otherGrid.Select();
    box.Select();
    select(grid);
    panel->ShowPanels(6);

    nextColor = toQColor(clRed);
    QTest::mouseClick(control<ColorSwatch>("bcolor1"), Qt::LeftButton);
    ASSERT_EQ(colorPresets.size(), 1u);
    EXPECT_EQ(toTColor(colorPresets[0]), clBlack);
    EXPECT_EQ(control<ColorSwatch>("bcolor1")->Color(), clRed);
    EXPECT_EQ(grid.Pen.Color, clRed);
    EXPECT_EQ(otherGrid.Pen.Color, clRed);
    EXPECT_EQ(otherGrid.Gridwidth, 30); // the whole panel, not only the colour
    EXPECT_EQ(box.Pen.Color, clBlack);
    EXPECT_EQ(box.Gridwidth, 20);
    EXPECT_TRUE(records.empty()); // colour choices make no history entry
    EXPECT_EQ(repaints, 1);

    // A cancelled dialog changes nothing.
    nextColor.reset();
    QTest::mouseClick(control<ColorSwatch>("bcolor1"), Qt::LeftButton);
    EXPECT_EQ(control<ColorSwatch>("bcolor1")->Color(), clRed);
    EXPECT_EQ(repaints, 1);
}

TEST_F(ApplyPanelTest, DirectionRightTurnsTheCountIntoRows)
{
    auto& box = bubbleBox("AB", 3);
    select(box);
    panel->ShowPanels(7);
    auto* chars = control<QComboBox>("OptionCharactersList");
    chars->setCurrentIndex(chars->findText("ABCDE"));
    control<QSpinBox>("CountSpin")->setValue(10);
    control<QComboBox>("DirectionList")->setCurrentText("右");
    EXPECT_EQ(box.Aspect, ARight);
    EXPECT_EQ(box.Row, 10);
    EXPECT_EQ(box.col, 5);

    control<QComboBox>("DirectionList")->setCurrentText("下");
    EXPECT_EQ(box.Aspect, ADown);
    EXPECT_EQ(box.Row, 5);
    EXPECT_EQ(box.col, 10);
}

TEST_F(ApplyPanelTest, TypedCharactersAreKeptAndWrittenBackUnchanged)
{
    auto& box = bubbleBox("AB", 3);
    select(box);
    panel->ShowPanels(7);
    auto* chars = control<QComboBox>("OptionCharactersList");
    typeInto(chars, "XYZ");
    EXPECT_EQ(box.FormatText, "XYZ");
    EXPECT_EQ(box.Row, 3);

    auto& other = bubbleBox("TF", 1);
    select(other);
    select(box);
    EXPECT_EQ(panel->optionCharacters(), "XYZ");
    control<QSpinBox>("NumberAddSpin")->setValue(7);
    EXPECT_EQ(box.FormatText, "XYZ");
    EXPECT_EQ(box.StartNumberAgg, 7);
}

TEST_F(ApplyPanelTest, EveryBubbleBoxFieldComesFromItsControl)
{
    auto& box = bubbleBox("AB", 3);
    select(box);
    control<QComboBox>("PurposeList")->setCurrentIndex(5);
    control<QComboBox>("OptionTypeList")->setCurrentIndex(1);
    control<QComboBox>("ShowTypeList")->setCurrentIndex(2);
    control<QDoubleSpinBox>("BubbleHeightSpin")->setValue(12.5);
    control<QSpinBox>("BubbleColumnSpaceSpin")->setValue(4);
    control<QSpinBox>("BubbleRowSpaceSpin")->setValue(6);
    control<QCheckBox>("ShowNumberCheck")->setChecked(false);
    control<QComboBox>("ReadTypeList")->setCurrentIndex(1);
    control<QSpinBox>("LinkedQuestionSpin")->setValue(9);
    EXPECT_EQ(box.TextType, RSZGF);
    EXPECT_EQ(box.OptionType, Multi);
    EXPECT_EQ(box.ShowType, SDeny);
    EXPECT_EQ(box.GridHeight, 12); // halves round to even
    EXPECT_EQ(box.ColSpace, 4);
    EXPECT_EQ(box.RowSpace, 6);
    EXPECT_FALSE(box.ShowNumber);
    EXPECT_EQ(box.ReadType, 1);
    EXPECT_EQ(box.GLZG, 9);
    EXPECT_EQ(box.Font, control<FontButton>("LabelFontButton")->Font());
    EXPECT_EQ(box.NumberFont, control<FontButton>("NumberFontButton")->Font());
}

TEST_F(ApplyPanelTest, CutBoxesAreNeverFilledAndAlwaysFramedBlack)
{
    auto& cut = add<TRectZg>({10, 10, 200, 200});
    select(cut);
    panel->ShowPanels(9);
    auto* fill = control<QCheckBox>("FillCheck");
    for (int i = 0; i < 2; ++i) {
        fill->setChecked(!fill->isChecked());
        EXPECT_EQ(cut.Brush.Style, bsClear);
    }
    nextColor = toQColor(clRed);
    QTest::mouseClick(control<ColorSwatch>("bcolor1"), Qt::LeftButton);
    EXPECT_EQ(cut.Pen.Color, clBlack);

    control<QSpinBox>("QuestionSpin")->setValue(14);
    control<QSpinBox>("PartSpin")->setValue(3);
    typeInto(control<QLineEdit>("CaptionEdit"), "作文");
    EXPECT_EQ(cut.Question, 14);
    EXPECT_EQ(cut.Number, 3);
    EXPECT_EQ(cut.Caption, "作文");
}

TEST_F(ApplyPanelTest, OptionalQuestionEnablesItsAlternatives)
{
    auto& cut = add<TRectZg>({10, 10, 200, 200});
    select(cut);
    auto* optional = control<QCheckBox>("OptionalCheck");
    auto* alternatives = control<QLineEdit>("AlternativesEdit");

    QTest::mouseClick(optional, Qt::LeftButton, {}, QPoint(4, optional->height() / 2));
    EXPECT_TRUE(optional->isChecked());
    EXPECT_TRUE(alternatives->isEnabled());
    EXPECT_TRUE(cut.XZT);
    typeInto(alternatives, "5,6");
    EXPECT_EQ(cut.XZTH, "5,6");

    optional->setChecked(false);
    EXPECT_FALSE(alternatives->isEnabled());
    EXPECT_EQ(alternatives->text(), QString());
    EXPECT_FALSE(cut.XZT);
    EXPECT_EQ(cut.XZTH, QString());
}

TEST_F(ApplyPanelTest, ShapeSpecificFields)
{
    auto& round = add<TRoundRect>({10, 10, 90, 90}, 25);
    select(round);
    control<QSpinBox>("CornerRadiusSpin")->setValue(40);
    EXPECT_EQ(round.Radius, 40);

    auto& triangle = add<TTriangle>({10, 10, 90, 90});
    select(triangle);
    const std::pair<QString, TAspect> directions[] = {
        {"右", ARight}, {"下", ADown}, {"左", ALeft}, {"上", AUp}};
    for (const auto& [text, aspect] : directions) {
        control<QComboBox>("TriangleDirectionList")->setCurrentText(text);
        EXPECT_EQ(triangle.Aspect, aspect) << text.toStdString();
    }

    auto& barcode = add<TRectbarcode>({10, 10, 90, 90});
    select(barcode);
    control<QSpinBox>("PenWidthSpin")->setValue(5);
    control<QCheckBox>("FillCheck")->setChecked(true);
    EXPECT_EQ(barcode.Pen.Width, 1);
    EXPECT_EQ(barcode.Pen.Style, psDot);
    EXPECT_EQ(barcode.Brush.Style, bsClear);

    auto& picture = add<TRImage>({10, 10, 90, 90});
    select(picture);
    typeInto(control<QLineEdit>("TagEdit"), "图");
    EXPECT_EQ(picture.Tag, "图");
    EXPECT_EQ(picture.Pen.Color, clBlack);
    EXPECT_EQ(picture.Pen.Style, psDot);
    EXPECT_EQ(picture.Pen.Width, 1);

    auto& grid = add<TRectGrid>({10, 10, 90, 90});
    select(grid);
    control<QSpinBox>("GridWidthSpin")->setValue(41);
    control<QSpinBox>("GridHeightSpin")->setValue(42);
    control<QSpinBox>("GridColumnSpaceSpin")->setValue(43);
    control<QSpinBox>("GridRowSpaceSpin")->setValue(44);
    control<QSpinBox>("GridColumnsSpin")->setValue(45);
    control<QSpinBox>("GridRowsSpin")->setValue(46);
    EXPECT_EQ(grid.Gridwidth, 41);
    EXPECT_EQ(grid.GridHeight, 42);
    EXPECT_EQ(grid.ColSpace, 43);
    EXPECT_EQ(grid.RowSpace, 44);
    EXPECT_EQ(grid.col, 45);
    EXPECT_EQ(grid.Row, 46);
}

TEST_F(ApplyPanelTest, ANewShapeTakesTheStyleOfTheLastSelectedOne)
{
    auto& dotted = add<TRectangle>({10, 10, 90, 90});
    dotted.Pen = {clRed, 2, psDot, pmCopy};
    dotted.Brush = {clGreen, bsClear};
    select(dotted);

    TRectangle created({100, 100}, {200, 200}, 1.0, 1.0);
    panel->ApplyPanel(created, false);
    EXPECT_EQ(created.Pen.Color, clRed);
    EXPECT_EQ(created.Pen.Style, psDot);
    EXPECT_EQ(created.Pen.Width, 2);
    EXPECT_EQ(created.Brush.Style, bsClear);
    EXPECT_EQ(created.Brush.Color, clGreen);
}

TEST_F(ApplyPanelTest, WithoutAllOnlyTheGivenShapeIsWritten)
{
    auto& selected = add<TRectangle>({10, 10, 90, 90});
    selected.Select();
    control<QSpinBox>("PenWidthSpin")->setValue(7);
    TRectangle created({100, 100}, {200, 200}, 1.0, 1.0);
    panel->ApplyPanel(created, false);
    EXPECT_EQ(created.Pen.Width, 7);
    EXPECT_EQ(selected.Pen.Width, 1);
}

TEST_F(ApplyPanelTest, NothingIsWrittenWhileThePanelLoads)
{
    auto& box = bubbleBox("AB", 3);
    select(box);
    auto& text = add<TRectText>({300, 300, 400, 340});
    makeCurrent(box);
    // Loading a text box announces its font; a shape applied to meanwhile
    // stays as it is.
    TRectKg created({100, 100}, {200, 200}, 1.0, 1.0);
    QObject::connect(panel.get(), &PropertyPanel::textEditorFontChanged, panel.get(),
                     [&] { panel->ApplyPanel(created, false); });
    panel->LoadPanel(text);
    EXPECT_EQ(created.Gridwidth, 0);
    EXPECT_EQ(created.FormatText, QString());
    EXPECT_EQ(box.col, 3);
    EXPECT_EQ(box.Gridwidth, 20);
    EXPECT_TRUE(records.empty());
    EXPECT_EQ(repaints, 0);

    select(box);
    control<QSpinBox>("CountSpin")->setValue(8);
    EXPECT_EQ(box.col, 8);
    EXPECT_EQ(box.Gridwidth, 20);
    EXPECT_EQ(records.size(), 1u);
}

TEST_F(ApplyPanelTest, ALockedDocumentIsNotWritten)
{
    auto& rect = add<TRectangle>({10, 10, 90, 90});
    select(rect);
    document->Locked = true;
    control<QSpinBox>("PenWidthSpin")->setValue(6);
    EXPECT_EQ(rect.Pen.Width, 1);
    TRectangle created({100, 100}, {200, 200}, 1.0, 1.0);
    panel->ApplyPanel(created, false);
    EXPECT_EQ(created.Pen.Width, 1);
    EXPECT_TRUE(records.empty());
}

TEST_F(ApplyPanelTest, PageMarksAreNeverWritten)
{
    auto* mark = dynamic_cast<TRectKg*>(page->ShapeItem(5));
    ASSERT_NE(mark, nullptr);
    ASSERT_TRUE(isPageMark(*mark));
    const QString keys = mark->FormatText;
    const int width = mark->Gridwidth;

    // The mark current: nothing happens.
    select(*mark);
    control<QDoubleSpinBox>("BubbleWidthSpin")->setValue(55);
    EXPECT_EQ(mark->Gridwidth, width);
    EXPECT_TRUE(records.empty());

    // The mark selected beside the current bubble box: only the box changes.
    auto& box = bubbleBox("AB", 3);
    select(box);
    mark->Select();
    control<QDoubleSpinBox>("BubbleWidthSpin")->setValue(56);
    EXPECT_EQ(box.Gridwidth, 56);
    EXPECT_EQ(mark->Gridwidth, width);
    EXPECT_EQ(mark->FormatText, keys);
}

TEST_F(ApplyPanelTest, AChangeWithoutACurrentShapeOnlySetsTheStyle)
{
    document->ActiveShape = nullptr;
    control<QSpinBox>("PenWidthSpin")->setValue(4);
    EXPECT_TRUE(records.empty());
    EXPECT_EQ(repaints, 0);
    TRectangle created({100, 100}, {200, 200}, 1.0, 1.0);
    panel->ApplyPanel(created, false);
    EXPECT_EQ(created.Pen.Width, 4);
}

TEST_F(ApplyPanelTest, GridGuardKeepsTwoLinesForCellsWithoutHeightOrWidth)
{
    panel->ShowPanels(6);
    auto* rows = control<QSpinBox>("GridRowsSpin");
    auto* cols = control<QSpinBox>("GridColumnsSpin");
    rows->setValue(1);
    cols->setValue(1);
    typeInto(control<QSpinBox>("GridHeightSpin"), "0");
    EXPECT_EQ(rows->value(), 2);
    EXPECT_EQ(cols->value(), 1);
    typeInto(control<QSpinBox>("GridWidthSpin"), "0");
    EXPECT_EQ(cols->value(), 2);

    // With zero-height cells one row is not possible.
    rows->setValue(1);
    EXPECT_EQ(rows->value(), 2);

    auto& grid = add<TRectGrid>({10, 10, 90, 90});
    grid.GridHeight = 30;
    grid.Gridwidth = 30;
    grid.Row = 1;
    grid.col = 1;
    select(grid);
    control<QSpinBox>("GridHeightSpin")->setValue(0);
    EXPECT_EQ(grid.GridHeight, 0);
    EXPECT_EQ(grid.Row, 2);
}

TEST_F(ApplyPanelTest, LineListGuardKeepsOneDescriptionPerRow)
{
    auto& lines = add<TLinelist>({10, 10, 300, 90}, ScreenDpi);
    lines.Row = 1;
    lines.Lines = QStringList{"姓名\\\\3"};
    select(lines);
    auto* rows = control<QSpinBox>("LineRowsSpin");

    typeInto(rows, "3");
    EXPECT_EQ(panel->LineListRowCount(), 3);
    EXPECT_EQ(panel->LineListRows(), (QStringList{"姓名\\\\3", "\\\\1", "\\\\1"}));
    EXPECT_EQ(lines.Row, 3);
    EXPECT_EQ(lines.Lines, panel->LineListRows());

    rows->setValue(2);
    EXPECT_EQ(panel->LineListRows(), (QStringList{"姓名\\\\3", "\\\\1"}));
    EXPECT_EQ(lines.Row, 2);
    EXPECT_EQ(lines.Lines, panel->LineListRows());
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.back().text, "修改参数");
}

TEST_F(ApplyPanelTest, ChangesFollowedByTheHistoryKeyOfTheCurrentPage)
{
    auto& rect = add<TRectangle>({10, 10, 90, 90});
    select(rect);
    page->LastHitIndex = 3; // the last shape the mouse was found over
    control<QSpinBox>("PenWidthSpin")->setValue(3);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].key, 3);
    EXPECT_EQ(records[0].text, "修改参数");
}

} // namespace
} // namespace sw::test
