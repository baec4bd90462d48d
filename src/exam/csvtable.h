#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace sw {

// One record of a CSV file and the line it starts on (from 1).
struct CsvRecord
{
    int line = 0;
    QStringList fields;
};

// Splits UTF-8 CSV text (an optional byte-order mark, fields quoted with '"'
// where they hold a comma, a quote or a line break, LF or CRLF line ends)
// into records; blank lines are skipped. Text that is no UTF-8 or a quote
// left open is refused with the line in *error.
bool parseCsv(const QByteArray& bytes, std::vector<CsvRecord>& records, QString* error);

// A field quoted where the reader above needs it.
QString csvField(const QString& text);

} // namespace sw
