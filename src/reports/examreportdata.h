#pragma once

#include "exam/examdata.h"
#include "exam/examresults.h"
#include "reports/reportdata.h"

namespace sw {

// What the reports are made of, taken from an exam's results: the objective
// questions by number, then the score-box questions ("s" and their number,
// as the results list heads them); the candidates in the results' order with
// their points, the options they marked and the candidate list's further
// columns. Pictures and cells are left out (see scriptpictures.h).
//
// An objective question's full marks are the most its key gives on any paper
// type. A score-box question has no full marks stored, so the most points
// any candidate was given stands in for them.
ReportData examReportData(const ExamData& data, const ExamResults& results);

} // namespace sw
