#include "exam/decisionindex.h"

namespace sw {

DecisionIndex::DecisionIndex(const std::vector<Decision>& decisions)
{
    // Later entries are newer: they replace earlier ones.
    for (const Decision& d : decisions)
        m_newest[{d.scan, int(d.target), d.question}] = &d;
}

const Decision* DecisionIndex::find(qint64 scan, DecisionTarget target, int question) const
{
    const auto it = m_newest.find({scan, int(target), question});
    return it == m_newest.end() ? nullptr : it->second;
}

} // namespace sw
