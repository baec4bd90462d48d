#include "document/analysis/darkmask.h"

namespace sw {

namespace {

// Gray of a sum 30R + 59G + 11B (hundredths), rounded half to even.
int grayOfSum(int sum)
{
    const int q = sum / 100;
    const int r = sum % 100;
    return q + ((r > 50 || (r == 50 && (q & 1) != 0)) ? 1 : 0);
}

// The image in a format whose scan lines hold QRgb values directly.
QImage rgb32(const QImage& image)
{
    if (image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32)
        return image;
    return image.convertToFormat(QImage::Format_RGB32);
}

template <class IsDark>
DarkMask maskOf(const QImage& image, const QRect& part, TPoint origin, IsDark isDark)
{
    DarkMask mask(part.width(), part.height(), origin);
    for (int y = 0; y < part.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(part.top() + y));
        line += part.left();
        std::uint64_t* bits = mask.row(y);
        for (int x = 0; x < part.width(); ++x) {
            if (isDark(line[x]))
                bits[x >> 6] |= std::uint64_t(1) << (x & 63);
        }
    }
    return mask;
}

} // namespace

DarkMask::DarkMask(int width, int height, TPoint origin)
    : m_width(width > 0 && height > 0 ? width : 0), m_height(width > 0 && height > 0 ? height : 0),
      m_origin(origin), m_wordsPerRow((m_width + 63) / 64),
      m_bits(std::size_t(m_wordsPerRow) * std::size_t(m_height), 0)
{
}

GrayThreshold::GrayThreshold(int threshold)
{
    constexpr int maxSum = 100 * 255;
    // Gray grows with the sum, so the black sums are 0 up to some largest one.
    int sum = -1;
    while (sum < maxSum && grayOfSum(sum + 1) <= threshold)
        ++sum;
    m_maxBlackSum = sum;
}

void Binarize(QImage& image, int threshold)
{
    if (image.isNull())
        return;
    const GrayThreshold gray(threshold);
    QImage source = rgb32(image);
    QImage result(source.size(), QImage::Format_RGB888);
    result.setDotsPerMeterX(image.dotsPerMeterX());
    result.setDotsPerMeterY(image.dotsPerMeterY());
    for (int y = 0; y < source.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        uchar* out = result.scanLine(y);
        for (int x = 0; x < source.width(); ++x) {
            const uchar v = gray.isBlack(in[x]) ? 0 : 255;
            out[3 * x] = out[3 * x + 1] = out[3 * x + 2] = v;
        }
    }
    image = std::move(result);
}

DarkMask blackPixels(const QImage& image)
{
    if (image.isNull())
        return {};
    const QImage source = rgb32(image);
    return maskOf(source, source.rect(), {}, [](QRgb c) { return (c & 0x00FFFFFFu) == 0; });
}

DarkMask binarizedArea(const QImage& picture, const QRect& area, int threshold)
{
    // QRect would swap the edges of an inverted area; it covers nothing.
    if (!area.isValid())
        return {};
    const QRect part = area.intersected(picture.rect());
    if (part.isEmpty())
        return {};
    const TPoint origin{part.left() - area.left(), part.top() - area.top()};
    const GrayThreshold gray(threshold);
    const auto isDark = [&gray](QRgb c) { return gray.isBlack(c); };
    if (picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32)
        return maskOf(picture, part, origin, isDark);
    // Convert only the part that is read.
    return maskOf(rgb32(picture.copy(part)), QRect({0, 0}, part.size()), origin, isDark);
}

} // namespace sw
