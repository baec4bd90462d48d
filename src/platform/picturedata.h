#pragma once

#include <QByteArray>
#include <QString>

namespace sw {

// Checks, from the first bytes of a BMP, PNG or PNM (PBM, PGM, PPM) file and the file's size, that
// the file can hold the pixels its header promises, so that a truncated file
// is refused and a short file claiming a huge picture is refused before the
// picture's memory is allocated. Returns what is wrong, or an empty string
// (also for other formats, which are left to their readers).
QString pictureDataShortfall(const QByteArray& head, qint64 fileSize);

// The message for a picture of more than MaxPictureSide pixels a side.
QString pictureTooLarge(int width, int height);

// Bytes enough to read every header pictureDataShortfall looks at.
constexpr int PictureHeadBytes = 64;

// Huffman-coded JPEG data spends at least one bit on every 8 x 8 block of a
// component, so a scan of `blocks` blocks needs at least this many bytes.
constexpr qint64 minimumJpegScanBytes(qint64 blocks)
{
    return blocks / 8;
}

} // namespace sw
