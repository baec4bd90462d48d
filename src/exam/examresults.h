#pragma once

#include "exam/examdata.h"
#include "exam/scoring.h"

#include <QStringList>
#include <vector>

namespace sw {

enum class CandidateStatus
{
    Ok,
    Absent,
    Cheating,
    Review,
    Missing, // on the candidate list, but no script was read
};

// One row of the results: a candidate of the list, or a script whose exam
// number is not on it.
struct CandidateResult
{
    QString examNumber;
    QString name;      // from the list; empty for a script not on it
    QStringList extra; // the list's further columns
    QChar paperType;   // null when missing
    CandidateStatus status = CandidateStatus::Missing;
    int total = 0;
    std::vector<QuestionResult> questions; // objective ones by number, then subjective ones
    std::vector<qint64> scans;             // the script's pages in scan order
};

// What stands between an exam and its results.
enum class CheckKind
{
    ReviewAnswer,     // a double or uncertain mark on an objective question
    ReviewScore,      // a score box not read, or an optional choice in doubt
    ReviewExamNumber, // an exam number not read with certainty
    ReviewSheet,      // a sheet that looks printed from another template, or damaged
    FailedRead,       // the file or the sheet could not be read
    UnplacedPage,     // a later page that follows no page 1 of its paper type
    PageMissing,      // a script lacks one of its paper type's pages
    UnknownCandidate, // an exam number not on the list
    DuplicateScript,  // two scripts for one exam number
    MissingScript,    // a candidate of the list without a script
    AbsentWithScript, // the absence mark is filled on a script
    UnknownPaperType, // the key has no answers for a script's paper type
    NoKey,            // the exam has no answer key yet
};

struct CheckItem
{
    CheckKind kind = CheckKind::FailedRead;
    qint64 scan = 0; // 0 when the item belongs to no one scan
    QString sha256;
    QString fileName;
    int question = 0;   // for the review of a question
    QString reading;    // what the machine read there
    QString examNumber; // of the candidate concerned
    QChar paperType;
};

// One line for people.
QString checkItemText(const CheckItem& item);
// The word results use: ok, absent, cheating, review or missing.
QString candidateStatusName(CandidateStatus status);

struct ExamResults
{
    std::vector<CandidateResult> candidates; // list order, then unknown numbers in scan order
    std::vector<CheckItem> checks;           // in scan order, then the list's missing ones
    std::vector<int> objectiveColumns;       // every paper type's objective questions
    std::vector<int> subjectiveColumns;      // every paper type's score-box questions
};

// Scores every script and reconciles them with the candidate list; with an
// empty list, every script is a row and nothing is unknown or missing.
ExamResults examResults(const ExamData& data);

} // namespace sw
