#include "platform/qpaintercanvas.h"
#include "printers.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <gtest/gtest.h>

namespace sw::test {
namespace {

constexpr QRgb White = 0xFFFFFFFF;
constexpr QRgb Black = 0xFF000000;

QImage blankImage(QRgb fill = White, int width = 80, int height = 60)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

// A background with a different colour in every pixel, so inversions show.
QImage colouredImage(int width = 80, int height = 60)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 3 % 256, y * 4 % 256, (x * y) % 256));
    return image;
}

int countNot(const QImage& image, QRgb background, const QRect& area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += image.pixel(x, y) != background;
    return n;
}

int countNot(const QImage& image, QRgb background)
{
    return countNot(image, background, image.rect());
}

void setPen(Canvas& canvas, TColor color, int width, TPenStyle style = psSolid,
            TPenMode mode = pmCopy)
{
    canvas.setPen(TPen{color, width, style, mode});
}

struct RectangleCase
{
    int penWidth;
    TBrushStyle brushStyle;
};

void PrintTo(const RectangleCase& c, std::ostream* os)
{
    *os << "pen width " << c.penWidth
        << (c.brushStyle == bsSolid ? ", solid brush" : ", clear brush");
}

class RectangleEdges : public ::testing::TestWithParam<RectangleCase>
{
};

TEST_P(RectangleEdges, OutlineCoversFirstToLastButOneColumnAndRow)
{
    QImage image = blankImage();
    {
        QPainterCanvas canvas(image, 96);
        setPen(canvas, clBlack, GetParam().penWidth);
        canvas.setBrush(TBrush{clRed, GetParam().brushStyle});
        canvas.Rectangle(10, 20, 30, 40);
    }
    const QRgb inside = GetParam().brushStyle == bsSolid ? qRgb(255, 0, 0) : White;
    // Outline on columns 10 and 29, rows 20 and 39.
    for (int x = 10; x < 30; ++x) {
        EXPECT_EQ(image.pixel(x, 20), Black) << x;
        EXPECT_EQ(image.pixel(x, 39), Black) << x;
        EXPECT_EQ(image.pixel(x, 19), White) << x;
        EXPECT_EQ(image.pixel(x, 40), White) << x;
    }
    for (int y = 20; y < 40; ++y) {
        EXPECT_EQ(image.pixel(10, y), Black) << y;
        EXPECT_EQ(image.pixel(29, y), Black) << y;
        EXPECT_EQ(image.pixel(9, y), White) << y;
        EXPECT_EQ(image.pixel(30, y), White) << y;
    }
    EXPECT_EQ(countNot(image, inside, QRect(QPoint(11, 21), QPoint(28, 38))), 0);
    EXPECT_EQ(countNot(image, White), 20 * 20 - (inside == White ? 18 * 18 : 0));
}

INSTANTIATE_TEST_SUITE_P(PenAndBrush, RectangleEdges,
                         ::testing::Values(RectangleCase{0, bsSolid}, RectangleCase{1, bsSolid},
                                           RectangleCase{1, bsClear}, RectangleCase{0, bsClear}));

TEST(QPainterCanvas, WidePenFrameIsCentredOnTheOutline)
{
    QImage image = blankImage();
    {
        QPainterCanvas canvas(image, 96);
        setPen(canvas, clBlack, 3);
        canvas.setBrush(TBrush{clWhite, bsClear});
        canvas.Rectangle(10, 20, 30, 40);
    }
    // Left edge column 10 widened to 9..11, right edge column 29 to 28..30.
    for (int x : {9, 10, 11, 28, 29, 30})
        EXPECT_EQ(image.pixel(x, 30), Black) << x;
    for (int x : {8, 12, 27, 31})
        EXPECT_EQ(image.pixel(x, 30), White) << x;
    EXPECT_EQ(image.pixel(20, 18), White);
    EXPECT_EQ(image.pixel(20, 19), Black);
    EXPECT_EQ(image.pixel(20, 41), White);
}

struct LineCase
{
    TPoint from;
    TPoint to;
};

void PrintTo(const LineCase& c, std::ostream* os)
{
    *os << "from (" << c.from.X << "," << c.from.Y << ") to (" << c.to.X << "," << c.to.Y << ")";
}

