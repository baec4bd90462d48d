#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace sw {

// One candidate of the list, with the further columns as the file gave them.
struct RosterEntry
{
    QString examNumber;
    QString name;
    QStringList extra; // one value per Roster::extraColumns

    bool operator==(const RosterEntry&) const = default;
};

// The candidates of an exam in the list's order.
struct Roster
{
    QStringList extraColumns; // class, seat… as the header names them
    std::vector<RosterEntry> entries;

    bool operator==(const Roster&) const = default;
};

// Reads a candidate list from CSV with the header `exam_number,name` and any
// further columns. A wrong header, a row with another number of fields, an
// empty or repeated exam number are refused with the line in *error, and
// `roster` is left as it was.
bool parseRoster(const QByteArray& csv, Roster& roster, QString* error);

} // namespace sw
