#include "personalise/textsubstitution.h"

#include "document/vectorgraph.h"
#include "personalise/roster.h"
#include "shapes/recttext.h"

#include <utility>

namespace sw {

QString substituteCandidate(const QString& text, const Roster& roster, const Candidate& candidate)
{
    QString result;
    qsizetype from = 0;
    // Left to right, so that a value holding braces is never substituted again.
    while (from < text.size()) {
        const qsizetype open = text.indexOf(QLatin1Char('{'), from);
        const qsizetype close = open < 0 ? -1 : text.indexOf(QLatin1Char('}'), open + 1);
        if (close < 0)
            break;
        const qsizetype column = roster.Columns.indexOf(text.mid(open + 1, close - open - 1));
        if (column < 0) {
            result += text.mid(from, open + 1 - from);
            from = open + 1;
            continue;
        }
        result += text.mid(from, open - from) + candidate.Values.value(column);
        from = close + 1;
    }
    return result + text.mid(from);
}

ScopedCandidateText::ScopedCandidateText(TVectorGraph& page, const Roster& roster,
                                         const Candidate& candidate)
{
    for (int i = 0; i < page.ShapeCount(); ++i) {
        auto* box = dynamic_cast<TRectText*>(page.ShapeItem(i));
        if (!box)
            continue;
        QStringList lines = box->Lines;
        for (QString& line : lines)
            line = substituteCandidate(line, roster, candidate);
        if (lines != box->Lines)
            m_saved.emplace_back(box, std::exchange(box->Lines, lines));
    }
}

ScopedCandidateText::~ScopedCandidateText()
{
    for (auto& [box, lines] : m_saved)
        box->Lines = std::move(lines);
}

} // namespace sw
