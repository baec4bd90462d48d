#include "reading/markdecision.h"

#include <algorithm>
#include <cmath>

namespace sw {

namespace {

// The blank level is the score this share of the sheet's cells lies under:
// most cells of a sheet are left blank.
constexpr double BlankShare = 0.25;
// A mark stands this far above the blank level (a half-erased mark stays
// below, a light pencil fill above).
constexpr double LightContrast = 0.2;
// Beside a darker sibling a mark needs this share of its score.
constexpr double SiblingShare = 0.5;
// Decisions this near their line are flagged.
constexpr double CloseBand = 0.05;
// The covered shares of a cell count with these weights beside the mean: a
// tick's line covers a sixth or so of the cell, all of it dark; a light
// pencil fill most of it, lightly.
constexpr double DarkShareWeight = 2.0;
constexpr double LightShareWeight = 0.5;

} // namespace

double markScore(const CellInk& seen, const CellInk& printed)
{
    return std::max({seen.Mean - printed.Mean,
                     DarkShareWeight * (seen.DarkShare - printed.DarkShare),
                     LightShareWeight * (seen.LightShare - printed.LightShare)});
}

MarkDecider::MarkDecider(std::vector<double> scores)
{
    double blank = 0;
    if (!scores.empty()) {
        const auto at = scores.begin() + std::ptrdiff_t(double(scores.size() - 1) * BlankShare);
        std::nth_element(scores.begin(), at, scores.end());
        blank = std::max(0.0, *at);
    }
    m_blank = blank;
    m_threshold = blank + LightContrast;
}

std::vector<MarkDecision> MarkDecider::decide(const std::vector<double>& question) const
{
    double darkest = 0;
    for (const double s : question)
        darkest = std::max(darkest, s);
    const double line = std::max(m_threshold, darkest * SiblingShare);
    std::vector<MarkDecision> decisions;
    bool anyFilled = false;
    for (const double s : question) {
        decisions.push_back({s >= line, std::abs(s - line) < CloseBand});
        anyFilled = anyFilled || s >= line;
    }
    if (!anyFilled && !question.empty()) {
        // A question read blank whose darkest cell stands halfway to a mark
        // and clear of its siblings holds something a person should see.
        const auto top = std::max_element(question.begin(), question.end());
        double next = m_blank;
        for (auto it = question.begin(); it != question.end(); ++it)
            if (it != top)
                next = std::max(next, *it);
        if (*top >= (m_blank + m_threshold) / 2 && *top - next >= CloseBand)
            decisions[std::size_t(top - question.begin())].Close = true;
    }
    return decisions;
}

} // namespace sw
