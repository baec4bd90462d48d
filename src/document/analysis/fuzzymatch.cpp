#include "document/analysis/fuzzymatch.h"

#include "document/analysis/blobs.h"
#include "document/analysis/placement.h"
#include "platform/rounding.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace sw {

namespace {

// Coordinates far beyond any picture are kept inside this range so that
// rectangle arithmetic cannot overflow.
constexpr std::int64_t coordinateLimit = std::int64_t(1) << 30;

std::int64_t limited(std::int64_t v)
{
    return std::clamp(v, -coordinateLimit, coordinateLimit);
}

// The inclusive picture area from (left, top) to (right, bottom); empty when
// it is inverted or starts beyond the coordinate range (nothing of a picture
// lies there). QRect would silently swap inverted edges.
QRect inclusiveArea(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom)
{
    if (right < left || bottom < top || left < -coordinateLimit || top < -coordinateLimit ||
        left > coordinateLimit || top > coordinateLimit)
        return {};
    return QRect(QPoint(int(left), int(top)), QPoint(int(limited(right)), int(limited(bottom))));
}

struct BlobUnion
{
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    std::int64_t Count = 0;
};

// Bounding box and pixel count of all blobs; the blobs must not be empty.
BlobUnion unionOf(const std::vector<TBlob>& blobs)
{
    BlobUnion u{blobs[0].Left, blobs[0].Top, blobs[0].Right, blobs[0].Bottom, 0};
    for (const TBlob& b : blobs) {
        u.Left = std::min(u.Left, b.Left);
        u.Top = std::min(u.Top, b.Top);
        u.Right = std::max(u.Right, b.Right);
        u.Bottom = std::max(u.Bottom, b.Bottom);
        u.Count += std::int64_t(b.Points.size());
    }
    return u;
}

// How often each offset occurs in a pattern, over the offsets a placement's
// pixels can have (0 up to its largest width and height).
class PatternCounts
{
public:
    PatternCounts(const std::vector<TPoint>& pattern, int width, int height)
    {
        int maxX = -1;
        int maxY = -1;
        for (const TPoint& p : pattern) {
            if (p.X >= 0 && p.Y >= 0 && p.X < width && p.Y < height) {
                maxX = std::max(maxX, p.X);
                maxY = std::max(maxY, p.Y);
            }
        }
        m_width = maxX + 1;
        m_height = maxY + 1;
        m_counts.assign(std::size_t(m_width) * std::size_t(m_height), 0);
        for (const TPoint& p : pattern) {
            if (p.X >= 0 && p.Y >= 0 && p.X < m_width && p.Y < m_height)
                ++m_counts[std::size_t(p.Y) * std::size_t(m_width) + std::size_t(p.X)];
        }
    }

    // The pixels of a blob that match the pattern placed at (left, top).
    std::int64_t score(const TBlob& blob, int left, int top) const
    {
        std::int64_t score = 0;
        for (const TPoint& p : blob.Points) {
            const int x = p.X - left;
            const int y = p.Y - top;
            if (x < m_width && y < m_height)
                score += m_counts[std::size_t(y) * std::size_t(m_width) + std::size_t(x)];
        }
        return score;
    }

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<std::uint32_t> m_counts;
};

// The candidates of a chain differ by the blobs gathered last; their score
// only has to be recomputed in full when the placement's corner moved.
class ChainScorer
{
public:
    ChainScorer(const std::vector<TBlob>& blobs, const PatternCounts& pattern)
        : m_blobs(blobs), m_pattern(pattern)
    {
    }

    std::int64_t score(const TWZXZ& a)
    {
        const bool sameChain =
            m_scored > 0 && a.Blobs[0] == m_start && a.Left == m_left && a.Top == m_top;
        if (!sameChain) {
            m_start = a.Blobs[0];
            m_left = a.Left;
            m_top = a.Top;
            m_scored = 0;
            m_score = 0;
        }
        for (; m_scored < a.Blobs.size(); ++m_scored)
            m_score += m_pattern.score(m_blobs[std::size_t(a.Blobs[m_scored])], m_left, m_top);
        return m_score;
    }

private:
    const std::vector<TBlob>& m_blobs;
    const PatternCounts& m_pattern;
    int m_start = -1;
    int m_left = 0;
    int m_top = 0;
    std::size_t m_scored = 0;
    std::int64_t m_score = 0;
};

TRect shifted(int left, int top, int right, int bottom, const QRect& by)
{
    return {left + by.left(), top + by.top(), right + by.left(), bottom + by.top()};
}

} // namespace

std::optional<LearntPattern> learnPattern(const QImage& picture, const TRect& box, int threshold,
                                          int minimum)
{
    const QRect area = inclusiveArea(box.Left, box.Top, box.Right, box.Bottom);
    const std::vector<TBlob> blobs = FindBlobs(binarizedArea(picture, area, threshold), minimum);
    if (blobs.empty())
        return std::nullopt;
    const BlobUnion u = unionOf(blobs);
    LearntPattern learnt;
    learnt.Extent = shifted(u.Left, u.Top, u.Right, u.Bottom, area);
    learnt.Points.reserve(std::size_t(u.Count));
    for (const TBlob& b : blobs) {
        for (const TPoint& p : b.Points)
            learnt.Points.push_back({p.X - u.Left, p.Y - u.Top});
    }
    return learnt;
}

