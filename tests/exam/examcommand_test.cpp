#include "cli/clirunner.h"
#include "exam/exam.h"
#include "exam/examsheets.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <map>

namespace sw::test {
namespace {

// The key of the tests: A (2 points) on single-choice questions, AC (4, or
// 1 for a part) on multiple-choice ones.
QByteArray keyCsv(const std::map<int, QString>& questions, const std::set<int>& multiple)
{
    QByteArray csv = "paper_type,question,answer,points,partial\n";
    for (const auto& [number, options] : questions)
        csv += (multiple.contains(number) ? QStringLiteral("A,%1,AC,4,1\n")
                                          : QStringLiteral("A,%1,A,2,\n"))
                   .arg(number)
                   .toUtf8();
    return csv;
}

std::map<QString, QJsonObject> resultsByNumber(const QByteArray& jsonLines)
{
    std::map<QString, QJsonObject> rows;
    for (const QByteArray& line : jsonLines.split('\n'))
        if (!line.isEmpty()) {
            const QJsonObject row = QJsonDocument::fromJson(line).object();
            rows[row.value(QStringLiteral("exam_number")).toString()] = row;
        }
    return rows;
}

class ExamCommand : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        document = examSheet();
        ASSERT_TRUE(document->SaveToFile(0, path(QStringLiteral("sheet.exm"))));
        questions = pageQuestions(*document, 0);
        for (const auto& [number, options] : questions)
            if (options.size() == 5) // the multiple-choice box offers five options
                multiple.insert(number);
        ASSERT_FALSE(multiple.empty());
        for (const auto& [number, options] : questions) {
            right[number] = multiple.contains(number) ? QStringLiteral("AC") : QStringLiteral("A");
            full += multiple.contains(number) ? 4 : 2;
        }
        QFile key(path(QStringLiteral("key.csv")));
        ASSERT_TRUE(key.open(QIODevice::WriteOnly));
        key.write(keyCsv(questions, multiple));
    }

    QString path(const QString& name) const
    {
        const QString p = dir.filePath(name);
        QDir().mkpath(QFileInfo(p).absolutePath());
        return p;
    }

    CliResult exam(const QStringList& args) const
    {
        return runCli(QStringList{QStringLiteral("exam"), args.first(), QStringLiteral("--db"),
                                  path(QStringLiteral("exams.db"))} +
                      args.mid(1));
    }

    int singleQuestion(std::size_t i) const
    {
        for (const auto& [number, options] : questions)
            if (!multiple.contains(number) && i-- == 0)
                return number;
        return 0;
    }

    int multipleQuestion(std::size_t i) const { return *std::next(multiple.begin(), qsizetype(i)); }

    QTemporaryDir dir;
    std::unique_ptr<TVectorGraphics> document;
    std::map<int, QString> questions;
    std::set<int> multiple;
    std::map<int, QString> right;
    int full = 0;
};

