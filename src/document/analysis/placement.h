#pragma once

#include "document/analysis/blobs.h"

#include <functional>
#include <vector>

namespace sw {

// A candidate placement of a pattern: one blob, or a blob with later blobs
// gathered to it. The bounding box is in work-image pixels (inclusive).
// Rather than copying points, it names the blobs whose points it holds.
struct TWZXZ
{
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Count = 0;
    std::vector<int> Blobs;

    int width() const { return Right - Left; }
    int height() const { return Bottom - Top; }
};

// The sizes a placement may have: width and height strictly inside the bounds.
struct FitRange
{
    double MinWidth = 0;
    double MaxWidth = 0;
    double MinHeight = 0;
    double MaxHeight = 0;

    bool fits(int width, int height) const
    {
        return MinWidth < width && width < MaxWidth && MinHeight < height && height < MaxHeight;
    }
};

// Visits the candidates in order, for blobs as FindBlobs returns them (their
// top rows never decrease). For each blob in order, the placement A
// starts as that blob alone and is a candidate when it fits; then each later
// blob whose union with A fits is gathered into A (box, points, count), and A
// is a candidate again. The visitor sees A as it stands at each candidate.
// A keeps the points of every blob it gathered, not only the last one's: a
// mark printed in separate strokes is then scored as a whole, where its last
// stroke alone would match less of it than a frame or block of the mark's
// size elsewhere in the search does.
void forEachCandidate(const std::vector<TBlob>& blobs, const FitRange& fit,
                      const std::function<void(const TWZXZ&)>& visit);

} // namespace sw
