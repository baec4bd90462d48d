#include "document/analysis/rotation.h"

#include <QPainter>
#include <algorithm>
#include <cstdint>

namespace sw {

namespace {

// Floor and ceiling of a / b for b > 0.
std::int64_t floorDiv(std::int64_t a, std::int64_t b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

std::int64_t ceilDiv(std::int64_t a, std::int64_t b)
{
    return -floorDiv(-a, b);
}

// The x in [first, last) within [0, count) for which lo <= start + x * step < hi.
struct Run
{
    int first;
    int last;
};

Run runWithin(std::int64_t start, std::int64_t step, std::int64_t lo, std::int64_t hi, int count)
{
    std::int64_t first = 0;
    std::int64_t last = count;
    if (step > 0) {
        first = ceilDiv(lo - start, step);
        last = ceilDiv(hi - start, step);
    } else if (step < 0) {
        first = floorDiv(start - hi, -step) + 1;
        last = floorDiv(start - lo, -step) + 1;
    } else if (start < lo || start >= hi) {
        last = 0;
    }
    first = std::clamp<std::int64_t>(first, 0, count);
    return {int(first), int(std::clamp<std::int64_t>(last, first, count))};
}

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
    const auto blend = [](int topLeft, int topRight, int bottomLeft, int bottomRight, int wx,
                          int wy) {
        const int upper = topLeft * (256 - wx) + topRight * wx;
        const int lower = bottomLeft * (256 - wx) + bottomRight * wx;
        return uchar((upper * (256 - wy) + lower * wy + (1 << 15)) >> 16);
    };
    // Any pixel: white off the picture, edge pixels repeated past its border.
    const auto anyPixel = [&](std::int64_t u, std::int64_t v) {
        if (u + half < 0 || u + half >= limitX || v + half < 0 || v + half >= limitY)
            return uchar(255);
        const int left = int(u >> 16);
        const int top = int(v >> 16);
        return blend(pixel(left, top), pixel(left + 1, top), pixel(left, top + 1),
                     pixel(left + 1, top + 1), int((u >> 8) & 0xFF), int((v >> 8) & 0xFF));
    };
    const std::int64_t innerX = std::int64_t(width - 1) << 16;
    const std::int64_t innerY = std::int64_t(height - 1) << 16;
    for (int y = 0; y < size.height(); ++y) {
        const QPointF start = toPicture.map(QPointF(0.5, y + 0.5));
        const std::int64_t u0 = fixed(start.x()) - half;
        const std::int64_t v0 = fixed(start.y()) - half;
        // Where all four neighbours lie inside the picture.
        const Run alongX = runWithin(u0, stepX, 0, innerX, size.width());
        const Run alongY = runWithin(v0, stepY, 0, innerY, size.width());
        const int first = std::max(alongX.first, alongY.first);
        const int last = std::max(first, std::min(alongX.last, alongY.last));
        uchar* out = bitmap.scanLine(y);
        for (int x = 0; x < first; ++x)
            out[x] = anyPixel(u0 + x * stepX, v0 + x * stepY);
        std::int64_t u = u0 + first * stepX;
        std::int64_t v = v0 + first * stepY;
        for (int x = first; x < last; ++x, u += stepX, v += stepY) {
            const uchar* p = bits + (v >> 16) * stride + (u >> 16);
            out[x] = blend(p[0], p[1], p[stride], p[stride + 1], int((u >> 8) & 0xFF),
                           int((v >> 8) & 0xFF));
        }
        for (int x = last; x < size.width(); ++x)
            out[x] = anyPixel(u0 + x * stepX, v0 + x * stepY);
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
