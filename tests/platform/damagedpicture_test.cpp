#include "platform/picturecodec.h"
#include "support/rlebmp.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>
#include <functional>
#include <gtest/gtest.h>

namespace sw::test {
namespace {

// A picture of coloured noise: it compresses badly, so its data is long.
QImage noise(int width, int height)
{
    QRandomGenerator random(7);
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, random.generate() | 0xFF000000u);
    return image;
}

QByteArray encoded(const std::function<bool(QIODevice&)>& write)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(write(buffer));
    return buffer.data();
}

QByteArray jpeg(const QImage& image)
{
    return encoded([&](QIODevice& d) { return saveJpeg(image, d, 90, 96); });
}

QByteArray bmp(const QImage& image)
{
    return encoded([&](QIODevice& d) { return saveBmp(image, d, 96); });
}

QByteArray png(const QImage& image)
{
    return encoded([&](QIODevice& d) { return QImageWriter(&d, "png").write(image); });
}

// The JPEG with its frame header claiming width x height.
QByteArray claimingJpeg(int width, int height)
{
    QByteArray data = jpeg(noise(16, 16));
    const qsizetype frame = data.indexOf(QByteArray("\xFF\xC0", 2));
    EXPECT_GT(frame, 0);
    qToBigEndian<quint16>(quint16(height), data.data() + frame + 5);
    qToBigEndian<quint16>(quint16(width), data.data() + frame + 7);
    return data;
}

quint32 crc32(const QByteArray& data)
{
    quint32 crc = 0xFFFFFFFFu;
    for (char byte : data) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// The PNG with its IHDR chunk claiming width x height (the CRC fixed up).
QByteArray claimingPng(int width, int height)
{
    QByteArray data = png(noise(16, 16));
    qToBigEndian<quint32>(quint32(width), data.data() + 16);
    qToBigEndian<quint32>(quint32(height), data.data() + 20);
    qToBigEndian<quint32>(crc32(data.mid(12, 17)), data.data() + 29);
    return data;
}

// The BMP with its header claiming width x height.
QByteArray claimingBmp(int width, int height)
{
    QByteArray data = bmp(noise(16, 16));
    qToLittleEndian<qint32>(width, data.data() + 18);
    qToLittleEndian<qint32>(height, data.data() + 22);
    return data;
}

struct DamagedCase
{
    const char* name;
    const char* fileName;
    std::function<QByteArray()> make;
    const char* reason; // part of the message
};

void PrintTo(const DamagedCase& c, std::ostream* os)
{
    *os << c.name;
}

class DamagedPicture : public ::testing::TestWithParam<DamagedCase>
{
};

TEST_P(DamagedPicture, IsRefusedWithAMessageNamingTheFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QString::fromLatin1(GetParam().fileName));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(GetParam().make());
    file.close();

    QString error;
    EXPECT_TRUE(loadPicture(path, &error).isNull());
    EXPECT_TRUE(error.contains(path)) << error.toStdString();
    EXPECT_TRUE(error.contains(QLatin1String(GetParam().reason), Qt::CaseInsensitive))
        << error.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedPicture,
    ::testing::Values(
        DamagedCase{"JpegDataStopsAtAMarker", "stops.jpg",
                    [] {
                        const QByteArray full = jpeg(noise(200, 200));
                        return full.left(full.size() / 2) + QByteArray("\xFF\xD9", 2);
                    },
                    "premature end of data segment"},
        DamagedCase{"JpegClaimsMorePixelsThanItsDataCanFill", "claims.jpg",
                    [] { return claimingJpeg(20000, 20000); }, "cannot hold 20000 x 20000"},
        DamagedCase{"BmpCutShort", "short.bmp",
                    [] {
                        const QByteArray full = bmp(noise(40, 30));
                        return full.left(full.size() - 100);
                    },
                    "truncated BMP"},
        DamagedCase{"BmpClaimsMorePixelsThanItsDataCanFill", "claims.bmp",
                    [] { return claimingBmp(20000, 20000); }, "truncated BMP"},
        DamagedCase{"RunLengthBmpCutInHalf", "rle.bmp",
                    [] {
                        const QByteArray full = runLengthBmp(300, 200);
                        return full.left(full.size() / 2);
                    },
                    "truncated BMP"},
        DamagedCase{"BmpHeaderCutShort", "header.bmp", [] { return bmp(noise(4, 4)).left(20); },
                    "truncated BMP header"},
        DamagedCase{"PngClaimsMorePixelsThanItsDataCanFill", "claims.png",
                    [] { return claimingPng(20000, 20000); }, "cannot hold 20000 x 20000"},
        DamagedCase{
            "PpmClaimsMorePixelsThanItsDataCanFill", "claims.ppm",
            [] { return QByteArray("P6\n# made up\n20000 20000\n255\n") + QByteArray(99, 'x'); },
            "truncated PNM"},
        DamagedCase{"PgmCutShort", "short.pgm",
                    [] {
                        const QByteArray full = encoded([](QIODevice& d) {
                            return QImageWriter(&d, "pgm").write(noise(40, 30));
                        });
                        return full.left(full.size() - 10);
                    },
                    "truncated PNM"},
        DamagedCase{"PngCutShort", "short.png",
                    [] {
                        const QByteArray full = png(noise(100, 100));
                        return full.left(full.size() / 2);
                    },
                    "short.png"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DamagedPicture, WholePicturesOfEachFormatStillLoad)
{
    const QImage picture = noise(40, 30);
    const QByteArray ppm =
        encoded([&](QIODevice& d) { return QImageWriter(&d, "ppm").write(picture); });
    const QByteArray files[] = {jpeg(picture), bmp(picture), png(picture), ppm};
    for (const QByteArray& data : files) {
        QString error;
        const QImage loaded = decodePicture(data, QStringLiteral("whole"), &error);
        EXPECT_EQ(loaded.size(), picture.size()) << error.toStdString();
    }
}

TEST(DamagedPicture, WholeRunLengthBmpLoadsWithItsBands)
{
    QString error;
    const QImage loaded = decodePicture(runLengthBmp(300, 200), QStringLiteral("rle"), &error);
    ASSERT_EQ(loaded.size(), QSize(300, 200)) << error.toStdString();
    // Bottom-up rows: the last row coded is the top one, the brightest.
    EXPECT_EQ(qGray(loaded.pixel(150, 0)), 255);
    EXPECT_EQ(qGray(loaded.pixel(150, 199)), 0);
}

} // namespace
} // namespace sw::test
