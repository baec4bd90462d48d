#include "document/analysis/greystraightening.h"

#include <algorithm>
#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace sw {

namespace {

constexpr double One = 65536.0;
constexpr std::int64_t Half = 1 << 15;

// 16.16 fixed point.
std::int64_t fixed(double value)
{
    return std::int64_t(std::llround(value * One));
}

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

// The bilinear mean of four 8-bit pixels with 8-bit weights towards the right
// and the lower ones.
inline uchar blend(int topLeft, int topRight, int bottomLeft, int bottomRight, int wx, int wy)
{
    const int upper = topLeft * (256 - wx) + topRight * wx;
    const int lower = bottomLeft * (256 - wx) + bottomRight * wx;
    return uchar((upper * (256 - wy) + lower * wy + (1 << 15)) >> 16);
}

#if defined(__SSE2__)
// Pixels blended eight at a time.
constexpr int Lanes = 8;

// blend() for eight pixels whose upper-left neighbours are consecutive pixels
// of one picture row, the first at `p`. u and v are the low 16 bits of the
// first pixel's 16.16 coordinates, stepU and stepV those of the steps between
// pixels: the weights are the upper eight of them.
inline void blendRun(const uchar* p, qsizetype stride, std::uint16_t u, std::uint16_t v,
                     std::uint16_t stepU, std::uint16_t stepV, uchar* out)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i lane = _mm_setr_epi16(0, 1, 2, 3, 4, 5, 6, 7);
    const __m128i full = _mm_set1_epi16(256);
    const auto weights = [&lane](std::uint16_t start, std::uint16_t step) {
        const __m128i at = _mm_add_epi16(_mm_set1_epi16(short(start)),
                                         _mm_mullo_epi16(lane, _mm_set1_epi16(short(step))));
        return _mm_srli_epi16(at, 8);
    };
    const auto load = [&zero](const uchar* from) {
        return _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(from)), zero);
    };
    const __m128i wx = weights(u, stepU);
    const __m128i wy = weights(v, stepV);
    const __m128i left = _mm_sub_epi16(full, wx);
    // At most 255 x 256: the sums fit 16 bits.
    const __m128i upper =
        _mm_add_epi16(_mm_mullo_epi16(load(p), left), _mm_mullo_epi16(load(p + 1), wx));
    const __m128i lower = _mm_add_epi16(_mm_mullo_epi16(load(p + stride), left),
                                        _mm_mullo_epi16(load(p + stride + 1), wx));
    // The vertical sums need 32 bits: whole products from their two halves.
    const __m128i above = _mm_sub_epi16(full, wy);
    const __m128i upperLow = _mm_mullo_epi16(upper, above);
    const __m128i upperHigh = _mm_mulhi_epu16(upper, above);
    const __m128i lowerLow = _mm_mullo_epi16(lower, wy);
    const __m128i lowerHigh = _mm_mulhi_epu16(lower, wy);
    const __m128i half = _mm_set1_epi32(1 << 15);
    const auto sum = [&half](__m128i a, __m128i b) {
        return _mm_srli_epi32(_mm_add_epi32(_mm_add_epi32(a, b), half), 16);
    };
    const __m128i first =
        sum(_mm_unpacklo_epi16(upperLow, upperHigh), _mm_unpacklo_epi16(lowerLow, lowerHigh));
    const __m128i second =
        sum(_mm_unpackhi_epi16(upperLow, upperHigh), _mm_unpackhi_epi16(lowerLow, lowerHigh));
    const __m128i words = _mm_packs_epi32(first, second);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(words, words));
}
#endif

} // namespace

