#include "reading/affinemap.h"

#include <array>
#include <cmath>

namespace sw {

namespace {

// Solves the 3 x 3 system m v = r by Cramer's rule; nothing when singular.
std::optional<std::array<double, 3>> solve3(const std::array<std::array<double, 3>, 3>& m,
                                            const std::array<double, 3>& r)
{
    const auto det = [](const std::array<std::array<double, 3>, 3>& a) {
        return a[0][0] * (a[1][1] * a[2][2] - a[1][2] * a[2][1]) -
               a[0][1] * (a[1][0] * a[2][2] - a[1][2] * a[2][0]) +
               a[0][2] * (a[1][0] * a[2][1] - a[1][1] * a[2][0]);
    };
    const double d = det(m);
    if (std::abs(d) < 1e-9)
        return std::nullopt;
    std::array<double, 3> v{};
    for (int k = 0; k < 3; ++k) {
        auto mk = m;
        for (int i = 0; i < 3; ++i)
            mk[i][k] = r[i];
        v[k] = det(mk) / d;
    }
    return v;
}

// Rotation, scale and shift through two pairs.
std::optional<AffineMap> similarityOf(const PointPair& p, const PointPair& q)
{
    const QPointF t = q.Template - p.Template;
    const QPointF s = q.Scan - p.Scan;
    const double n = t.x() * t.x() + t.y() * t.y();
    if (n < 1e-9)
        return std::nullopt;
    // s = (a + i b) t as complex numbers.
    const double a = (s.x() * t.x() + s.y() * t.y()) / n;
    const double b = (s.y() * t.x() - s.x() * t.y()) / n;
    AffineMap m{a, -b, 0, b, a, 0};
    const QPointF shift = p.Scan - m.map(p.Template);
    m.C = shift.x();
    m.F = shift.y();
    return m;
}

double residualOf(const AffineMap& map, const std::vector<PointPair>& pairs)
{
    double sum = 0;
    for (const PointPair& p : pairs) {
        const QPointF d = map.map(p.Template) - p.Scan;
        sum += d.x() * d.x() + d.y() * d.y();
    }
    return std::sqrt(sum / double(pairs.size()));
}

} // namespace

double AffineMap::scale() const
{
    return std::sqrt(std::abs(A * E - B * D));
}

AffineMap AffineMap::turnedAbout(QPointF centre) const
{
    // p -> 2 centre - p, then this map.
    AffineMap m{-A, -B, 0, -D, -E, 0};
    const QPointF shift = map(2 * centre);
    m.C = shift.x();
    m.F = shift.y();
    return m;
}

std::optional<AffineFit> fitSimilarity(const std::vector<PointPair>& pairs)
{
    if (pairs.size() < 2)
        return std::nullopt;
    QPointF t0, s0;
    for (const PointPair& p : pairs) {
        t0 += p.Template;
        s0 += p.Scan;
    }
    t0 /= double(pairs.size());
    s0 /= double(pairs.size());
    // s - s0 = (a + i b)(t - t0) as complex numbers, in the least-squares sense.
    double n = 0, re = 0, im = 0;
    for (const PointPair& p : pairs) {
        const QPointF t = p.Template - t0;
        const QPointF s = p.Scan - s0;
        n += t.x() * t.x() + t.y() * t.y();
        re += s.x() * t.x() + s.y() * t.y();
        im += s.y() * t.x() - s.x() * t.y();
    }
    if (n < 1e-9)
        return std::nullopt;
    const double a = re / n;
    const double b = im / n;
    AffineMap m{a, -b, 0, b, a, 0};
    const QPointF shift = s0 - m.map(t0);
    m.C = shift.x();
    m.F = shift.y();
    return AffineFit{m, residualOf(m, pairs)};
}

std::optional<AffineFit> fitAffine(const std::vector<PointPair>& pairs)
{
    if (pairs.size() < 2)
        return std::nullopt;
    if (pairs.size() == 2) {
        const auto m = similarityOf(pairs[0], pairs[1]);
        if (!m)
            return std::nullopt;
        return AffineFit{*m, 0.0};
    }
    // Normal equations over (x, y, 1) for each scan coordinate.
    std::array<std::array<double, 3>, 3> n{};
    std::array<double, 3> rx{}, ry{};
    for (const PointPair& p : pairs) {
        const std::array<double, 3> v{p.Template.x(), p.Template.y(), 1.0};
        for (int i = 0; i < 3; ++i) {
            for (int j = 0; j < 3; ++j)
                n[i][j] += v[i] * v[j];
            rx[i] += v[i] * p.Scan.x();
            ry[i] += v[i] * p.Scan.y();
        }
    }
    const auto x = solve3(n, rx);
    const auto y = solve3(n, ry);
    if (!x || !y)
        return std::nullopt;
    const AffineMap map{(*x)[0], (*x)[1], (*x)[2], (*y)[0], (*y)[1], (*y)[2]};
    return AffineFit{map, residualOf(map, pairs)};
}

} // namespace sw
