#pragma once

#include "exam/examdata.h"

#include <map>
#include <vector>

namespace sw {

class DecisionIndex;
struct Script;

// How one question came out.
enum class AnswerState
{
    Right,
    Partial, // a correct part of a multiple-choice answer, no wrong option
    Wrong,
    Blank,
    Scored,      // a subjective question's points from its score box
    NotChosen,   // an optional question the candidate did not choose
    Review,      // a double or uncertain mark, or a score not read: a person decides
    PageMissing, // the page holding the question is not among the script's scans
    NoKey,       // the key has no answer for the paper type
};

// right, partial, wrong, blank, scored, not_chosen, review, page_missing, no_key
QString answerStateName(AnswerState state);

struct QuestionResult
{
    int question = 0;
    bool subjective = false; // a score-box question, otherwise an objective one
    QString chosen;          // options marked, or the score box's digits
    QString key;             // the right answer (objective questions with a key)
    int points = 0;
    AnswerState state = AnswerState::Blank;
    bool decided = false; // a person's decision stands in for the machine's reading
    qint64 scan = 0;      // the scan the question was read from; 0 when missing
    QString read;         // what the machine read there, also when decided
};

// The key's entries of one paper type by question.
using PaperKey = std::map<int, const KeyEntry*>;

// Scores one script: objective questions against the key (nullptr: no key
// for its paper type), subjective ones from their score boxes, optional ones
// only when chosen. Nothing doubtful earns points until a person decides it.
std::vector<QuestionResult> scoreScript(const Script& script, const PaperLayout& paper,
                                        const PaperKey* key, const ExamLayout& layout,
                                        const DecisionIndex& decisions);

// The points an objective answer earns, and how.
AnswerState judgeAnswer(const QString& chosen, const KeyEntry& key, bool multiple, int& points);

} // namespace sw
