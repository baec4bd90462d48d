#include "controllerfixture.h"
#include "document/rulers.h"

namespace sw::test {
namespace {

using PaintTest = ControllerTest;

TEST_F(PaintTest, TheSurfaceIsThePageAtItsZoom)
{
    for (const double zoom : {1.0, 2.0, 0.5}) {
        SCOPED_TRACE(zoom);
        setZoom(zoom);
        const int width = roundHalfEven(210.0 * document.PixelsPerMm * zoom);
        const int height = roundHalfEven(297.0 * document.PixelsPerMm * zoom);
        EXPECT_EQ(controller.SurfaceImage().size(), QSize(width, height));
        EXPECT_EQ(view.surfaceWidth, width);
        EXPECT_EQ(view.surfaceHeight, height);
    }
    EXPECT_EQ(view.surfaceWidth, 397); // A4 at 96 pixels per inch, half size
}

TEST_F(PaintTest, TheSelfMadePageIsWhiteWithAFrame)
{
    const QImage& image = controller.SurfaceImage();
    EXPECT_EQ(image.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(400, 600), qRgb(255, 255, 255));
}

TEST_F(PaintTest, OverlayPagesLetTheBackgroundShowThrough)
{
    document.Modal = 1;
    controller.PaintSurface();
    const QImage& image = controller.SurfaceImage();
    EXPECT_EQ(qAlpha(image.pixel(400, 600)), 0);
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 255);

    // Previews still come and go without a trace.
    const QImage clean = image.copy();
    document.Interaction.Tool = ToolRectangle;
    press({100, 100});
    move({200, 200});
    EXPECT_NE(controller.SurfaceImage(), clean);
    move({100, 100});
    EXPECT_EQ(controller.SurfaceImage(), clean);
}

TEST_F(PaintTest, ShapesAreDrawnAndTheCurrentOneIsReported)
{
    TRectangle& box = add({100, 100, 150, 150});
    box.Brush = {0x0000FF, bsSolid};
    click({120, 120});
    EXPECT_EQ(controller.SurfaceImage().pixel(125, 125), qRgb(255, 0, 0));
    EXPECT_EQ(view.shapeBounds, (TRect{100, 100, 150, 150}));
}

TEST_F(PaintTest, RulersFollowTheViewsLengths)
{
    EXPECT_EQ(controller.HorzRulerImage().size(), QSize(600, 25));
    EXPECT_EQ(controller.VertRulerImage().size(), QSize(25, 400));
    EXPECT_GT(view.rulerUpdates, 0);
    // Ruler background, not the white of a fresh image.
    EXPECT_EQ(controller.HorzRulerImage().pixel(300, 2), toQColor(RulerBackground).rgb());
}

TEST_F(PaintTest, HugePagesStayWithinBounds)
{
    page().Width = 1e12;
    page().Height = 1e12;
    controller.PaintSurface();
    EXPECT_LE(controller.SurfaceImage().width(), 16384);
    EXPECT_LE(qint64(controller.SurfaceImage().width()) * controller.SurfaceImage().height(),
              qint64(1) << 26);
    page().Width = -5;
    controller.PaintSurface();
    EXPECT_GE(controller.SurfaceImage().width(), 1);
}

} // namespace
} // namespace sw::test
