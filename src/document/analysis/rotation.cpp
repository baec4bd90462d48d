#include "document/analysis/rotation.h"

#include <QPainter>
#include <algorithm>
#include <cstdint>

namespace sw {

namespace {

// The grey picture under the same mapping as the painter applies to colour
// ones: each bitmap pixel whose centre falls on the picture takes the bilinear
// mean of the four picture pixels around that point (8-bit weights, edges
// clamped); the others are white.
QImage rotateGrey(const QImage& picture, const QSize& size, const QTransform& mapping)
{
    QImage bitmap(size, QImage::Format_Grayscale8);
    if (bitmap.isNull())
        return {};
    const int width = picture.width();
    const int height = picture.height();
    const QTransform scale =
        QTransform::fromScale(double(size.width()) / width, double(size.height()) / height);
    bool invertible = false;
    const QTransform toPicture = (scale * mapping).inverted(&invertible);
    if (!invertible) {
        bitmap.fill(255);
        return bitmap;
    }

    // Picture coordinates in 16.16 fixed point, less half a pixel: the
    // integer part is the left or upper pixel of the four.
    constexpr double One = 65536.0;
    const auto fixed = [](double value) { return std::int64_t(std::llround(value * One)); };
    const std::int64_t stepX = fixed(toPicture.m11());
    const std::int64_t stepY = fixed(toPicture.m12());
    const std::int64_t half = 1 << 15;
    const std::int64_t limitX = std::int64_t(width) << 16;
    const std::int64_t limitY = std::int64_t(height) << 16;
    const uchar* bits = picture.constBits();
    const qsizetype stride = picture.bytesPerLine();
    const auto pixel = [&](int x, int y) {
        return int(bits[std::clamp(y, 0, height - 1) * stride + std::clamp(x, 0, width - 1)]);
    };
    for (int y = 0; y < size.height(); ++y) {
        const QPointF start = toPicture.map(QPointF(0.5, y + 0.5));
        std::int64_t u = fixed(start.x()) - half;
        std::int64_t v = fixed(start.y()) - half;
        uchar* out = bitmap.scanLine(y);
        for (int x = 0; x < size.width(); ++x, u += stepX, v += stepY) {
            if (u + half < 0 || u + half >= limitX || v + half < 0 || v + half >= limitY) {
                out[x] = 255;
                continue;
            }
            const int left = int(u >> 16);
            const int top = int(v >> 16);
            const int wx = int((u >> 8) & 0xFF);
            const int wy = int((v >> 8) & 0xFF);
            int topLeft, topRight, bottomLeft, bottomRight;
            if (left >= 0 && top >= 0 && left + 1 < width && top + 1 < height) {
                const uchar* p = bits + top * stride + left;
                topLeft = p[0];
                topRight = p[1];
                bottomLeft = p[stride];
                bottomRight = p[stride + 1];
            } else {
                topLeft = pixel(left, top);
                topRight = pixel(left + 1, top);
                bottomLeft = pixel(left, top + 1);
                bottomRight = pixel(left + 1, top + 1);
            }
            const int upper = topLeft * (256 - wx) + topRight * wx;
            const int lower = bottomLeft * (256 - wx) + bottomRight * wx;
            out[x] = uchar((upper * (256 - wy) + lower * wy + (1 << 15)) >> 16);
        }
    }
    bitmap.setDotsPerMeterX(picture.dotsPerMeterX());
    bitmap.setDotsPerMeterY(picture.dotsPerMeterY());
    return bitmap;
}

} // namespace

QTransform correctionTransform(const QSize& size, double skewAngle)
{
    const double degrees = -skewAngle * 57.29578;
    QTransform t;
    // Qt composes like prepending: points are rotated first, then translated.
    t.translate(size.height() * degrees / 90, -size.width() * degrees / 90);
    t.rotate(degrees);
    return t;
}

QImage RotatePicture(const QImage& picture, const QSize& size, double skewAngle)
{
    if (size.isEmpty())
        return {};
    if (picture.format() == QImage::Format_Grayscale8)
        return rotateGrey(picture, size, correctionTransform(size, skewAngle));
    QImage bitmap(size, QImage::Format_RGB32);
    if (bitmap.isNull())
        return {};
    bitmap.fill(Qt::white);
    if (picture.isNull())
        return bitmap;
    QPainter painter(&bitmap);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setTransform(correctionTransform(size, skewAngle));
    painter.drawImage(QRectF(0, 0, size.width(), size.height()), picture);
    painter.end();
    bitmap.setDotsPerMeterX(picture.dotsPerMeterX());
    bitmap.setDotsPerMeterY(picture.dotsPerMeterY());
    return bitmap;
}

} // namespace sw
