#pragma once

#include <QChar>
#include <QString>
#include <map>
#include <utility>
#include <vector>

namespace sw {

struct PageGeometry;

// An answer question (objective, 客观题) as the template prints it.
struct ObjectiveQuestion
{
    int number = 0;
    QString options; // the option characters in print order
    bool multiple = false;
};

// A subjective question (主观题) whose points the marker writes into a score
// box; optional ones count only when the candidate marks their choice box.
struct SubjectiveQuestion
{
    int number = 0;
    bool optional = false;
    QString group; // the alternatives' text (XZTH), empty when not optional
};

// What one paper type asks.
struct PaperLayout
{
    QChar paperType;
    std::map<int, ObjectiveQuestion> objective;
    std::map<int, SubjectiveQuestion> subjective;
    int pageCount = 0;
};

// The questions of an exam's template per paper type, and how its optional
// choice boxes link to subjective questions.
struct ExamLayout
{
    std::map<QChar, PaperLayout> papers;
    // (page index, optional-choice number) -> the subjective question chosen.
    std::map<std::pair<int, int>, int> optionalChoices;

    const PaperLayout* paper(QChar paperType) const;
};

ExamLayout examLayout(const std::vector<PageGeometry>& pages);

} // namespace sw
