#include "document/analysis/picturestraightening.h"

#include <algorithm>
#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#include <xmmintrin.h>
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

// One pixel of `depth` bytes: each byte the blend of the same byte of the four
// pixels around it, `p` being the upper left.
inline void blendPixel(const uchar* p, qsizetype stride, int depth, int wx, int wy, uchar* out)
{
    for (int c = 0; c < depth; ++c)
        out[c] = blend(p[c], p[depth + c], p[stride + c], p[stride + depth + c], wx, wy);
}

#if defined(__SSE2__)
// Eight blends at once, each of four 16-bit samples with its own weights.
inline __m128i blendLanes(__m128i topLeft, __m128i topRight, __m128i bottomLeft,
                          __m128i bottomRight, __m128i wx, __m128i wy)
{
    const __m128i full = _mm_set1_epi16(256);
    const __m128i left = _mm_sub_epi16(full, wx);
    // At most 255 x 256: the sums fit 16 bits.
    const __m128i upper =
        _mm_add_epi16(_mm_mullo_epi16(topLeft, left), _mm_mullo_epi16(topRight, wx));
    const __m128i lower =
        _mm_add_epi16(_mm_mullo_epi16(bottomLeft, left), _mm_mullo_epi16(bottomRight, wx));
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
    return _mm_packs_epi32(first, second);
}

// The weights of consecutive pixels in 16-bit lanes: the upper eight of the
// low 16 bits of their 16.16 coordinates, the first's being `start`.
inline __m128i laneWeights(std::uint16_t start, std::uint16_t step)
{
    const __m128i lane = _mm_setr_epi16(0, 1, 2, 3, 4, 5, 6, 7);
    const __m128i at = _mm_add_epi16(_mm_set1_epi16(short(start)),
                                     _mm_mullo_epi16(lane, _mm_set1_epi16(short(step))));
    return _mm_srli_epi16(at, 8);
}

// Bitmap pixels blended at a time, grey and colour.
constexpr int GreyLanes = 8;
constexpr int ColourLanes = 4;

// Eight grey pixels whose upper-left neighbours are consecutive pixels of one
// picture row, the first at `p`. u and v are the low 16 bits of the first
// pixel's 16.16 coordinates, stepU and stepV those of the steps between pixels.
inline void blendGreyRun(const uchar* p, qsizetype stride, std::uint16_t u, std::uint16_t v,
                         std::uint16_t stepU, std::uint16_t stepV, uchar* out)
{
    const __m128i zero = _mm_setzero_si128();
    const auto load = [&zero](const uchar* from) {
        return _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(from)), zero);
    };
    const __m128i words = blendLanes(load(p), load(p + 1), load(p + stride), load(p + stride + 1),
                                     laneWeights(u, stepU), laneWeights(v, stepV));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(words, words));
}

// The same for four colour pixels of four bytes each.
inline void blendColourRun(const uchar* p, qsizetype stride, std::uint16_t u, std::uint16_t v,
                           std::uint16_t stepU, std::uint16_t stepV, uchar* out)
{
    const __m128i zero = _mm_setzero_si128();
    const auto load = [](const uchar* from) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
    };
    // Each pixel's weight in its four channels: pixels 0 and 1, then 2 and 3.
    const auto perChannel = [](__m128i weights, bool upperPixels) {
        const __m128i pairs = _mm_unpacklo_epi16(weights, weights);
        return upperPixels ? _mm_unpackhi_epi32(pairs, pairs) : _mm_unpacklo_epi32(pairs, pairs);
    };
    const __m128i wx = laneWeights(u, stepU);
    const __m128i wy = laneWeights(v, stepV);
    const __m128i topLeft = load(p);
    const __m128i topRight = load(p + 4);
    const __m128i bottomLeft = load(p + stride);
    const __m128i bottomRight = load(p + stride + 4);
    const __m128i first =
        blendLanes(_mm_unpacklo_epi8(topLeft, zero), _mm_unpacklo_epi8(topRight, zero),
                   _mm_unpacklo_epi8(bottomLeft, zero), _mm_unpacklo_epi8(bottomRight, zero),
                   perChannel(wx, false), perChannel(wy, false));
    const __m128i second =
        blendLanes(_mm_unpackhi_epi8(topLeft, zero), _mm_unpackhi_epi8(topRight, zero),
                   _mm_unpackhi_epi8(bottomLeft, zero), _mm_unpackhi_epi8(bottomRight, zero),
                   perChannel(wx, true), perChannel(wy, true));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(first, second));
}
#endif

} // namespace

PictureStraightening::PictureStraightening(const QSize& pictureSize, QImage::Format format,
                                           const QSize& size, const QTransform& toBitmap)
    : m_pictureSize(pictureSize), m_size(size), m_depth(format == QImage::Format_Grayscale8 ? 1 : 4)
{
    Q_ASSERT(format == QImage::Format_Grayscale8 || format == QImage::Format_RGB32);
    const QTransform scale = QTransform::fromScale(double(size.width()) / pictureSize.width(),
                                                   double(size.height()) / pictureSize.height());
    m_toPicture = (scale * toBitmap).inverted(&m_invertible);
    m_stepX = fixed(m_toPicture.m11());
    m_stepY = fixed(m_toPicture.m12());
#if defined(__SSE2__)
    // With these steps each pixel's column is its left neighbour's plus 0 or 1
    // (or plus 1 or 2), always the same way, and its row differs by at most
    // one: n pixels follow one picture row exactly when the last is n - 1
    // columns right of the first, in the same row.
    m_lanesFollowRows = m_stepX > 0 && m_stepX < 2 * 65536 && m_stepY > -65536 && m_stepY < 65536;
#endif
}

