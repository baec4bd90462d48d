#include "document/analysis/blobs.h"

#include <algorithm>
#include <bit>
#include <cstdint>

namespace sw {

namespace {

// The blobs of the scan so far, as a union-find forest whose roots are the
// live blobs. A root is always the oldest blob of its set, and its pixels are
// a linked list in the order the scan appended and merged them.
class BlobForest
{
public:
    explicit BlobForest(std::size_t pixels)
    {
        m_points.reserve(pixels);
        m_next.reserve(pixels);
    }

    int find(int b)
    {
        while (m_blobs[b].parent != b) {
            m_blobs[b].parent = m_blobs[m_blobs[b].parent].parent;
            b = m_blobs[b].parent;
        }
        return b;
    }

    // Adds the pixel to the oldest of the given live blobs (or to a new blob
    // when there is none) and merges the others into it; returns its blob.
    int add(TPoint p, int* roots, int rootCount)
    {
        const int node = int(m_points.size());
        m_points.push_back(p);
        m_next.push_back(-1);
        if (rootCount == 0) {
            const int b = int(m_blobs.size());
            m_blobs.push_back({b, node, node, 1, p.X, p.Y, p.X, p.Y});
            return b;
        }
        // At most four roots: sort them oldest first by insertion.
        for (int i = 1; i < rootCount; ++i) {
            for (int j = i; j > 0 && roots[j] < roots[j - 1]; --j)
                std::swap(roots[j], roots[j - 1]);
        }
        Blob& first = m_blobs[roots[0]];
        append(first, node, node, 1, p.X, p.Y, p.X, p.Y);
        for (int i = 1; i < rootCount; ++i) {
            Blob& other = m_blobs[roots[i]];
            append(first, other.head, other.tail, other.count, other.left, other.top, other.right,
                   other.bottom);
            other.parent = roots[0];
            other.count = 0;
        }
        return roots[0];
    }

    std::vector<TBlob> result(TPoint origin, int minimum) const
    {
        std::vector<TBlob> blobs;
        for (const Blob& b : m_blobs) {
            if (b.count == 0 || b.count < minimum)
                continue;
            TBlob out;
            out.Points.reserve(std::size_t(b.count));
            for (int n = b.head; n >= 0; n = m_next[n])
                out.Points.push_back(m_points[n] + origin);
            out.Left = b.left + origin.X;
            out.Top = b.top + origin.Y;
            out.Right = b.right + origin.X;
            out.Bottom = b.bottom + origin.Y;
            blobs.push_back(std::move(out));
        }
        return blobs;
    }

private:
    struct Blob
    {
        int parent;
        int head;
        int tail;
        int count;
        int left;
        int top;
        int right;
        int bottom;
    };

    void append(Blob& b, int head, int tail, int count, int left, int top, int right, int bottom)
    {
        m_next[b.tail] = head;
        b.tail = tail;
        b.count += count;
        b.left = std::min(b.left, left);
        b.top = std::min(b.top, top);
        b.right = std::max(b.right, right);
        b.bottom = std::max(b.bottom, bottom);
    }

    std::vector<Blob> m_blobs;
    std::vector<TPoint> m_points;
    std::vector<int> m_next;
};

} // namespace

std::vector<TBlob> FindBlobs(const DarkMask& mask, int minimum)
{
    const int width = mask.width();
    std::size_t dark = 0;
    for (int y = 0; y < mask.height(); ++y) {
        for (int w = 0; w < mask.wordsPerRow(); ++w)
            dark += std::size_t(std::popcount(mask.row(y)[w]));
    }
    BlobForest forest(dark);
    // Blob of each pixel of the previous and the current row (valid where the
    // mask is set).
    std::vector<int> previous(std::size_t(width), -1);
    std::vector<int> current(std::size_t(width), -1);
    const auto bit = [](const std::uint64_t* bits, int x) {
        return (bits[x >> 6] >> (x & 63) & 1u) != 0;
    };
    for (int y = 0; y < mask.height(); ++y) {
        const std::uint64_t* bits = mask.row(y);
        const std::uint64_t* above = y > 0 ? mask.row(y - 1) : nullptr;
        for (int w = 0; w < mask.wordsPerRow(); ++w) {
            for (std::uint64_t word = bits[w]; word != 0; word &= word - 1) {
                const int x = w * 64 + std::countr_zero(word);
                // The neighbours scanned before (x, y). A dark left neighbour
                // has already joined the blobs above-left and above.
                int roots[4];
                int count = 0;
                const auto touch = [&](int blob) {
                    const int r = forest.find(blob);
                    if (std::find(roots, roots + count, r) == roots + count)
                        roots[count++] = r;
                };
                const bool left = x > 0 && bit(bits, x - 1);
                if (left)
                    touch(current[x - 1]);
                if (above) {
                    if (!left && x > 0 && bit(above, x - 1))
                        touch(previous[x - 1]);
                    if (!left && bit(above, x))
                        touch(previous[x]);
                    if (x + 1 < width && bit(above, x + 1))
                        touch(previous[x + 1]);
                }
                current[x] = forest.add({x, y}, roots, count);
            }
        }
        std::swap(previous, current);
    }
    return forest.result(mask.origin(), minimum);
}

std::vector<TBlob> FindBlobs(const QImage& image, int minimum)
{
    return FindBlobs(blackPixels(image), minimum);
}

} // namespace sw
