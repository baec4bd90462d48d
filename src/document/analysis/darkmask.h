#pragma once

#include "platform/geometry.h"

#include <QImage>
#include <QRect>
#include <QRgb>
#include <cstdint>
#include <vector>

namespace sw {

// A one-bit image: a set bit is a dark (black) pixel. Mask pixel (x, y) stands
// for work-image pixel (origin.X + x, origin.Y + y), so a mask may cover just
// the part of a work image that holds picture data.
class DarkMask
{
public:
    DarkMask() = default;
    DarkMask(int width, int height, TPoint origin = {});

    int width() const { return m_width; }
    int height() const { return m_height; }
    TPoint origin() const { return m_origin; }
    int wordsPerRow() const { return m_wordsPerRow; }
    const std::uint64_t* row(int y) const { return m_bits.data() + std::size_t(y) * m_wordsPerRow; }
    std::uint64_t* row(int y) { return m_bits.data() + std::size_t(y) * m_wordsPerRow; }

    bool test(int x, int y) const
    {
        return x >= 0 && y >= 0 && x < m_width && y < m_height &&
               (row(y)[x >> 6] >> (x & 63) & 1u) != 0;
    }
    void set(int x, int y) { row(y)[x >> 6] |= std::uint64_t(1) << (x & 63); }

private:
    int m_width = 0;
    int m_height = 0;
    TPoint m_origin;
    int m_wordsPerRow = 0;
    std::vector<std::uint64_t> m_bits;
};

// The gray test of the binarization: gray = 0.3 R + 0.59 G + 0.11 B rounded to
// nearest, ties to even (computed exactly in hundredths); a pixel turns black
// when gray <= threshold, white otherwise.
class GrayThreshold
{
public:
    explicit GrayThreshold(int threshold);
    bool isBlack(QRgb c) const
    {
        return 30 * qRed(c) + 59 * qGreen(c) + 11 * qBlue(c) <= m_maxBlackSum;
    }

private:
    int m_maxBlackSum; // largest 30R + 59G + 11B whose gray is still black
};

// Sets the image to 24 bits per pixel, every pixel black (0, 0, 0) when its
// gray is at most threshold and white (255, 255, 255) otherwise.
void Binarize(QImage& image, int threshold);

// The black pixels, exactly (0, 0, 0), of an image.
DarkMask blackPixels(const QImage& image);

// What Binarize would leave black in the picture rectangle `area` (inclusive
// edges, any position): mask pixel (x, y) is picture pixel (area.left() + x,
// area.top() + y). Pixels outside the picture are white. Only the part of the
// area inside the picture is stored, the mask's origin telling where it lies.
// An inverted area covers nothing.
DarkMask binarizedArea(const QImage& picture, const QRect& area, int threshold);

} // namespace sw
