#include "panel_support.h"

#include "editor/colorswatch.h"
#include "editor/fontbutton.h"
#include "shapes/linelist.h"
#include "shapes/rectkg.h"
#include "shapes/recttext.h"
#include "shapes/rimage.h"

#include <QImage>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QToolButton>

namespace sw::test {
namespace {

using DialogsTest = PanelTest;

TEST_F(DialogsTest, FontConversionFollowsTheCharacterHeightAtTheScreenResolution)
{
    const TFont font{"新宋体", -10, clRed, fontStyleBit(fsBold), GB2312_CHARSET, fpDefault};
    const QFont preset = toDialogFont(font, ScreenDpi);
    EXPECT_EQ(preset.family(), "新宋体");
    EXPECT_DOUBLE_EQ(preset.pointSizeF(), 7.5);
    EXPECT_TRUE(preset.bold());
    EXPECT_FALSE(preset.italic());
    EXPECT_DOUBLE_EQ(toDialogFont(font, 120).pointSizeF(), 6.0);

    // Confirmed unchanged: nothing changes.
    EXPECT_EQ(fromDialogFont(preset, font, ScreenDpi), font);

    QFont chosen("Arial");
    chosen.setPointSize(12);
    chosen.setItalic(true);
    chosen.setUnderline(true);
    chosen.setStrikeOut(true);
    const TFont result = fromDialogFont(chosen, font, ScreenDpi);
    EXPECT_EQ(result.Name, "Arial");
    EXPECT_EQ(result.Height, -16);
    EXPECT_EQ(result.Style,
              fontStyleBit(fsItalic) | fontStyleBit(fsUnderline) | fontStyleBit(fsStrikeOut));
    EXPECT_EQ(result.Color, clRed);
    EXPECT_EQ(result.Charset, GB2312_CHARSET);
    EXPECT_EQ(fromDialogFont(chosen, font, 120).Height, -20);

    QFont pixels("Arial");
    pixels.setPixelSize(13);
    EXPECT_EQ(fromDialogFont(pixels, font, ScreenDpi).Height, -13);
}

TEST_F(DialogsTest, BubbleFontButtonsWriteIntoTheBubbleBoxes)
{
    auto& box = add<TRectKg>({10, 10, 20, 20});
    box.FormatText = "AB";
    makeCurrent(box);
    panel->ShowPanels(7);

    QFont chosen("Arial");
    chosen.setPointSize(12);
    chosen.setBold(true);
    nextFont = chosen;
    QTest::mouseClick(control<FontButton>("LabelFontButton"), Qt::LeftButton);
    ASSERT_EQ(fontPresets.size(), 1u);
    EXPECT_EQ(fontPresets[0].family(), "新宋体");
    EXPECT_DOUBLE_EQ(fontPresets[0].pointSizeF(), 7.5);
    EXPECT_EQ(box.Font.Name, "Arial");
    EXPECT_EQ(box.Font.Height, -16);
    EXPECT_TRUE(box.Font.has(fsBold));
    EXPECT_EQ(control<FontButton>("LabelFontButton")->Font(), box.Font);
    EXPECT_TRUE(records.empty()); // font choices make no history entry
    EXPECT_EQ(repaints, 1);

    nextColor = toQColor(clGreen);
    QTest::mouseClick(control<ColorSwatch>("Numbercolor"), Qt::LeftButton);
    EXPECT_EQ(box.NumberFont.Color, clGreen);
    EXPECT_EQ(control<FontButton>("NumberFontButton")->Font().Color, clGreen);
    nextColor = toQColor(clMaroon);
    QTest::mouseClick(control<ColorSwatch>("textcolor"), Qt::LeftButton);
    EXPECT_EQ(box.Font.Color, clMaroon);
    EXPECT_EQ(box.Font.Name, "Arial");

    // A cancelled font dialog keeps the font.
    nextFont.reset();
    QTest::mouseClick(control<FontButton>("NumberFontButton"), Qt::LeftButton);
    EXPECT_EQ(control<FontButton>("NumberFontButton")->Font().Name, "Arial");
    EXPECT_EQ(control<FontButton>("NumberFontButton")->Font().Height, -12);
}

TEST_F(DialogsTest, TextFontButtonStartsFromTheTextEditorFont)
{
    TFont editorFont{"宋体", -12, clBlack, 0, DEFAULT_CHARSET, fpDefault};
    panel->SetTextEditorFontSource([&] { return editorFont; });
    QObject::connect(panel.get(), &PropertyPanel::textEditorFontChanged,
                     [&](const TFont& f) { editorFont = f; });
    auto& text = add<TRectText>({10, 10, 90, 90});
    text.Font.Name = "黑体";
    makeCurrent(text);
    panel->ShowPanels(5);

    QFont chosen("宋体");
    chosen.setPointSize(15);
    nextFont = chosen;
    QTest::mouseClick(control<FontButton>("BtnFont1"), Qt::LeftButton);
    ASSERT_EQ(fontPresets.size(), 1u);
    EXPECT_EQ(fontPresets[0].family(), "宋体");
    EXPECT_DOUBLE_EQ(fontPresets[0].pointSizeF(), 9.0);
    EXPECT_EQ(editorFont.Height, -20);
    EXPECT_EQ(control<FontButton>("BtnFont1")->Font(), editorFont);
    EXPECT_EQ(text.Font, editorFont);

    // The colour of the text font reaches the button, the text box and the
    // editor, whose font new text boxes take.
    nextColor = toQColor(clBlue);
    QTest::mouseClick(control<ColorSwatch>("fontcolor"), Qt::LeftButton);
    EXPECT_EQ(control<FontButton>("BtnFont1")->Font().Color, clBlue);
    EXPECT_EQ(text.Font.Color, clBlue);
    EXPECT_EQ(editorFont.Color, clBlue);
}

TEST_F(DialogsTest, LineListFontButton)
{
    auto& lines = add<TLinelist>({10, 10, 300, 90}, ScreenDpi);
    lines.Row = 1;
    lines.Lines = QStringList{"\\\\1"};
    select(lines);
    QFont chosen("宋体");
    chosen.setPointSize(9);
    nextFont = chosen;
    QTest::mouseClick(control<FontButton>("LineFontButton"), Qt::LeftButton);
    EXPECT_EQ(lines.Font.Height, -12);
    EXPECT_EQ(lines.Font.Name, "宋体");
    EXPECT_TRUE(control<QToolButton>("LineEditorButton")->isEnabled());
}

TEST_F(DialogsTest, PictureButtonLoadsThePictureAndRecordsTheChange)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath("logo.png");
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(file));

