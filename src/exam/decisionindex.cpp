#include "exam/decisionindex.h"

namespace sw {

DecisionIndex::DecisionIndex(const std::vector<Decision>& decisions)
{
    // Later entries are newer: they replace earlier ones, or take them back.
    for (const Decision& d : decisions) {
        const std::tuple<qint64, int, int> key{d.scan, int(d.target), d.question};
        std::vector<const Decision*>& standing = m_standing[key];
        if (!d.withdrawn)
            standing.push_back(&d);
        else if (!standing.empty())
            standing.pop_back();
    }
}

const Decision* DecisionIndex::find(qint64 scan, DecisionTarget target, int question) const
{
    const auto it = m_standing.find({scan, int(target), question});
    return it == m_standing.end() || it->second.empty() ? nullptr : it->second.back();
}

} // namespace sw
