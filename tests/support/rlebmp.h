#pragma once

#include <QByteArray>
#include <QtEndian>

namespace sw::test {

// An 8-bit BMP whose pixels are run-length coded: grey bands, each row one
// run, every row ended by its marker and the picture by the end marker.
inline QByteArray runLengthBmp(int width, int height)
{
    QByteArray pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; x += 255) {
            pixels.append(char(qMin(255, width - x)));
            pixels.append(char(y * 255 / qMax(1, height - 1)));
        }
        pixels.append("\0\0", 2);
    }
    pixels.append("\0\1", 2);

    QByteArray palette;
    for (int i = 0; i < 256; ++i)
        palette.append(char(i)).append(char(i)).append(char(i)).append('\0');

    constexpr int HeaderBytes = 14 + 40;
    QByteArray data(HeaderBytes, '\0');
    char* h = data.data();
    h[0] = 'B';
    h[1] = 'M';
    const int pixelOffset = HeaderBytes + int(palette.size());
    qToLittleEndian<quint32>(quint32(pixelOffset + pixels.size()), h + 2);
    qToLittleEndian<quint32>(quint32(pixelOffset), h + 10);
    qToLittleEndian<quint32>(40, h + 14);
    qToLittleEndian<qint32>(width, h + 18);
    qToLittleEndian<qint32>(height, h + 22);
    qToLittleEndian<quint16>(1, h + 26);                      // planes
    qToLittleEndian<quint16>(8, h + 28);                      // bits per pixel
    qToLittleEndian<quint32>(1, h + 30);                      // run-length coded, 8 bits
    qToLittleEndian<quint32>(quint32(pixels.size()), h + 34); // bytes of pixel data
    qToLittleEndian<quint32>(256, h + 46);                    // colours in the palette
    return data + palette + pixels;
}

} // namespace sw::test