TEST_F(ExamCommand, ScoresSimulatedSheetsAsComputedByHand)
{
    ASSERT_EQ(exam({QStringLiteral("create"), QStringLiteral("期中"), QStringLiteral("--template"),
                    path(QStringLiteral("sheet.exm"))})
                  .exitCode,
              0);
    ASSERT_EQ(exam({QStringLiteral("key"), QStringLiteral("期中"), path(QStringLiteral("key.csv"))})
                  .exitCode,
              0);

    struct Case
    {
        const char* what;
        const char* number;
        std::function<void(Filling&)> fill;
        int total; // relative to full marks
        const char* status;
    };
    const int s0 = singleQuestion(0);
    const int s1 = singleQuestion(1);
    const int m0 = multipleQuestion(0);
    const int m1 = multipleQuestion(1);
    const std::vector<Case> cases = {
        {"right", "100001", [](Filling&) {}, 0, "ok"},
        {"wrong and blank", "100002",
         [&](Filling& f) {
             f.answers[s0] = QStringLiteral("B");
             f.answers.erase(s1);
         },
         -4, "ok"},
        {"double", "100003", [&](Filling& f) { f.answers[s0] = QStringLiteral("AB"); }, -2,
         "review"},
        {"subset and wrong subset", "100004",
         [&](Filling& f) {
             f.answers[m0] = QStringLiteral("C");
             f.answers[m1] = QStringLiteral("AB");
         },
         -7, "ok"},
        {"optional chosen", "100005",
         [](Filling& f) {
             f.optionalChosen = true;
             f.score = QStringLiteral("07");
         },
         7, "ok"},
        {"optional not chosen", "100006", [](Filling& f) { f.score = QStringLiteral("05"); }, 0,
         "ok"},
        {"absent", "100007", [](Filling& f) { f.absent = true; }, 0, "absent"},
        {"cheating", "100008", [](Filling& f) { f.cheating = true; }, 0, "cheating"},
        {"decided", "100009", [&](Filling& f) { f.answers[s1] = QStringLiteral("AB"); }, 0, "ok"},
    };
    std::mt19937 rng(26);
    QByteArray roster = "exam_number,name,class\n";
    for (const Case& c : cases) {
        Filling f;
        f.examNumber = QString::fromUtf8(c.number);
        f.answers = right;
        c.fill(f);
        ASSERT_TRUE(filledScan(*document, 0, f, rng)
                        .save(path(QStringLiteral("scans/%1.jpg").arg(f.examNumber))));
        roster += QByteArray(c.number) + ",考生" + QByteArray(c.number) + ",1\n";
    }
    roster += "100010,缺卷,2\n";
    QFile rosterFile(path(QStringLiteral("roster.csv")));
    ASSERT_TRUE(rosterFile.open(QIODevice::WriteOnly));
    rosterFile.write(roster);
    rosterFile.close();
    ASSERT_EQ(
        exam({QStringLiteral("roster"), QStringLiteral("期中"), rosterFile.fileName()}).exitCode,
        0);

    const CliResult read =
        exam({QStringLiteral("read"), QStringLiteral("期中"), path(QStringLiteral("scans")),
              QStringLiteral("--jobs"), QStringLiteral("2")});
    ASSERT_EQ(read.exitCode, 0) << read.err.toStdString();

    // Before the decision: the doubles and the absent script's mark, the missing script.
    CliResult check = exam({QStringLiteral("check"), QStringLiteral("期中")});
    EXPECT_EQ(check.exitCode, 1);
    const QString listed = QString::fromUtf8(check.out);
    EXPECT_TRUE(listed.contains(QStringLiteral("100003.jpg：第 %1 题读作“AB”").arg(s0)))
        << listed.toStdString();
    EXPECT_TRUE(listed.contains(QStringLiteral("100009.jpg：第 %1 题读作“AB”").arg(s1)));
    EXPECT_TRUE(listed.contains(QStringLiteral("缺考却有答卷 考号 100007")));
    EXPECT_TRUE(listed.contains(QStringLiteral("缺少答卷 考号 100010")));
    EXPECT_EQ(check.out.count('\n'), 4) << listed.toStdString();

    const CliResult decide =
        exam({QStringLiteral("decide"), QStringLiteral("期中"), QStringLiteral("--scan"),
              path(QStringLiteral("scans/100009.jpg")), QStringLiteral("--question"),
              QString::number(s1), QStringLiteral("--answer"), QStringLiteral("a"),
              QStringLiteral("--reviewer"), QStringLiteral("王老师")});
    EXPECT_EQ(decide.exitCode, 64) << "lower case is no option";
    ASSERT_EQ(exam({QStringLiteral("decide"), QStringLiteral("期中"), QStringLiteral("--scan"),
                    path(QStringLiteral("scans/100009.jpg")), QStringLiteral("--question"),
                    QString::number(s1), QStringLiteral("--answer"), QStringLiteral("A"),
                    QStringLiteral("--reviewer"), QStringLiteral("王老师"),
                    QStringLiteral("--reason"), QStringLiteral("擦得不干净")})
                  .exitCode,
              0);

    const CliResult results =
        exam({QStringLiteral("results"), QStringLiteral("期中"), QStringLiteral("--json")});
    ASSERT_EQ(results.exitCode, 0) << results.err.toStdString();
    const auto rows = resultsByNumber(results.out);
    for (const Case& c : cases) {
        const auto it = rows.find(QString::fromUtf8(c.number));
        ASSERT_NE(it, rows.end()) << c.what;
        EXPECT_EQ(it->second.value(QStringLiteral("total")).toInt(), full + c.total) << c.what;
        EXPECT_EQ(it->second.value(QStringLiteral("status")).toString(),
                  QString::fromUtf8(c.status))
            << c.what;
        EXPECT_EQ(it->second.value(QStringLiteral("name")).toString(),
                  QStringLiteral("考生") + QString::fromUtf8(c.number));
    }
    EXPECT_EQ(rows.at(QStringLiteral("100010")).value(QStringLiteral("status")).toString(),
              QStringLiteral("missing"));

    // The CSV: the header, then one row per candidate in the list's order.
    ASSERT_EQ(exam({QStringLiteral("results"), QStringLiteral("期中"), QStringLiteral("--csv"),
                    path(QStringLiteral("out/results.csv"))})
                  .exitCode,
              0);
    QFile csv(path(QStringLiteral("out/results.csv")));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = csv.readAll().trimmed().split('\n');
    ASSERT_EQ(lines.size(), qsizetype(cases.size()) + 2);
    EXPECT_TRUE(lines[0].startsWith("exam_number,name,paper_type,status,total,"));
    EXPECT_TRUE(lines[0].endsWith(",s16"));
    EXPECT_TRUE(
        lines[1].startsWith(QStringLiteral("100001,考生100001,A,ok,%1,").arg(full).toUtf8()));

    // Reading again, also a copy under another name, stores nothing new.
    QFile::copy(path(QStringLiteral("scans/100001.jpg")), path(QStringLiteral("again/copy.jpg")));
    const CliResult again = exam({QStringLiteral("read"), QStringLiteral("期中"),
                                  path(QStringLiteral("scans")), path(QStringLiteral("again"))});
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_EQ(QString::fromUtf8(again.out).count(QStringLiteral("already stored")),
              qsizetype(cases.size()) + 1)
        << again.out.toStdString();
    EXPECT_EQ(
        exam({QStringLiteral("results"), QStringLiteral("期中"), QStringLiteral("--json")}).out,
        results.out);
}