std::pair<std::int64_t, std::int64_t> PictureStraightening::rowStart(int y) const
{
    const QPointF start = m_toPicture.map(QPointF(0.5, y + 0.5));
    return {fixed(start.x()) - Half, fixed(start.y()) - Half};
}

std::pair<int, int> PictureStraightening::rowsRead(int y) const
{
    if (!m_invertible || m_size.width() <= 0)
        return {0, -1};
    const std::int64_t v0 = rowStart(y).second;
    const std::int64_t v1 = v0 + std::int64_t(m_size.width() - 1) * m_stepY;
    // Each pixel reads its row and the next, both held inside the picture.
    const int last = m_pictureSize.height() - 1;
    const auto clamped = [last](std::int64_t row) {
        return int(std::clamp<std::int64_t>(row, 0, last));
    };
    return {clamped(std::min(v0, v1) >> 16), clamped((std::max(v0, v1) >> 16) + 1)};
}

void PictureStraightening::anyPixel(std::int64_t u, std::int64_t v, const PictureRows& rows,
                                    uchar* out) const
{
    const int width = m_pictureSize.width();
    const int height = m_pictureSize.height();
    if (u + Half < 0 || u + Half >= std::int64_t(width) << 16 || v + Half < 0 ||
        v + Half >= std::int64_t(height) << 16) {
        std::fill(out, out + m_depth, uchar(255));
        return;
    }
    const int left = int(u >> 16);
    const int top = int(v >> 16);
    const auto at = [&](int x, int y) {
        return rows.bits + (std::clamp(y, 0, height - 1) - rows.first) * rows.stride +
               std::clamp(x, 0, width - 1) * m_depth;
    };
    const int wx = int((u >> 8) & 0xFF);
    const int wy = int((v >> 8) & 0xFF);
    for (int c = 0; c < m_depth; ++c)
        out[c] = blend(at(left, top)[c], at(left + 1, top)[c], at(left, top + 1)[c],
                       at(left + 1, top + 1)[c], wx, wy);
}

void PictureStraightening::drawRow(int y, const PictureRows& rows, uchar* out) const
{
    const int count = m_size.width();
    const int depth = m_depth;
    if (!m_invertible) {
        std::fill(out, out + std::size_t(count) * depth, uchar(255));
        return;
    }
    Q_ASSERT(rowsRead(y).first > rowsRead(y).second ||
             (rowsRead(y).first >= rows.first && rowsRead(y).second < rows.first + rows.count));
    const std::int64_t stepX = m_stepX;
    const std::int64_t stepY = m_stepY;
    const auto [u0, v0] = rowStart(y);
    // Where all four neighbours lie inside the picture.
    const Run alongX =
        runWithin(u0, stepX, 0, std::int64_t(m_pictureSize.width() - 1) << 16, count);
    const Run alongY =
        runWithin(v0, stepY, 0, std::int64_t(m_pictureSize.height() - 1) << 16, count);
    const int first = std::max(alongX.first, alongY.first);
    const int last = std::max(first, std::min(alongX.last, alongY.last));
    for (int x = 0; x < first; ++x)
        anyPixel(u0 + x * stepX, v0 + x * stepY, rows, out + x * depth);

    // Rows count from the window's first: its 16.16 offset comes off v.
    const uchar* bits = rows.bits;
    const qsizetype stride = rows.stride;
    const std::int64_t firstRow = std::int64_t(rows.first) << 16;
    std::int64_t u = u0 + first * stepX;
    std::int64_t v = v0 + first * stepY;
    const auto at = [&] { return bits + ((v - firstRow) >> 16) * stride + (u >> 16) * depth; };
    const auto innerPixel = [&](int x) {
        blendPixel(at(), stride, depth, int((u >> 8) & 0xFF), int((v >> 8) & 0xFF),
                   out + x * depth);
        u += stepX;
        v += stepY;
    };
    int x = first;
#if defined(__SSE2__)
    // Near a straightening by a small angle nearly every run of pixels follows
    // one picture row. Each kernel gets its own closure type, so that each
    // loop calls it inline.
    const auto runLanes = [&](int lanes, auto blendRun) {
        while (x + lanes <= last) {
            const std::int64_t uLast = u + (lanes - 1) * stepX;
            const std::int64_t vLast = v + (lanes - 1) * stepY;
            if ((uLast >> 16) - (u >> 16) != lanes - 1 || (vLast >> 16) != (v >> 16)) {
                innerPixel(x++);
                continue;
            }
            const uchar* p = at();
            // The next bitmap row reads the picture row below these two in
            // short stretches the cache does not see coming: fetch it now.
            // (An address only: it may lie past the window, and a prefetch
            // never faults.)
            _mm_prefetch(reinterpret_cast<const char*>(reinterpret_cast<std::uintptr_t>(p) +
                                                       std::uintptr_t(2 * stride + 64)),
                         _MM_HINT_T0);
            blendRun(p, stride, std::uint16_t(u), std::uint16_t(v), std::uint16_t(stepX),
                     std::uint16_t(stepY), out + x * depth);
            x += lanes;
            u += lanes * stepX;
            v += lanes * stepY;
        }
    };
    if (m_lanesFollowRows && depth == 1)
        runLanes(GreyLanes, [](auto... a) { blendGreyRun(a...); });
    else if (m_lanesFollowRows)
        runLanes(ColourLanes, [](auto... a) { blendColourRun(a...); });
#endif
    for (; x < last; ++x)
        innerPixel(x);
    for (x = last; x < count; ++x)
        anyPixel(u0 + x * stepX, v0 + x * stepY, rows, out + x * depth);
}

} // namespace sw
