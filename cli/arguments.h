#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <optional>

namespace sw::cli {

// Exit statuses of every subcommand.
enum ExitCode
{
    ExitOk = 0,
    ExitRefused = 1,   // a check failed or the operation was refused
    ExitFileError = 2, // a file could not be read or written
    ExitUsage = 64,
};

// Thrown for wrong usage; main prints the message and exits with ExitUsage.
struct UsageError
{
    QString message;
};

// The command line of one subcommand: positional arguments and options.
class Arguments
{
public:
    // flags: options without a value; valued: options taking one value. "--"
    // ends the options.
    Arguments(const QStringList& args, const QStringList& flags, const QStringList& valued);

    const QStringList& positional() const { return m_positional; }
    QString positional(int i, const char* what) const;
    void expectPositional(int min, int max) const;

    bool flag(const QString& name) const { return m_flags.contains(name); }
    std::optional<QString> value(const QString& name) const;
    // An integer option within [min, max], or def when absent.
    int intValue(const QString& name, int def, int min, int max) const;
    double doubleValue(const QString& name, double def, double min, double max) const;

private:
    QStringList m_positional;
    QStringList m_flags;
    QMap<QString, QString> m_values;
};

} // namespace sw::cli
