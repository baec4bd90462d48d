#include "platform/pngscan.h"

#include "platform/largeimage.h"
#include "platform/picturecodec.h"
#include "platform/picturedata.h"

#include <QtEndian>
#include <algorithm>
#include <climits>
#include <csetjmp>
#include <cstring>
#include <png.h>

namespace sw {

namespace {

struct PngSource
{
    const QByteArray* data = nullptr;
    qsizetype offset = 0;
    char message[200] = {};
};

PngSource& sourceOf(png_structp png)
{
    return *static_cast<PngSource*>(png_get_error_ptr(png));
}

[[noreturn]] void pngError(png_structp png, png_const_charp message)
{
    PngSource& source = sourceOf(png);
    std::strncpy(source.message, message, sizeof source.message - 1);
    png_longjmp(png, 1);
}

void pngWarning(png_structp, png_const_charp) {}

void readData(png_structp png, png_bytep out, png_size_t length)
{
    PngSource& source = sourceOf(png);
    if (qsizetype(length) > source.data->size() - source.offset)
        pngError(png, "the data ends before the picture does");
    std::memcpy(out, source.data->constData() + source.offset, length);
    source.offset += qsizetype(length);
}

// Rows of colour with alpha laid onto black, as Format_RGB32 words.
void flattenRow(uchar* row, int width)
{
    auto* pixel = reinterpret_cast<QRgb*>(row);
    for (int x = 0; x < width; ++x) {
        const QRgb c = pixel[x];
        const int a = qAlpha(c);
        pixel[x] = qRgb(qRed(c) * a / 255, qGreen(c) * a / 255, qBlue(c) * a / 255);
    }
}

struct PngLayout
{
    int width = 0;
    int height = 0;
    bool grey = false;  // rows come out one grey byte a pixel
    bool alpha = false; // rows come out BGRA with a meaningful alpha
    int passes = 1;
};

// libpng leaves through longjmp on errors: the functions that call setjmp
// keep every object with a destructor outside their frame.
bool readHeader(png_structp png, png_infop info, bool keepGrey, PngLayout& layout)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_user_limits(png, MaxPictureSide, MaxPictureSide);
    png_read_info(png, info);
    const int colourType = png_get_color_type(png, info);
    const int depth = png_get_bit_depth(png, info);
    const bool transparent =
        (colourType & PNG_COLOR_MASK_ALPHA) != 0 || png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    if (depth == 16)
        png_set_scale_16(png);
    if (colourType == PNG_COLOR_TYPE_PALETTE)
        png_set_palette_to_rgb(png);
    if (colourType == PNG_COLOR_TYPE_GRAY && depth < 8)
        png_set_expand_gray_1_2_4_to_8(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS) != 0)
        png_set_tRNS_to_alpha(png);
    layout.grey = keepGrey && colourType == PNG_COLOR_TYPE_GRAY && !transparent;
    layout.alpha = transparent;
    if (!layout.grey) {
        if ((colourType & PNG_COLOR_MASK_COLOR) == 0)
            png_set_gray_to_rgb(png);
        if (Q_BYTE_ORDER == Q_LITTLE_ENDIAN)
            png_set_bgr(png);
        else if (transparent)
            png_set_swap_alpha(png);
        if (!transparent)
            png_set_filler(png, 0xff,
                           Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? PNG_FILLER_AFTER : PNG_FILLER_BEFORE);
    }
    layout.passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    layout.width = int(png_get_image_width(png, info));
    layout.height = int(png_get_image_height(png, info));
    return true;
}

bool readRows(png_structp png, QImage& image, int passes)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    for (int pass = 0; pass < passes; ++pass)
        for (int y = 0; y < image.height(); ++y)
            png_read_row(png, image.scanLine(y), nullptr);
    return true;
}

// The IHDR chunk's width and height follow the signature and the chunk head.
int claimedSide(const QByteArray& data, int offset)
{
    if (data.size() < offset + 4)
        return 0;
    return int(std::min<quint32>(qFromBigEndian<quint32>(data.constData() + offset), INT_MAX));
}

QImage failImage(QString* error, const QString& message)
{
    if (error)
        *error = message;
    return {};
}

} // namespace

bool isPngData(const QByteArray& head)
{
    return head.startsWith("\x89PNG\r\n\x1a\n");
}

QImage decodePngScan(const QByteArray& data, bool keepGrey, QString* error)
{
    const QString shortfall = pictureDataShortfall(data.left(PictureHeadBytes), data.size());
    if (!shortfall.isEmpty())
        return failImage(error, shortfall);
    PngSource source;
    source.data = &data;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &source, pngError, pngWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return failImage(error, QStringLiteral("not enough memory to decode PNG data"));
    }
    png_set_read_fn(png, &source, readData);
    PngLayout layout;
    QImage image;
    bool ok = readHeader(png, info, keepGrey, layout);
    if (ok) {
        image = newLargeImage(layout.width, layout.height,
                              layout.grey ? QImage::Format_Grayscale8 : QImage::Format_RGB32);
        if (image.isNull()) {
            png_destroy_read_struct(&png, &info, nullptr);
            return failImage(error, QStringLiteral("not enough memory to decode PNG data"));
        }
        ok = readRows(png, image, layout.passes);
    }
    png_destroy_read_struct(&png, &info, nullptr);
    if (!ok) {
        const QString why = QString::fromLocal8Bit(source.message);
        if (why.contains(QLatin1String("exceeds user limit")))
            return failImage(error, pictureTooLarge(claimedSide(data, 16), claimedSide(data, 20)));
        return failImage(error, QStringLiteral("corrupt PNG data: %1").arg(why));
    }
    if (layout.alpha)
        for (int y = 0; y < image.height(); ++y)
            flattenRow(image.scanLine(y), image.width());
    return image;
}

} // namespace sw
