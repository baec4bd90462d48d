#include "document/analysis/markdetect.h"

#include "document/vectorgraphics.h"
#include "platform/rounding.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace sw {

bool isMarkDark(QRgb colour)
{
    const std::uint32_t value = std::uint32_t(qBlue(colour)) << 16 |
                                std::uint32_t(qGreen(colour)) << 8 | std::uint32_t(qRed(colour));
    return value < 10000000u;
}

namespace {

// Counts of dark pixels in rectangles of a part of the picture, from a
// summed-area table; everything outside that part counts as not dark.
class DarkCounts
{
public:
    DarkCounts(const QImage& picture, const QRect& part)
        : m_part(part.intersected(picture.rect())), m_stride(std::size_t(m_part.width()) + 1),
          m_sums(m_stride * (std::size_t(m_part.height()) + 1), 0)
    {
        if (m_part.isEmpty())
            return;
        QImage source = picture.copy(m_part);
        if (source.format() != QImage::Format_RGB32 && source.format() != QImage::Format_ARGB32)
            source = source.convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < m_part.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(source.constScanLine(y));
            std::uint32_t rowSum = 0;
            std::uint32_t* above = &m_sums[std::size_t(y) * m_stride];
            std::uint32_t* here = above + m_stride;
            for (int x = 0; x < m_part.width(); ++x) {
                rowSum += isMarkDark(line[x]) ? 1 : 0;
                here[x + 1] = above[x + 1] + rowSum;
            }
        }
    }

    // Dark pixels in the rectangle with inclusive picture coordinates.
    std::int64_t count(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1) const
    {
        x0 = std::max<std::int64_t>(x0, m_part.left());
        y0 = std::max<std::int64_t>(y0, m_part.top());
        x1 = std::min<std::int64_t>(x1, m_part.right());
        y1 = std::min<std::int64_t>(y1, m_part.bottom());
        if (x0 > x1 || y0 > y1)
            return 0;
        const auto at = [this](std::int64_t x, std::int64_t y) {
            return std::int64_t(
                m_sums[std::size_t(y - m_part.top()) * m_stride + std::size_t(x - m_part.left())]);
        };
        return at(x1 + 1, y1 + 1) - at(x0, y1 + 1) - at(x1 + 1, y0) + at(x0, y0);
    }

    bool dark(std::int64_t x, std::int64_t y) const { return count(x, y, x, y) > 0; }

private:
    QRect m_part;
    std::size_t m_stride;
    std::vector<std::uint32_t> m_sums;
};

struct Window
{
    std::int64_t left;
    std::int64_t top;
    std::int64_t right;
    std::int64_t bottom;
};

// The scan of a window, limited to the rows and columns inside the picture
// (nothing outside is dark).
Window scanned(Window w, const QSize& picture)
{
    return {std::max<std::int64_t>(w.left, 0), std::max<std::int64_t>(w.top, 0),
            std::min<std::int64_t>(w.right, picture.width() - 1),
            std::min<std::int64_t>(w.bottom, picture.height() - 1)};
}

// Where the two passes look for a mark of the expected size, and the part
// of the picture that holds everything either of them counts.
struct SearchWindows
{
    Window first;
    Window second;
    Window all;
};

SearchWindows searchWindows(const QSize& picture, const TRect& expected)
{
    const std::int64_t w = std::int64_t(expected.Right) - expected.Left;
    const std::int64_t h = std::int64_t(expected.Bottom) - expected.Top;
    const std::int64_t left = expected.Left - 3 * w;
    const std::int64_t top = expected.Top - 5 * h;
    std::int64_t right = expected.Right + 3 * w;
    std::int64_t bottom = expected.Bottom + 3 * h;
    if (bottom > picture.height())
        bottom = picture.height() - 10;
    if (right > picture.width() - w)
        right = picture.width() - w;
    SearchWindows windows;
    windows.first = {std::max<std::int64_t>(left, 1), std::max<std::int64_t>(top, 1), right,
                     bottom};
    windows.second = {left < 1 ? 10 : left, top < 1 ? 10 : top, right, bottom};
    // Everything either pass counts lies within the windows widened by the
    // mark's size to the right and below.
    windows.all = scanned({std::min(windows.first.left, windows.second.left),
                           std::min(windows.first.top, windows.second.top), right + w, bottom + h},
                          picture);
    return windows;
}

