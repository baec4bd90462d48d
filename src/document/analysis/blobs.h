#pragma once

#include "document/analysis/darkmask.h"
#include "platform/geometry.h"

#include <QImage>
#include <vector>

namespace sw {

// An 8-connected group of black pixels of a work image; the bounding box
// edges are inclusive pixel coordinates.
struct TBlob
{
    std::vector<TPoint> Points;
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
};

// The blobs of the black pixels with at least `minimum` pixels (never empty
// ones), in the order and with the pixel order of the row-by-row scan: each
// black pixel joins the oldest blob it touches, and the other blobs it touches
// are appended to that one, oldest first. Blobs come out in the order of
// their first pixel in the scan. Linear in the number of pixels.
std::vector<TBlob> FindBlobs(const DarkMask& mask, int minimum);

// FindBlobs on the black (0, 0, 0) pixels of a binarized work image.
std::vector<TBlob> FindBlobs(const QImage& image, int minimum);

} // namespace sw
