#include "document/analysis/rotation.h"
#include "scans.h"

#include <QLinearGradient>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>

namespace sw::test {
namespace {

// Mean position of the dark pixels within the rectangle.
QPointF darkCentre(const QImage& image, const QRect& r)
{
    double sx = 0;
    double sy = 0;
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            if (qGray(image.pixel(x, y)) < 128) {
                sx += x;
                sy += y;
                ++n;
            }
        }
    }
    return n ? QPointF(sx / n, sy / n) : QPointF(-1, -1);
}

TEST(Rotation, TransformRotatesAboutTheOriginThenTranslates)
{
    const QSize size(1000, 800);
    const double skew = 0.02;
    const double d = -skew * 57.29578;
    const double r = d * M_PI / 180;
    const QTransform t = correctionTransform(size, skew);
    for (const QPointF p : {QPointF(0, 0), QPointF(1000, 0), QPointF(300, 700)}) {
        const QPointF expected(p.x() * std::cos(r) - p.y() * std::sin(r) + 800 * d / 90,
                               p.x() * std::sin(r) + p.y() * std::cos(r) - 1000 * d / 90);
        const QPointF actual = t.map(p);
        EXPECT_NEAR(actual.x(), expected.x(), 1e-9);
        EXPECT_NEAR(actual.y(), expected.y(), 1e-9);
    }
}

TEST(Rotation, StraightensMarksOfAKnownSkew)
{
    // Two marks 1000 pixels apart across and 10 down: skew arctan(0.01),
    // redrawn turned by about -0.573 degrees.
    QImage scan = whiteScan(1200, 400);
    drawSquare(scan, {100, 100}, 8);
    drawSquare(scan, {1100, 110}, 8);
    const double skew = std::atan(0.01);
    EXPECT_NEAR(-skew * 57.29578, -0.573, 0.001);

    const QImage straight = RotatePicture(scan, scan.size(), skew);
    ASSERT_EQ(straight.size(), scan.size());
    EXPECT_EQ(straight.format(), QImage::Format_RGB32);
    const QPointF a = darkCentre(straight, QRect(40, 40, 120, 120));
    const QPointF b = darkCentre(straight, QRect(1040, 40, 120, 120));
    EXPECT_NEAR(a.y(), b.y(), 0.5);
    // Pixel (x, y) covers (x, y) to (x + 1, y + 1): compare pixel indices.
    const QPointF expected =
        correctionTransform(scan.size(), skew).map(QPointF(100.5, 100.5)) - QPointF(0.5, 0.5);
    EXPECT_NEAR(a.x(), expected.x(), 0.5);
    EXPECT_NEAR(a.y(), expected.y(), 0.5);
    // What the turn uncovers is opaque white.
    EXPECT_EQ(straight.pixel(1199, 0), qRgb(255, 255, 255));
    EXPECT_EQ(straight.pixel(0, 399), qRgb(255, 255, 255));
}

TEST(Rotation, GreyPictureTurnsLikeTheColourOneAndStaysGrey)
{
    QImage scan = whiteScan(1200, 400);
    drawSquare(scan, {100, 100}, 8);
    drawSquare(scan, {1100, 110}, 8);
    {
        QPainter painter(&scan);
        QLinearGradient gradient(300, 0, 900, 0);
        gradient.setColorAt(0, Qt::black);
        gradient.setColorAt(1, Qt::white);
        painter.fillRect(QRect(300, 150, 600, 200), gradient);
    }
    const QImage grey = scan.convertToFormat(QImage::Format_Grayscale8);
    const double skew = std::atan(0.01);

    const QImage colour = RotatePicture(scan, scan.size(), skew);
    const QImage turned = RotatePicture(grey, grey.size(), skew);
    ASSERT_EQ(turned.size(), scan.size());
    EXPECT_EQ(turned.format(), QImage::Format_Grayscale8);
    int largest = 0;
    for (int y = 0; y < turned.height(); ++y) {
        const uchar* row = turned.constScanLine(y);
        for (int x = 0; x < turned.width(); ++x)
            largest = std::max(largest, std::abs(row[x] - qGray(colour.pixel(x, y))));
    }
    // Both are sampled alike; only grey's own rounding of the colours
    // separates them.
    EXPECT_LE(largest, 1);
    for (const QRect& r : {QRect(40, 40, 120, 120), QRect(1040, 40, 120, 120)}) {
        const QPointF c = darkCentre(colour, r);
        const QPointF g = darkCentre(turned, r);
        EXPECT_NEAR(g.x(), c.x(), 0.25);
        EXPECT_NEAR(g.y(), c.y(), 0.25);
    }
    EXPECT_EQ(turned.pixel(1199, 0), qRgb(255, 255, 255));
    EXPECT_EQ(turned.pixel(0, 399), qRgb(255, 255, 255));
    EXPECT_EQ(RotatePicture(grey, grey.size(), 0.0), grey);
}

TEST(Rotation, NoSkewKeepsThePicture)
{
    QImage scan = whiteScan(300, 200);
    drawSquare(scan, {100, 100}, 8);
    scan.setPixel(0, 0, qRgb(10, 20, 30));
    EXPECT_EQ(RotatePicture(scan, scan.size(), 0.0), scan);
}

TEST(Rotation, PictureIsScaledIntoTheBitmap)
{
    QImage picture = whiteScan(100, 50);
    QPainter(&picture).fillRect(0, 0, 50, 50, Qt::black);
    const QImage bitmap = RotatePicture(picture, QSize(200, 100), 0.0);
    ASSERT_EQ(bitmap.size(), QSize(200, 100));
    EXPECT_EQ(qGray(bitmap.pixel(90, 50)), 0);
    EXPECT_EQ(qGray(bitmap.pixel(110, 50)), 255);
}

TEST(Rotation, EmptyInputs)
{
    EXPECT_TRUE(RotatePicture(whiteScan(10, 10), QSize(), 0.1).isNull());
    const QImage blank = RotatePicture(QImage(), QSize(20, 10), 0.1);
    ASSERT_EQ(blank.size(), QSize(20, 10));
    EXPECT_EQ(blank.pixel(5, 5), qRgb(255, 255, 255));
}

} // namespace
} // namespace sw::test
