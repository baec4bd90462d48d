#include "platform/picturecodec.h"

#include <QBuffer>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QtEndian>
#include <functional>
#include <gtest/gtest.h>
#include <tiffio.h>
#include <vector>

namespace sw::test {
namespace {

// A grey picture with every level in it and sharp edges.
QImage greyPicture(int width = 203, int height = 61)
{
    QImage image(width, height, QImage::Format_Grayscale8);
    for (int y = 0; y < height; ++y) {
        uchar* line = image.scanLine(y);
        for (int x = 0; x < width; ++x)
            line[x] = uchar((x * 7 + y * 13) % 256);
    }
    return image;
}

QByteArray pngBytes(const QImage& image)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(QImageWriter(&buffer, "png").write(image));
    return buffer.data();
}

struct TiffLayout
{
    uint16_t bits = 8;
    uint16_t samples = 1;
    uint16_t photometric = PHOTOMETRIC_MINISBLACK;
    uint16_t compression = COMPRESSION_NONE;
    bool tiled = false;
};

// The picture written through libtiff in the given layout: grey levels (or
// black below 128 for one bit a sample), the same in every colour sample.
QByteArray tiffBytes(const QTemporaryDir& dir, const QImage& grey, const TiffLayout& l)
{
    const QString path = dir.filePath(QStringLiteral("picture.tif"));
    TIFF* tiff = TIFFOpen(path.toLocal8Bit().constData(), "w");
    EXPECT_NE(tiff, nullptr);
    if (!tiff)
        return {};
    const auto width = uint32_t(grey.width());
    const auto height = uint32_t(grey.height());
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, width);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, height);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, l.bits);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, l.samples);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, l.photometric);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, l.compression);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    const auto sample = [&](uint32_t x, uint32_t y) {
        const int g = grey.constScanLine(int(y))[x];
        if (l.bits == 1) {
            const bool black = g < 128;
            return black == (l.photometric == PHOTOMETRIC_MINISWHITE) ? 1 : 0;
        }
        return l.photometric == PHOTOMETRIC_MINISWHITE ? 255 - g : g;
    };
    const auto pack = [&](uint32_t y, uint32_t x0, uint32_t count, std::vector<uchar>& out) {
        std::fill(out.begin(), out.end(), 0);
        for (uint32_t x = 0; x < count && x0 + x < width; ++x)
            for (uint16_t s = 0; s < l.samples; ++s) {
                const uint32_t i = x * l.samples + s;
                if (l.bits == 1)
                    out[i / 8] |= uchar(sample(x0 + x, y) << (7 - i % 8));
                else
                    out[i] = uchar(sample(x0 + x, y));
            }
    };
    if (l.tiled) {
        constexpr uint32_t Tile = 16;
        TIFFSetField(tiff, TIFFTAG_TILEWIDTH, Tile);
        TIFFSetField(tiff, TIFFTAG_TILELENGTH, Tile);
        std::vector<uchar> tile(std::size_t(TIFFTileSize(tiff)));
        std::vector<uchar> row(std::size_t(Tile) * l.samples);
        for (uint32_t ty = 0; ty < height; ty += Tile)
            for (uint32_t tx = 0; tx < width; tx += Tile) {
                std::fill(tile.begin(), tile.end(), 0);
                for (uint32_t y = 0; y < Tile && ty + y < height; ++y) {
                    pack(ty + y, tx, Tile, row);
                    std::copy(row.begin(), row.end(), tile.begin() + y * row.size());
                }
                TIFFWriteTile(tiff, tile.data(), tx, ty, 0, 0);
            }
    } else {
        TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, 8u);
        std::vector<uchar> row(std::size_t(TIFFScanlineSize(tiff)));
        for (uint32_t y = 0; y < height; ++y) {
            pack(y, 0, width, row);
            TIFFWriteScanline(tiff, row.data(), y, 0);
        }
    }
    TIFFClose(tiff);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

QImage expectedGrey(const QImage& grey, uint16_t bits)
{
    if (bits != 1)
        return grey;
    QImage out = grey.copy();
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x)
            out.scanLine(y)[x] = out.scanLine(y)[x] < 128 ? 0 : 255;
    return out;
}

struct TiffCase
{
    const char* name;
    TiffLayout layout;
    bool staysGrey;
};

class TiffScan : public ::testing::TestWithParam<TiffCase>
{
};

