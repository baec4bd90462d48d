#include "platform/picturedata.h"

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
    constexpr quint32 BitFields = 3;
    constexpr quint32 AlphaBitFields = 6;
    if (compression != Uncompressed && compression != BitFields && compression != AlphaBitFields)
        return {}; // run-length coded: the reader sees where the data ends
    if (width <= 0 || bitsPerPixel == 0)
        return {};
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

} // namespace

QString pictureDataShortfall(const QByteArray& head, qint64 fileSize)
{
    if (head.startsWith("BM"))
        return bmpShortfall(head, fileSize);
    if (head.startsWith("\x89PNG\r\n\x1a\n"))
        return pngShortfall(head, fileSize);
    return {};
}

} // namespace sw
