#pragma once

#include <QString>

namespace sw {

class Database;

// The text of a failed database operation: what could not be done, the
// database file and the reason.
QString databaseErrorText(const QString& what, const Database& database, const QString& reason);

} // namespace sw
