#include "platform/qpaintercanvas.h"
#include "platform/recordingcanvas.h"
#include "printers.h"

#include <gtest/gtest.h>

namespace sw::test {

void PrintTo(const CanvasCall& c, std::ostream* os)
{
    *os << c.line().toStdString();
}

namespace {

TEST(RecordingCanvas, WritesTheTraceWithStateLinesBeforeDrawingCalls)
{
    RecordingCanvas canvas(96);
    canvas.MoveTo(1, 2);
    canvas.LineTo(30, 2);
    canvas.LineTo(30, 40);
    canvas.pen() = TPen{clRed, 0, psDot, pmNotXor};
    canvas.brush().Style = bsClear;
    canvas.Rectangle(10, 20, 30, 40);
    canvas.setFont(TFont{QStringLiteral("宋体"), -16, 0x123456,
                         TFontStyles(fontStyleBit(fsBold) | fontStyleBit(fsUnderline))});
    canvas.TextOut(5, 6, QStringLiteral("a\"b\\c 题"));
    canvas.brush().Color = clGreen;
    canvas.TextRect(TRect{1, 2, 3, 4}, 5, 6, QString());
    canvas.RoundRect(1, 2, 3, 4, 5, 6);
    canvas.Ellipse(7, 8, 9, 10);
    canvas.Polygon({{1, 2}, {3, 4}, {5, 6}});
    canvas.SetPixel(3, 4, 0x0000FF);
    canvas.FillRect(TRect{1, 1, 2, 2});
    canvas.StretchDraw(TRect{0, 0, 8, 9}, QImage());
    canvas.CopyRect(TRect{2, 3, 4, 5}, QImage(), TRect{0, 0, 1, 1});

    const QStringList expected = {
        QStringLiteral("MoveTo 1 2"),
        QStringLiteral("Pen 000000 1 psSolid pmCopy"),
        QStringLiteral("Brush FFFFFF bsSolid"),
        QStringLiteral("Font \"MS Sans Serif\" -11 000000 -"),
        QStringLiteral("LineTo 30 2"),
        QStringLiteral("LineTo 30 40"),
        QStringLiteral("Pen 0000FF 0 psDot pmNotXor"),
        QStringLiteral("Brush FFFFFF bsClear"),
        QStringLiteral("Rectangle 10 20 30 40"),
        QStringLiteral("Font \"宋体\" -16 123456 fsBold,fsUnderline"),
        QStringLiteral("TextOut 5 6 \"a\\\"b\\\\c 题\""),
        QStringLiteral("Brush 008000 bsClear"),
        QStringLiteral("TextRect 1 2 3 4 5 6 \"\""),
        QStringLiteral("RoundRect 1 2 3 4 5 6"),
        QStringLiteral("Ellipse 7 8 9 10"),
        QStringLiteral("Polygon 1 2 3 4 5 6"),
        QStringLiteral("Pixel 3 4 0000FF"),
        QStringLiteral("FillRect 1 1 2 2"),
        QStringLiteral("StretchDraw 0 0 8 9"),
        QStringLiteral("CopyRect 2 3 4 5"),
    };
    EXPECT_EQ(canvas.lines(), expected);
}

TEST(RecordingCanvas, GivesStructuredCalls)
{
    RecordingCanvas canvas(96);
    canvas.Rectangle(TRect{10, 20, 30, 40});
    canvas.TextOut(7, 8, QStringLiteral("x"));
    ASSERT_EQ(canvas.calls().size(), 5u);
    EXPECT_EQ(canvas.calls()[3], (CanvasCall{QStringLiteral("Rectangle"), {10, 20, 30, 40}, {}}));
    EXPECT_EQ(canvas.calls()[4],
              (CanvasCall{QStringLiteral("TextOut"), {7, 8}, QStringLiteral("x")}));
    EXPECT_EQ(canvas.calls()[0].name, QStringLiteral("Pen"));
    EXPECT_EQ(canvas.PenPos(), (TPoint{7 + canvas.TextWidth(QStringLiteral("x")), 8}));
}

TEST(RecordingCanvas, ClearWritesAllStateAgain)
{
    RecordingCanvas canvas(96);
    canvas.LineTo(1, 1);
    canvas.clear();
    EXPECT_TRUE(canvas.calls().empty());
    canvas.LineTo(2, 2);
    EXPECT_EQ(canvas.lines().size(), 4);
    EXPECT_EQ(canvas.lines().last(), QStringLiteral("LineTo 2 2"));
}

TEST(RecordingCanvas, UnchangedStateWritesNoStateLine)
{
    RecordingCanvas canvas(96);
    canvas.LineTo(1, 1);
    canvas.pen().Color = clRed;
    canvas.pen().Color = clBlack; // back to the written value
    canvas.LineTo(2, 2);
    EXPECT_EQ(canvas.lines().size(), 5);
}

TEST(RecordingCanvas, FontSizeInPointsUsesItsResolution)
{
    RecordingCanvas canvas(600);
    canvas.setFontSize(12);
    EXPECT_EQ(canvas.font().Height, -100);
}

TEST(RecordingCanvas, MeasuresTextLikeTheQPainterCanvas)
{
    const TFont fonts[] = {
        TFont{QStringLiteral("Arial"), -13, clBlack},
        TFont{QStringLiteral("宋体"), -20, clBlack, fontStyleBit(fsBold)},
        TFont{QStringLiteral("MS Sans Serif"), 24, clBlack, fontStyleBit(fsItalic)},
        TFont{QStringLiteral("新宋体"), -133, clBlack},
    };
    const QString texts[] = {QStringLiteral("准考证号 0123456789"), QStringLiteral("[A][B][C][D]"),
                             QString()};
    QImage image(10, 10, QImage::Format_RGB32);
    QPainterCanvas painterCanvas(image, 96);
    RecordingCanvas recording(96);
    for (const TFont& font : fonts) {
        painterCanvas.setFont(font);
        recording.setFont(font);
        for (const QString& text : texts) {
            EXPECT_EQ(recording.TextWidth(text), painterCanvas.TextWidth(text)) << font.Height;
            EXPECT_EQ(recording.TextHeight(text), painterCanvas.TextHeight(text)) << font.Height;
        }
        EXPECT_GT(recording.TextWidth(texts[0]), 0);
        EXPECT_GT(recording.TextHeight(texts[0]), 0);
    }
}

} // namespace
} // namespace sw::test
