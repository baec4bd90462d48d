#pragma once

#include <QImage>
#include <QSize>
#include <QTransform>
#include <cstdint>

namespace sw {

// Rows first to first + count - 1 of a picture, `stride` bytes apart.
struct PictureRows
{
    const uchar* bits = nullptr;
    qsizetype stride = 0;
    int first = 0;
    int count = 0;

    static PictureRows of(const QImage& picture)
    {
        return {picture.constBits(), picture.bytesPerLine(), 0, picture.height()};
    }
};

// The rows of a picture drawn straight, one at a time: each bitmap pixel
// whose centre falls on the picture takes the bilinear mean of the four
// picture pixels around that point (8-bit weights, each channel on its own,
// edges repeated); the others are white. `toBitmap` maps the picture, scaled
// to `size`, into the bitmap. The picture is Format_Grayscale8 or
// Format_RGB32, and so are the rows. A row reads only some picture rows, so a
// picture decoded row by row can be drawn straight through a window of them.
class PictureStraightening
{
public:
    PictureStraightening(const QSize& pictureSize, QImage::Format format, const QSize& size,
                         const QTransform& toBitmap);

    const QSize& size() const { return m_size; }
    // The first and last picture row that bitmap row y reads; first > last
    // when it reads none.
    std::pair<int, int> rowsRead(int y) const;
    // Row y of the bitmap into out, size().width() pixels of the picture's
    // format, from `rows`, which hold rowsRead(y).
    void drawRow(int y, const PictureRows& rows, uchar* out) const;

private:
    // Picture coordinates of bitmap pixel (0, y) in 16.16 fixed point, less
    // half a pixel.
    std::pair<std::int64_t, std::int64_t> rowStart(int y) const;
    // The pixel at (u, v), as rowStart gives them, into out.
    void anyPixel(std::int64_t u, std::int64_t v, const PictureRows& rows, uchar* out) const;

    QSize m_pictureSize;
    QSize m_size;
    int m_depth = 1; // bytes a pixel
    bool m_invertible = false;
    QTransform m_toPicture;
    std::int64_t m_stepX = 0;
    std::int64_t m_stepY = 0;
    // Several bitmap pixels at a time where their neighbours follow picture rows.
    bool m_lanesFollowRows = false;
};

} // namespace sw
