#pragma once

#include "reading/cellsampling.h"

#include <vector>

namespace sw {

// What a cell shows beyond the ink printed in it: 0 for a blank cell, about
// its darkness for a filled one. A mark over part of the cell counts by the
// share it covers, so a tick weighs like a light fill.
double markScore(const CellInk& seen, const CellInk& printed);

struct MarkDecision
{
    bool Filled = false;
    bool Close = false; // so near the line that a person should look
};

// Decides the cells of each question by comparing them with the sheet's
// blank level and with their siblings: a light but clear mark counts on a
// sheet that also has dark ones, while beside a plainly darker sibling a
// faint one (a half-erased first choice) does not.
class MarkDecider
{
public:
    // `scores`: every answer-like cell of the sheet, to learn its blank level.
    explicit MarkDecider(std::vector<double> scores);

    // The score a mark needs where no sibling is darker.
    double threshold() const { return m_threshold; }
    std::vector<MarkDecision> decide(const std::vector<double>& question) const;

private:
    double m_blank = 0;
    double m_threshold = 0;
};

} // namespace sw