class MarkSearch
{
public:
    MarkSearch(const QImage& picture, const TRect& expected)
        : m_w(std::int64_t(expected.Right) - expected.Left),
          m_h(std::int64_t(expected.Bottom) - expected.Top), m_picture(picture.size())
    {
        const SearchWindows windows = searchWindows(m_picture, expected);
        m_first = windows.first;
        m_second = windows.second;
        const Window& all = windows.all;
        if (all.left <= all.right && all.top <= all.bottom) {
            m_counts = DarkCounts(picture, QRect(QPoint(int(all.left), int(all.top)),
                                                 QPoint(int(all.right), int(all.bottom))));
        }
    }

    std::optional<TPoint> run() const
    {
        if (m_w < 1 || m_h < 1 || !m_counts)
            return std::nullopt;
        if (const auto corner = firstPass())
            return corner;
        return secondPass();
    }

private:
    std::int64_t row(std::int64_t x, std::int64_t y) const
    {
        return m_counts->count(x, y, x + m_w, y);
    }
    std::int64_t column(std::int64_t x, std::int64_t y) const
    {
        return m_counts->count(x, y, x, y + m_h);
    }

    std::optional<TPoint> firstPass() const
    {
        const double w = double(m_w);
        const double h = double(m_h);
        const std::int64_t lowerRow = roundHalfEven(0.8 * h);
        const std::int64_t innerColumn = roundHalfEven(0.8 * w);
        std::optional<TPoint> found;
        const Window scan = scanned(m_first, m_picture);
        for (std::int64_t y = scan.top; y <= scan.bottom; ++y) {
            for (std::int64_t x = scan.left; x <= scan.right; ++x) {
                if (!m_counts->dark(x, y))
                    continue;
                if (!(row(x, y) > 0.8 * w && column(x, y) > 0.8 * h))
                    continue;
                if (row(x, y + lowerRow) > 0.8 * w && column(x + innerColumn, y) > 0.8 * h) {
                    const TPoint here{int(x), int(y)};
                    if (!found) {
                        found = here;
                        break; // on with the next row
                    }
                    if (found->X < x)
                        return found;
                    found = here;
                    continue;
                }
                if (!found && m_counts->count(x, y, x + m_w, y + m_h) > 0.8 * w * h)
                    return TPoint{int(x), int(y)};
            }
        }
        return found;
    }

    std::optional<TPoint> secondPass() const
    {
        const std::int64_t runNeeded = m_w - m_w / 8;
        const double columnNeeded = 0.7 * double(m_h);
        std::optional<std::int64_t> firstRow;
        std::int64_t sum = 0;
        std::int64_t recorded = 0;
        const Window scan = scanned(m_second, m_picture);
        for (std::int64_t y = scan.top; y <= scan.bottom; ++y) {
            for (std::int64_t x = scan.left; x <= scan.right; ++x) {
                if (!m_counts->dark(x, y) || row(x, y) <= runNeeded)
                    continue;
                if (!firstRow && column(x + m_w / 2, y) > columnNeeded)
                    firstRow = y;
                if (firstRow) {
                    sum += x;
                    ++recorded;
                    break; // on with the next row
                }
            }
        }
        if (recorded == 0)
            return std::nullopt;
        return TPoint{int(sum / recorded), int(*firstRow)};
    }

    std::int64_t m_w;
    std::int64_t m_h;
    QSize m_picture;
    Window m_first{};
    Window m_second{};
    std::optional<DarkCounts> m_counts;
};

