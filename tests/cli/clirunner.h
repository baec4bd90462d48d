#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStringList>

namespace sw::test {

// Runs sheetwright-cli and keeps what it printed.
struct CliResult
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

inline CliResult runCli(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(SW_CLI_PATH), args);
    p.waitForFinished(120000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

} // namespace sw::test
