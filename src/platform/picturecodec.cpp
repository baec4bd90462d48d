#include "platform/picturecodec.h"

#include "platform/largeimage.h"
#include "platform/picturedata.h"
#include "platform/rounding.h"

#include <QBuffer>
#include <QFile>
#include <QIODevice>
#include <QImageReader>
#include <QPainter>
#include <QtEndian>
#include <algorithm>
#include <array>
#include <csetjmp>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

// jpeglib.h needs FILE and size_t declared first.
#include <jerror.h>
#include <jpeglib.h>

namespace sw {

namespace {

// Largest JPEG file read into memory.
constexpr qint64 MaxJpegFileBytes = qint64(1) << 30;
// Qt's image readers refuse images needing more memory than this (MB); a
// 20000 x 20000 RGB32 image needs 1600 MB.
constexpr int ReaderAllocationLimitMb = 2048;

bool fail(QString* error, const QString& message)
{
    if (error)
        *error = message;
    return false;
}

QImage failImage(QString* error, const QString& message)
{
    fail(error, message);
    return {};
}

QString tooLarge(int width, int height)
{
    return QStringLiteral("picture too large: %1 x %2 pixels (at most %3 x %3)")
        .arg(width)
        .arg(height)
        .arg(MaxPictureSide);
}

// Format_RGB32 with transparent areas composited onto black.
QImage flattenOntoBlack(const QImage& image)
{
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB32);
    QImage out(image.size(), QImage::Format_RGB32);
    if (out.isNull())
        return out;
    out.fill(Qt::black);
    out.setDotsPerMeterX(image.dotsPerMeterX());
    out.setDotsPerMeterY(image.dotsPerMeterY());
    QPainter painter(&out);
    painter.drawImage(0, 0, image);
    return out;
}

// libjpeg reports fatal errors through error_exit, which must not return: it
// jumps back to the setjmp of the running decode or encode. The functions that
// call setjmp keep every C++ object with a destructor outside their own frame.
struct JpegError
{
    jpeg_error_mgr manager; // first, so the jpeg_error_mgr* is a JpegError*
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void jpegErrorExit(j_common_ptr info)
{
    auto* error = reinterpret_cast<JpegError*>(info->err);
    (*info->err->format_message)(info, error->message);
    std::longjmp(error->jump, 1);
}

// Warnings are tolerated, except those saying that data is missing: a
// truncated file is an error, not a picture with a grey lower part. A
// progression that skips the first scan of a component counts as missing
// data, so that every component's blocks cost at least a bit each.
void jpegEmitMessage(j_common_ptr info, int level)
{
    if (level >= 0)
        return;
    switch (info->err->msg_code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_MUST_RESYNC:
    case JWRN_BOGUS_PROGRESSION:
        jpegErrorExit(info);
    default:
        break;
    }
}

// Whether Huffman-coded data of `bytes` bytes can fill every block of the
// smallest component; arithmetic coding has no such bound.
bool dataCanFill(const jpeg_decompress_struct& info, qint64 bytes)
{
    if (info.arith_code)
        return true;
    qint64 blocks = -1;
    for (int c = 0; c < info.num_components; ++c) {
        const jpeg_component_info& component = info.comp_info[c];
        const qint64 n = qint64(component.width_in_blocks) * component.height_in_blocks;
        blocks = blocks < 0 ? n : std::min(blocks, n);
    }
    return bytes >= minimumJpegScanBytes(std::max<qint64>(blocks, 0));
}

void installErrorManager(JpegError& error)
{
    jpeg_std_error(&error.manager);
    error.manager.error_exit = jpegErrorExit;
    error.manager.emit_message = jpegEmitMessage;
    error.message[0] = '\0';
}

struct JpegDecoder
{
    jpeg_decompress_struct info{};
    JpegError error{};
    QImage image;
    std::vector<JSAMPLE> row;
    bool keepGrey = false;
    bool tooLarge = false;
    bool tooShort = false;
};

void storeCmykRow(QRgb* out, const JSAMPLE* in, int width, bool adobeInverted)
{
    for (int x = 0; x < width; ++x, in += 4) {
        // Adobe writes CMYK inverted; plain CMYK is inverted here instead.
        int c = in[0], m = in[1], y = in[2], k = in[3];
        if (!adobeInverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        out[x] = qRgb(c * k / 255, m * k / 255, y * k / 255);
    }
}

bool runDecoder(JpegDecoder& d, const QByteArray& data)
{
    d.info.err = &d.error.manager;
    if (setjmp(d.error.jump)) {
        jpeg_destroy_decompress(&d.info);
        return false;
    }
    jpeg_create_decompress(&d.info);
    jpeg_mem_src(&d.info, reinterpret_cast<const unsigned char*>(data.constData()),
                 static_cast<unsigned long>(data.size()));
    jpeg_read_header(&d.info, TRUE);
    if (d.info.image_width > unsigned(MaxPictureSide) ||
        d.info.image_height > unsigned(MaxPictureSide)) {
        d.tooLarge = true;
        jpeg_destroy_decompress(&d.info);
        return false;
    }
    if (!dataCanFill(d.info, data.size())) {
        d.tooShort = true;
        jpeg_destroy_decompress(&d.info);
        return false;
    }
    const bool cmyk = d.info.jpeg_color_space == JCS_CMYK || d.info.jpeg_color_space == JCS_YCCK;
    const bool grey = d.keepGrey && d.info.jpeg_color_space == JCS_GRAYSCALE;
    // Grey and colour rows decode straight into the image (QRgb words with an
    // opaque alpha byte); CMYK goes through storeCmykRow.
    constexpr J_COLOR_SPACE rgb32 = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRA : JCS_EXT_ARGB;
    d.info.out_color_space = cmyk ? JCS_CMYK : grey ? JCS_GRAYSCALE : rgb32;
    jpeg_start_decompress(&d.info);
    const int width = int(d.info.output_width);
    const int height = int(d.info.output_height);
    d.image = newLargeImage(width, height, grey ? QImage::Format_Grayscale8 : QImage::Format_RGB32);
    if (d.image.isNull())
        ERREXIT(&d.info, JERR_OUT_OF_MEMORY);
    if (cmyk)
        d.row.resize(std::size_t(width) * std::size_t(d.info.output_components));
    while (d.info.output_scanline < d.info.output_height) {
        const int y = int(d.info.output_scanline);
        JSAMPROW row = cmyk ? d.row.data() : d.image.scanLine(y);
        if (jpeg_read_scanlines(&d.info, &row, 1) != 1)
            ERREXIT(&d.info, JERR_INPUT_EOF);
        if (cmyk)
            storeCmykRow(reinterpret_cast<QRgb*>(d.image.scanLine(y)), d.row.data(), width,
                         d.info.saw_Adobe_marker);
    }
    if (d.info.density_unit == 1 || d.info.density_unit == 2) {
        const double perMetre = d.info.density_unit == 1 ? 1 / 0.0254 : 100.0;
        if (d.info.X_density > 0 && d.info.Y_density > 0) {
            d.image.setDotsPerMeterX(roundHalfEven(d.info.X_density * perMetre));
            d.image.setDotsPerMeterY(roundHalfEven(d.info.Y_density * perMetre));
        }
    }
    jpeg_finish_decompress(&d.info);
    jpeg_destroy_decompress(&d.info);
    return true;
}

// Destination manager that streams the compressed data into a QIODevice.
struct JpegEncoder
{
    jpeg_compress_struct info{};
    JpegError error{};
    jpeg_destination_mgr destination{};
    QIODevice* device = nullptr;
    bool writeFailed = false;
    std::array<JOCTET, 64 * 1024> buffer{};
};

JpegEncoder& encoderOf(j_compress_ptr info)
{
    return *static_cast<JpegEncoder*>(info->client_data);
}

void writeEncoded(JpegEncoder& e, std::size_t bytes)
{
    if (!e.writeFailed && bytes > 0 &&
        e.device->write(reinterpret_cast<const char*>(e.buffer.data()), qint64(bytes)) !=
            qint64(bytes))
        e.writeFailed = true;
}

void initDestination(j_compress_ptr info)
{
    JpegEncoder& e = encoderOf(info);
    e.destination.next_output_byte = e.buffer.data();
    e.destination.free_in_buffer = e.buffer.size();
}

boolean emptyOutputBuffer(j_compress_ptr info)
{
    JpegEncoder& e = encoderOf(info);
    writeEncoded(e, e.buffer.size());
    initDestination(info);
    return TRUE;
}

void termDestination(j_compress_ptr info)
{
    JpegEncoder& e = encoderOf(info);
    writeEncoded(e, e.buffer.size() - e.destination.free_in_buffer);
}

// Row y as samples: one a pixel (grey) or four (a Format_RGB32 word).
using SampleRowSource = std::function<const JSAMPLE*(int y)>;

bool runEncoder(JpegEncoder& e, QSize size, int components, const SampleRowSource& rows,
                int quality, int dotsPerInch)
{
    e.info.err = &e.error.manager;
    e.info.client_data = &e;
    if (setjmp(e.error.jump)) {
        jpeg_destroy_compress(&e.info);
        return false;
    }
    jpeg_create_compress(&e.info);
    e.destination.init_destination = initDestination;
    e.destination.empty_output_buffer = emptyOutputBuffer;
    e.destination.term_destination = termDestination;
    e.info.dest = &e.destination;
    e.info.image_width = JDIMENSION(size.width());
    e.info.image_height = JDIMENSION(size.height());
    e.info.input_components = components;
    // Four components are Format_RGB32 words, read in place.
    constexpr J_COLOR_SPACE rgb32 = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRX : JCS_EXT_XRGB;
    e.info.in_color_space = components == 1 ? JCS_GRAYSCALE : rgb32;
    jpeg_set_defaults(&e.info);
    jpeg_set_quality(&e.info, quality, TRUE);
    if (quality >= 90) {
        // No chroma subsampling at high quality: thin coloured lines stay sharp.
        e.info.comp_info[0].h_samp_factor = 1;
        e.info.comp_info[0].v_samp_factor = 1;
    }
    e.info.write_JFIF_header = TRUE;
    e.info.density_unit = 1;
    e.info.X_density = UINT16(dotsPerInch);
    e.info.Y_density = UINT16(dotsPerInch);
    jpeg_start_compress(&e.info, TRUE);
    while (e.info.next_scanline < e.info.image_height) {
        JSAMPROW row = const_cast<JSAMPLE*>(rows(int(e.info.next_scanline)));
        jpeg_write_scanlines(&e.info, &row, 1);
    }
    jpeg_finish_compress(&e.info);
    jpeg_destroy_compress(&e.info);
    return true;
}

bool encodeJpeg(QSize size, int components, const SampleRowSource& rows, QIODevice& device,
                int quality, int dotsPerInch, QString* error)
{
    if (size.isEmpty())
        return fail(error, QStringLiteral("no picture to save"));
    if (size.width() > JPEG_MAX_DIMENSION || size.height() > JPEG_MAX_DIMENSION)
        return fail(error, QStringLiteral("picture too large for JPEG"));
    auto encoder = std::make_unique<JpegEncoder>();
    encoder->device = &device;
    installErrorManager(encoder->error);
    if (!runEncoder(*encoder, size, components, rows, std::clamp(quality, 1, 100),
                    std::clamp(dotsPerInch, 1, 65535)))
        return fail(error, QStringLiteral("cannot encode JPEG: %1")
                               .arg(QString::fromLocal8Bit(encoder->error.message)));
    if (encoder->writeFailed)
        return fail(error, QStringLiteral("cannot write JPEG: %1").arg(device.errorString()));
    return true;
}

RgbRowSource rowsOf(const QImage& rgb)
{
    return [&rgb](int y) { return reinterpret_cast<const QRgb*>(rgb.constScanLine(y)); };
}

bool isJpeg(const QByteArray& head)
{
    return head.size() >= 3 && uchar(head[0]) == 0xFF && uchar(head[1]) == 0xD8 &&
           uchar(head[2]) == 0xFF;
}

// Any format Qt reads; `name` names the picture in messages.
QImage readWithQt(QIODevice& device, qint64 size, const QString& name, bool keepGrey,
                  QString* error)
{
    static const bool limitSet = [] {
        QImageReader::setAllocationLimit(ReaderAllocationLimitMb);
        return true;
    }();
    Q_UNUSED(limitSet);
    const QString shortfall = pictureDataShortfall(device.peek(PictureHeadBytes), size);
    if (!shortfall.isEmpty())
        return failImage(error, QStringLiteral("%1: %2").arg(name, shortfall));
    QImageReader reader(&device);
    QSize claimed = reader.size();
    QImage image;
    if (claimed.width() <= MaxPictureSide && claimed.height() <= MaxPictureSide) {
        image = reader.read();
        if (image.isNull())
            return failImage(
                error,
                QStringLiteral("cannot read picture %1: %2").arg(name, reader.errorString()));
        claimed = image.size();
    }
    if (claimed.width() > MaxPictureSide || claimed.height() > MaxPictureSide)
        return failImage(
            error, QStringLiteral("%1: %2").arg(name, tooLarge(claimed.width(), claimed.height())));
    if (keepGrey && image.format() == QImage::Format_Grayscale8)
        return image;
    QImage flat = flattenOntoBlack(image);
    if (flat.isNull())
        return failImage(error, QStringLiteral("not enough memory for picture %1").arg(name));
    return flat;
}

QImage decodeJpegKeepingGrey(const QByteArray& data, bool keepGrey, QString* error)
{
    auto decoder = std::make_unique<JpegDecoder>();
    decoder->keepGrey = keepGrey;
    installErrorManager(decoder->error);
    if (!runDecoder(*decoder, data)) {
        const int width = int(decoder->info.image_width);
        const int height = int(decoder->info.image_height);
        if (decoder->tooLarge)
            return failImage(error, tooLarge(width, height));
        if (decoder->tooShort)
            return failImage(error, QStringLiteral("truncated JPEG: %1 bytes cannot hold %2 x %3 "
                                                   "pixels")
                                        .arg(data.size())
                                        .arg(width)
                                        .arg(height));
        return failImage(error, QStringLiteral("corrupt JPEG data: %1")
                                    .arg(QString::fromLocal8Bit(decoder->error.message)));
    }
    return std::move(decoder->image);
}

QImage decodePictureData(const QByteArray& data, const QString& name, bool keepGrey, QString* error)
{
    if (!isJpeg(data.left(3))) {
        QBuffer buffer;
        buffer.setData(data);
        buffer.open(QIODevice::ReadOnly);
        return readWithQt(buffer, data.size(), name, keepGrey, error);
    }
    QString jpegError;
    QImage image = decodeJpegKeepingGrey(data, keepGrey, &jpegError);
    if (image.isNull())
        return failImage(error, QStringLiteral("%1: %2").arg(name, jpegError));
    return image;
}

QImage loadPictureFile(const QString& path, bool keepGrey, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failImage(
            error, QStringLiteral("cannot open picture %1: %2").arg(path, file.errorString()));
    if (!isJpeg(file.peek(3)))
        return readWithQt(file, file.size(), path, keepGrey, error);
    if (file.size() > MaxJpegFileBytes)
        return failImage(error, QStringLiteral("picture file too large: %1").arg(path));
    return decodePictureData(file.readAll(), path, keepGrey, error);
}

} // namespace

QImage decodeJpeg(const QByteArray& data, QString* error)
{
    return decodeJpegKeepingGrey(data, false, error);
}

QImage decodePicture(const QByteArray& data, const QString& name, QString* error)
{
    return decodePictureData(data, name, false, error);
}

QImage loadPicture(const QString& path, QString* error)
{
    return loadPictureFile(path, false, error);
}

QImage loadScan(const QString& path, QString* error)
{
    return loadPictureFile(path, true, error);
}

bool saveJpeg(const QImage& image, QIODevice& device, int quality, int dotsPerInch, QString* error)
{
    if (image.isNull())
        return fail(error, QStringLiteral("no picture to save"));
    if (image.format() == QImage::Format_Grayscale8) {
        const auto rows = [&image](int y) { return image.constScanLine(y); };
        return saveGreyJpegRows(image.size(), rows, device, quality, dotsPerInch, error);
    }
    if (image.width() > JPEG_MAX_DIMENSION || image.height() > JPEG_MAX_DIMENSION)
        return fail(error, QStringLiteral("picture too large for JPEG"));
    const QImage rgb = flattenOntoBlack(image);
    if (rgb.isNull())
        return fail(error, QStringLiteral("not enough memory to save the picture"));
    return saveJpegRows(rgb.size(), rowsOf(rgb), device, quality, dotsPerInch, error);
}

bool saveJpegRows(QSize size, const RgbRowSource& rows, QIODevice& device, int quality,
                  int dotsPerInch, QString* error)
{
    const auto samples = [&rows](int y) { return reinterpret_cast<const JSAMPLE*>(rows(y)); };
    return encodeJpeg(size, 4, samples, device, quality, dotsPerInch, error);
}

bool saveGreyJpegRows(QSize size, const GreyRowSource& rows, QIODevice& device, int quality,
                      int dotsPerInch, QString* error)
{
    return encodeJpeg(size, 1, rows, device, quality, dotsPerInch, error);
}

bool saveBmp(const QImage& image, QIODevice& device, int dotsPerInch, QString* error)
{
    if (image.isNull())
        return fail(error, QStringLiteral("no picture to save"));
    const QImage rgb = flattenOntoBlack(image);
    if (rgb.isNull())
        return fail(error, QStringLiteral("not enough memory to save the picture"));
    return saveBmpRows(rgb.size(), rowsOf(rgb), device, dotsPerInch, error);
}

bool saveBmpRows(QSize size, const RgbRowSource& rows, QIODevice& device, int dotsPerInch,
                 QString* error)
{
    if (size.isEmpty())
        return fail(error, QStringLiteral("no picture to save"));
    constexpr int HeaderBytes = 14 + 40;
    const qint64 rowBytes = (qint64(size.width()) * 3 + 3) & ~qint64(3);
    const qint64 pixelBytes = rowBytes * size.height();
    if (HeaderBytes + pixelBytes > 0xFFFFFFFFLL)
        return fail(error, QStringLiteral("picture too large for BMP"));
    const qint32 perMetre = roundHalfEven(std::max(dotsPerInch, 0) / 0.0254);

    QByteArray header(HeaderBytes, '\0');
    auto* h = reinterpret_cast<uchar*>(header.data());
    h[0] = 'B';
    h[1] = 'M';
    qToLittleEndian<quint32>(quint32(HeaderBytes + pixelBytes), h + 2);
    qToLittleEndian<quint32>(HeaderBytes, h + 10);
    qToLittleEndian<quint32>(40, h + 14);
    qToLittleEndian<qint32>(size.width(), h + 18);
    qToLittleEndian<qint32>(size.height(), h + 22); // positive: rows bottom-up
    qToLittleEndian<quint16>(1, h + 26);
    qToLittleEndian<quint16>(24, h + 28);
    qToLittleEndian<quint32>(quint32(pixelBytes), h + 34);
    qToLittleEndian<qint32>(perMetre, h + 38);
    qToLittleEndian<qint32>(perMetre, h + 42);
    if (device.write(header) != header.size())
        return fail(error, QStringLiteral("cannot write BMP: %1").arg(device.errorString()));

    QByteArray row(rowBytes, '\0');
    for (int y = size.height() - 1; y >= 0; --y) {
        const QRgb* in = rows(y);
        auto* out = reinterpret_cast<uchar*>(row.data());
        for (const QRgb* end = in + size.width(); in != end; ++in) {
            *out++ = uchar(qBlue(*in));
            *out++ = uchar(qGreen(*in));
            *out++ = uchar(qRed(*in));
        }
        if (device.write(row) != row.size())
            return fail(error, QStringLiteral("cannot write BMP: %1").arg(device.errorString()));
    }
    return true;
}

} // namespace sw
