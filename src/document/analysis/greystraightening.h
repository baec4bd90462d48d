#pragma once

#include <QImage>
#include <QSize>
#include <QTransform>
#include <cstdint>

namespace sw {

// The rows of a grey picture drawn straight, one at a time: each bitmap pixel
// whose centre falls on the picture takes the bilinear mean of the four
// picture pixels around that point (8-bit weights, edges repeated), under the
// same mapping the painter applies to colour pictures; the others are white.
// `toBitmap` maps the picture, scaled to `size`, into the bitmap.
class GreyStraightening
{
public:
    GreyStraightening(const QImage& picture, const QSize& size, const QTransform& toBitmap);

    const QSize& size() const { return m_size; }
    // Row y of the bitmap into out[0, size().width()).
    void drawRow(int y, uchar* out) const;

private:
    // Any pixel at picture coordinates (u, v) in 16.16 fixed point, less half
    // a pixel.
    uchar anyPixel(std::int64_t u, std::int64_t v) const;

    QImage m_picture;
    QSize m_size;
    bool m_invertible = false;
    QTransform m_toPicture;
    std::int64_t m_stepX = 0;
    std::int64_t m_stepY = 0;
    // Eight bitmap pixels at a time where their neighbours follow picture rows.
    bool m_lanesFollowRows = false;
};

} // namespace sw
