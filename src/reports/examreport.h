#pragma once

#include "reports/reportdata.h"
#include "reports/summarystatistics.h"

#include <QByteArray>
#include <QString>
#include <utility>
#include <vector>

namespace sw {

// The exam's analysis report ("考试分析报告"): a summary page with the
// figures of the totals, their histogram and a box plot per paper type, then
// the item table over as many pages as it needs, flagged questions marked.

// The summary's figures as the report lists them: name and value, "—" for
// a figure that is not defined.
std::vector<std::pair<QString, QString>> summaryFigures(const SummaryStatistics& summary);

// The report as the bytes of a PDF; empty when painting failed.
QByteArray examReportPdf(const ReportData& data);

// Writes the report to `path`, whose folder must exist, through the
// project's output rules (no link followed, the old file kept on failure).
// False with the reason in *error.
bool writeExamReport(const ReportData& data, const QString& path, QString* error);

} // namespace sw
