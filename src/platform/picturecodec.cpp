#include "platform/picturecodec.h"

#include "platform/jpegdecoder.h"
#include "platform/jpegerror.h"
#include "platform/largeimage.h"
#include "platform/picturedata.h"
#include "platform/pngscan.h"
#include "platform/rounding.h"
#include "platform/tiffscan.h"

#include <QBuffer>
#include <QFile>
#include <QIODevice>
#include <QImageReader>
#include <QPainter>
#include <QtEndian>
#include <algorithm>
#include <array>
#include <functional>
#include <memory>
#include <vector>

namespace sw {

namespace {

// Largest picture file read into memory.
constexpr qint64 MaxPictureFileBytes = qint64(1) << 30;
// Qt's image readers refuse images needing more memory than this (MB), also
// where a format tells its size only while decoding.
constexpr int ReaderAllocationLimitMb = int(MaxPictureBytes >> 20);

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

// Whether a picture of the header's size may be decoded: within the limits,
// and admitted by the caller.
bool admitted(QSize size, int bytesPerPixel, const PictureAdmission& admit, QString* reason)
{
    if (size.width() > MaxPictureSide || size.height() > MaxPictureSide)
        return fail(reason, pictureTooLarge(size.width(), size.height()));
    const qint64 bytes =
        qint64(std::max(size.width(), 0)) * std::max(size.height(), 0) * bytesPerPixel;
    if (bytes > MaxPictureBytes)
        return fail(reason, QStringLiteral("picture too large: %1 x %2 pixels need %3 MB "
                                           "(at most %4 MB)")
                                .arg(size.width())
                                .arg(size.height())
                                .arg(bytes >> 20)
                                .arg(MaxPictureBytes >> 20));
    return !admit || admit(size, bytesPerPixel, reason);
}

QImage flattenOntoBlack(const QImage& image)
{
    return opaqueImage(image, Qt::black);
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
                  const PictureAdmission& admit, QString* error)
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
    // Every pixel is stored in four bytes in the end, but for grey kept grey.
    const bool grey = keepGrey && reader.imageFormat() == QImage::Format_Grayscale8;
    const int bytesPerPixel = grey ? 1 : 4;
    const bool sizeKnown = reader.size().isValid();
    QString reason;
    if (sizeKnown && !admitted(reader.size(), bytesPerPixel, admit, &reason))
        return failImage(error, QStringLiteral("%1: %2").arg(name, reason));
    QImage image = reader.read();
    if (image.isNull())
        return failImage(
            error, QStringLiteral("cannot read picture %1: %2").arg(name, reader.errorString()));
    // Formats that tell their size only while decoding are checked now.
    if (!sizeKnown && !admitted(image.size(), bytesPerPixel, admit, &reason))
        return failImage(error, QStringLiteral("%1: %2").arg(name, reason));
    if (keepGrey && image.format() == QImage::Format_Grayscale8)
        return image;
    QImage flat = flattenOntoBlack(image);
    if (flat.isNull())
        return failImage(error, QStringLiteral("not enough memory for picture %1").arg(name));
    return flat;
}

QImage decodeJpegKeepingGrey(const QByteArray& data, bool keepGrey, const PictureAdmission& admit,
                             QString* error)
{
    JpegDecoder decoder;
    if (!decoder.start(data, keepGrey, error))
        return {};
    const int bytesPerPixel = decoder.format() == QImage::Format_Grayscale8 ? 1 : 4;
    if (!admitted(decoder.size(), bytesPerPixel, admit, error))
        return {};
    QImage image = newLargeImage(decoder.size().width(), decoder.size().height(), decoder.format());
    if (image.isNull())
        return failImage(error, QStringLiteral("not enough memory to decode JPEG data"));
    for (int y = 0; y < image.height(); ++y) {
        if (!decoder.readRow(image.scanLine(y), error))
            return {};
    }
    if (!decoder.finish(error))
        return {};
    if (decoder.dotsPerMeterX() > 0) {
        image.setDotsPerMeterX(decoder.dotsPerMeterX());
        image.setDotsPerMeterY(decoder.dotsPerMeterY());
    }
    return image;
}

// Formats decoded by their own library from data in memory: JPEG and TIFF
// always, PNG for scans (other PNG pictures go through Qt's reader).
bool decodedInMemory(const QByteArray& head, bool keepGrey)
{
    return isJpeg(head) || isTiffData(head) || (keepGrey && isPngData(head));
}

QImage decodePictureData(const QByteArray& data, const QString& name, bool keepGrey,
                         const PictureAdmission& admit, QString* error)
{
    const QByteArray head = data.left(PictureHeadBytes);
    if (isTiffData(head) || (keepGrey && isPngData(head))) {
        // A PNG states its size up front: the budget is asked before the
        // decoder allocates anything. TIFF's directory can sit anywhere: its
        // decoder asks once it has read it.
        if (isPngData(head) && head.size() >= 26) {
            const QSize size(int(std::min<quint32>(qFromBigEndian<quint32>(head.constData() + 16),
                                                   quint32(MaxPictureSide) + 1)),
                             int(std::min<quint32>(qFromBigEndian<quint32>(head.constData() + 20),
                                                   quint32(MaxPictureSide) + 1)));
            const bool grey = keepGrey && (head.at(25) == 0 || head.at(25) == 4);
            QString why;
            if (!admitted(size, grey ? 1 : 4, admit, &why))
                return failImage(error, QStringLiteral("%1: %2").arg(name, why));
        }
        QString why;
        const auto admitTiff = [&admit](QSize size, int bytesPerPixel, QString* reason) {
            return admitted(size, bytesPerPixel, admit, reason);
        };
        QImage image = isTiffData(head) ? decodeTiffScan(data, keepGrey, &why, admitTiff)
                                        : decodePngScan(data, keepGrey, &why);
        if (image.isNull())
            return failImage(error, QStringLiteral("%1: %2").arg(name, why));
        return image;
    }
    if (!isJpeg(head)) {
        QBuffer buffer;
        buffer.setData(data);
        buffer.open(QIODevice::ReadOnly);
        return readWithQt(buffer, data.size(), name, keepGrey, admit, error);
    }
    QString jpegError;
    QImage image = decodeJpegKeepingGrey(data, keepGrey, admit, &jpegError);
    if (image.isNull())
        return failImage(error, QStringLiteral("%1: %2").arg(name, jpegError));
    return image;
}

// Opens a picture file. Data that decodedInMemory takes is read into `data`
// (within the size limit); a file of another format stays open for Qt's
// readers, `data` empty.
bool openPicture(QFile& file, const QString& name, QByteArray& data, bool keepGrey, QString* error)
{
    if (!file.isOpen() && !file.open(QIODevice::ReadOnly))
        return fail(error,
                    QStringLiteral("cannot open picture %1: %2").arg(name, file.errorString()));
    if (!decodedInMemory(file.peek(PictureHeadBytes), keepGrey))
        return true;
    if (file.size() > MaxPictureFileBytes)
        return fail(error, QStringLiteral("picture file too large: %1").arg(name));
    data = file.readAll();
    if (data.size() != file.size())
        return fail(error,
                    QStringLiteral("cannot read picture %1: %2").arg(name, file.errorString()));
    return true;
}

QImage loadPictureFile(QFile& file, const QString& name, bool keepGrey,
                       const PictureAdmission& admit, QString* error)
{
    QByteArray data;
    if (!openPicture(file, name, data, keepGrey, error))
        return {};
    if (data.isEmpty())
        return readWithQt(file, file.size(), name, keepGrey, admit, error);
    return decodePictureData(data, name, keepGrey, admit, error);
}

QImage loadPictureFile(const QString& path, bool keepGrey, QString* error)
{
    QFile file(path);
    return loadPictureFile(file, path, keepGrey, {}, error);
}

} // namespace

