#pragma once

#include <QImage>

namespace sw {

// Grey values of a scan, read in place: 8-bit grey scans as they are, 32-bit
// ones through 0.3 R + 0.59 G + 0.11 B. Other formats are converted once.
// Pixels outside the picture read as white paper.
class GreyView
{
public:
    explicit GreyView(const QImage& scan);

    int width() const { return m_image.width(); }
    int height() const { return m_image.height(); }
    int grey(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= m_image.width() || y >= m_image.height())
            return 255;
        const uchar* line = m_bits + std::ptrdiff_t(y) * m_stride;
        if (m_grey)
            return line[x];
        const QRgb c = reinterpret_cast<const QRgb*>(line)[x];
        return (30 * qRed(c) + 59 * qGreen(c) + 11 * qBlue(c) + 50) / 100;
    }

private:
    QImage m_image;
    const uchar* m_bits = nullptr;
    qsizetype m_stride = 0;
    bool m_grey = false;
};

} // namespace sw
