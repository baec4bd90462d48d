#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

namespace sw {

class Database;

// One stored template as the library lists it.
struct TemplateEntry
{
    qint64 id = 0;
    QString name;
    QDateTime date; // local time, to the second; invalid when the row holds none

    bool operator==(const TemplateEntry&) const = default;
};

// All templates ordered by name (by character code), those of equal name in
// the order they were stored.
bool listTemplates(const Database& database, QList<TemplateEntry>& entries,
                   QString* error = nullptr);

// Stores a template stream under `name` (names need not be unique) with the
// local date and time `date`; *id (if given) receives the new row's id. An
// empty name, an empty stream or an invalid date is refused.
bool storeTemplate(Database& database, const QString& name, const QByteArray& bytes,
                   const QDateTime& date, qint64* id = nullptr, QString* error = nullptr);

// The stored stream of template `id`, which may be empty when the row was
// written by other means. A missing id is an error.
bool fetchTemplate(const Database& database, qint64 id, QByteArray& bytes,
                   QString* error = nullptr);

// Removes template `id`; a missing id is an error.
bool deleteTemplate(Database& database, qint64 id, QString* error = nullptr);

} // namespace sw
