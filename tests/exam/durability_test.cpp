#include "cli/clirunner.h"
#include "database/enginefixture.h"
#include "exam/exam.h"
#include "exam/examsheets.h"
#include "reading/sheets.h"
#include "wizard/settings.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

namespace sw::test {
namespace {

constexpr int Candidates = 6;

// Two-page wizard scripts of several candidates in one folder, page 1 then
// page 2 of each in name order, and the template and key they go with;
// made once for all tests.
class ExamDurability : public EngineFixture
{
protected:
    static void SetUpTestSuite()
    {
        s_files = new QTemporaryDir;
        const auto document = wizardSheet(WizardA4);
        ASSERT_TRUE(document->SaveToFile(0, filePath(QStringLiteral("sheet.exm"))));
        QByteArray key = "paper_type,question,answer,points\n";
        std::map<int, QString> all = pageQuestions(*document, 0);
        all.merge(pageQuestions(*document, 1));
        for (const auto& [number, options] : all)
            key += QStringLiteral("A,%1,B,1\n").arg(number).toUtf8();
        QFile keyFile(filePath(QStringLiteral("key.csv")));
        ASSERT_TRUE(keyFile.open(QIODevice::WriteOnly));
        keyFile.write(key);
        std::mt19937 rng(7);
        QDir().mkpath(filePath(QStringLiteral("scans")));
        for (int c = 0; c < Candidates; ++c)
            for (int page = 0; page < 2; ++page) {
                Filling f;
                if (page == 0)
                    f.examNumber = QStringLiteral("2026%1").arg(c, 4, 10, QLatin1Char('0'));
                for (const auto& [number, options] : pageQuestions(*document, page))
                    f.answers[number] = options.mid((number + c) % 3, 1);
                ASSERT_TRUE(
                    filledScan(*document, page, f, rng)
                        .save(filePath(QStringLiteral("scans/c%1-%2.jpg").arg(c).arg(page + 1))));
            }
    }

    static void TearDownTestSuite()
    {
        delete s_files;
        s_files = nullptr;
    }

    static QString filePath(const QString& name) { return s_files->filePath(name); }

    QStringList examArgs(const QString& action, const QString& location) const
    {
        return {QStringLiteral("exam"), action, QStringLiteral("--db"), location,
                QStringLiteral("e")};
    }

    // A new exam with the template and the key in the database at `location`.
    void prepare(const QString& location) const
    {
        ASSERT_EQ(
            runCli(examArgs(QStringLiteral("create"), location) +
                   QStringList{QStringLiteral("--template"), filePath(QStringLiteral("sheet.exm"))})
                .exitCode,
            0);
        ASSERT_EQ(runCli(examArgs(QStringLiteral("key"), location) +
                         QStringList{filePath(QStringLiteral("key.csv"))})
                      .exitCode,
                  0);
    }

    QStringList readArgs(const QString& location) const
    {
        return examArgs(QStringLiteral("read"), location) +
               QStringList{filePath(QStringLiteral("scans")), QStringLiteral("--jobs"),
                           QStringLiteral("1")};
    }

    QByteArray results(const QString& location) const
    {
        const CliResult r = runCli(examArgs(QStringLiteral("results"), location) +
                                   QStringList{QStringLiteral("--json")});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return r.out;
    }

    // The results of one uninterrupted run into a file of its own.
    QByteArray cleanResults() const
    {
        const QString clean = folder.filePath(QStringLiteral("clean.db"));
        prepare(clean);
        const CliResult read = runCli(readArgs(clean));
        EXPECT_EQ(read.exitCode, 0) << read.err.toStdString();
        return results(clean);
    }

    std::size_t storedScans() const
    {
        QString error;
        const auto exam = Exam::open(database, QStringLiteral("e"), 96, &error);
        EXPECT_TRUE(exam) << error.toStdString();
        ExamData data;
        EXPECT_TRUE(exam && exam->load(data, &error)) << error.toStdString();
        return data.scans.size();
    }

    static QTemporaryDir* s_files;
};

QTemporaryDir* ExamDurability::s_files = nullptr;

TEST_P(ExamDurability, AReadKilledPartWayAndRunAgainGivesTheCleanResults)
{
    const QByteArray clean = cleanResults();
    ASSERT_EQ(clean.count('\n'), Candidates);
    ASSERT_EQ(clean.count("\"status\":\"ok\""), Candidates) << clean.toStdString();
    prepare(location());
    QProcess killed;
    killed.start(QStringLiteral(SW_CLI_PATH), readArgs(location()));
    QByteArray reported;
    while (reported.count('\n') < 3 && killed.waitForReadyRead(60000))
        reported += killed.readAllStandardOutput();
    ASSERT_GE(reported.count('\n'), 3) << "the read ended before it could be stopped";
    killed.kill();
    killed.waitForFinished();
    // Everything reported before the kill is stored.
    EXPECT_GE(storedScans(), std::size_t(reported.count('\n')));
    const CliResult again = runCli(readArgs(location()));
    EXPECT_EQ(again.exitCode, 0) << again.err.toStdString();
    EXPECT_EQ(storedScans(), std::size_t(2 * Candidates));
    EXPECT_EQ(results(location()), clean);
}

TEST_P(ExamDurability, TwoReadsOverOneFolderStoreEachScanOnce)
{
    const QByteArray clean = cleanResults();
    prepare(location());
    QProcess first;
    QProcess second;
    first.start(QStringLiteral(SW_CLI_PATH), readArgs(location()));
    second.start(QStringLiteral(SW_CLI_PATH), readArgs(location()));
    ASSERT_TRUE(first.waitForFinished(120000));
    ASSERT_TRUE(second.waitForFinished(120000));
    EXPECT_EQ(first.exitCode(), 0) << first.readAllStandardError().toStdString();
    EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();
    EXPECT_EQ(storedScans(), std::size_t(2 * Candidates));
    EXPECT_EQ(results(location()), clean);
}

SW_ON_EVERY_ENGINE(ExamDurability);

} // namespace
} // namespace sw::test
