#include "document/analysis/blobs.h"
#include "referenceblobs.h"

#include <QPainter>
#include <gtest/gtest.h>
#include <random>

namespace sw::test {
namespace {

// A white image with black pixels where the art has an 'X'.
QImage drawing(const std::vector<const char*>& art)
{
    QImage image(int(std::strlen(art[0])), int(art.size()), QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (art[y][x] == 'X')
                image.setPixel(x, y, qRgb(0, 0, 0));
        }
    }
    return image;
}

QImage randomImage(int width, int height, double density, unsigned seed)
{
    std::mt19937 rng(seed);
    std::bernoulli_distribution dark(density);
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, dark(rng) ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    }
    return image;
}

void expectSameBlobs(const std::vector<TBlob>& actual, const std::vector<TBlob>& expected)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(actual[i].Left, expected[i].Left);
        EXPECT_EQ(actual[i].Top, expected[i].Top);
        EXPECT_EQ(actual[i].Right, expected[i].Right);
        EXPECT_EQ(actual[i].Bottom, expected[i].Bottom);
        ASSERT_TRUE(actual[i].Points == expected[i].Points);
    }
}

TEST(Binarize, ThresholdAndWeights)
{
    QImage image(4, 1, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(200, 200, 200));
    image.setPixel(1, 0, qRgb(201, 201, 201));
    image.setPixel(2, 0, qRgb(255, 0, 0)); // gray 76.5 rounds to 76
    image.setPixel(3, 0, qRgb(0, 0, 255)); // gray 28.05
    Binarize(image, 200);
    EXPECT_EQ(image.format(), QImage::Format_RGB888);
    EXPECT_EQ(image.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(1, 0), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(2, 0), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(3, 0), qRgb(0, 0, 0));
}

TEST(Binarize, GrayRoundsHalfToEven)
{
    struct Case
    {
        QRgb colour;
        int threshold;
        bool black;
    };
    const Case cases[] = {
        {qRgb(255, 0, 0), 76, true},                                 // 76.5 -> 76
        {qRgb(255, 0, 0), 75, false},     {qRgb(5, 0, 0), 1, false}, // 1.5 -> 2
        {qRgb(5, 0, 0), 2, true},         {qRgb(1, 0, 2), 0, false}, // 0.52 -> 1
        {qRgb(0, 0, 0), -1, false},                                  // nothing is black below 0
        {qRgb(255, 255, 255), 255, true},
    };
    for (const Case& c : cases) {
        QImage image(1, 1, QImage::Format_RGB32);
        image.setPixel(0, 0, c.colour);
        Binarize(image, c.threshold);
        EXPECT_EQ(image.pixel(0, 0), c.black ? qRgb(0, 0, 0) : qRgb(255, 255, 255))
            << std::hex << c.colour << std::dec << " at " << c.threshold;
    }
}

TEST(Binarize, MatchesReferenceOnRandomColours)
{
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> channel(0, 255);
    QImage image(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x)
            image.setPixel(x, y, qRgb(channel(rng), channel(rng), channel(rng)));
    }
    for (int threshold : {-1, 0, 1, 100, 127, 200, 254, 255, 300}) {
        SCOPED_TRACE(threshold);
        QImage actual = image;
        Binarize(actual, threshold);
        EXPECT_EQ(actual, referenceBinarize(image, threshold));
        // The packed path used by the detections agrees with Binarize.
        const DarkMask mask = binarizedArea(image, image.rect(), threshold);
        const DarkMask black = blackPixels(actual);
        for (int y = 0; y < 64; ++y) {
            for (int x = 0; x < 64; ++x)
                ASSERT_EQ(mask.test(x, y), black.test(x, y)) << x << "," << y;
        }
    }
}

TEST(Binarize, AreaOutsideThePictureIsWhite)
{
    QImage picture(10, 10, QImage::Format_RGB32);
    picture.fill(Qt::black);
    const DarkMask mask = binarizedArea(picture, QRect(QPoint(-5, 8), QPoint(4, 20)), 200);
    EXPECT_EQ(mask.origin(), (TPoint{5, 0}));
    EXPECT_EQ(mask.width(), 5);
    EXPECT_EQ(mask.height(), 2);
    const auto blobs = FindBlobs(mask, 1);
    ASSERT_EQ(blobs.size(), 1u);
    EXPECT_EQ((TRect{blobs[0].Left, blobs[0].Top, blobs[0].Right, blobs[0].Bottom}),
              (TRect{5, 0, 9, 1}));
    EXPECT_TRUE(FindBlobs(binarizedArea(picture, QRect(20, 20, 5, 5), 200), 1).empty());
    EXPECT_TRUE(FindBlobs(binarizedArea(QImage(), QRect(0, 0, 5, 5), 200), 1).empty());
}

TEST(FindBlobs, VShapeMergesInScanOrder)
{
    const QImage v = drawing({
        "X...X",
        ".X.X.",
        "..X..",
    });
    const auto blobs = FindBlobs(v, 1);
    ASSERT_EQ(blobs.size(), 1u);
    const std::vector<TPoint> order{{0, 0}, {1, 1}, {2, 2}, {4, 0}, {3, 1}};
    EXPECT_TRUE(blobs[0].Points == order);
    EXPECT_EQ((TRect{blobs[0].Left, blobs[0].Top, blobs[0].Right, blobs[0].Bottom}),
              (TRect{0, 0, 4, 2}));
    expectSameBlobs(blobs, referenceFindBlobs(v, 1));
}

