#pragma once

#include <QString>

namespace sw {

inline const QString DatabaseFileName = QStringLiteral("sheetwright.db");

// The database file beside the executable in `executableFolder`; when that
// folder cannot be written, the same file name in the application's data
// folder (created when missing).
QString chooseDatabasePath(const QString& executableFolder);

// chooseDatabasePath() for the running executable's folder.
QString defaultDatabasePath();

} // namespace sw
