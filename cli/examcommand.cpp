// exam: exams in the program's database — making one, its answer key and
// candidate list; the other actions are in the exam*command.cpp files.

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/documentio.h"
#include "cli/examsession.h"
#include "exam/answerkey.h"
#include "exam/roster.h"
#include "platform/picturecodec.h"
#include "reading/sheetreader.h"

#include <QTextStream>

namespace sw::cli {

int runExamRead(const QStringList& args);
int runExamDecide(const QStringList& args);
int runExamCheck(const QStringList& args);
int runExamResults(const QStringList& args);
int runExamReport(const QStringList& args);

namespace {

// Templates, keys and lists larger than this are surely no such files.
constexpr qint64 InputLimitBytes = qint64(64) << 20;

int create(const QStringList& args)
{
    Arguments a(args, {}, {QStringLiteral("--db"), QStringLiteral("--template")});
    a.expectPositional(1, 1);
    const QString name = a.positional(0, "NAME");
    const auto templatePath = a.value(QStringLiteral("--template"));
    if (!templatePath)
        throw UsageError{QStringLiteral("缺少 --template T.exm")};
    const auto bytes = readInputFile(*templatePath, InputLimitBytes);
    if (!bytes)
        return ExitFileError;
    Database database;
    QString error;
    if (!database.open(databaseLocation(a), &error))
        return fileFailure(error);
    bool taken = false;
    if (!Exam::exists(database, name, taken, &error))
        return fileFailure(error);
    if (taken) {
        printError(QStringLiteral("数据库 %1 中已有名为 %2 的考试").arg(database.path(), name));
        return ExitRefused;
    }
    if (!Exam::create(database, name, *bytes, screenPpi(), &error))
        return fileFailure(error);
    return ExitOk;
}

// The key a teacher filled in on a sheet: the answer of every objective
// question of its paper type, `points` each.
bool keyFromScan(const Exam& exam, const QString& scanPath, int points, AnswerKey& key,
                 QString* error)
{
    const QImage image = loadScan(scanPath, error);
    if (image.isNull())
        return false;
    const SheetReader reader(exam.document());
    const SheetReading reading = reader.read(image);
    if (!reading.isRead()) {
        *error = QStringLiteral("答案卡 %1 不能识读：%2").arg(scanPath, reading.statusText());
        return false;
    }
    const PaperLayout* paper = exam.layout().paper(reading.PaperType);
    for (const QuestionAnswer& a : reading.Answers) {
        if (a.Multiple || a.Uncertain || a.Answer.isEmpty()) {
            *error = QStringLiteral("答案卡 %1 第 %2 题%3，请改用答案文件")
                         .arg(scanPath)
                         .arg(a.Number)
                         .arg(a.Answer.isEmpty() ? QStringLiteral("没有涂")
                                                 : QStringLiteral("有多涂或不确定的标记"));
            return false;
        }
        if (paper && paper->objective.contains(a.Number))
            key.push_back({reading.PaperType, a.Number, a.Answer, points, 0});
    }
    return true;
}

int setKey(const QStringList& args)
{
    Arguments a(
        args, {},
        {QStringLiteral("--db"), QStringLiteral("--from-scan"), QStringLiteral("--points")});
    const auto scan = a.value(QStringLiteral("--from-scan"));
    a.expectPositional(scan ? 1 : 2, scan ? 1 : 2);
    const int points = a.intValue(QStringLiteral("--points"), 1, 0, MaxQuestionPoints);
    if (!scan && a.value(QStringLiteral("--points")))
        throw UsageError{QStringLiteral("--points 只用于 --from-scan")};
    const QString name = a.positional(0, "NAME");
    std::optional<QByteArray> csv;
    if (!scan && !(csv = readInputFile(a.positional(1, "KEY.csv"), InputLimitBytes)))
        return ExitFileError;

    ExamSession session;
    if (!openExamSession(session, databaseLocation(a), name))
        return ExitFileError;
    AnswerKey key;
    QString error;
    if (scan ? !keyFromScan(*session.exam, *scan, points, key, &error)
             : !parseAnswerKey(*csv, session.exam->layout(), key, &error)) {
        printError(error);
        return ExitRefused;
    }
    int version = 0;
    if (!session.exam->storeKey(key, &version, &error)) {
        printError(error);
        return scan ? ExitRefused : ExitFileError;
    }
    QTextStream(stdout) << QStringLiteral("答案第 %1 版：%2 题\n").arg(version).arg(key.size());
    return ExitOk;
}

int setRoster(const QStringList& args)
{
    Arguments a(args, {}, {QStringLiteral("--db")});
    a.expectPositional(2, 2);
    const auto csv = readInputFile(a.positional(1, "ROSTER.csv"), InputLimitBytes);
    if (!csv)
        return ExitFileError;
    Roster roster;
    QString error;
    if (!parseRoster(*csv, roster, &error)) {
        printError(error);
        return ExitRefused;
    }
    ExamSession session;
    if (!openExamSession(session, databaseLocation(a), a.positional(0, "NAME")))
        return ExitFileError;
    if (!session.exam->storeRoster(roster, &error))
        return fileFailure(error);
    QTextStream(stdout) << QStringLiteral("名单：%1 人\n").arg(roster.entries.size());
    return ExitOk;
}

} // namespace

int runExam(const QStringList& args)
{
    // --db may come before the action too.
    qsizetype at = 0;
    while (at + 1 < args.size() && args.at(at) == QLatin1String("--db"))
        at += 2;
    if (at >= args.size())
        throw UsageError{QStringLiteral(
            "缺少操作（create、key、roster、read、decide、check、results 或 report）")};
    const QString action = args.at(at);
    QStringList rest = args;
    rest.remove(at);
    if (action == QLatin1String("create"))
        return create(rest);
    if (action == QLatin1String("key"))
        return setKey(rest);
    if (action == QLatin1String("roster"))
        return setRoster(rest);
    if (action == QLatin1String("read"))
        return runExamRead(rest);
    if (action == QLatin1String("decide"))
        return runExamDecide(rest);
    if (action == QLatin1String("check"))
        return runExamCheck(rest);
    if (action == QLatin1String("results"))
        return runExamResults(rest);
    if (action == QLatin1String("report"))
        return runExamReport(rest);
    throw UsageError{QStringLiteral("未知的考试操作 %1").arg(action)};
}

} // namespace sw::cli
