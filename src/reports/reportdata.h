#pragma once

#include "exam/examresults.h"

#include <QImage>
#include <QRectF>
#include <QString>
#include <utility>
#include <vector>

namespace sw {

// What the reports are made from: the questions of an exam and the scored
// candidates, as plain values. Whoever scores the exam fills these in; the
// reports neither know nor care how the exam keeps its records.

// The answer key of one question on one paper type.
struct QuestionKey
{
    QString paperType; // the paper type's name as the candidates' rows give it ("A", "B", ...)
    QString answer;    // the option characters of the right answer, e.g. "B" or "ACD"
};

struct ReportQuestion
{
    QString number;    // the question's number as printed on the sheet
    double points = 1; // full marks
    QString options;   // the option characters offered, e.g. "ABCD"; empty for a written question
    std::vector<QuestionKey> keys; // the key per paper type; empty for a written question
    bool multipleChoice = false;   // more than one option may belong to the answer
    bool objective = true; // scored by the machine from marks; only these enter the reliability

    // The key of `paperType`; empty when that paper type has none.
    QString keyFor(const QString& paperType) const;
};

// One answer cell of a question on the straightened page picture.
struct AnswerCell
{
    int page = 0; // index into ReportCandidate::pictures
    QRectF rect;  // the cell in that picture's pixels
    QChar option; // the option character the cell stands for
};

// A candidate's answer to one question.
struct ReportAnswer
{
    double points = 0;             // the points given
    QString chosen;                // the option characters marked; empty for a blank answer
    bool multipleMarks = false;    // more marks than the question allows (a double mark)
    std::vector<AnswerCell> cells; // where the question's cells are, for the candidate sheet
};

struct ReportCandidate
{
    QString examNumber;
    QString name;
    QString paperType;
    CandidateStatus status = CandidateStatus::Ok;
    double total = 0;
    std::vector<ReportAnswer> answers; // one per ReportData::questions, in the same order
    // The candidate list's further columns (class, seat, ...) in their order, as name and value.
    std::vector<std::pair<QString, QString>> rosterColumns;
    std::vector<QImage> pictures; // the straightened pages of the script; empty when none
};

struct ReportData
{
    QString examName;
    std::vector<ReportQuestion> questions;
    std::vector<ReportCandidate> candidates;
};

// Whether a script was read for a candidate of this status.
bool hasScript(CandidateStatus status);

// Whether `data` is consistent: every candidate has one answer per question,
// and every answer cell lies on a page the candidate has. False with the
// first inconsistency named in *error.
bool checkReportData(const ReportData& data, QString* error);

} // namespace sw
