#include "platform/picturecodec.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

namespace sw::test {
namespace {

QImage testPicture(int width = 123, int height = 45)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, x < width / 2 ? qRgb(255, 0, 0) : qRgb(0, 0, 255));
    return image;
}

QByteArray jpegBytes(const QImage& image, int dotsPerInch = 300)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QString error;
    EXPECT_TRUE(saveJpeg(image, buffer, 100, dotsPerInch, &error)) << error.toStdString();
    return buffer.data();
}

bool near(QRgb a, QRgb b, int tolerance = 12)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance &&
           std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& data)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(data);
    return path;
}

TEST(PictureCodec, JpegRoundTripKeepsSizeDensityAndColours)
{
    const QImage original = testPicture();
    const QByteArray data = jpegBytes(original, 300);
    // JFIF APP0: "JFIF\0", version, units = 1 (dots per inch), X and Y density.
    ASSERT_GT(data.size(), 20);
    EXPECT_EQ(data.mid(6, 5), QByteArray("JFIF\0", 5));
    EXPECT_EQ(data[13], 1);
    EXPECT_EQ(qFromBigEndian<quint16>(data.constData() + 14), 300);
    EXPECT_EQ(qFromBigEndian<quint16>(data.constData() + 16), 300);

    QTemporaryDir dir;
    QString error;
    const QImage loaded = loadPicture(writeFile(dir, QStringLiteral("a.jpg"), data), &error);
    ASSERT_FALSE(loaded.isNull()) << error.toStdString();
    EXPECT_EQ(loaded.size(), original.size());
    EXPECT_EQ(loaded.format(), QImage::Format_RGB32);
    EXPECT_EQ(loaded.dotsPerMeterX(), 11811);
    EXPECT_EQ(loaded.dotsPerMeterY(), 11811);
    EXPECT_TRUE(near(loaded.pixel(10, 10), qRgb(255, 0, 0)));
    EXPECT_TRUE(near(loaded.pixel(110, 30), qRgb(0, 0, 255)));
}

TEST(PictureCodec, GreyscaleJpegDecodesToRgb)
{
    QImage grey(20, 10, QImage::Format_Grayscale8);
    grey.fill(200);
    const QImage decoded = decodeJpeg(jpegBytes(grey.convertToFormat(QImage::Format_RGB32)));
    ASSERT_FALSE(decoded.isNull());
    EXPECT_TRUE(near(decoded.pixel(5, 5), qRgb(200, 200, 200), 3));
}

// Components of the frame header (SOF0) of baseline JPEG data; -1 without one.
int jpegComponents(const QByteArray& data)
{
    const int at = data.indexOf(QByteArray::fromHex("FFC0"));
    return at < 0 || data.size() < at + 10 ? -1 : uchar(data[at + 9]);
}

TEST(PictureCodec, ScansKeepGreyJpegsGreyAndPicturesTurnThemIntoRgb)
{
    QImage grey(64, 16, QImage::Format_Grayscale8);
    for (int y = 0; y < grey.height(); ++y)
        for (int x = 0; x < grey.width(); ++x)
            grey.scanLine(y)[x] = uchar(x * 4);
    const QByteArray data = jpegBytes(grey);
    EXPECT_EQ(jpegComponents(data), 1);
    EXPECT_EQ(jpegComponents(jpegBytes(testPicture())), 3);

    QTemporaryDir dir;
    const QString path = writeFile(dir, QStringLiteral("grey.jpg"), data);
    QString error;
    const QImage scan = loadScan(path, &error);
    ASSERT_FALSE(scan.isNull()) << error.toStdString();
    EXPECT_EQ(scan.format(), QImage::Format_Grayscale8);
    EXPECT_EQ(scan.dotsPerMeterX(), 11811);
    const QImage picture = loadPicture(path);
    ASSERT_EQ(picture.format(), QImage::Format_RGB32);
    for (int y = 0; y < grey.height(); ++y) {
        for (int x = 0; x < grey.width(); ++x) {
            const int value = scan.constScanLine(y)[x];
            EXPECT_LE(std::abs(value - grey.constScanLine(y)[x]), 2) << x << "," << y;
            EXPECT_EQ(picture.pixel(x, y), qRgb(value, value, value)) << x << "," << y;
        }
    }
    // Colour JPEGs load as colour either way, with opaque pixels.
    const QString colourPath =
        writeFile(dir, QStringLiteral("colour.jpg"), jpegBytes(testPicture()));
    const QImage colour = loadScan(colourPath);
    EXPECT_EQ(colour.format(), QImage::Format_RGB32);
    EXPECT_EQ(colour, loadPicture(colourPath));
    EXPECT_EQ(qAlpha(colour.pixel(10, 10)), 255);
}

