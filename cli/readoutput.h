#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace sw {
struct PageGeometry;
struct SheetReading;
} // namespace sw

namespace sw::cli {

// One JSON object on one line: scan, status, paper_type, page, exam_number,
// barcode (empty when none decodes), barcode_mismatch, answers (by question
// number, in question order), multiple, uncertain, and what the other boxes say.
QString readingJsonLine(const QString& scan, const SheetReading& reading);
QString unreadableJsonLine(const QString& scan, const QString& error);

// The answer questions of every page, ascending: the CSV's columns.
std::vector<int> answerColumns(const std::vector<PageGeometry>& pages);
QString csvHeader(const std::vector<int>& questions);
QString csvRow(const QString& scan, const SheetReading* reading, const QString& status,
               const std::vector<int>& questions);

// A short line for people: scan, status, page, exam number, answers.
QString readingTextLine(const QString& scan, const SheetReading& reading);

} // namespace sw::cli