QRect searchArea(const TRect& box, double margin, const QSize& picture, bool clipToPicture)
{
    const std::int64_t dx = roundHalfEven(margin * (double(box.Right) - box.Left));
    const std::int64_t dy = roundHalfEven(margin * (double(box.Bottom) - box.Top));
    std::int64_t left = std::max<std::int64_t>(box.Left - dx, 1);
    std::int64_t top = std::max<std::int64_t>(box.Top - dy, 1);
    std::int64_t right = box.Right + dx;
    std::int64_t bottom = box.Bottom + dy;
    if (clipToPicture) {
        if (right > picture.width())
            right = picture.width() - 1;
        if (bottom > picture.height())
            bottom = picture.height() - 1;
    }
    return inclusiveArea(left, top, right, bottom);
}

std::optional<TRect> locatePattern(const QImage& picture, const TRect& box, int darkCount,
                                   const std::vector<TPoint>& pattern, int threshold, double margin,
                                   int minimum)
{
    const double w = double(box.Right) - box.Left;
    const double h = double(box.Bottom) - box.Top;
    if (w <= 0 || h <= 0 || pattern.empty())
        return std::nullopt;
    // The tolerance follows the learnt pixel count relative to the box.
    const double d = darkCount / w * h;
    const double f = d <= 0.9 ? 0.8 : 0.5;
    const FitRange fit{f * w, 1.2 * w, f * h, 1.2 * h};

    const QRect area = searchArea(box, margin, picture.size(), true);
    const DarkMask mask = binarizedArea(picture, area, threshold);
    const std::vector<TBlob> blobs = FindBlobs(mask, minimum);

    // A placement is narrower than the fit and than the part of the picture searched.
    const int maxWidth = int(std::min<double>(std::ceil(fit.MaxWidth), mask.width()));
    const int maxHeight = int(std::min<double>(std::ceil(fit.MaxHeight), mask.height()));
    const PatternCounts counts(pattern, maxWidth, maxHeight);
    ChainScorer scorer(blobs, counts);

    std::optional<TRect> best;
    std::int64_t bestScore = -1;
    forEachCandidate(blobs, fit, [&](const TWZXZ& a) {
        const std::int64_t score = scorer.score(a);
        if (score > bestScore) {
            bestScore = score;
            best = shifted(a.Left, a.Top, a.Right, a.Bottom, area);
        }
    });
    return best;
}

TPoint extentCentre(const TRect& extent)
{
    return {roundHalfEven(extent.width() / 2.0) + extent.Left,
            roundHalfEven(extent.height() / 2.0) + extent.Top};
}

double learntSkew(TPoint first, TPoint second)
{
    const double dx = double(second.X) - first.X;
    const double dy = double(second.Y) - first.Y;
    if (std::abs(dx) > std::abs(dy))
        return std::atan(dy / dx);
    if (dy == 0)
        return 0;
    return std::atan(-dx / dy);
}

LocatedSkew locatedSkew(TPoint first, TPoint second)
{
    const double dx = double(second.X) - first.X;
    const double dy = double(second.Y) - first.Y;
    LocatedSkew result;
    if (std::abs(dy) < std::abs(dx)) {
        result.AlignTop = std::abs(dy) < 2;
        result.Angle = std::abs(dy) > 1 ? std::atan(dy / dx) : 0;
    } else {
        result.AlignLeft = std::abs(dx) < 2;
        result.Angle = std::abs(dx) > 1 ? std::atan(-dx / dy) : 0;
    }
    return result;
}

PairCheck checkFuzzyPair(const QImage& picture, const TRect& box1, const TRect& box2, int minimum,
                         int threshold, double margin)
{
    PairCheck check;
    const QRect area1 = searchArea(box1, margin, picture.size(), true);
    const std::vector<TBlob> blobs1 = FindBlobs(binarizedArea(picture, area1, threshold), minimum);
    if (blobs1.empty())
        return check;
    const BlobUnion u1 = unionOf(blobs1);
    check.First = shifted(u1.Left, u1.Top, u1.Right, u1.Bottom, area1);

    const QRect area2 = searchArea(box2, margin, picture.size(), false);
    const std::vector<TBlob> blobs2 = FindBlobs(binarizedArea(picture, area2, threshold), minimum);
    const double w1 = double(u1.Right) - u1.Left;
    const double h1 = double(u1.Bottom) - u1.Top;
    const FitRange fit{w1 - w1 / 5, w1 + w1 / 5, h1 - h1 / 5, h1 + h1 / 5};
    std::int64_t bestDistance = -1;
    forEachCandidate(blobs2, fit, [&](const TWZXZ& a) {
        const std::int64_t distance = std::abs(a.Count - u1.Count);
        if (bestDistance < 0 || distance < bestDistance) {
            bestDistance = distance;
            check.Second = shifted(a.Left, a.Top, a.Right, a.Bottom, area2);
        }
    });
    if (!check.Second)
        return check;
    const double dy = double(check.Second->Top) - check.First->Top;
    const double dx = double(check.Second->Right) - check.First->Left;
    if (dx != 0)
        check.Angle = std::atan(dy / dx);
    return check;
}

} // namespace sw
