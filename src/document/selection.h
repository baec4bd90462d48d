#pragma once

#include "document/records.h"

#include <vector>

namespace sw {

class TGraphics;
class TVectorGraphics;

// Selection, grouping and copying of shapes. Everything works on the current
// page, except that copy marks are set and pasted from every page; without a
// current page nothing happens.

// Selects the shape (and, with group, the rest of its group) and makes it the
// active shape. Without add, the rest of the page is deselected first unless
// the shape is already selected. Refuses locked, hidden and positioning boxes,
// and the page marks of a self-made sheet: false, nothing changed.
bool SelectShape(TVectorGraphics& document, TGraphics& shape, bool add, bool withGroup);

// While a band is pending: adds every shape of the current page with a corner
// of its bounds inside the band (BandStart to BandEnd, surface pixels) to the
// selection, then clears BandPending.
void SelectInBand(TVectorGraphics& document);

// With at least two shapes selected, gives them one group number higher than
// any group of the page.
void GroupSelection(TVectorGraphics& document);
void UngroupSelection(TVectorGraphics& document);

// On every page, marks the selected unlocked shapes for copying and unmarks
// the others.
void MarkSelectionForCopy(TVectorGraphics& document);
// Deselects every shape of every page and appends selected, ungrouped copies
// of the marked shapes to the current page at their coordinates.
void PasteMarked(TVectorGraphics& document);
void ClearCopyMarks(TVectorGraphics& document);

// The records of the selected unlocked shapes of the current page: what a cut
// keeps to paste after the shapes are gone.
std::vector<TGPS> RecordsOfSelection(TVectorGraphics& document);
// Pastes shapes made from the records as PasteMarked pastes marked ones.
void PasteRecords(TVectorGraphics& document, std::vector<TGPS> records);

} // namespace sw