TEST(PictureCodec, BmpHeaderHoldsTheResolutionInPixelsPerMetre)
{
    const QImage original = testPicture(3, 2);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QString error;
    ASSERT_TRUE(saveBmp(original, buffer, 300, &error)) << error.toStdString();
    const QByteArray data = buffer.data();
    const auto* bytes = reinterpret_cast<const uchar*>(data.constData());
    // 54 header bytes and two rows of 3 pixels padded from 9 to 12 bytes.
    ASSERT_EQ(data.size(), 54 + 2 * 12);
    EXPECT_EQ(data.left(2), QByteArray("BM"));
    EXPECT_EQ(qFromLittleEndian<quint32>(bytes + 2), 78u);
    EXPECT_EQ(qFromLittleEndian<quint16>(bytes + 28), 24);
    EXPECT_EQ(qFromLittleEndian<qint32>(bytes + 38), 11811); // round(300 / 0.0254)
    EXPECT_EQ(qFromLittleEndian<qint32>(bytes + 42), 11811);

    QImage reread;
    ASSERT_TRUE(reread.loadFromData(data, "BMP"));
    EXPECT_EQ(reread.convertToFormat(QImage::Format_RGB32), original);
    EXPECT_EQ(reread.dotsPerMeterX(), 11811);
}

TEST(PictureCodec, BmpAt96DotsPerInch)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(saveBmp(testPicture(4, 4), buffer, 96));
    EXPECT_EQ(qFromLittleEndian<qint32>(buffer.data().constData() + 38), 3780);
}

struct CorruptCase
{
    const char* name;
    QByteArray (*make)();
};

void PrintTo(const CorruptCase& c, std::ostream* os)
{
    *os << c.name;
}

class CorruptJpeg : public ::testing::TestWithParam<CorruptCase>
{
};

TEST_P(CorruptJpeg, GivesAnErrorAndNoPicture)
{
    const QByteArray data = GetParam().make();
    QString error;
    EXPECT_TRUE(decodeJpeg(data, &error).isNull());
    EXPECT_FALSE(error.isEmpty());

    QTemporaryDir dir;
    error.clear();
    EXPECT_TRUE(loadPicture(writeFile(dir, QStringLiteral("bad.jpg"), data), &error).isNull());
    EXPECT_FALSE(error.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Data, CorruptJpeg,
    ::testing::Values(
        CorruptCase{"empty", [] { return QByteArray(); }},
        CorruptCase{"marker only", [] { return QByteArray("\xFF\xD8\xFF", 3); }},
        CorruptCase{"garbage after marker",
                    [] { return QByteArray("\xFF\xD8\xFF", 3) + QByteArray(500, '\x5A'); }},
        CorruptCase{"truncated in the scan",
                    [] {
                        const QByteArray full = jpegBytes(testPicture(200, 200));
                        return full.left(full.size() * 6 / 10);
                    }},
        CorruptCase{"truncated in the header", [] { return jpegBytes(testPicture()).left(100); }},
        CorruptCase{"too wide", [] { return jpegBytes(testPicture(MaxPictureSide + 1, 1)); }}));

TEST(PictureCodec, UnreadableFilesGiveErrors)
{
    QTemporaryDir dir;
    const QString paths[] = {
        dir.filePath(QStringLiteral("missing.png")),
        writeFile(dir, QStringLiteral("noise.png"), QByteArray("not a picture at all")),
        writeFile(dir, QStringLiteral("empty.bmp"), QByteArray()),
        dir.path(),
    };
    for (const QString& path : paths) {
        QString error;
        EXPECT_TRUE(loadPicture(path, &error).isNull()) << path.toStdString();
        EXPECT_FALSE(error.isEmpty()) << path.toStdString();
    }
}

TEST(PictureCodec, TooLargePictureIsRefused)
{
    QTemporaryDir dir;
    QImage wide(MaxPictureSide + 1, 1, QImage::Format_RGB32);
    wide.fill(Qt::white);
    const QString path = dir.filePath(QStringLiteral("wide.png"));
    ASSERT_TRUE(wide.save(path));
    QString error;
    EXPECT_TRUE(loadPicture(path, &error).isNull());
    EXPECT_TRUE(error.contains(QStringLiteral("too large"))) << error.toStdString();
}

TEST(PictureCodec, TransparentAreasBecomeBlack)
{
    QImage png(4, 1, QImage::Format_ARGB32);
    png.setPixel(0, 0, qRgba(255, 255, 255, 0));
    png.setPixel(1, 0, qRgba(255, 0, 0, 255));
    png.setPixel(2, 0, qRgba(255, 255, 255, 128));
    png.setPixel(3, 0, qRgba(0, 255, 0, 0));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("alpha.png"));
    ASSERT_TRUE(png.save(path));
    QString error;
    const QImage loaded = loadPicture(path, &error);
    ASSERT_FALSE(loaded.isNull()) << error.toStdString();
    EXPECT_EQ(loaded.format(), QImage::Format_RGB32);
    EXPECT_EQ(loaded.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(loaded.pixel(1, 0), qRgb(255, 0, 0));
    EXPECT_TRUE(near(loaded.pixel(2, 0), qRgb(128, 128, 128), 2));
    EXPECT_EQ(loaded.pixel(3, 0), qRgb(0, 0, 0));
}

TEST(PictureCodec, WriteFailuresAreReported)
{
    QByteArray storage;
    QBuffer readOnly(&storage);
    readOnly.open(QIODevice::ReadOnly);
    QString error;
    EXPECT_FALSE(saveJpeg(testPicture(), readOnly, 100, 96, &error));
    EXPECT_FALSE(error.isEmpty());
    error.clear();
    EXPECT_FALSE(saveBmp(testPicture(), readOnly, 96, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(saveBmp(QImage(), readOnly, 96, &error));
}

} // namespace
} // namespace sw::test
