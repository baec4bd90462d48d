#pragma once

#include "storage/databaselocation.h"

#include <QList>
#include <QString>

namespace sw {

// The program's two tables as each engine spells them. `templet` keys its
// rows by `id`, which never names a later row once deleted; `pageset` has one
// row, kept by SQLite's implicit `rowid` and by an explicit column of that
// name on PostgreSQL, so the same statements serve both.
struct TableSchema
{
    struct Column
    {
        QString name;
        QString type;
    };

    QString name;
    QList<Column> columns;

    QString createStatement() const;
};

QList<TableSchema> databaseSchema(DatabaseEngine engine);

// Lists the tables of the database; for PostgreSQL those of the current schema.
QString listTablesStatement(DatabaseEngine engine);
// Lists the columns of one table, whose name is the one value to bind, in the
// statement's first result column.
QString listColumnsStatement(DatabaseEngine engine);

} // namespace sw
