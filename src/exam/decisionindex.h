#pragma once

#include "exam/examdata.h"

#include <map>
#include <tuple>
#include <vector>

namespace sw {

// The newest decision for each scan, target and question.
class DecisionIndex
{
public:
    explicit DecisionIndex(const std::vector<Decision>& decisions);

    // nullptr when nobody decided it.
    const Decision* find(qint64 scan, DecisionTarget target, int question = 0) const;

private:
    std::map<std::tuple<qint64, int, int>, const Decision*> m_newest;
};

} // namespace sw
