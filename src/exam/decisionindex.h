#pragma once

#include "exam/examdata.h"

#include <map>
#include <tuple>
#include <vector>

namespace sw {

// The newest decision for each scan, target and question that was not taken
// back.
class DecisionIndex
{
public:
    explicit DecisionIndex(const std::vector<Decision>& decisions);

    // nullptr when nobody decided it.
    const Decision* find(qint64 scan, DecisionTarget target, int question = 0) const;

private:
    // Oldest first; a withdrawal removes the newest.
    std::map<std::tuple<qint64, int, int>, std::vector<const Decision*>> m_standing;
};

} // namespace sw
