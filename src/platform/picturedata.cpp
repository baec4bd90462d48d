#include "platform/picturedata.h"

#include "platform/picturecodec.h"
#include "platform/saturating.h"

#include <QtEndian>
#include <cstdint>
#include <cstdlib>

namespace sw {

namespace {

// Deflate cannot shrink data by more than this factor.
constexpr qint64 MaxDeflateRatio = 1032;

template <typename T> T readAt(const QByteArray& data, int offset)
{
    return qFromUnaligned<T>(data.constData() + offset);
}

// Run-length coded pixels have no size that follows from the picture's, and
// Qt's reader takes a file cut short for a whole picture. The header states
// how many bytes they take (the file size as a fallback).
QString rleBmpShortfall(const QByteArray& head, qint64 fileSize, quint32 pixelOffset)
{
    if (head.size() < 38)
        return QStringLiteral("truncated BMP header");
    const quint32 fileBytes = qFromLittleEndian(readAt<quint32>(head, 2));
    const quint32 dataBytes = qFromLittleEndian(readAt<quint32>(head, 34));
    const qint64 needed = dataBytes > 0 ? qint64(pixelOffset) + dataBytes : qint64(fileBytes);
    if (fileSize < needed)
        return QStringLiteral(
                   "truncated BMP: its run-length coded pixels end at byte %1, the file has %2")
            .arg(needed)
            .arg(fileSize);
    return {};
}

QString bmpShortfall(const QByteArray& head, qint64 fileSize)
{
    if (head.size() < 30)
        return QStringLiteral("truncated BMP header");
    const quint32 pixelOffset = qFromLittleEndian(readAt<quint32>(head, 10));
    const quint32 infoSize = qFromLittleEndian(readAt<quint32>(head, 14));
    qint64 width = 0;
    qint64 height = 0;
    quint16 bitsPerPixel = 0;
    quint32 compression = 0;
    if (infoSize == 12) {
        width = qFromLittleEndian(readAt<quint16>(head, 18));
        height = qFromLittleEndian(readAt<quint16>(head, 20));
        bitsPerPixel = qFromLittleEndian(readAt<quint16>(head, 24));
    } else {
        if (head.size() < 34)
            return QStringLiteral("truncated BMP header");
        width = qFromLittleEndian(readAt<qint32>(head, 18));
        height = std::llabs(qFromLittleEndian(readAt<qint32>(head, 22)));
        bitsPerPixel = qFromLittleEndian(readAt<quint16>(head, 28));
        compression = qFromLittleEndian(readAt<quint32>(head, 30));
    }
    constexpr quint32 Uncompressed = 0;
    constexpr quint32 RunLength8 = 1;
    constexpr quint32 RunLength4 = 2;
    constexpr quint32 BitFields = 3;
    constexpr quint32 AlphaBitFields = 6;
    if (width <= 0 || bitsPerPixel == 0)
        return {};
    if (compression == RunLength8 || compression == RunLength4) {
        if (QString cut = rleBmpShortfall(head, fileSize, pixelOffset); !cut.isEmpty())
            return cut;
        // A run of at most 255 pixels takes two bytes. Escapes that skip
        // pixels or end the picture early could claim more, but no scanner
        // writes them, and they would let a few bytes claim gigabytes.
        const qint64 needed = qint64(pixelOffset) + saturatingMul(width, height) / 255 * 2;
        if (fileSize < needed)
            return QStringLiteral("run-length BMP: %1 bytes cannot hold %2 x %3 pixels")
                .arg(fileSize)
                .arg(width)
                .arg(height);
        return {};
    }
    if (compression != Uncompressed && compression != BitFields && compression != AlphaBitFields)
        return {}; // other codings: the reader sees where the data ends
    const qint64 rowBytes = (width * bitsPerPixel + 31) / 32 * 4;
    const qint64 needed = qint64(pixelOffset) + saturatingMul(rowBytes, height);
    if (fileSize < needed)
        return QStringLiteral("truncated BMP: its %1 x %2 pixels need %3 bytes, the file has %4")
            .arg(width)
            .arg(height)
            .arg(needed)
            .arg(fileSize);
    return {};
}

int pngChannels(quint8 colourType)
{
    switch (colourType) {
    case 0: // grey
    case 3: // palette
        return 1;
    case 4: // grey and alpha
        return 2;
    case 2: // RGB
        return 3;
    case 6: // RGBA
        return 4;
    default:
        return 0;
    }
}

QString pngShortfall(const QByteArray& head, qint64 fileSize)
{
    // Signature, then the IHDR chunk: length, type, width, height, depth, colour type.
    if (head.size() < 33 || head.mid(12, 4) != "IHDR")
        return QStringLiteral("damaged PNG header");
    const qint64 width = qFromBigEndian(readAt<quint32>(head, 16));
    const qint64 height = qFromBigEndian(readAt<quint32>(head, 20));
    const int bitDepth = quint8(head[24]);
    const int channels = pngChannels(quint8(head[25]));
    if (channels == 0)
        return {};
    const qint64 rawBytes = saturatingMul(height, 1 + (width * channels * bitDepth + 7) / 8);
    if (fileSize < rawBytes / MaxDeflateRatio)
        return QStringLiteral("damaged PNG: %1 bytes cannot hold %2 x %3 pixels")
            .arg(fileSize)
            .arg(width)
            .arg(height);
    return {};
}

// The numbers of a PNM header after its magic: width, height and, but for
// bitmaps, the largest sample value; comments run from '#' to the line end.
bool readPnmNumbers(const QByteArray& head, int count, qint64* numbers, qsizetype* end)
{
    qsizetype i = 2;
    for (int n = 0; n < count; ++n) {
        while (i < head.size() && (QChar::isSpace(uchar(head[i])) || head[i] == '#')) {
            if (head[i] == '#')
                while (i < head.size() && head[i] != '\n')
                    ++i;
            else
                ++i;
        }
        qint64 value = 0;
        const qsizetype start = i;
        while (i < head.size() && head[i] >= '0' && head[i] <= '9' && value < (qint64(1) << 32))
            value = value * 10 + (head[i++] - '0');
        if (i == start)
            return false;
        numbers[n] = value;
    }
    *end = i + 1; // one white-space character ends the header
    return true;
}

QString pnmShortfall(const QByteArray& head, qint64 fileSize)
{
    const char kind = head[1];
    const bool bitmap = kind == '1' || kind == '4';
    qint64 numbers[3] = {0, 0, 255};
    qsizetype headerEnd = 0;
    if (!readPnmNumbers(head, bitmap ? 2 : 3, numbers, &headerEnd))
        return {}; // the reader refuses it
    const qint64 width = numbers[0];
    const qint64 height = numbers[1];
    const int channels = kind == '3' || kind == '6' ? 3 : 1;
    const int sampleBytes = numbers[2] > 255 ? 2 : 1;
    // Raw bitmaps pack eight pixels to a byte; other raw formats store every
    // sample; plain formats spend at least a character on every sample.
    const qint64 rowBytes = kind == '4'   ? (width + 7) / 8
                            : kind >= '4' ? width * channels * sampleBytes
                                          : width * channels;
    const qint64 needed = headerEnd + saturatingMul(rowBytes, height);
    if (fileSize < needed)
        return QStringLiteral("truncated PNM: its %1 x %2 pixels need %3 bytes, the file has %4")
            .arg(width)
            .arg(height)
            .arg(needed)
            .arg(fileSize);
    return {};
}

} // namespace

QString pictureDataShortfall(const QByteArray& head, qint64 fileSize)
{
    if (head.startsWith("BM"))
        return bmpShortfall(head, fileSize);
    if (head.startsWith("\x89PNG\r\n\x1a\n"))
        return pngShortfall(head, fileSize);
    if (head.size() > 2 && head[0] == 'P' && head[1] >= '1' && head[1] <= '6')
        return pnmShortfall(head, fileSize);
    return {};
}

QString pictureTooLarge(int width, int height)
{
    return QStringLiteral("picture too large: %1 x %2 pixels (at most %3 x %3)")
        .arg(width)
        .arg(height)
        .arg(MaxPictureSide);
}

} // namespace sw
