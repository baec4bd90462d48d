#pragma once

#include <QImage>
#include <vector>

namespace sw {

class Canvas;
class TMHSB;
class TVectorGraph;

// The mark detection of the fuzzy-recognition boxes on a page's background
// picture, read pixel for pixel as layout pixels (zoom and picture offset not
// applied). All three need a box numbered 1 and one numbered 2, and return
// false without a change when either is missing or the picture is empty; a
// failure on a later box leaves the changes to earlier boxes in place.

// Shrinks every box onto the dark pattern inside it, stores the pattern
// (PointList, SBSL, PointX, PointY) and measures the skew from the first two
// boxes. False when a box holds no dark pattern.
bool LearnFuzzyBoxes(TVectorGraph& page, const QImage& picture, int threshold, int minimum);

// Moves every box onto the place around it (margin times its size on each
// side) where its stored pattern fits best and measures the remaining skew;
// box 2 is aligned with box 1 when they lie within a pixel across the pair.
// False when a box finds no place of its size.
bool LocateFuzzyBoxes(TVectorGraph& page, const QImage& picture, int threshold, double margin,
                      int minimum);

// Paints where the contents of boxes 1 and 2 are found: box 1's dark extent
// in solid red, the best match of its size around box 2 in solid green, in
// layout pixels; sets the skew between them. False when box 2 has no match.
bool TestFuzzyBoxes(TVectorGraph& page, Canvas& canvas, const QImage& picture, int minimum,
                    int threshold, double margin);

// The same over a list of fuzzy boxes in page order and the page's skew.
bool LearnFuzzyBoxes(const std::vector<TMHSB*>& boxes, double& skewAngle, const QImage& picture,
                     int threshold, int minimum);
bool LocateFuzzyBoxes(const std::vector<TMHSB*>& boxes, double& skewAngle, const QImage& picture,
                      int threshold, double margin, int minimum);
bool TestFuzzyBoxes(const std::vector<TMHSB*>& boxes, double& skewAngle, Canvas& canvas,
                    const QImage& picture, int minimum, int threshold, double margin);

// The page's fuzzy boxes in list order.
std::vector<TMHSB*> fuzzyBoxesOf(const TVectorGraph& page);

} // namespace sw