    auto& picture = add<TRImage>({10, 10, 90, 90});
    select(picture);
    panel->ShowPanels(14);

    nextPicture.reset();
    QTest::mouseClick(control<QToolButton>("PictureBrowseButton"), Qt::LeftButton);
    EXPECT_EQ(dialogs.fileDialogs, 1);
    EXPECT_TRUE(dialogs.lastFilters.first().contains("*.bmp"));
    EXPECT_EQ(picture.PicturePath, QString());
    EXPECT_TRUE(records.empty());

    nextPicture = file;
    QTest::mouseClick(control<QToolButton>("PictureBrowseButton"), Qt::LeftButton);
    EXPECT_EQ(control<QLineEdit>("PicturePathEdit")->text(), file);
    EXPECT_EQ(picture.PicturePath, file);
    EXPECT_EQ(picture.Picture.size(), QSize(8, 6));
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].text, "修改参数");
}

TEST_F(DialogsTest, PositionCheckButtonIsReported)
{
    int requests = 0;
    QObject::connect(panel.get(), &PropertyPanel::positionCheckRequested, [&] { ++requests; });
    panel->ShowPanels(17);
    QTest::mouseClick(control<QToolButton>("PositionCheckButton"), Qt::LeftButton);
    EXPECT_EQ(requests, 1);
}

} // namespace
} // namespace sw::test
