#pragma once

#include "exam/exam.h"
#include "reading/sheetreader.h"
#include "reports/reportdata.h"

#include <QHash>
#include <QStringList>

namespace sw {

// The straightened pages of candidates' scripts for their sheets. The exam
// keeps each scan's file name and what was read, but not the pictures, so
// every scan file is read again with the exam's template. A file that is gone,
// cannot be read, or whose bytes differ from the scan stored is left out with
// a warning: a sheet without that picture, never with a wrong one.
class ScriptPictures
{
public:
    // `data` holds `exam`'s stored records and `report` was made from them by
    // examReportData; it says which answer is which question. The exam must
    // outlive the object.
    ScriptPictures(const Exam& exam, const ExamData& data, const ReportData& report);

    // Fills `candidate`'s pictures with the pages of `result`'s script, in
    // scan order, and each objective answer's cells with where they are in
    // those pictures. Every page left out adds a line to *warnings.
    void add(ReportCandidate& candidate, const CandidateResult& result,
             QStringList* warnings) const;

private:
    // Appends the page of `scan` straightened and its cells to `candidate`;
    // false with the reason in *why.
    bool addPage(ReportCandidate& candidate, const ExamScan& scan, QString* why) const;

    SheetReader m_reader;
    QHash<qint64, ExamScan> m_scans;
    QHash<int, std::size_t> m_answerOfQuestion; // objective question -> index into answers
};

} // namespace sw
