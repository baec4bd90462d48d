#pragma once

#include <QPointF>
#include <optional>
#include <vector>

namespace sw {

// x' = A x + B y + C, y' = D x + E y + F: from template layout pixels to
// scan pixels.
struct AffineMap
{
    double A = 1, B = 0, C = 0;
    double D = 0, E = 1, F = 0;

    QPointF map(QPointF p) const { return {A * p.x() + B * p.y() + C, D * p.x() + E * p.y() + F}; }
    // Scan pixels per layout pixel, on average over both axes.
    double scale() const;
    // The map of the sheet turned half round about `centre` (layout pixels).
    AffineMap turnedAbout(QPointF centre) const;
};

// A point of the template and where it was found on the scan.
struct PointPair
{
    QPointF Template;
    QPointF Scan;
};

struct AffineFit
{
    AffineMap Map;
    double Residual = 0; // root mean square distance of the pairs, scan pixels
};

// Least-squares affine fit of three or more pairs; with two pairs the map
// is a rotation, scale and shift. Nothing with fewer pairs or when the
// points lie on one line.
std::optional<AffineFit> fitAffine(const std::vector<PointPair>& pairs);

// Least-squares rotation, scale and shift through two or more pairs: steadier
// than an affine fit when most points lie close together. Nothing with fewer
// pairs or when the template points coincide.
std::optional<AffineFit> fitSimilarity(const std::vector<PointPair>& pairs);

} // namespace sw
