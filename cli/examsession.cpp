#include "cli/examsession.h"

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/documentio.h"
#include "platform/outputfile.h"
#include "storage/databasepath.h"

#include <QFile>

namespace sw::cli {

QString databaseLocation(const Arguments& a)
{
    return a.value(QStringLiteral("--db")).value_or(defaultDatabasePath());
}

bool openExamSession(ExamSession& session, const QString& location, const QString& name)
{
    QString error;
    if (!session.database.open(location, &error)) {
        printError(error); // names the file or server, never a password
        return false;
    }
    session.exam = Exam::open(session.database, name, screenPpi(), &error);
    if (!session.exam)
        printError(error);
    return session.exam != nullptr;
}

bool loadScoredExam(ScoredExam& scored, const QString& location, const QString& name)
{
    if (!openExamSession(scored.session, location, name))
        return false;
    QString error;
    if (!scored.session.exam->load(scored.data, &error)) {
        printError(error);
        return false;
    }
    scored.results = examResults(scored.data);
    return true;
}

void refuseDatabaseAsOutput(const char* option, const std::optional<QString>& path,
                            const QString& location)
{
    if (path && resolvedPath(QFile::encodeName(*path)) == resolvedPath(QFile::encodeName(location)))
        throw UsageError{QStringLiteral("%1 会覆盖数据库 %2").arg(QLatin1String(option), location)};
}

std::optional<QByteArray> readInputFile(const QString& path, qint64 limit)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        printError(QStringLiteral("不能读取文件 %1：%2").arg(path, file.errorString()));
        return std::nullopt;
    }
    if (file.size() > limit) {
        printError(QStringLiteral("文件 %1 太大（超过 %2 MB）").arg(path).arg(limit >> 20));
        return std::nullopt;
    }
    QByteArray bytes = file.read(limit + 1);
    if (bytes.size() > limit || file.error() != QFileDevice::NoError) {
        printError(QStringLiteral("不能读取文件 %1：%2").arg(path, file.errorString()));
        return std::nullopt;
    }
    return bytes;
}

int fileFailure(const QString& error)
{
    printError(error);
    return ExitFileError;
}

} // namespace sw::cli
