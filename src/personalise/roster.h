#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace sw {

// The columns every roster must have; the header may name further columns.
inline const QString ExamNumberColumn = QStringLiteral("exam_number");
inline const QString NameColumn = QStringLiteral("name");

// Largest roster file read, and most candidates in one roster.
constexpr qint64 MaxRosterBytes = 64LL * 1024 * 1024;
constexpr int MaxRosterCandidates = 200000;

struct Candidate
{
    int Line = 0; // in the roster file, from 1
    QString ExamNumber;
    QString Name;
    QStringList Values; // one per roster column, in the header's order
};

// The candidates of one exam in roster order, read from a UTF-8 CSV file
// whose first line names the columns.
struct Roster
{
    QStringList Columns;
    std::vector<Candidate> Candidates;

    // The candidate's value of the named column; empty when there is no such column.
    QString value(const Candidate& candidate, const QString& column) const;
};

// Parses a roster: a header with exam_number and name, then one candidate a
// line (blank lines skipped, fields quoted where they hold commas, quotes or
// line breaks). Nothing, with the reason naming the line, when a column is
// missing, a line has the wrong number of fields, an exam number is empty,
// holds spaces or repeats an earlier one.
std::optional<Roster> parseRoster(const QByteArray& csv, QString* error);

// parseRoster of a file, refused when larger than MaxRosterBytes.
std::optional<Roster> readRosterFile(const QString& path, QString* error);

} // namespace sw
