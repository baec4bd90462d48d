#include "platform/qpaintercanvas.h"
#include "platform/recordingcanvas.h"

#include <gtest/gtest.h>
#include <limits>

namespace sw::test {
namespace {

constexpr int Min = std::numeric_limits<int>::min();
constexpr int Max = std::numeric_limits<int>::max();
constexpr QRgb Blue = 0xFF0000FFu;

QImage whiteImage()
{
    QImage image(20, 10, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

bool allPixels(const QImage& image, QRgb colour)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != colour)
                return false;
    return true;
}

TEST(CanvasOverflow, TextOutLeavesThePenAtTheEndOfTheIntRange)
{
    QImage image = whiteImage();
    QPainterCanvas painter(image, 96);
    RecordingCanvas recorder(96);
    for (Canvas* canvas : {static_cast<Canvas*>(&painter), static_cast<Canvas*>(&recorder)}) {
        canvas->TextOut(Max - 1, 0, QStringLiteral("WW"));
        EXPECT_EQ(canvas->PenPos(), (TPoint{Max, 0}));
        canvas->TextOut(Min, Max, QStringLiteral("W"));
        EXPECT_GT(canvas->PenPos().X, Min);
        EXPECT_EQ(canvas->PenPos().Y, Max);
    }
}

// A rectangle over the whole int range covers the device with its brush,
// whatever the pen: the outline lies far outside.
TEST(CanvasOverflow, RectangleOverTheWholeIntRangeFillsTheDevice)
{
    const TPen pens[] = {{clRed, 1, psSolid, pmCopy},
                         {clRed, 9, psSolid, pmCopy},
                         {clRed, 9, psInsideFrame, pmCopy},
                         {clRed, 1, psClear, pmCopy}};
    for (const TPen& pen : pens) {
        QImage image = whiteImage();
        {
            QPainterCanvas canvas(image, 96);
            canvas.setPen(pen);
            canvas.setBrush({clBlue, bsSolid});
            canvas.Rectangle(Min, Min, Max, Max);
        }
        EXPECT_TRUE(allPixels(image, Blue)) << "pen width " << pen.Width << " style " << pen.Style;
    }
}

TEST(CanvasOverflow, FiguresAtTheEdgesOfTheIntRangeLeaveTheDeviceAlone)
{
    QImage image = whiteImage();
    {
        QPainterCanvas canvas(image, 96);
        canvas.setPen({clRed, 9, psSolid, pmCopy});
        canvas.setBrush({clRed, bsSolid});
        canvas.Rectangle(Max - 3, Max - 3, Max, Max);
        canvas.Rectangle(Min, Min, Min + 3, Min + 3);
        canvas.SetPixel(Max, Max, clRed);
        canvas.TextOut(Max - 1, Max - 1, QStringLiteral("W"));
        canvas.TextOut(Min, Min, QStringLiteral("W"));
        canvas.TextRect({Max - 5, Max - 5, Max, Max}, Min, Min, QStringLiteral("W"));
        canvas.StretchDraw({Max - 5, Max - 5, Max, Max}, image.copy());
        canvas.brush().Style = bsClear;
        canvas.Ellipse(Min, Min, Max, Max - 1); // its outline lies far outside
        canvas.MoveTo(Min, Min);
        canvas.LineTo(Max, Min);
    }
    EXPECT_TRUE(allPixels(image, qRgb(255, 255, 255)));
}

TEST(CanvasOverflow, FillRectAndTextRectOverTheWholeIntRangeFillTheDevice)
{
    QImage image = whiteImage();
    {
        QPainterCanvas canvas(image, 96);
        canvas.setBrush({clBlue, bsSolid});
        canvas.FillRect({Min, Min, Max, Max});
    }
    EXPECT_TRUE(allPixels(image, Blue));

    image = whiteImage();
    {
        QPainterCanvas canvas(image, 96);
        canvas.setBrush({clBlue, bsSolid});
        canvas.TextRect({Min, Min, Max, Max}, Max, Max, QStringLiteral("W"));
    }
    EXPECT_TRUE(allPixels(image, Blue));
}

TEST(CanvasOverflow, RectangleSizesSaturate)
{
    EXPECT_EQ((TRect{Min, Min, Max, Max}).width(), Max);
    EXPECT_EQ((TRect{Max, Max, Min, Min}).height(), Min);
    EXPECT_EQ((TRect{-5, 0, 7, 3}).width(), 12);
    EXPECT_EQ((TPoint{Max, Min} + TPoint{1, -1}), (TPoint{Max, Min}));
}

TEST(CanvasOverflow, ClipRectIsTheDeviceWithAMarginOrUnbounded)
{
    QImage image = whiteImage();
    QPainterCanvas painter(image, 96);
    EXPECT_EQ(painter.ClipRect(), (TRect{-1, -1, 21, 11}));
    RecordingCanvas recorder(96);
    EXPECT_EQ(recorder.ClipRect(), (TRect{Min, Min, Max, Max}));
    recorder.setClipRect({0, 0, 100, 200});
    EXPECT_EQ(recorder.ClipRect(), (TRect{0, 0, 100, 200}));
}

TEST(CanvasOverflow, RecordingCanvasHandsCallsToItsSink)
{
    RecordingCanvas canvas(96);
    QStringList lines;
    canvas.setSink([&lines](const CanvasCall& call) { lines << call.line(); });
    canvas.MoveTo(1, 2);
    canvas.LineTo(3, 4);
    EXPECT_TRUE(canvas.calls().empty());
    ASSERT_EQ(lines.size(), 5); // move, pen, brush, font, line
    EXPECT_EQ(lines.first(), QStringLiteral("MoveTo 1 2"));
    EXPECT_EQ(lines.last(), QStringLiteral("LineTo 3 4"));
}

} // namespace
} // namespace sw::test