GreyStraightening::GreyStraightening(const QImage& picture, const QSize& size,
                                     const QTransform& toBitmap)
    : m_picture(picture), m_size(size)
{
    const QTransform scale = QTransform::fromScale(double(size.width()) / picture.width(),
                                                   double(size.height()) / picture.height());
    m_toPicture = (scale * toBitmap).inverted(&m_invertible);
    m_stepX = fixed(m_toPicture.m11());
    m_stepY = fixed(m_toPicture.m12());
#if defined(__SSE2__)
    // With these steps each pixel's column is its left neighbour's plus 0 or 1
    // (or plus 1 or 2), always the same way, and its row differs by at most
    // one: eight pixels follow one picture row exactly when the last is seven
    // columns right of the first, in the same row.
    m_lanesFollowRows = m_stepX > 0 && m_stepX < 2 * 65536 && m_stepY > -65536 && m_stepY < 65536;
#endif
}

uchar GreyStraightening::anyPixel(std::int64_t u, std::int64_t v) const
{
    const int width = m_picture.width();
    const int height = m_picture.height();
    if (u + Half < 0 || u + Half >= std::int64_t(width) << 16 || v + Half < 0 ||
        v + Half >= std::int64_t(height) << 16)
        return 255;
    const uchar* bits = m_picture.constBits();
    const qsizetype stride = m_picture.bytesPerLine();
    const auto pixel = [&](int x, int y) {
        return int(bits[std::clamp(y, 0, height - 1) * stride + std::clamp(x, 0, width - 1)]);
    };
    const int left = int(u >> 16);
    const int top = int(v >> 16);
    return blend(pixel(left, top), pixel(left + 1, top), pixel(left, top + 1),
                 pixel(left + 1, top + 1), int((u >> 8) & 0xFF), int((v >> 8) & 0xFF));
}

void GreyStraightening::drawRow(int y, uchar* out) const
{
    const int count = m_size.width();
    if (!m_invertible) {
        std::fill(out, out + count, uchar(255));
        return;
    }
    const std::int64_t stepX = m_stepX;
    const std::int64_t stepY = m_stepY;
    const QPointF start = m_toPicture.map(QPointF(0.5, y + 0.5));
    const std::int64_t u0 = fixed(start.x()) - Half;
    const std::int64_t v0 = fixed(start.y()) - Half;
    // Where all four neighbours lie inside the picture.
    const Run alongX = runWithin(u0, stepX, 0, std::int64_t(m_picture.width() - 1) << 16, count);
    const Run alongY = runWithin(v0, stepY, 0, std::int64_t(m_picture.height() - 1) << 16, count);
    const int first = std::max(alongX.first, alongY.first);
    const int last = std::max(first, std::min(alongX.last, alongY.last));
    for (int x = 0; x < first; ++x)
        out[x] = anyPixel(u0 + x * stepX, v0 + x * stepY);

    const uchar* bits = m_picture.constBits();
    const qsizetype stride = m_picture.bytesPerLine();
    std::int64_t u = u0 + first * stepX;
    std::int64_t v = v0 + first * stepY;
    const auto innerPixel = [&](int x) {
        const uchar* p = bits + (v >> 16) * stride + (u >> 16);
        out[x] =
            blend(p[0], p[1], p[stride], p[stride + 1], int((u >> 8) & 0xFF), int((v >> 8) & 0xFF));
        u += stepX;
        v += stepY;
    };
    int x = first;
#if defined(__SSE2__)
    // Near a straightening by a small angle nearly every run of eight follows
    // one picture row.
    if (m_lanesFollowRows) {
        while (x + Lanes <= last) {
            const std::int64_t uLast = u + (Lanes - 1) * stepX;
            const std::int64_t vLast = v + (Lanes - 1) * stepY;
            if ((uLast >> 16) - (u >> 16) != Lanes - 1 || (vLast >> 16) != (v >> 16)) {
                innerPixel(x++);
                continue;
            }
            blendRun(bits + (v >> 16) * stride + (u >> 16), stride, std::uint16_t(u),
                     std::uint16_t(v), std::uint16_t(stepX), std::uint16_t(stepY), out + x);
            x += Lanes;
            u += Lanes * stepX;
            v += Lanes * stepY;
        }
    }
#endif
    for (; x < last; ++x)
        innerPixel(x);
    for (x = last; x < count; ++x)
        out[x] = anyPixel(u0 + x * stepX, v0 + x * stepY);
}

} // namespace sw
