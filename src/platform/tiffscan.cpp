#include "platform/tiffscan.h"

#include "platform/largeimage.h"
#include "platform/picturecodec.h"
#include "platform/picturedata.h"

#include <algorithm>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>
#include <tiffio.h>
#include <vector>

namespace sw {

namespace {

// Largest single buffer libtiff may ask for (strip buffers, tables).
constexpr tmsize_t MaxTiffAllocation = tmsize_t(512) << 20;

// The data libtiff reads from, and the first error it reported.
struct TiffSource
{
    const QByteArray* data = nullptr;
    toff_t offset = 0;
    char message[200] = {};
};

TiffSource& sourceOf(thandle_t handle)
{
    return *static_cast<TiffSource*>(handle);
}

toff_t sizeOf(thandle_t handle)
{
    return toff_t(sourceOf(handle).data->size());
}

tmsize_t readData(thandle_t handle, void* out, tmsize_t length)
{
    TiffSource& source = sourceOf(handle);
    const toff_t size = sizeOf(handle);
    const toff_t available = source.offset < size ? size - source.offset : 0;
    const auto n = tmsize_t(std::min<toff_t>(toff_t(std::max<tmsize_t>(length, 0)), available));
    std::memcpy(out, source.data->constData() + source.offset, std::size_t(n));
    source.offset += toff_t(n);
    return n;
}

tmsize_t writeNothing(thandle_t, void*, tmsize_t)
{
    return 0;
}

toff_t seekData(thandle_t handle, toff_t offset, int whence)
{
    TiffSource& source = sourceOf(handle);
    const toff_t base = whence == SEEK_CUR   ? source.offset
                        : whence == SEEK_END ? sizeOf(handle)
                                             : 0;
    source.offset = base + offset;
    return source.offset;
}

int closeNothing(thandle_t)
{
    return 0;
}

// The data is in memory already: libtiff reads strips in place.
int mapData(thandle_t handle, void** base, toff_t* size)
{
    *base = const_cast<char*>(sourceOf(handle).data->constData());
    *size = sizeOf(handle);
    return 1;
}

void unmapNothing(thandle_t, void*, toff_t) {}

int keepError(TIFF*, void* handle, const char* module, const char* format, va_list arguments)
{
    TiffSource& source = sourceOf(handle);
    if (source.message[0] == '\0') {
        const int used = std::snprintf(source.message, sizeof source.message, "%s: ", module);
        if (used > 0 && std::size_t(used) < sizeof source.message)
            std::vsnprintf(source.message + used, sizeof source.message - std::size_t(used), format,
                           arguments);
    }
    return 1;
}

int ignoreWarning(TIFF*, void*, const char*, const char*, va_list)
{
    return 1;
}

struct TiffCloser
{
    void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};

struct TiffLayout
{
    uint32_t width = 0;
    uint32_t height = 0;
    uint16_t bitsPerSample = 1;
    uint16_t samplesPerPixel = 1;
    uint16_t photometric = PHOTOMETRIC_MINISBLACK;
    uint16_t planar = PLANARCONFIG_CONTIG;
    bool tiled = false;
    bool unassociatedAlpha = false;

    bool greyRows() const
    {
        return samplesPerPixel == 1 && (bitsPerSample == 8 || bitsPerSample == 1) &&
               (photometric == PHOTOMETRIC_MINISBLACK || photometric == PHOTOMETRIC_MINISWHITE);
    }
    bool rgbRows() const
    {
        return bitsPerSample == 8 && (samplesPerPixel == 3 || samplesPerPixel == 4) &&
               photometric == PHOTOMETRIC_RGB;
    }
    // Strips of these are read a row at a time; the rest through libtiff's RGBA reader.
    bool byRows() const
    {
        return !tiled && planar == PLANARCONFIG_CONTIG && (greyRows() || rgbRows());
    }
};

TiffLayout layoutOf(TIFF* tiff)
{
    TiffLayout l;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &l.width);
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &l.height);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &l.bitsPerSample);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &l.samplesPerPixel);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_PLANARCONFIG, &l.planar);
    if (!TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &l.photometric))
        l.photometric = l.samplesPerPixel >= 3 ? PHOTOMETRIC_RGB : PHOTOMETRIC_MINISBLACK;
    l.tiled = TIFFIsTiled(tiff) != 0;
    uint16_t extraCount = 0;
    uint16_t* extra = nullptr;
    if (TIFFGetField(tiff, TIFFTAG_EXTRASAMPLES, &extraCount, &extra) && extraCount > 0)
        l.unassociatedAlpha = extra[0] == EXTRASAMPLE_UNASSALPHA;
    return l;
}

// One decoded row of a grey or bilevel strip, as grey bytes.
void greyRow(const TiffLayout& l, const uchar* in, uchar* out)
{
    const bool whiteIsZero = l.photometric == PHOTOMETRIC_MINISWHITE;
    if (l.bitsPerSample == 8) {
        for (uint32_t x = 0; x < l.width; ++x)
            out[x] = whiteIsZero ? uchar(255 - in[x]) : in[x];
        return;
    }
    for (uint32_t x = 0; x < l.width; ++x) {
        const bool set = (in[x >> 3] >> (7 - (x & 7)) & 1) != 0;
        out[x] = set != whiteIsZero ? 255 : 0;
    }
}

void rgbRow(const TiffLayout& l, const uchar* in, QRgb* out)
{
    for (uint32_t x = 0; x < l.width; ++x, in += l.samplesPerPixel) {
        const int a = l.samplesPerPixel == 4 && l.unassociatedAlpha ? in[3] : 255;
        out[x] = qRgb(in[0] * a / 255, in[1] * a / 255, in[2] * a / 255);
    }
}

