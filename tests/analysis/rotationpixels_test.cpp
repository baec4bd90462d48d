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

} // namespace
} // namespace sw::test