class LineEnds : public ::testing::TestWithParam<LineCase>
{
};

TEST_P(LineEnds, LineToPaintsStartButNotEndPoint)
{
    const auto [from, to] = GetParam();
    QImage image = blankImage();
    {
        QPainterCanvas canvas(image, 96);
        setPen(canvas, clBlack, 1);
        canvas.MoveTo(from.X, from.Y);
        canvas.LineTo(to.X, to.Y);
        EXPECT_EQ(canvas.PenPos(), to);
    }
    EXPECT_EQ(image.pixel(from.X, from.Y), Black);
    EXPECT_EQ(image.pixel(to.X, to.Y), White);
    const int steps = std::max(std::abs(to.X - from.X), std::abs(to.Y - from.Y));
    EXPECT_EQ(countNot(image, White), steps);
}

INSTANTIATE_TEST_SUITE_P(Directions, LineEnds,
                         ::testing::Values(LineCase{{5, 10}, {40, 10}}, LineCase{{40, 10}, {5, 10}},
                                           LineCase{{20, 5}, {20, 50}}, LineCase{{20, 50}, {20, 5}},
                                           LineCase{{5, 5}, {45, 25}},
                                           LineCase{{45, 50}, {30, 5}}));

TEST(QPainterCanvas, PenWidthZeroAndOneAreOnePixel)
{
    for (int width : {0, 1}) {
        QImage image = blankImage();
        {
            QPainterCanvas canvas(image, 96);
            setPen(canvas, clBlack, width);
            canvas.MoveTo(10, 30);
            canvas.LineTo(60, 30);
        }
        EXPECT_EQ(countNot(image, White), 50) << width;
        EXPECT_EQ(countNot(image, White, QRect(10, 30, 50, 1)), 50) << width;
    }
}

TEST(QPainterCanvas, WideLineIsCentredOnThePath)
{
    QImage image = blankImage();
    {
        QPainterCanvas canvas(image, 96);
        setPen(canvas, clBlack, 3);
        canvas.MoveTo(10, 30);
        canvas.LineTo(60, 30);
    }
    for (int y : {29, 30, 31})
        EXPECT_EQ(image.pixel(35, y), Black) << y;
    EXPECT_EQ(image.pixel(35, 28), White);
    EXPECT_EQ(image.pixel(35, 32), White);
}

TEST(QPainterCanvas, DotPenPaintsEveryOtherPixel)
{
    QImage image = blankImage();
    {
        QPainterCanvas canvas(image, 96);
        setPen(canvas, clBlack, 1, psDot);
        canvas.setBrush(TBrush{clWhite, bsClear});
        canvas.MoveTo(10, 30);
        canvas.LineTo(30, 30);
    }
    for (int x = 10; x < 30; ++x)
        EXPECT_EQ(image.pixel(x, 30), (x - 10) % 2 == 0 ? Black : White) << x;
}

TEST(QPainterCanvas, DotPenGapsTakeTheSolidBrushColour)
{
    QImage image = blankImage(qRgb(0, 0, 255));
    {
        QPainterCanvas canvas(image, 96);
        setPen(canvas, clBlack, 1, psDot);
        canvas.setBrush(TBrush{clWhite, bsSolid});
        canvas.MoveTo(10, 30);
        canvas.LineTo(14, 30);
    }
    EXPECT_EQ(image.pixel(10, 30), Black);
    EXPECT_EQ(image.pixel(11, 30), White);
    EXPECT_EQ(image.pixel(12, 30), Black);
}

// Each figure as the editor draws drag outlines and selection handles.
using Figure = void (*)(Canvas&);

struct NotXorCase
{
    const char* name;
    Figure draw;
};

void PrintTo(const NotXorCase& c, std::ostream* os)
{
    *os << c.name;
}

class NotXorTwice : public ::testing::TestWithParam<NotXorCase>
{
};

TEST_P(NotXorTwice, RestoresThePixels)
{
    for (const QImage& original : {blankImage(), colouredImage()}) {
        QImage image = original;
        QPainterCanvas canvas(image, 96);
        GetParam().draw(canvas);
        EXPECT_NE(image, original) << GetParam().name;
        GetParam().draw(canvas);
        EXPECT_EQ(image, original) << GetParam().name;
    }
}