// Scans keep grey strips one channel deep; every layout reads back the
// pixels written, as a scan and as a picture.
TEST_P(TiffScan, ReadsThePixelsWritten)
{
    const TiffCase& c = GetParam();
    QTemporaryDir dir;
    const QImage grey = greyPicture();
    const QByteArray data = tiffBytes(dir, grey, c.layout);
    ASSERT_FALSE(data.isEmpty());
    const QImage expected = expectedGrey(grey, c.layout.bits);
    QString error;
    const QImage scan = decodeScan(data, QStringLiteral("t.tif"), &error);
    ASSERT_FALSE(scan.isNull()) << error.toStdString();
    EXPECT_EQ(scan.format(), c.staysGrey ? QImage::Format_Grayscale8 : QImage::Format_RGB32);
    EXPECT_EQ(scan.convertToFormat(QImage::Format_Grayscale8), expected);
    const QImage picture = decodePicture(data, QStringLiteral("t.tif"), &error);
    ASSERT_FALSE(picture.isNull()) << error.toStdString();
    EXPECT_EQ(picture.format(), QImage::Format_RGB32);
    EXPECT_EQ(picture.convertToFormat(QImage::Format_Grayscale8), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, TiffScan,
    ::testing::Values(
        TiffCase{"Grey", {8, 1, PHOTOMETRIC_MINISBLACK, COMPRESSION_NONE, false}, true},
        TiffCase{"GreyLzw", {8, 1, PHOTOMETRIC_MINISBLACK, COMPRESSION_LZW, false}, true},
        TiffCase{"WhiteIsZero", {8, 1, PHOTOMETRIC_MINISWHITE, COMPRESSION_DEFLATE, false}, true},
        TiffCase{"BilevelFax", {1, 1, PHOTOMETRIC_MINISWHITE, COMPRESSION_CCITTFAX4, false}, true},
        TiffCase{"Rgb", {8, 3, PHOTOMETRIC_RGB, COMPRESSION_LZW, false}, false},
        TiffCase{"TiledGrey", {8, 1, PHOTOMETRIC_MINISBLACK, COMPRESSION_NONE, true}, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PngScan, GreyStaysOneChannelAndColourBecomesRgb32)
{
    const QImage grey = greyPicture();
    QString error;
    const QImage scan = decodeScan(pngBytes(grey), QStringLiteral("g.png"), &error);
    ASSERT_FALSE(scan.isNull()) << error.toStdString();
    EXPECT_EQ(scan.format(), QImage::Format_Grayscale8);
    EXPECT_EQ(scan, grey);

    QImage colour = grey.convertToFormat(QImage::Format_RGB32);
    colour.setPixel(3, 4, qRgb(200, 10, 30));
    const QImage colourScan = decodeScan(pngBytes(colour), QStringLiteral("c.png"), &error);
    ASSERT_FALSE(colourScan.isNull()) << error.toStdString();
    EXPECT_EQ(colourScan.format(), QImage::Format_RGB32);
    EXPECT_EQ(colourScan, colour);

    // Transparency is laid onto black, as for any other picture.
    QImage clear(4, 4, QImage::Format_ARGB32);
    clear.fill(qRgba(255, 255, 255, 0));
    const QImage flat = decodeScan(pngBytes(clear), QStringLiteral("a.png"), &error);
    ASSERT_FALSE(flat.isNull()) << error.toStdString();
    EXPECT_EQ(flat.pixel(1, 1), qRgb(0, 0, 0));
}

struct DamagedScan
{
    const char* name;
    std::function<QByteArray(const QTemporaryDir&)> data;
    const char* message; // part of the error
};

class DamagedScanData : public ::testing::TestWithParam<DamagedScan>
{
};

// Damaged data is refused with a message naming what is wrong, before a
// picture of the claimed size is allocated.
TEST_P(DamagedScanData, IsRefusedWithAReason)
{
    QTemporaryDir dir;
    QString error;
    const QImage image = decodeScan(GetParam().data(dir), QStringLiteral("bad"), &error);
    EXPECT_TRUE(image.isNull());
    EXPECT_TRUE(error.startsWith(QStringLiteral("bad: "))) << error.toStdString();
    EXPECT_TRUE(error.contains(QLatin1String(GetParam().message))) << error.toStdString();
}

QByteArray cut(const QByteArray& data, double share)
{
    return data.left(qsizetype(data.size() * share));
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedScanData,
    ::testing::Values(
        DamagedScan{"TruncatedPng",
                    [](const QTemporaryDir&) { return cut(pngBytes(greyPicture(400, 300)), 0.6); },
                    "PNG"},
        DamagedScan{"PngWithBrokenData",
                    [](const QTemporaryDir&) {
                        QByteArray d = pngBytes(greyPicture(400, 300));
                        for (qsizetype i = d.size() / 2; i < d.size() / 2 + 64; ++i)
                            d[i] = char(0x55);
                        return d;
                    },
                    "corrupt PNG data"},
        DamagedScan{"TruncatedTiff",
                    [](const QTemporaryDir& dir) {
                        return cut(
                            tiffBytes(dir, greyPicture(400, 300),
                                      {8, 1, PHOTOMETRIC_MINISBLACK, COMPRESSION_NONE, false}),
                            0.5);
                    },
                    "corrupt TIFF data"},
        DamagedScan{"TiffClaimingAHugePicture",
                    [](const QTemporaryDir& dir) {
                        QByteArray d =
                            tiffBytes(dir, greyPicture(8, 8),
                                      {8, 1, PHOTOMETRIC_MINISBLACK, COMPRESSION_NONE, false});
                        // Little-endian classic TIFF: patch the width entry's value.
                        const quint32 ifd = qFromLittleEndian<quint32>(d.constData() + 4);
                        const quint16 count = qFromLittleEndian<quint16>(d.constData() + ifd);
                        for (quint16 k = 0; k < count; ++k) {
                            char* entry = d.data() + ifd + 2 + 12 * k;
                            if (qFromLittleEndian<quint16>(entry) == TIFFTAG_IMAGEWIDTH) {
                                qToLittleEndian<quint16>(TIFF_LONG, entry + 2);
                                qToLittleEndian<quint32>(1000000, entry + 8);
                            }
                        }
                        return d;
                    },
                    "picture too large"},
        DamagedScan{"TiffHeaderOnly",
                    [](const QTemporaryDir&) { return QByteArray("II*\0\x08\0\0\0", 8); },
                    "corrupt TIFF data"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace sw::test
