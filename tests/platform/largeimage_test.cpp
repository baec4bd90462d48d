#include "platform/largeimage.h"

#include <QImage>
#include <gtest/gtest.h>

namespace sw::test {
namespace {

// Large or small, the image is laid out as QImage lays out its own, and it
// behaves as one: writable, copied on write, freed with its last copy.
TEST(LargeImage, IsLaidOutAndSharedLikeAnyImage)
{
    struct Case
    {
        int width;
        int height;
        QImage::Format format;
    };
    const Case cases[] = {
        {2481, 3508, QImage::Format_Grayscale8}, // a grey A4 scan at 300 dpi
        {2480, 3508, QImage::Format_RGB32},      // a colour one
        {7, 5, QImage::Format_Grayscale8},
        {3, 2, QImage::Format_RGB32},
    };
    for (const Case& c : cases) {
        QImage image = newLargeImage(c.width, c.height, c.format);
        const QImage plain(c.width, c.height, c.format);
        ASSERT_FALSE(image.isNull()) << c.width;
        EXPECT_EQ(image.format(), c.format);
        EXPECT_EQ(image.size(), QSize(c.width, c.height));
        EXPECT_EQ(image.bytesPerLine(), plain.bytesPerLine());

        image.fill(Qt::white);
        const QImage copy = image;
        image.setPixel(c.width - 1, c.height - 1, qRgb(0, 0, 0));
        EXPECT_EQ(image.pixel(c.width - 1, c.height - 1), qRgb(0, 0, 0));
        EXPECT_EQ(copy.pixel(c.width - 1, c.height - 1), qRgb(255, 255, 255));
    }
}

TEST(LargeImage, EmptySizesGiveNullImages)
{
    EXPECT_TRUE(newLargeImage(0, 100, QImage::Format_RGB32).isNull());
    EXPECT_TRUE(newLargeImage(100, -1, QImage::Format_Grayscale8).isNull());
}

} // namespace
} // namespace sw::test