TEST_F(ExamCommand, TakesTheKeyFromATeachersSheet)
{
    ASSERT_EQ(exam({QStringLiteral("create"), QStringLiteral("e"), QStringLiteral("--template"),
                    path(QStringLiteral("sheet.exm"))})
                  .exitCode,
              0);
    std::mt19937 rng(3);
    Filling teacher;
    teacher.answers = right;
    ASSERT_TRUE(filledScan(*document, 0, teacher, rng).save(path(QStringLiteral("teacher.jpg"))));
    Filling halfDone = teacher;
    halfDone.answers.erase(singleQuestion(0));
    ASSERT_TRUE(filledScan(*document, 0, halfDone, rng).save(path(QStringLiteral("half.jpg"))));
    Filling candidate = teacher;
    candidate.examNumber = QStringLiteral("123456");
    candidate.answers[singleQuestion(1)] = QStringLiteral("B");
    ASSERT_TRUE(
        filledScan(*document, 0, candidate, rng).save(path(QStringLiteral("scans/123456.jpg"))));

    const CliResult blank = exam({QStringLiteral("key"), QStringLiteral("e"),
                                  QStringLiteral("--from-scan"), path(QStringLiteral("half.jpg"))});
    EXPECT_EQ(blank.exitCode, 1);
    EXPECT_TRUE(QString::fromUtf8(blank.err).contains(
        QStringLiteral("第 %1 题没有涂").arg(singleQuestion(0))))
        << blank.err.toStdString();
    const CliResult key = exam({QStringLiteral("key"), QStringLiteral("e"),
                                QStringLiteral("--from-scan"), path(QStringLiteral("teacher.jpg")),
                                QStringLiteral("--points"), QStringLiteral("3")});
    ASSERT_EQ(key.exitCode, 0) << key.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(key.out).trimmed(),
              QStringLiteral("答案第 1 版：%1 题").arg(questions.size()));
    ASSERT_EQ(
        exam({QStringLiteral("read"), QStringLiteral("e"), path(QStringLiteral("scans"))}).exitCode,
        0);
    const auto rows = resultsByNumber(
        exam({QStringLiteral("results"), QStringLiteral("e"), QStringLiteral("--json")}).out);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows.at(QStringLiteral("123456")).value(QStringLiteral("total")).toInt(),
              3 * int(questions.size() - 1));
}

