#pragma once

#include <QImage>
#include <QSize>
#include <QTransform>
#include <cstdint>

namespace sw {

// The rows of a picture drawn straight, one at a time: each bitmap pixel
// whose centre falls on the picture takes the bilinear mean of the four
// picture pixels around that point (8-bit weights, each channel on its own,
// edges repeated); the others are white. `toBitmap` maps the picture, scaled
// to `size`, into the bitmap. The picture is Format_Grayscale8 or
// Format_RGB32, and so are the rows.
class PictureStraightening
{
public:
    PictureStraightening(const QImage& picture, const QSize& size, const QTransform& toBitmap);

    const QSize& size() const { return m_size; }
    // Row y of the bitmap into out, size().width() pixels of the picture's format.
    void drawRow(int y, uchar* out) const;

private:
    // The pixel at picture coordinates (u, v) in 16.16 fixed point, less half
    // a pixel, into out.
    void anyPixel(std::int64_t u, std::int64_t v, uchar* out) const;

    QImage m_picture;
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