// A record's millimetres scaled to picture pixels, if the result is a usable
// rectangle.
std::optional<TRect> scaledRect(const MarkRectMm& r, double sx, double sy)
{
    const double values[4] = {r.X1 * sx, r.Y1 * sy, r.X2 * sx, r.Y2 * sy};
    constexpr double limit = double(1 << 30);
    for (double v : values) {
        if (!std::isfinite(v) || std::abs(v) > limit)
            return std::nullopt;
    }
    return TRect{roundHalfEven(values[0]), roundHalfEven(values[1]), roundHalfEven(values[2]),
                 roundHalfEven(values[3])};
}

} // namespace

std::optional<TPoint> FindMark(const QImage& picture, const TRect& expected)
{
    if (picture.isNull())
        return std::nullopt;
    return MarkSearch(picture, expected).run();
}

int MarkDetectionRows(const QSize& size, double pageWidthMm, double pageHeightMm,
                      const MarkRectMm& first, const MarkRectMm& second)
{
    if (size.isEmpty() || !(pageWidthMm > 0) || !(pageHeightMm > 0))
        return 0;
    const double sx = size.width() / pageWidthMm;
    const double sy = size.height() / pageHeightMm;
    int rows = 0;
    for (const MarkRectMm& mark : {first, second}) {
        const auto expected = scaledRect(mark, sx, sy);
        if (!expected)
            return 0;
        const Window all = searchWindows(size, *expected).all;
        if (all.left <= all.right && all.top <= all.bottom)
            rows = std::max(rows, int(all.bottom) + 1);
    }
    return rows;
}

std::optional<double> DetectMarkSkew(const QImage& picture, double pageWidthMm, double pageHeightMm,
                                     const MarkRectMm& first, const MarkRectMm& second)
{
    if (picture.isNull() || !(pageWidthMm > 0) || !(pageHeightMm > 0))
        return std::nullopt;
    const double sx = picture.width() / pageWidthMm;
    const double sy = picture.height() / pageHeightMm;
    const auto r0 = scaledRect(first, sx, sy);
    const auto r1 = scaledRect(second, sx, sy);
    if (!r0 || !r1)
        return std::nullopt;
    const auto p0 = FindMark(picture, *r0);
    if (!p0)
        return std::nullopt;
    const auto p1 = FindMark(picture, *r1);
    if (!p1 || p1->X == p0->X)
        return std::nullopt;
    return std::atan((double(p1->Y) - p0->Y) / (double(p1->X) - p0->X));
}

namespace {

// The current page's size and the first two records, which DetectMarkSkew
// of a document reads.
struct DocumentMarks
{
    TVectorGraph* page;
    MarkRectMm first;
    MarkRectMm second;
};

std::optional<DocumentMarks> documentMarks(const TVectorGraphics& document)
{
    if (document.GPList.size() < 2 || document.CurrentPage < 0 ||
        document.CurrentPage >= document.PageCount())
        return std::nullopt;
    const auto record = [&](std::size_t k) {
        const TGPS& r = document.GPList[k];
        return MarkRectMm{r.X1, r.Y1, r.X2, r.Y2};
    };
    return DocumentMarks{document.ActivePage(), record(0), record(1)};
}

} // namespace

bool DetectMarkSkew(TVectorGraphics& document, const QImage& picture)
{
    const auto marks = documentMarks(document);
    if (!marks)
        return false;
    const auto skew = DetectMarkSkew(picture, marks->page->Width, marks->page->Height, marks->first,
                                     marks->second);
    if (!skew)
        return false;
    marks->page->SkewAngle = *skew;
    return true;
}

int MarkDetectionRows(const TVectorGraphics& document, const QSize& size)
{
    const auto marks = documentMarks(document);
    return marks ? MarkDetectionRows(size, marks->page->Width, marks->page->Height, marks->first,
                                     marks->second)
                 : 0;
}

} // namespace sw
