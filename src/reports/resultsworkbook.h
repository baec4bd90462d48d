#pragma once

#include "reports/reportdata.h"

#include <QString>

namespace sw {

// The results as an .xlsx workbook of two sheets:
// - "成绩": exam_number, name, paper_type, status, total, the points of each
//   question (headed by its number), then the candidate list's further
//   columns in the order they first appear;
// - "题目分析": the item analysis, one row per question.
// Points, totals and figures are numbers, shares are numbers formatted as
// percentages; a figure that is not defined is an empty cell.
//
// The workbook is written to a temporary file beside `path`, checked, and
// renamed over it only then, so a failure leaves any earlier file as it was.
// `path`'s folder must exist, and `path` may not be a link or a folder.
// False with the reason in *error.
bool writeResultsWorkbook(const ReportData& data, const QString& path, QString* error);

} // namespace sw