TEST_F(ExamCommand, DecidesAnExamNumberAndSetsABadFileAside)
{
    ASSERT_EQ(exam({QStringLiteral("create"), QStringLiteral("e"), QStringLiteral("--template"),
                    path(QStringLiteral("sheet.exm"))})
                  .exitCode,
              0);
    ASSERT_EQ(exam({QStringLiteral("key"), QStringLiteral("e"), path(QStringLiteral("key.csv"))})
                  .exitCode,
              0);
    std::mt19937 rng(5);
    Filling unnumbered;
    unnumbered.answers = right;
    const QImage scan = filledScan(*document, 0, unnumbered, rng);
    ASSERT_TRUE(scan.save(path(QStringLiteral("scans/a.jpg"))));
    QFile text(path(QStringLiteral("scans/b.jpg")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("no picture");
    text.close();
    EXPECT_EQ(
        exam({QStringLiteral("read"), QStringLiteral("e"), path(QStringLiteral("scans"))}).exitCode,
        2);
    CliResult check = exam({QStringLiteral("check"), QStringLiteral("e")});
    EXPECT_EQ(check.exitCode, 1);
    EXPECT_EQ(check.out.count('\n'), 2) << check.out.toStdString();
    EXPECT_TRUE(QString::fromUtf8(check.out).contains(QStringLiteral("识读失败")));

    QFile stored(path(QStringLiteral("scans/a.jpg")));
    ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
    const QString hash = scanHash(stored.readAll()).left(10);
    const QStringList reviewer{QStringLiteral("--reviewer"), QStringLiteral("李老师")};
    EXPECT_EQ(
        exam(QStringList{QStringLiteral("decide"), QStringLiteral("e"), QStringLiteral("--scan"),
                         hash, QStringLiteral("--score"), QStringLiteral("3"),
                         QStringLiteral("--answer"), QStringLiteral("5")} +
             reviewer)
            .exitCode,
        64)
        << "question 3 has no score box";
    ASSERT_EQ(exam(QStringList{QStringLiteral("decide"), QStringLiteral("e"),
                               QStringLiteral("--scan"), hash, QStringLiteral("--exam-number"),
                               QStringLiteral("--answer"), QStringLiteral("777777")} +
                   reviewer)
                  .exitCode,
              0);
    ASSERT_EQ(exam(QStringList{QStringLiteral("decide"), QStringLiteral("e"),
                               QStringLiteral("--scan"), text.fileName(), QStringLiteral("--sheet"),
                               QStringLiteral("--reason"), QStringLiteral("不是答题卡")} +
                   reviewer)
                  .exitCode,
              0);
    check = exam({QStringLiteral("check"), QStringLiteral("e")});
    EXPECT_EQ(check.exitCode, 0) << check.out.toStdString();
    const auto rows = resultsByNumber(
        exam({QStringLiteral("results"), QStringLiteral("e"), QStringLiteral("--json")}).out);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows.at(QStringLiteral("777777")).value(QStringLiteral("total")).toInt(), full);
    EXPECT_EQ(rows.at(QStringLiteral("777777")).value(QStringLiteral("status")).toString(),
              QStringLiteral("ok"));
}

TEST_F(ExamCommand, RefusesWrongKeysListsAndUsageAndStoresNothing)
{
    ASSERT_EQ(exam({QStringLiteral("create"), QStringLiteral("e"), QStringLiteral("--template"),
                    path(QStringLiteral("sheet.exm"))})
                  .exitCode,
              0);
    EXPECT_EQ(exam({QStringLiteral("create"), QStringLiteral("e"), QStringLiteral("--template"),
                    path(QStringLiteral("sheet.exm"))})
                  .exitCode,
              1);
    QFile bad(path(QStringLiteral("bad.csv")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("paper_type,question,answer,points\nA,1,Z,1\n");
    bad.close();
    const CliResult key = exam({QStringLiteral("key"), QStringLiteral("e"), bad.fileName()});
    EXPECT_EQ(key.exitCode, 1);
    EXPECT_TRUE(QString::fromUtf8(key.err).contains(QStringLiteral("答案第 2 行")))
        << key.err.toStdString();
    const CliResult roster = exam({QStringLiteral("roster"), QStringLiteral("e"), bad.fileName()});
    EXPECT_EQ(roster.exitCode, 1);
    const CliResult check = exam({QStringLiteral("check"), QStringLiteral("e")});
    EXPECT_EQ(check.exitCode, 1);
    EXPECT_EQ(QString::fromUtf8(check.out).trimmed(), QStringLiteral("考试还没有答案"));

    const struct
    {
        QStringList args;
        int exitCode;
    } cases[] = {
        {{QStringLiteral("create"), QStringLiteral("x")}, 64},
        {{QStringLiteral("key"), QStringLiteral("e")}, 64},
        {{QStringLiteral("frobnicate"), QStringLiteral("e")}, 64},
        {{QStringLiteral("decide"), QStringLiteral("e"), QStringLiteral("--scan"),
          QStringLiteral("abcdef12"), QStringLiteral("--answer"), QStringLiteral("A")},
         64},
        {{QStringLiteral("results"), QStringLiteral("nope")}, 2},
        {{QStringLiteral("key"), QStringLiteral("e"), path(QStringLiteral("missing.csv"))}, 2},
        {{QStringLiteral("create"), QStringLiteral("y"), QStringLiteral("--template"),
          path(QStringLiteral("missing.exm"))},
         2},
    };
    for (const auto& c : cases)
        EXPECT_EQ(exam(c.args).exitCode, c.exitCode) << c.args.join(u' ').toStdString();
    const CliResult help = runCli({QStringLiteral("exam"), QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(
        QString::fromUtf8(help.out).startsWith(QStringLiteral("用法：sheetwright-cli exam ")));
    EXPECT_TRUE(runCli({QStringLiteral("--help")}).out.contains("\n  exam "));
    EXPECT_EQ(runCli({QStringLiteral("exam"), QStringLiteral("--db"), dir.path(),
                      QStringLiteral("check"), QStringLiteral("e")})
                  .exitCode,
              2)
        << "a folder is no database";
}

} // namespace
} // namespace sw::test
