#include "document/analysis/placement.h"

#include <algorithm>

namespace sw {

void forEachCandidate(const std::vector<TBlob>& blobs, const FitRange& fit,
                      const std::function<void(const TWZXZ&)>& visit)
{
    const int n = int(blobs.size());
    for (int c = 0; c < n; ++c) {
        const TBlob& start = blobs[c];
        TWZXZ a;
        a.Left = start.Left;
        a.Top = start.Top;
        a.Right = start.Right;
        a.Bottom = start.Bottom;
        a.Count = int(start.Points.size());
        a.Blobs = {c};
        if (fit.fits(a.width(), a.height()))
            visit(a);
        for (int j = c + 1; j < n; ++j) {
            const TBlob& later = blobs[j];
            // Blobs come in the order of their top rows, so once a later blob
            // starts too far below A's top, no union with it or any after it fits.
            if (double(later.Top) - double(a.Top) >= fit.MaxHeight)
                break;
            const int left = std::min(a.Left, later.Left);
            const int top = std::min(a.Top, later.Top);
            const int right = std::max(a.Right, later.Right);
            const int bottom = std::max(a.Bottom, later.Bottom);
            if (!fit.fits(right - left, bottom - top))
                continue;
            a.Left = left;
            a.Top = top;
            a.Right = right;
            a.Bottom = bottom;
            a.Count += int(later.Points.size());
            a.Blobs.push_back(j);
            visit(a);
        }
    }
}

} // namespace sw
