// Pins the pixels of the grey straightening, which has a fast path for the
// pixels whose four neighbours all lie inside the picture and a careful one
// along the edges.
#include "document/analysis/rotation.h"

#include <QCryptographicHash>
#include <QImage>
#include <gtest/gtest.h>

namespace sw::test {
namespace {

// A grey picture with no two neighbouring rows or columns alike.
QImage patternedGrey(int width, int height)
{
    QImage picture(width, height, QImage::Format_Grayscale8);
    for (int y = 0; y < height; ++y) {
        uchar* row = picture.scanLine(y);
        for (int x = 0; x < width; ++x)
            row[x] = uchar((x * 7 + y * 13 + (x * y) % 29) & 0xFF);
    }
    return picture;
}

std::string pixelDigest(const QImage& image)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (int y = 0; y < image.height(); ++y)
        hash.addData(QByteArrayView(image.constScanLine(y), image.width()));
    return hash.result().toHex().left(16).toStdString();
}

TEST(RotationPixels, GreyStraighteningKeepsItsPixels)
{
    struct Case
    {
        QSize picture;
        QSize bitmap;
        double skew;
        const char* digest;
    };
    const Case cases[] = {
        {{301, 211}, {301, 211}, 0.0095, "6f57022f12eb4487"},
        {{301, 211}, {301, 211}, -0.03, "5705b6299537b510"},
        {{160, 90}, {333, 200}, 0.2, "4286fc35dad52d82"},
        {{1, 1}, {7, 5}, 0.01, "0d5535e13cc9708d"},
        {{64, 1}, {64, 3}, -0.5, "d53d71969b83f9f2"},
    };
    for (const Case& c : cases) {
        const QImage turned =
            RotatePicture(patternedGrey(c.picture.width(), c.picture.height()), c.bitmap, c.skew);
        ASSERT_EQ(turned.size(), c.bitmap);
        EXPECT_EQ(pixelDigest(turned), c.digest) << c.skew;
    }
}

// Colour is straightened channel by channel exactly as grey is.
TEST(RotationPixels, EachColourChannelTurnsLikeAGreyPicture)
{
    struct Case
    {
        QSize picture;
        QSize bitmap;
        double skew;
    };
    const Case cases[] = {
        {{301, 211}, {301, 211}, 0.0095},
        {{301, 211}, {301, 211}, -0.03},
        {{160, 90}, {333, 200}, 0.2},
        {{2, 3}, {9, 7}, 0.01},
    };
    for (const Case& c : cases) {
        const int w = c.picture.width();
        const int h = c.picture.height();
        // Three different patterns: the channels of one picture.
        const QImage red = patternedGrey(w, h);
        const QImage green = patternedGrey(w, h).mirrored(true, false);
        const QImage blue = patternedGrey(w, h).mirrored(false, true);
        QImage colour(w, h, QImage::Format_RGB32);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x)
                colour.setPixel(x, y,
                                qRgb(red.constScanLine(y)[x], green.constScanLine(y)[x],
                                     blue.constScanLine(y)[x]));
        }
        const QImage turned = RotatePicture(colour, c.bitmap, c.skew);
        ASSERT_EQ(turned.format(), QImage::Format_RGB32);
        const QImage channels[] = {RotatePicture(red, c.bitmap, c.skew),
                                   RotatePicture(green, c.bitmap, c.skew),
                                   RotatePicture(blue, c.bitmap, c.skew)};
        int mismatches = 0;
        for (int y = 0; y < c.bitmap.height(); ++y) {
            for (int x = 0; x < c.bitmap.width(); ++x) {
                const QRgb expected =
                    qRgb(channels[0].constScanLine(y)[x], channels[1].constScanLine(y)[x],
                         channels[2].constScanLine(y)[x]);
                mismatches += turned.pixel(x, y) != expected;
            }
        }
        EXPECT_EQ(mismatches, 0) << c.skew;
    }
}

// A picture with transparent parts is straightened as if laid on white.
TEST(RotationPixels, TransparentPartsTurnWhite)
{
    QImage picture(40, 30, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    for (int y = 10; y < 20; ++y) {
        for (int x = 10; x < 30; ++x)
            picture.setPixel(x, y, qRgb(0, 0, 255));
    }
    QImage onWhite = picture.convertToFormat(QImage::Format_RGB32);
    onWhite.fill(Qt::white);
    for (int y = 10; y < 20; ++y) {
        for (int x = 10; x < 30; ++x)
            onWhite.setPixel(x, y, qRgb(0, 0, 255));
    }
    EXPECT_EQ(RotatePicture(picture, picture.size(), 0.05),
              RotatePicture(onWhite, onWhite.size(), 0.05));
}

} // namespace
} // namespace sw::test
