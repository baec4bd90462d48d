#pragma once

#include "storage/database.h"

#include <QSqlQuery>
#include <QString>

namespace sw::test {

// Drops a table through a second connection to the database file, so that
// the window's own connection stays open and fails on its next use of it.
inline bool dropTable(const QString& databasePath, const QString& table)
{
    Database other;
    if (!other.open(databasePath))
        return false;
    QSqlQuery query(other.connection());
    return query.exec(QStringLiteral("DROP TABLE %1").arg(table));
}

} // namespace sw::test