TEST(FindBlobs, ThreeArmsMergeOldestFirst)
{
    // The bottom pixel touches three blobs at once; the oldest keeps its place
    // and the others follow in creation order.
    const QImage w = drawing({
        "X.X.X",
        "X.X.X",
        ".XXX.",
    });
    const auto blobs = FindBlobs(w, 1);
    ASSERT_EQ(blobs.size(), 1u);
    const std::vector<TPoint> order{{0, 0}, {0, 1}, {1, 2}, {2, 0}, {2, 1},
                                    {2, 2}, {3, 2}, {4, 0}, {4, 1}};
    EXPECT_TRUE(blobs[0].Points == order);
    expectSameBlobs(blobs, referenceFindBlobs(w, 1));
}

TEST(FindBlobs, MinimumDropsSmallBlobs)
{
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.fillRect(0, 0, 8, 5, Qt::black);   // 40 pixels
    p.fillRect(20, 0, 10, 6, Qt::black); // 60 pixels
    p.end();
    const auto blobs = FindBlobs(image, 50);
    ASSERT_EQ(blobs.size(), 1u);
    EXPECT_EQ(blobs[0].Points.size(), 60u);
    EXPECT_EQ(blobs[0].Left, 20);
    EXPECT_EQ(FindBlobs(image, 40).size(), 2u);
    EXPECT_EQ(FindBlobs(image, 61).size(), 0u);
}

TEST(FindBlobs, EmptyAndBlankImages)
{
    EXPECT_TRUE(FindBlobs(QImage(), 0).empty());
    QImage white(30, 30, QImage::Format_RGB32);
    white.fill(Qt::white);
    EXPECT_TRUE(FindBlobs(white, 0).empty());
}

TEST(FindBlobs, OnlyPureBlackCounts)
{
    const QImage image = drawing({"XX"});
    QImage gray = image;
    gray.setPixel(1, 0, qRgb(0, 0, 1));
    const auto blobs = FindBlobs(gray, 0);
    ASSERT_EQ(blobs.size(), 1u);
    EXPECT_EQ(blobs[0].Points.size(), 1u);
}

struct RandomCase
{
    int width;
    int height;
    double density;
    int minimum;
};

class FindBlobsRandom : public ::testing::TestWithParam<RandomCase>
{
};

TEST_P(FindBlobsRandom, MatchesTheStepByStepProcedure)
{
    const RandomCase c = GetParam();
    for (unsigned seed = 1; seed <= 10; ++seed) {
        SCOPED_TRACE(seed);
        const QImage image = randomImage(c.width, c.height, c.density, seed);
        expectSameBlobs(FindBlobs(image, c.minimum), referenceFindBlobs(image, c.minimum));
    }
}

INSTANTIATE_TEST_SUITE_P(Densities, FindBlobsRandom,
                         ::testing::Values(RandomCase{90, 60, 0.1, 1}, RandomCase{90, 60, 0.3, 1},
                                           RandomCase{90, 60, 0.45, 3}, RandomCase{64, 20, 0.55, 0},
                                           RandomCase{70, 25, 0.7, 5}, RandomCase{1, 50, 0.5, 1},
                                           RandomCase{130, 3, 0.5, -2},
                                           RandomCase{33, 33, 1.0, 1}));

TEST(FindBlobs, StructuredShapesMatchTheProcedure)
{
    std::vector<QImage> images;
    const auto painted = [&](auto paint) {
        QImage image(120, 90, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::NoBrush);
        paint(p);
        p.end();
        images.push_back(image);
    };
    // A comb: many teeth opened separately and closed by the spine below.
    painted([](QPainter& p) {
        for (int x = 2; x < 118; x += 3)
            p.drawLine(x, 2, x, 60);
        p.drawLine(1, 61, 118, 61);
    });
    // A spiral, and upside-down U shapes, circles, diagonals.
    painted([](QPainter& p) {
        for (int i = 0; i < 10; ++i)
            p.drawRect(5 + 4 * i, 5 + 4 * i, 100 - 8 * i, 75 - 8 * i);
    });
    painted([](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing, false);
        for (int i = 0; i < 6; ++i) {
            p.drawEllipse(QPoint(20 + 15 * i, 45), 12, 30 - 4 * i);
            p.drawLine(0, 5 * i, 119, 89 - 7 * i);
        }
    });
    // A checkerboard: one 8-connected blob.
    QImage checker(41, 23, QImage::Format_RGB32);
    for (int y = 0; y < 23; ++y) {
        for (int x = 0; x < 41; ++x)
            checker.setPixel(x, y, (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    }
    images.push_back(checker);
    for (std::size_t i = 0; i < images.size(); ++i) {
        SCOPED_TRACE(i);
        for (int minimum : {1, 20}) {
            expectSameBlobs(FindBlobs(images[i], minimum), referenceFindBlobs(images[i], minimum));
        }
    }
    EXPECT_EQ(FindBlobs(checker, 1).size(), 1u);
}

TEST(FindBlobs, LargeScanRegion)
{
    // Several million pixels with thousands of strokes.
    QImage image(2400, 2000, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setPen(QPen(Qt::black, 3));
    int strokes = 0;
    for (int y = 10; y + 30 < 2000; y += 40) {
        for (int x = 10; x + 30 < 2400; x += 40) {
            p.drawLine(x, y, x + 25, y + 25);
            ++strokes;
        }
    }
    p.drawLine(0, 1995, 2399, 1995);
    p.end();
    const DarkMask mask = binarizedArea(image, image.rect(), 200);
    const auto blobs = FindBlobs(mask, 50);
    EXPECT_EQ(int(blobs.size()), strokes + 1);
    EXPECT_EQ(blobs.back().Top, 1994);
}

} // namespace
} // namespace sw::test
