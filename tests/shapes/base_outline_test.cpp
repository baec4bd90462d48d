#include "platform/qpaintercanvas.h"
#include "shapes/ellipse.h"
#include "shapes/line.h"
#include "shapes/roundrect.h"

#include <functional>
#include <gtest/gtest.h>
#include <limits>

namespace sw::test {
namespace {

// A background with a different colour in every pixel, so that an outline
// that is not removed exactly shows.
QImage background()
{
    QImage image(160, 120, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 3 % 256, y * 5 % 256, (x * y) % 256));
    return image;
}

struct OutlineCase
{
    const char* name;
    std::function<std::unique_ptr<TGraphics>(TPoint, TPoint)> make;
};

void PrintTo(const OutlineCase& c, std::ostream* os)
{
    *os << c.name;
}

class XorOutline : public ::testing::TestWithParam<OutlineCase>
{
};

// Each drag step removes the previous dotted outline by drawing it again, so
// after two steps only the last outline is left on the background.
TEST_P(XorOutline, DrawingItTwiceRemovesIt)
{
    const QImage untouched = background();

    QImage dragged = untouched;
    {
        QPainterCanvas canvas(dragged, 96);
        auto shape = GetParam().make({10, 10}, {60, 50});
        shape->DragMove(canvas, 17, 9);
        shape->DragMove(canvas, 23, 31);
    }
    QImage once = untouched;
    {
        QPainterCanvas canvas(once, 96);
        auto shape = GetParam().make({27, 19}, {77, 59});
        shape->DragMove(canvas, 23, 31);
    }
    EXPECT_NE(dragged, untouched);
    EXPECT_EQ(dragged, once);
}

// A resize drag leaves only the outline of the final geometry, the same as a
// single outline of a shape created there.
TEST_P(XorOutline, ResizeDragLeavesOnlyTheLastOutline)
{
    const QImage untouched = background();

    QImage resized = untouched;
    {
        QPainterCanvas canvas(resized, 96);
        auto shape = GetParam().make({10, 10}, {60, 50});
        shape->DragResize(canvas, {60, 50}); // the bottom-right handle or end
        shape->DragResize(canvas, {90, 70});
        shape->DragResize(canvas, {100, 80});
    }
    QImage once = untouched;
    {
        QPainterCanvas canvas(once, 96);
        auto shape = GetParam().make({10, 10}, {100, 80});
        shape->DragMove(canvas, 0, 0);
    }
    EXPECT_NE(resized, untouched);
    EXPECT_EQ(resized, once);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, XorOutline,
    ::testing::Values(
        OutlineCase{
            "rectangle",
            [](TPoint a, TPoint b) { return std::make_unique<TRectangle>(a, b, 1.0, 1.0); }},
        OutlineCase{
            "roundrect",
            [](TPoint a, TPoint b) { return std::make_unique<TRoundRect>(a, b, 1.0, 1.0, 25); }},
        OutlineCase{"ellipse",
                    [](TPoint a, TPoint b) { return std::make_unique<TEllipse>(a, b, 1.0, 1.0); }},
        OutlineCase{"line",
                    [](TPoint a, TPoint b) { return std::make_unique<TLine>(a, b, 1.0, 1.0); }}),
    [](const auto& info) { return std::string(info.param.name); });

// Whatever a template holds, drawing and dragging it on an image finishes and
// keeps the geometry inside the layout.
TEST(ExtremeGeometry, DrawsOnAnImage)
{
    constexpr int big = std::numeric_limits<int>::max();
    QImage image = background();
    QPainterCanvas canvas(image, 96);
    const std::unique_ptr<TGraphics> shapes[] = {
        std::make_unique<TRectangle>(TPoint{0, 0}, TPoint{1, 1}, 1.0, 1.0),
        std::make_unique<TRoundRect>(TPoint{0, 0}, TPoint{1, 1}, 1.0, 1.0, big),
        std::make_unique<TEllipse>(TPoint{0, 0}, TPoint{1, 1}, 1.0, 1.0),
        std::make_unique<TLine>(TPoint{0, 0}, TPoint{1, 1}, 1.0, 1.0)};
    const TRect geometries[] = {{0, 0, big, big}, {big - 1, big - 1, big, big}, {5, 5, 5, 5}};
    for (const auto& shape : shapes) {
        shape->Pen.Width = big;
        shape->Select();
        for (const TRect& g : geometries) {
            shape->SetBounds(g);
            for (double scale : {1.0, 3.0}) {
                shape->ScaleX = shape->ScaleY = scale;
                shape->Draw(canvas);
                shape->DragMove(canvas, 7, 7);
                shape->DragResize(canvas, {big, big});
                const TRect b = shape->GetBounds();
                EXPECT_TRUE(b.Left >= 0 && b.Top >= 0 && b.Right >= 0 && b.Bottom >= 0);
            }
        }
    }
}

} // namespace
} // namespace sw::test