bool readRows(TIFF* tiff, const TiffLayout& l, QImage& image)
{
    std::vector<uchar> line(std::size_t(TIFFScanlineSize64(tiff)));
    std::vector<uchar> grey(l.greyRows() && image.format() != QImage::Format_Grayscale8 ? l.width
                                                                                        : 0);
    const std::size_t needed = (std::size_t(l.width) * l.samplesPerPixel * l.bitsPerSample + 7) / 8;
    if (line.size() < needed)
        return false;
    for (uint32_t y = 0; y < l.height; ++y) {
        if (TIFFReadScanline(tiff, line.data(), y, 0) < 0)
            return false;
        uchar* out = image.scanLine(int(y));
        if (l.rgbRows()) {
            rgbRow(l, line.data(), reinterpret_cast<QRgb*>(out));
        } else if (grey.empty()) {
            greyRow(l, line.data(), out);
        } else {
            greyRow(l, line.data(), grey.data());
            auto* rgb = reinterpret_cast<QRgb*>(out);
            for (uint32_t x = 0; x < l.width; ++x)
                rgb[x] = qRgb(grey[x], grey[x], grey[x]);
        }
    }
    return true;
}

// Any other layout (tiles, palettes, YCbCr, 16 bits, separate planes)
// through libtiff's RGBA reader, straight into the picture's memory.
bool readRgba(TIFF* tiff, QImage& image, TiffSource& source)
{
    char why[1024] = {};
    if (!TIFFRGBAImageOK(tiff, why)) {
        if (source.message[0] == '\0')
            std::snprintf(source.message, sizeof source.message, "%s", why);
        return false;
    }
    auto* pixels = reinterpret_cast<uint32_t*>(image.bits());
    if (image.bytesPerLine() != qsizetype(image.width()) * 4 ||
        !TIFFReadRGBAImageOriented(tiff, uint32_t(image.width()), uint32_t(image.height()), pixels,
                                   ORIENTATION_TOPLEFT, 1))
        return false;
    const std::size_t count = std::size_t(image.width()) * std::size_t(image.height());
    for (std::size_t i = 0; i < count; ++i) {
        // Associated alpha: the colour is already laid onto black.
        const uint32_t p = pixels[i];
        pixels[i] = qRgb(int(TIFFGetR(p)), int(TIFFGetG(p)), int(TIFFGetB(p)));
    }
    return true;
}

QImage failImage(QString* error, const QString& message)
{
    if (error)
        *error = message;
    return {};
}

QString corrupt(const TiffSource& source)
{
    return QStringLiteral("corrupt TIFF data: %1")
        .arg(source.message[0] ? QString::fromLocal8Bit(source.message)
                               : QStringLiteral("the data ends before the picture does"));
}

} // namespace

bool isTiffData(const QByteArray& head)
{
    return head.startsWith(QByteArrayLiteral("II*\0")) ||
           head.startsWith(QByteArrayLiteral("MM\0*")) ||
           head.startsWith(QByteArrayLiteral("II+\0")) ||
           head.startsWith(QByteArrayLiteral("MM\0+"));
}

QImage decodeTiffScan(const QByteArray& data, bool keepGrey, QString* error,
                      const PictureAdmission& admit)
{
    TiffSource source;
    source.data = &data;
    const std::unique_ptr<TIFFOpenOptions, decltype(&TIFFOpenOptionsFree)> options(
        TIFFOpenOptionsAlloc(), TIFFOpenOptionsFree);
    if (!options)
        return failImage(error, QStringLiteral("not enough memory to decode TIFF data"));
    TIFFOpenOptionsSetMaxSingleMemAlloc(options.get(), MaxTiffAllocation);
    TIFFOpenOptionsSetErrorHandlerExtR(options.get(), keepError, &source);
    TIFFOpenOptionsSetWarningHandlerExtR(options.get(), ignoreWarning, &source);
    const std::unique_ptr<TIFF, TiffCloser> tiff(
        TIFFClientOpenExt("scan", "r", &source, readData, writeNothing, seekData, closeNothing,
                          sizeOf, mapData, unmapNothing, options.get()));
    if (!tiff)
        return failImage(error, corrupt(source));
    const TiffLayout layout = layoutOf(tiff.get());
    if (layout.width == 0 || layout.height == 0)
        return failImage(error, QStringLiteral("corrupt TIFF data: no picture size"));
    if (layout.width > uint32_t(MaxPictureSide) || layout.height > uint32_t(MaxPictureSide))
        return failImage(error, pictureTooLarge(int(std::min<uint32_t>(layout.width, INT_MAX)),
                                                int(std::min<uint32_t>(layout.height, INT_MAX))));
    const bool grey = keepGrey && layout.byRows() && layout.greyRows();
    QString refused;
    if (admit && !admit(QSize(int(layout.width), int(layout.height)), grey ? 1 : 4, &refused))
        return failImage(error, refused);
    QImage image = newLargeImage(int(layout.width), int(layout.height),
                                 grey ? QImage::Format_Grayscale8 : QImage::Format_RGB32);
    if (image.isNull())
        return failImage(error, QStringLiteral("not enough memory to decode TIFF data"));
    if (!(layout.byRows() ? readRows(tiff.get(), layout, image)
                          : readRgba(tiff.get(), image, source)))
        return failImage(error, corrupt(source));
    return image;
}

} // namespace sw
