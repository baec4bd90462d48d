#include "panel_support.h"

#include "editor/colorswatch.h"
#include "editor/fontbutton.h"
#include "shapes/ellipse.h"
#include "shapes/line.h"
#include "shapes/linelist.h"
#include "shapes/mhsb.h"
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
#include <QFrame>
#include <QLineEdit>
#include <QSpinBox>

namespace sw::test {
namespace {

class LoadPanelTest : public PanelTest
{
protected:
    bool shown(const char* name) const { return !control<QFrame>(name)->isHidden(); }
    int spin(const char* name) const { return control<QSpinBox>(name)->value(); }
    QString combo(const char* name) const { return control<QComboBox>(name)->currentText(); }
    QString edit(const char* name) const { return control<QLineEdit>(name)->text(); }
    bool checked(const char* name) const { return control<QCheckBox>(name)->isChecked(); }
    TColor color(const char* name) const { return control<ColorSwatch>(name)->Color(); }
    TFont font(const char* name) const { return control<FontButton>(name)->Font(); }
};

TEST_F(LoadPanelTest, CommonFieldsOfADottedRedRectangle)
{
    auto& box = add<TRectangle>({10, 10, 100, 60});
    box.Pen = {clRed, 3, psDot, pmCopy};
    box.Brush = {clGreen, bsSolid};
    box.Tag = "名字";
    select(box);

    EXPECT_EQ(spin("PenWidthSpin"), 3);
    EXPECT_EQ(combo("PenStyleList"), "虚线");
    EXPECT_EQ(edit("TagEdit"), "名字");
    EXPECT_EQ(color("bcolor1"), clRed);
    EXPECT_EQ(color("bcolor2"), clGreen);
    EXPECT_TRUE(checked("FillCheck"));
    EXPECT_TRUE(shown("rp3") && shown("rp4") && shown("rp5"));
    EXPECT_FALSE(shown("rp1"));

    box.Brush.Style = bsClear;
    box.Pen.Style = psSolid;
    select(box);
    EXPECT_FALSE(checked("FillCheck"));
    EXPECT_EQ(combo("PenStyleList"), "实线");

    // Other pen styles leave the list as it is.
    box.Pen.Style = psDashDot;
    select(box);
    EXPECT_EQ(combo("PenStyleList"), "实线");
}

TEST_F(LoadPanelTest, LoadingWritesNothingBackAndRecordsNothing)
{
    auto& first = add<TRectKg>({10, 10, 20, 20});
    first.FormatText = "ABCD";
    first.Row = 4;
    first.col = 3;
    first.Gridwidth = 17;
    auto& second = add<TRectKg>({30, 30, 40, 40});
    second.FormatText = "TF";
    second.Row = 2;
    second.col = 9;
    second.Select();
    makeCurrent(first);

    panel->LoadPanel(first);
    EXPECT_EQ(second.FormatText, "TF");
    EXPECT_EQ(second.col, 9);
    EXPECT_EQ(second.Gridwidth, 0);
    EXPECT_TRUE(records.empty());
    EXPECT_EQ(repaints, 0);
}

TEST_F(LoadPanelTest, BubbleBoxGoingDown)
{
    auto& box = add<TRectKg>({10, 10, 20, 20});
    box.FormatText = "ABCD";
    box.Aspect = ADown;
    box.Row = 4;
    box.col = 7;
    box.TextType = RSXZT;
    box.ShowType = SOuter;
    box.OptionType = Multi;
    box.Gridwidth = 21;
    box.GridHeight = 11;
    box.ColSpace = 6;
    box.RowSpace = 3;
    box.GLZG = 12;
    box.Pen.Color = clGreen;
    box.Font = {"宋体", -14, clRed, 0, DEFAULT_CHARSET, fpDefault};
    box.NumberFont = {"Arial", -9, clMaroon, fontStyleBit(fsBold), DEFAULT_CHARSET, fpDefault};
    box.ShowNumber = false;
    box.StartNumberAgg = 4;
    box.ReadType = 1;
    select(box);

    EXPECT_TRUE(shown("rp1") && shown("rp2") && shown("rp4"));
    EXPECT_FALSE(shown("rp3"));
    auto* chars = control<QComboBox>("OptionCharactersList");
    EXPECT_EQ(chars->currentText(), "ABCD");
    EXPECT_EQ(chars->itemText(chars->currentIndex()), "ABCD");
    EXPECT_EQ(spin("CountSpin"), 7);
    EXPECT_EQ(combo("DirectionList"), "下");
    EXPECT_EQ(combo("PurposeList"), "选作题");
    EXPECT_EQ(combo("ShowTypeList"), "填图框外");
    EXPECT_EQ(combo("OptionTypeList"), "多选");
    EXPECT_DOUBLE_EQ(control<QDoubleSpinBox>("BubbleWidthSpin")->value(), 21);
    EXPECT_DOUBLE_EQ(control<QDoubleSpinBox>("BubbleHeightSpin")->value(), 11);
    EXPECT_EQ(spin("BubbleColumnSpaceSpin"), 6);
    EXPECT_EQ(spin("BubbleRowSpaceSpin"), 3);
    EXPECT_EQ(spin("LinkedQuestionSpin"), 12);
    EXPECT_EQ(color("bcolor1"), clGreen);
    EXPECT_EQ(font("LabelFontButton"), box.Font);
    EXPECT_EQ(font("NumberFontButton"), box.NumberFont);
    EXPECT_EQ(color("textcolor"), clRed);
    EXPECT_EQ(color("Numbercolor"), clMaroon);
    EXPECT_FALSE(checked("ShowNumberCheck"));
    EXPECT_EQ(spin("NumberAddSpin"), 4);
    EXPECT_EQ(combo("ReadTypeList"), "对勾");
}

TEST_F(LoadPanelTest, BubbleBoxGoingRightWithCharactersNotInTheList)
{
    auto& box = add<TRectKg>({10, 10, 20, 20});
    box.FormatText = "对错";
    box.Aspect = ARight;
    box.Row = 8;
    box.col = 2;
    box.TextType = RSZGF;
    select(box);
    EXPECT_EQ(panel->optionCharacters(), "对错");
    EXPECT_EQ(control<QComboBox>("OptionCharactersList")->currentIndex(), -1);
    EXPECT_EQ(spin("CountSpin"), 8);
    EXPECT_EQ(combo("DirectionList"), "右");
    EXPECT_EQ(combo("PurposeList"), "主观分");

    // A page mark's purpose is not in the list: the list keeps its choice.
    auto& mark = add<TRectKg>({10, 10, 20, 20});
    mark.FormatText = "1248";
    mark.TextType = RSPageNumber;
    select(mark);
    EXPECT_EQ(combo("PurposeList"), "主观分");
    EXPECT_EQ(panel->optionCharacters(), "1248");
}

TEST_F(LoadPanelTest, GridRoundRectTriangleAndText)
{
    auto& grid = add<TRectGrid>({10, 10, 20, 20});
    grid.Gridwidth = 40;
    grid.GridHeight = 12;
    grid.RowSpace = 7;
    grid.ColSpace = 2;
    grid.Row = 9;
    grid.col = 3;
    select(grid);
    EXPECT_TRUE(shown("rp9"));
    EXPECT_EQ(spin("GridWidthSpin"), 40);
    EXPECT_EQ(spin("GridHeightSpin"), 12);
    EXPECT_EQ(spin("GridRowSpaceSpin"), 7);
    EXPECT_EQ(spin("GridColumnSpaceSpin"), 2);
    EXPECT_EQ(spin("GridRowsSpin"), 9);
    EXPECT_EQ(spin("GridColumnsSpin"), 3);

    auto& round = add<TRoundRect>({10, 10, 90, 90}, 40);
    select(round);
    EXPECT_TRUE(shown("rp7"));
    EXPECT_EQ(spin("CornerRadiusSpin"), 40);
    EXPECT_EQ(panel->cornerRadius(), 40);

    const std::pair<TAspect, QString> directions[] = {
        {ADown, "下"}, {ARight, "右"}, {AUp, "上"}, {ALeft, "左"}};
    auto& triangle = add<TTriangle>({10, 10, 90, 90});
    for (const auto& [aspect, text] : directions) {
        triangle.Aspect = aspect;
        select(triangle);
        EXPECT_EQ(combo("TriangleDirectionList"), text);
    }
    EXPECT_TRUE(shown("rp8"));

    auto& text = add<TRectText>({10, 10, 90, 90});
    text.Font = {"黑体", -20, clBlue, fontStyleBit(fsItalic), GB2312_CHARSET, fpDefault};
    std::optional<TFont> editorFont;
    QObject::connect(panel.get(), &PropertyPanel::textEditorFontChanged,
                     [&](const TFont& f) { editorFont = f; });
    select(text);
    EXPECT_TRUE(shown("rp6") && shown("rp5"));
    EXPECT_FALSE(shown("rp3"));
    EXPECT_EQ(font("BtnFont1"), text.Font);
    EXPECT_EQ(color("fontcolor"), clBlue);
    ASSERT_TRUE(editorFont.has_value());
    EXPECT_EQ(*editorFont, text.Font);
}

TEST_F(LoadPanelTest, CutBoxWithAndWithoutOptionalQuestion)
{
    auto& cut = add<TRectZg>({10, 10, 90, 90});
    cut.Question = 12;
    cut.Number = 2;
    cut.Caption = "作文";
    cut.XZT = true;
    cut.XZTH = "12,13";
    select(cut);
    EXPECT_TRUE(shown("rp10") && shown("rp3"));
    EXPECT_FALSE(shown("rp4"));
    EXPECT_EQ(spin("QuestionSpin"), 12);
    EXPECT_EQ(spin("PartSpin"), 2);
    EXPECT_EQ(edit("CaptionEdit"), "作文");
    EXPECT_TRUE(checked("OptionalCheck"));
    EXPECT_TRUE(control<QLineEdit>("AlternativesEdit")->isEnabled());
    EXPECT_EQ(edit("AlternativesEdit"), "12,13");

    auto& plain = add<TRectZg>({10, 10, 90, 90});
    select(plain);
    EXPECT_FALSE(checked("OptionalCheck"));
    EXPECT_FALSE(control<QLineEdit>("AlternativesEdit")->isEnabled());
    EXPECT_EQ(edit("AlternativesEdit"), QString());
    EXPECT_EQ(spin("QuestionSpin"), 1);
}

TEST_F(LoadPanelTest, PictureBarcodeFuzzyBoxAndLineList)
{
    auto& picture = add<TRImage>({10, 10, 90, 90});
    picture.PicturePath = "C:\\pics\\logo.bmp";
    select(picture);
    EXPECT_TRUE(shown("rp11"));
    EXPECT_EQ(edit("PicturePathEdit"), "C:\\pics\\logo.bmp");

    auto& barcode = add<TRectbarcode>({10, 10, 90, 90});
    barcode.Pen.Color = clBlue;
    select(barcode);
    EXPECT_TRUE(shown("rp4"));
    EXPECT_FALSE(shown("rp11"));
    EXPECT_EQ(color("bcolor1"), clBlue);

    auto& fuzzy = add<TMHSB>({10, 10, 90, 90});
    select(fuzzy);
    EXPECT_TRUE(shown("rp12"));
    EXPECT_FALSE(shown("rp4"));

    auto& lines = add<TLinelist>({10, 10, 90, 90}, ScreenDpi);
    lines.Row = 2;
    lines.Lines = QStringList{"姓名\\\\3", "A\\B\\1|C\\D\\3"};
    lines.Font = {"宋体", -16, clBlack, 0, DEFAULT_CHARSET, fpDefault};
    select(lines);
    EXPECT_TRUE(shown("RP13") && shown("rp3") && shown("rp4"));
    EXPECT_FALSE(shown("rp12"));
    EXPECT_EQ(spin("LineRowsSpin"), 2);
    EXPECT_EQ(font("LineFontButton"), lines.Font);
    EXPECT_EQ(panel->LineListRows(), lines.Lines);
}

TEST_F(LoadPanelTest, LinesShowTheLinePanels)
{
    auto& line = add<TLine>({10, 10, 90, 90});
    select(line);
    EXPECT_TRUE(shown("rp3") && shown("rp4"));
    EXPECT_FALSE(shown("rp5"));
    auto& ellipse = add<TEllipse>({10, 10, 90, 90});
    select(ellipse);
    EXPECT_TRUE(shown("rp5"));
}

} // namespace
} // namespace sw::test
