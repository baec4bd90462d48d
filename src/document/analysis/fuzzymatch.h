#pragma once

#include "platform/geometry.h"

#include <QImage>
#include <QRect>
#include <optional>
#include <vector>

namespace sw {

// The image side of the fuzzy-recognition boxes, on plain rectangles. Boxes
// and extents are TRects in picture pixels (= layout pixels) whose Right and
// Bottom are Left + width and Top + height, as a box's bounds are.

// The dark pattern inside a box.
struct LearntPattern
{
    TRect Extent;               // bounding box of the dark pixels
    std::vector<TPoint> Points; // relative to the extent's top-left, blob by blob
};

// Binarizes the picture under the box (edges included) and gathers the blobs
// of at least `minimum` pixels. Nothing when no dark pixel is left.
std::optional<LearntPattern> learnPattern(const QImage& picture, const TRect& box, int threshold,
                                          int minimum);

// The search rectangle around a box: widened on each side by margin times the
// box's width or height, left and top raised to at least 1 and, when clipped,
// right and bottom lowered to the last column or row of the picture where
// they lie beyond it. Edges inclusive.
QRect searchArea(const TRect& box, double margin, const QSize& picture, bool clipToPicture);

// The placement around the box whose pixels best match the learnt pattern,
// among the groups of blobs of about the box's size; `darkCount` is the
// box's learnt pixel count. Nothing when no group fits, the box has no size
// or the pattern holds no pair.
std::optional<TRect> locatePattern(const QImage& picture, const TRect& box, int darkCount,
                                   const std::vector<TPoint>& pattern, int threshold, double margin,
                                   int minimum);

// The centre of an extent: half its width and height rounded, added to its
// top-left corner.
TPoint extentCentre(const TRect& extent);

// Skew measured after learning, from the centres of the first two boxes;
// 0 when they coincide.
double learntSkew(TPoint first, TPoint second);

// Skew measured after locating, and whether box 2 is to be aligned with box 1
// because the two lie within a pixel of each other across the pair.
struct LocatedSkew
{
    double Angle = 0;
    bool AlignTop = false;
    bool AlignLeft = false;
};
LocatedSkew locatedSkew(TPoint first, TPoint second);

// The quick check of boxes 1 and 2: First is the extent of all blobs in box 1
// (widened by the margin), Second the group of blobs around box 2 of box 1's
// extent within a fifth whose pixel count is closest to box 1's, and Angle the
// slope from First's top-left to Second's top-right (none when they share
// that x).
struct PairCheck
{
    std::optional<TRect> First;
    std::optional<TRect> Second;
    std::optional<double> Angle;
};
PairCheck checkFuzzyPair(const QImage& picture, const TRect& box1, const TRect& box2, int minimum,
                         int threshold, double margin);

} // namespace sw