QImage opaqueImage(const QImage& image, const QColor& background)
{
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB32);
    QImage out(image.size(), QImage::Format_RGB32);
    if (out.isNull())
        return out;
    out.fill(background);
    out.setDotsPerMeterX(image.dotsPerMeterX());
    out.setDotsPerMeterY(image.dotsPerMeterY());
    QPainter painter(&out);
    painter.drawImage(0, 0, image);
    return out;
}

QImage decodeJpeg(const QByteArray& data, QString* error)
{
    return decodeJpegKeepingGrey(data, false, {}, error);
}

QImage decodePicture(const QByteArray& data, const QString& name, QString* error)
{
    return decodePictureData(data, name, false, {}, error);
}

QImage decodeScan(const QByteArray& data, const QString& name, QString* error)
{
    return decodePictureData(data, name, true, {}, error);
}

QImage loadPicture(const QString& path, QString* error)
{
    return loadPictureFile(path, false, error);
}

QImage loadScan(const QString& path, QString* error)
{
    return loadPictureFile(path, true, error);
}

QImage loadScan(QFile& file, const QString& name, QString* error, const PictureAdmission& admit)
{
    return loadPictureFile(file, name, true, admit, error);
}

QByteArray readJpegFile(const QString& path, QString* error)
{
    QFile file(path);
    QByteArray data;
    openPicture(file, path, data, false, error);
    return isJpeg(data.left(3)) ? data : QByteArray();
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
