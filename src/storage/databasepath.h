#pragma once

#include <QString>

namespace sw {

inline const QString DatabaseFileName = QStringLiteral("sheetwright.db");

// The database file beside the executable in `executableFolder`; when that
// folder cannot be written, or is an installation's "bin" folder, the same
// file name in the user's data folder for Sheetwright, shared by the designer
// and the command-line tool (created when missing).
QString chooseDatabasePath(const QString& executableFolder);

// chooseDatabasePath() for the running executable's folder.
QString defaultDatabasePath();

} // namespace sw