void dottedOutline(Canvas& c)
{
    setPen(c, clBlack, 1, psDot, pmNotXor);
    c.setBrush(TBrush{clWhite, bsClear});
    c.Rectangle(5, 6, 50, 40);
}

void solidLines(Canvas& c)
{
    setPen(c, clBlack, 1, psSolid, pmNotXor);
    c.MoveTo(3, 3);
    c.LineTo(70, 50);
    c.LineTo(70, 3);
    c.LineTo(3, 3);
}

void handleSquare(Canvas& c)
{
    setPen(c, clBlack, 1, psSolid, pmNotXor);
    c.setBrush(TBrush{clBlack, bsSolid});
    c.Rectangle(20, 20, 26, 26);
}

void dottedEllipse(Canvas& c)
{
    setPen(c, clBlack, 1, psDot, pmNotXor);
    c.setBrush(TBrush{clWhite, bsClear});
    c.Ellipse(5, 5, 60, 45);
}

void redRoundRect(Canvas& c)
{
    setPen(c, clRed, 1, psSolid, pmNotXor);
    c.setBrush(TBrush{clWhite, bsClear});
    c.RoundRect(5, 5, 60, 45, 12, 12);
}

INSTANTIATE_TEST_SUITE_P(Figures, NotXorTwice,
                         ::testing::Values(NotXorCase{"dotted outline", dottedOutline},
                                           NotXorCase{"solid lines", solidLines},
                                           NotXorCase{"handle square", handleSquare},
                                           NotXorCase{"dotted ellipse", dottedEllipse},
                                           NotXorCase{"red round rect", redRoundRect}));

TEST(QPainterCanvas, NotXorHandleSquareInvertsEveryPixelOnce)
{
    const QImage original = colouredImage();
    QImage image = original;
    {
        QPainterCanvas canvas(image, 96);
        handleSquare(canvas);
    }
    for (int y = 18; y < 28; ++y) {
        for (int x = 18; x < 28; ++x) {
            const bool inside = x >= 20 && x < 26 && y >= 20 && y < 26;
            const QRgb expected =
                inside ? (~original.pixel(x, y) | 0xFF000000) : original.pixel(x, y);
            EXPECT_EQ(image.pixel(x, y), expected) << x << "," << y;
        }
    }
}

TEST(QPainterCanvas, ClearBrushFillsNothing)
{
    const QImage original = colouredImage();
    QImage image = original;
    {
        QPainterCanvas canvas(image, 96);
        setPen(canvas, clBlack, 1);
        canvas.setBrush(TBrush{clWhite, bsClear});
        canvas.Rectangle(10, 10, 50, 40);
        canvas.Ellipse(10, 10, 50, 40);
        canvas.RoundRect(10, 10, 50, 40, 8, 8);
        canvas.Polygon({{10, 10}, {50, 10}, {30, 39}});
        canvas.FillRect(TRect{10, 10, 50, 40});
    }
    // The centre of the figures keeps the background.
    for (int y = 20; y < 25; ++y)
        for (int x = 25; x < 35; ++x)
            EXPECT_EQ(image.pixel(x, y), original.pixel(x, y)) << x << "," << y;
}

TEST(QPainterCanvas, EllipseAndRoundRectStayInsideTheirBox)
{
    for (bool round : {false, true}) {
        QImage image = blankImage();
        {
            QPainterCanvas canvas(image, 96);
            setPen(canvas, clBlack, 1);
            canvas.setBrush(TBrush{clRed, bsSolid});
            if (round)
                canvas.RoundRect(10, 12, 50, 40, 10, 10);
            else
                canvas.Ellipse(10, 12, 50, 40);
        }
        const QRect box(QPoint(10, 12), QPoint(49, 39));
        EXPECT_EQ(countNot(image, White), countNot(image, White, box)) << round;
        // It touches all four sides of the box.
        EXPECT_GT(countNot(image, White, QRect(10, 12, 1, 28)), 0) << round;
        EXPECT_GT(countNot(image, White, QRect(49, 12, 1, 28)), 0) << round;
        EXPECT_GT(countNot(image, White, QRect(10, 12, 40, 1)), 0) << round;
        EXPECT_GT(countNot(image, White, QRect(10, 39, 40, 1)), 0) << round;
        EXPECT_EQ(image.pixel(30, 26), qRgb(255, 0, 0)) << round;
    }
}

