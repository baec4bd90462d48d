#pragma once

#include "reading/affinemap.h"

#include <vector>

namespace sw {

class GreyView;
struct BubbleBoxGeometry;
struct InkLevels;
struct PageGeometry;

// One cell of a page mark as the scan shows it.
enum class MarkCell
{
    Empty,
    Block,     // a solid block with paper around it, as the marks are printed
    Damaged,   // neither: a hole, a blot or a tear over it
    OutOfView, // cut off by the picture's edge
};

// The cells of a mark in cell order.
std::vector<MarkCell> readMarkCells(const BubbleBoxGeometry& mark, const GreyView& scan,
                                    const AffineMap& map, const InkLevels& levels);

// How a page's marks compare with the scan.
struct MarkComparison
{
    int Differing = 0; // clean cells that show the other state than the page prints
    int Damaged = 0;   // cells that cannot be told
    int OutOfView = 0; // cells the picture does not show
};

// Compares the marks the page prints with the scan under `map`.
MarkComparison compareMarks(const PageGeometry& page, const GreyView& scan, const AffineMap& map,
                            const InkLevels& levels);

} // namespace sw
