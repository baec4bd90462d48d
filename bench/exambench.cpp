// sheetwright-exam-bench: fills an exam with many candidates' stored
// readings, as `exam read` would have stored them, and times the results.
//
// Usage: sheetwright-exam-bench DATABASE TEMPLATE.exm CANDIDATES
// Makes exam "bench" in DATABASE (a new SQLite file or a PostgreSQL URL)
// with a key, a candidate list and one read page per candidate, then prints
// the seconds loading everything and scoring it take.

#include "exam/exam.h"
#include "storage/database.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlQuery>
#include <QTextStream>
#include <ctime>
#include <random>

using namespace sw;

namespace {

constexpr int ScreenPpi = 96;

int fail(const QString& message)
{
    QTextStream(stderr) << message << '\n';
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    bool ok = false;
    const int candidates = args.size() == 3 ? args[2].toInt(&ok) : 0;
    if (!ok || candidates < 1)
        return fail(
            QStringLiteral("usage: sheetwright-exam-bench DATABASE TEMPLATE.exm CANDIDATES"));
    QFile templateFile(args[1]);
    if (!templateFile.open(QIODevice::ReadOnly))
        return fail(templateFile.errorString());
    Database database;
    QString error;
    if (!database.open(args[0], &error))
        return fail(error);
    const auto exam =
        Exam::create(database, QStringLiteral("bench"), templateFile.readAll(), ScreenPpi, &error);
    if (!exam)
        return fail(error);
    const PaperLayout& paper = exam->layout().papers.begin()->second;
    AnswerKey key;
    for (const auto& [number, q] : paper.objective)
        key.push_back({paper.paperType, number, q.options.left(1), 2, 0});
    Roster roster;
    for (int c = 0; c < candidates; ++c)
        roster.entries.push_back(
            {QString::number(100000 + c), QStringLiteral("考生%1").arg(c), {}});
    if (!exam->storeKey(key, nullptr, &error) || !exam->storeRoster(roster, &error))
        return fail(error);

    // Filling is not what is measured: a file need not reach the disk for it.
    if (database.engine() == DatabaseEngine::SQLite)
        QSqlQuery(database.connection()).exec(QStringLiteral("PRAGMA synchronous = OFF"));
    std::mt19937 rng(26);
    QElapsedTimer storing;
    storing.start();
    for (int c = 0; c < candidates; ++c) {
        SheetReading r;
        r.Result = SheetReading::Ok;
        r.PageIndex = 0;
        r.PaperType = paper.paperType;
        r.PageNumber = 1;
        r.ExamNumber = roster.entries[std::size_t(c)].examNumber;
        for (const auto& [number, q] : paper.objective) {
            std::uniform_int_distribution<qsizetype> option(0, q.options.size());
            const qsizetype pick = option(rng);
            r.Answers.push_back({number,
                                 pick < q.options.size() ? q.options.mid(pick, 1) : QString(),
                                 false, false});
        }
        const QString hash = scanHash(QByteArray::number(c));
        if (!exam->storeScan(hash, QStringLiteral("/scans/%1.jpg").arg(c), r, {}, nullptr, &error))
            return fail(error);
    }
    const double storeSeconds = storing.nsecsElapsed() / 1e9;

    QElapsedTimer timer;
    timer.start();
    std::clock_t processor = std::clock();
    ExamData data;
    if (!exam->load(data, &error))
        return fail(error);
    const double loadSeconds = timer.nsecsElapsed() / 1e9;
    const double loadProcessor = double(std::clock() - processor) / CLOCKS_PER_SEC;
    timer.restart();
    processor = std::clock();
    const ExamResults results = examResults(data);
    const double scoreSeconds = timer.nsecsElapsed() / 1e9;
    const double scoreProcessor = double(std::clock() - processor) / CLOCKS_PER_SEC;
    QTextStream(stdout) << "candidates " << results.candidates.size() << "\nfilling seconds "
                        << storeSeconds << " (unsynchronised)\nloading seconds " << loadSeconds
                        << " (processor " << loadProcessor << ")\nscoring seconds " << scoreSeconds
                        << " (processor " << scoreProcessor << ")\n";
    return 0;
}