TEST(QPainterCanvas, PolygonIsOutlinedWithThePenAndFilledWithTheBrush)
{
    QImage image = blankImage();
    {
        QPainterCanvas canvas(image, 96);
        setPen(canvas, clBlack, 1);
        canvas.setBrush(TBrush{clRed, bsSolid});
        canvas.Polygon({{10, 50}, {40, 10}, {70, 50}, {10, 50}});
    }
    EXPECT_EQ(image.pixel(10, 50), Black);
    EXPECT_EQ(image.pixel(40, 10), Black);
    EXPECT_EQ(image.pixel(40, 50), Black);
    EXPECT_EQ(image.pixel(40, 40), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(40, 51), White);
    EXPECT_EQ(image.pixel(12, 20), White);
}

TEST(QPainterCanvas, TextOutPutsTheCellTopLeftAtThePoint)
{
    QImage image = blankImage(White, 200, 100);
    int width = 0, height = 0;
    {
        QPainterCanvas canvas(image, 96);
        canvas.setBrush(TBrush{clWhite, bsClear});
        canvas.setFont(TFont{QStringLiteral("Arial"), -24, clBlack});
        canvas.TextOut(20, 30, QStringLiteral("Hg"));
        width = canvas.TextWidth(QStringLiteral("Hg"));
        height = canvas.TextHeight(QStringLiteral("Hg"));
        EXPECT_EQ(canvas.PenPos(), (TPoint{20 + width, 30}));
    }
    EXPECT_EQ(countNot(image, White, QRect(0, 0, 200, 29)), 0);
    EXPECT_GT(countNot(image, White, QRect(20, 30, width, height)), 0);
    EXPECT_EQ(countNot(image, White), countNot(image, White, QRect(19, 29, width + 2, height + 2)));
}

TEST(QPainterCanvas, TextOutOnSolidBrushPaintsTheCellBackground)
{
    QImage image = blankImage(White, 200, 100);
    int width = 0, height = 0;
    {
        QPainterCanvas canvas(image, 96);
        canvas.setBrush(TBrush{clGreen, bsSolid});
        canvas.setFont(TFont{QStringLiteral("Arial"), -20, clRed});
        canvas.TextOut(20, 30, QStringLiteral("x"));
        width = canvas.TextWidth(QStringLiteral("x"));
        height = canvas.TextHeight(QStringLiteral("x"));
    }
    EXPECT_EQ(image.pixel(20, 30), qRgb(0, 128, 0));
    EXPECT_EQ(image.pixel(20 + width - 1, 30 + height - 1), qRgb(0, 128, 0));
    EXPECT_EQ(image.pixel(20 + width, 30), White);
    EXPECT_EQ(image.pixel(20, 30 + height), White);
    // Red ink somewhere in the cell.
    bool red = false;
    for (int y = 30; y < 30 + height; ++y)
        for (int x = 20; x < 20 + width; ++x)
            red = red || qRed(image.pixel(x, y)) > 200 && qGreen(image.pixel(x, y)) < 60;
    EXPECT_TRUE(red);
}

TEST(QPainterCanvas, TextRectClipsToItsRectangleAndFillsIt)
{
    QImage image = blankImage(White, 200, 100);
    {
        QPainterCanvas canvas(image, 96);
        canvas.setBrush(TBrush{clGreen, bsSolid});
        canvas.setFont(TFont{QStringLiteral("Arial"), -40, clBlack});
        canvas.TextRect(TRect{10, 10, 60, 25}, 10, 10, QStringLiteral("WWWWWWWW"));
    }
    // The whole rectangle is painted (background or ink), nothing outside it.
    EXPECT_EQ(countNot(image, White, QRect(10, 10, 50, 15)), 50 * 15);
    EXPECT_EQ(countNot(image, White), 50 * 15);
    EXPECT_GT(countNot(image, qRgb(0, 128, 0), QRect(10, 10, 50, 15)), 0);
}

