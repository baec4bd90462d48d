#pragma once

namespace sw {

class TVectorGraphics;

// The arrange commands. Each works on the selected shapes of the current page
// from index 6 on (the reserved boxes and marks never move), in list order,
// and needs at least two selected shapes on the page (three for the
// distribution), counting the reserved ones. Without a current page nothing
// happens.

// Lines up the left, right, top or bottom edges with the outermost one,
// keeping sizes.
void AlignLeft(TVectorGraphics& document);
void AlignRight(TVectorGraphics& document);
void AlignTop(TVectorGraphics& document);
void AlignBottom(TVectorGraphics& document);

// Spreads the shapes with equal gaps between the leftmost left edge and the
// rightmost right edge (topmost top and bottommost bottom), in list order: an
// earlier shape ends up further left (higher).
void DistributeHorizontally(TVectorGraphics& document);
void DistributeVertically(TVectorGraphics& document);

// Sets every width (height) to the largest or smallest one, keeping the left
// (top) edge. Vertical lines keep their width and horizontal lines their
// height.
void MaxWidth(TVectorGraphics& document);
void MaxHeight(TVectorGraphics& document);
void MinWidth(TVectorGraphics& document);
void MinHeight(TVectorGraphics& document);

} // namespace sw
