#pragma once

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

namespace sw {

class TRectText;
class TVectorGraph;
struct Candidate;
struct Roster;

// `text` with every "{column}" of a roster column replaced by the
// candidate's value ({name}, {exam_number}, any other column); other braces
// stay as they are.
QString substituteCandidate(const QString& text, const Roster& roster, const Candidate& candidate);

// Puts a candidate's values into the page's text boxes for the time of an
// output and gives them back their own text when it goes out of scope.
class ScopedCandidateText
{
public:
    ScopedCandidateText(TVectorGraph& page, const Roster& roster, const Candidate& candidate);
    ~ScopedCandidateText();
    ScopedCandidateText(const ScopedCandidateText&) = delete;
    ScopedCandidateText& operator=(const ScopedCandidateText&) = delete;

private:
    std::vector<std::pair<TRectText*, QStringList>> m_saved;
};

} // namespace sw