TEST(QPainterCanvas, FontHeightSignSelectsCharacterOrCellHeight)
{
    TFont font;
    font.Name = QStringLiteral("Arial");
    font.Height = -30;
    EXPECT_EQ(toQFont(font).pixelSize(), 30);

    QImage image = blankImage();
    QPainterCanvas canvas(image, 96);
    font.Height = 30;
    canvas.setFont(font);
    EXPECT_NEAR(canvas.TextHeight(QStringLiteral("A")), 30, 1);
    font.Height = -30;
    canvas.setFont(font);
    EXPECT_GT(canvas.TextHeight(QStringLiteral("A")), 30);
}

TEST(QPainterCanvas, SetPixelStretchDrawAndCopyRect)
{
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(qRgb(0, 0, 255));
    QImage image = blankImage();
    {
        QPainterCanvas canvas(image, 96);
        canvas.SetPixel(1, 2, 0x00FF00);
        canvas.StretchDraw(TRect{10, 10, 30, 20}, picture);
        canvas.CopyRect(TRect{40, 40, 48, 48}, picture, TRect{0, 0, 2, 2});
    }
    EXPECT_EQ(image.pixel(1, 2), qRgb(0, 255, 0));
    EXPECT_EQ(countNot(image, qRgb(0, 0, 255), QRect(10, 10, 20, 10)), 0);
    EXPECT_EQ(image.pixel(9, 10), White);
    EXPECT_EQ(image.pixel(30, 19), White);
    EXPECT_EQ(countNot(image, qRgb(0, 0, 255), QRect(40, 40, 8, 8)), 0);
    EXPECT_EQ(image.pixel(48, 48), White);
}

TEST(QPainterCanvas, UnpaintableImageFormatIsConverted)
{
    QImage image(20, 20, QImage::Format_Indexed8);
    image.setColorTable({White, Black});
    image.fill(0);
    {
        QPainterCanvas canvas(image, 96);
        ASSERT_TRUE(canvas.isActive());
        canvas.Rectangle(2, 2, 10, 10);
    }
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    EXPECT_EQ(image.pixel(2, 2), Black);
}

TEST(QPainterCanvas, NullImageGivesAnInactiveCanvasThatPaintsNothing)
{
    QImage image;
    QPainterCanvas canvas(image, 96);
    EXPECT_FALSE(canvas.isActive());
    canvas.Rectangle(0, 0, 10, 10);
    canvas.TextOut(0, 0, QStringLiteral("x"));
    EXPECT_TRUE(image.isNull());
}

TEST(QPainterCanvas, HugeCoordinatesAreClippedNotWalked)
{
    QImage image = blankImage();
    {
        QPainterCanvas canvas(image, 96);
        setPen(canvas, clBlack, 1, psDot);
        canvas.setBrush(TBrush{clWhite, bsClear});
        canvas.MoveTo(-2000000000, 30);
        canvas.LineTo(2000000000, 30);
        canvas.Rectangle(-2000000000, -2000000000, 2000000000, 2000000000);
    }
    EXPECT_GT(countNot(image, White, QRect(0, 30, 80, 1)), 30);
}

TEST(QPainterCanvas, PaintsOnAPdfWriter)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(600);
        QPainterCanvas canvas(writer, 600);
        ASSERT_TRUE(canvas.isActive());
        setPen(canvas, clBlack, 1, psDot, pmNotXor);
        canvas.Rectangle(100, 100, 2000, 1000);
        canvas.setFontSize(12);
        canvas.TextOut(200, 200, QStringLiteral("模板 Arial"));
        canvas.end();
    }
    EXPECT_TRUE(buffer.data().startsWith("%PDF"));
}

TEST(QPainterCanvas, PaintsOnAnSvgGenerator)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QSvgGenerator generator;
        generator.setOutputDevice(&buffer);
        generator.setSize(QSize(200, 100));
        generator.setResolution(96);
        QPainterCanvas canvas(generator, 96);
        ASSERT_TRUE(canvas.isActive());
        canvas.setBrush(TBrush{clRed, bsSolid});
        canvas.Ellipse(10, 10, 90, 60);
        canvas.MoveTo(0, 0);
        canvas.LineTo(100, 50);
    }
    EXPECT_TRUE(buffer.data().contains("<svg"));
}

} // namespace
} // namespace sw::test
