#pragma once

#include "exam/answerkey.h"
#include "exam/examlayout.h"
#include "exam/roster.h"
#include "reading/sheetreader.h"

#include <QDateTime>
#include <QString>
#include <vector>

namespace sw {

// One scan stored with an exam: known by the SHA-256 of its bytes.
struct ExamScan
{
    qint64 id = 0;  // also the scan order: scans are numbered as they are stored
    QString sha256; // lower-case hex
    QString fileName;
    QString failure;      // why the file could not be read; empty when it was
    SheetReading reading; // what the machine read, without the cells and the map
    QDateTime readTime;

    bool isRead() const { return failure.isEmpty() && reading.isRead(); }
};

// What a person's decision settles.
enum class DecisionTarget
{
    Answer,     // an objective question's chosen options ("" for blank)
    Score,      // the digits of a subjective question's score box
    ExamNumber, // the candidate's exam number
    Sheet,      // the sheet as read is accepted although it looked doubtful
};

// A person's decision about a scan; decisions are only ever added, and the
// newest for the same scan, target and question counts.
struct Decision
{
    qint64 id = 0;
    qint64 scan = 0;
    DecisionTarget target = DecisionTarget::Answer;
    int question = 0; // for Answer and Score
    QString answer;
    QString reviewer;
    QString reason;
    QDateTime time;
    // Takes back the newest decision before it for the same scan, target and
    // question: the item is open again.
    bool withdrawn = false;
};

// Everything stored with an exam that results are made from.
struct ExamData
{
    QString name;
    ExamLayout layout;
    AnswerKey key;      // the newest version
    int keyVersion = 0; // 0: no key yet
    Roster roster;
    std::vector<ExamScan> scans;     // in scan order
    std::vector<Decision> decisions; // oldest first
};

QString decisionTargetName(DecisionTarget target);
bool decisionTargetFromName(const QString& name, DecisionTarget& target);

} // namespace sw
