#pragma once

#include <QString>

// The PostgreSQL server that scripts/with-postgres.sh starts for a test run
// and names in SW_TEST_POSTGRES_URL.
namespace sw::test {

// The server's URL; empty, with *whyNot holding the reason, when there is none.
QString url(QString* whyNot = nullptr);

// A URL whose tables live in a new schema of their own, so that tests running
// at the same time never meet; empty, with *whyNot, when there is no server.
QString freshSchemaUrl(QString* whyNot = nullptr);

// Runs `sql` as the server's administrator on a connection of its own.
bool administer(const QString& sql, QString* error = nullptr);

} // namespace sw::test
