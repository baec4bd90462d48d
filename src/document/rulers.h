#pragma once

#include "platform/graphicstypes.h"

namespace sw {

class Canvas;
class TVectorGraphics;

// Colour of the ruler background (cream).
constexpr TColor RulerBackground = 0xF0FBFF;

// The two centimetre rulers beside the page surface, for the current page at
// its zoom. Scroll positions, lengths and thickness are device pixels.

// Redraws both rulers: background, millimetre ticks, centimetre labels, then
// the edges of the active shape. Nothing when the document has no page.
void DrawRulers(TVectorGraphics& document, int horzScroll, int vertScroll, Canvas& vertRuler,
                Canvas& horzRuler, int thickness, int vertLength, int horzLength);

// Moves the mouse-position markers to x on the horizontal and y on the
// vertical ruler (0 = no marker). Markers are drawn inverting, so the old
// ones are erased by drawing them again.
void DrawRulerCursor(TVectorGraphics& document, int x, int y, Canvas& vertRuler,
                     Canvas& horzRuler, int thickness);

// Marks the left/right and top/bottom edges of the active shape, if any.
void DrawRulerSelection(TVectorGraphics& document, int horzScroll, int vertScroll,
                        Canvas& vertRuler, Canvas& horzRuler, int thickness);

} // namespace sw
