#include "cli/clirunner.h"
#include "exam/exam.h"
#include "exam/examsheets.h"
#include "painting/pdffile.h"
#include "reports/candidatesheet.h"
#include "reports/examreportdata.h"
#include "reports/pdfpages.h"
#include "reports/reportformat.h"
#include "reports/scriptpictures.h"
#include "storage/database.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace sw::test {
namespace {

constexpr int RenderDpi = 150;

// A CSV row as its fields; the results' fields hold no commas.
QStringList fields(const QString& line)
{
    return line.split(QLatin1Char(','));
}

enum class Seen
{
    Green,
    Red,
    Grey,
    Other,
};

Seen seenAt(const QImage& page, QPointF points)
{
    const double scale = RenderDpi / 72.0;
    const QColor c = page.pixelColor(int(points.x() * scale), int(points.y() * scale));
    if (c.green() > c.red() + 60 && c.green() > c.blue() + 60)
        return Seen::Green;
    if (c.red() > c.green() + 60 && c.red() > c.blue() + 60)
        return Seen::Red;
    if (std::abs(c.red() - c.green()) < 20 && std::abs(c.green() - c.blue()) < 20 &&
        c.green() > 110 && c.green() < 190)
        return Seen::Grey;
    return Seen::Other;
}

// Three candidates on the hand-laid sheet: one all right, one with a wrong
// and a blank answer, one with a wrong answer; read into an exam.
class ExamReport : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        document = examSheet();
        ASSERT_TRUE(document->SaveToFile(0, path(QStringLiteral("sheet.exm"))));
        questions = pageQuestions(*document, 0);
        QByteArray key = "paper_type,question,answer,points,partial\n";
        for (const auto& [number, options] : questions) {
            const bool multiple = options.size() == 5; // the multiple-choice box offers five
            right[number] = multiple ? QStringLiteral("AC") : QStringLiteral("A");
            key += QStringLiteral("A,%1,%2,%3,%4\n")
                       .arg(number)
                       .arg(right[number])
                       .arg(multiple ? 4 : 2)
                       .arg(multiple ? QStringLiteral("1") : QString())
                       .toUtf8();
            if (!multiple)
                single.push_back(number);
        }
        ASSERT_GE(single.size(), 2u);
        writeFile(QStringLiteral("key.csv"), key);
        writeFile(QStringLiteral("roster.csv"),
                  "exam_number,name,class\n100001,甲,1\n100002,乙,2\n100003,丙,2\n");

        std::mt19937 rng(28);
        for (const QString& number :
             {QStringLiteral("100001"), QStringLiteral("100002"), QStringLiteral("100003")}) {
            Filling f;
            f.examNumber = number;
            f.answers = right;
            if (number == QLatin1String("100002")) {
                f.answers[single[0]] = QStringLiteral("B");
                f.answers.erase(single[1]);
            } else if (number == QLatin1String("100003")) {
                f.answers[single[1]] = QStringLiteral("D");
            }
            ASSERT_TRUE(filledScan(*document, 0, f, rng).save(scanPath(number)));
        }
        for (const QStringList& step :
             {QStringList{QStringLiteral("create"), QStringLiteral("期中"),
                          QStringLiteral("--template"), path(QStringLiteral("sheet.exm"))},
              QStringList{QStringLiteral("key"), QStringLiteral("期中"),
                          path(QStringLiteral("key.csv"))},
              QStringList{QStringLiteral("roster"), QStringLiteral("期中"),
                          path(QStringLiteral("roster.csv"))},
              QStringList{QStringLiteral("read"), QStringLiteral("期中"),
                          path(QStringLiteral("scans"))}}) {
            const CliResult r = exam(step);
            ASSERT_EQ(r.exitCode, 0) << step.join(u' ').toStdString() << r.err.toStdString();
        }
    }

    QString path(const QString& name) const
    {
        const QString p = dir.filePath(name);
        QDir().mkpath(QFileInfo(p).absolutePath());
        return p;
    }

    QString scanPath(const QString& number) const
    {
        return path(QStringLiteral("scans/%1.png").arg(number));
    }

    void writeFile(const QString& name, const QByteArray& bytes) const
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    CliResult exam(const QStringList& args) const
    {
        return runCli(QStringList{QStringLiteral("exam"), args.first(), QStringLiteral("--db"),
                                  path(QStringLiteral("exams.db"))} +
                      args.mid(1));
    }

    // The CSV of `exam results`, row by row after the header.
    std::vector<QStringList> resultRows(QStringList* header) const
    {
        const CliResult r = exam({QStringLiteral("results"), QStringLiteral("期中")});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        QStringList lines = QString::fromUtf8(r.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        std::vector<QStringList> rows;
        if (lines.isEmpty())
            return rows;
        *header = fields(lines.takeFirst());
        for (const QString& line : lines)
            rows.push_back(fields(line));
        return rows;
    }

    // The report's candidates with their pictures, as the sheets are made.
    ReportData reportWithPictures() const
    {
        Database database;
        EXPECT_TRUE(database.open(path(QStringLiteral("exams.db"))));
        const auto stored = Exam::open(database, QStringLiteral("期中"), 96);
        EXPECT_TRUE(stored);
        ExamData data;
        EXPECT_TRUE(stored->load(data));
        const ExamResults results = examResults(data);
        ReportData report = examReportData(data, results);
        const ScriptPictures pictures(*stored, data, report);
        QStringList warnings;
        for (std::size_t i = 0; i < report.candidates.size(); ++i)
            pictures.add(report.candidates[i], results.candidates[i], &warnings);
        EXPECT_TRUE(warnings.isEmpty()) << warnings.join(u'\n').toStdString();
        return report;
    }

    QTemporaryDir dir;
    std::unique_ptr<TVectorGraphics> document;
    std::map<int, QString> questions;
    std::map<int, QString> right;
    std::vector<int> single;
};

TEST_F(ExamReport, TheReportShowsTheFiguresOfTheResults)
{
    QStringList header;
    const std::vector<QStringList> rows = resultRows(&header);
    ASSERT_EQ(rows.size(), 3u);
    std::vector<double> totals;
    for (const QStringList& row : rows) {
        ASSERT_EQ(row.at(3), QStringLiteral("ok"));
        totals.push_back(row.at(4).toDouble());
    }
    std::sort(totals.begin(), totals.end());
    ASSERT_LT(totals.front(), totals.back());
    const double mean = (totals[0] + totals[1] + totals[2]) / 3;

    const QString pdf = path(QStringLiteral("out/report.pdf"));
    const CliResult r =
        exam({QStringLiteral("report"), QStringLiteral("期中"), QStringLiteral("-o"), pdf});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QString text = pdfText(pdf);
    ASSERT_FALSE(text.isEmpty()) << "pdftotext found no text";
    for (const QString& expected :
         {QStringLiteral("考试分析报告"), QStringLiteral("期中"), QStringLiteral("考生人数"),
          formatFigure(mean), formatFigure(totals[1]), formatPoints(totals.back()),
          formatPoints(totals.front())})
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString();
}

TEST_F(ExamReport, CandidateSheetsOutlineTheCellsOnTheStraightenedScan)
{
    const QString folder = path(QStringLiteral("sheets"));
    const CliResult r = exam(
        {QStringLiteral("report"), QStringLiteral("期中"), QStringLiteral("--candidates"), folder});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
    const QStringList written = QDir(folder).entryList({QStringLiteral("*.pdf")}, QDir::Files);
    ASSERT_EQ(written.size(), 3) << written.join(u' ').toStdString();

    const ReportData report = reportWithPictures();
    const ReportCandidate& second = report.candidates.at(1);
    ASSERT_EQ(second.examNumber, QStringLiteral("100002"));
    ASSERT_EQ(second.pictures.size(), 1u);
    const std::vector<QImage> pages = renderPdfPages(
        QDir(folder).filePath(candidateSheetFileName(second) + QStringLiteral(".pdf")), RenderDpi);
    ASSERT_EQ(pages.size(), 2u) << "the scan's page, then the list of answers";
    const QRectF placement = candidatePicturePlacement(second.pictures[0].size());
    const double scale = placement.width() / second.pictures[0].width();
    const auto outlineAt = [&](const AnswerCell& cell) {
        const QPointF topMiddle(cell.rect.center().x(), cell.rect.top());
        return seenAt(pages[0], placement.topLeft() + topMiddle * scale);
    };

    std::size_t checked = 0;
    for (std::size_t q = 0; q < report.questions.size(); ++q) {
        const int number = report.questions[q].number.toInt();
        if (!report.questions[q].objective || !right.contains(number))
            continue;
        const std::vector<AnswerCell>& cells = second.answers[q].cells;
        ASSERT_EQ(qsizetype(cells.size()), questions.at(number).size()) << number;
        for (const AnswerCell& cell : cells) {
            Seen expected = Seen::Other;
            if (number == single[1])
                expected = Seen::Grey; // blank: every cell
            else if (number == single[0] && cell.option == u'B')
                expected = Seen::Red;
            else if (number != single[0] && right.at(number).contains(cell.option))
                expected = Seen::Green;
            if (expected != Seen::Other) {
                EXPECT_EQ(outlineAt(cell), expected) << number << " " << cell.option.toLatin1();
                ++checked;
            } else {
                EXPECT_NE(outlineAt(cell), Seen::Green) << number << " " << cell.option.toLatin1();
                EXPECT_NE(outlineAt(cell), Seen::Red) << number << " " << cell.option.toLatin1();
            }
        }
    }
    EXPECT_GE(checked, right.size());
}

TEST_F(ExamReport, AScanGoneOrChangedGivesASheetWithoutItsPicture)
{
    struct Case
    {
        const char* what;
        std::function<void(const QString&)> spoil;
    };
    const std::vector<Case> cases = {
        {"gone", [](const QString& scan) { ASSERT_TRUE(QFile::remove(scan)); }},
        {"changed",
         [](const QString& scan) {
             QImage other(40, 40, QImage::Format_Grayscale8);
             other.fill(255);
             ASSERT_TRUE(QFile::remove(scan));
             ASSERT_TRUE(other.save(scan));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString scan = scanPath(QStringLiteral("100003"));
        const QByteArray kept = readFile(scan);
        c.spoil(scan);
        const QString folder = path(QStringLiteral("sheets-%1").arg(QLatin1String(c.what)));
        const CliResult r = exam({QStringLiteral("report"), QStringLiteral("期中"),
                                  QStringLiteral("--candidates"), folder});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        const QString warning = QString::fromUtf8(r.err).trimmed();
        EXPECT_TRUE(warning.contains(QStringLiteral("100003")) && warning.contains(scan))
            << warning.toStdString();
        EXPECT_EQ(warning.count(u'\n'), 0) << "one line";
        for (const QString& sheet : QDir(folder).entryList({QStringLiteral("*.pdf")}))
            EXPECT_EQ(pdfPageCount(QDir(folder).filePath(sheet)),
                      sheet.startsWith(QStringLiteral("100003")) ? 1 : 2)
                << sheet.toStdString();
        writeFile(QStringLiteral("scans/100003.png"), kept);
    }
}

// The workbook as a second reader sees it: each sheet's rows of cell values.
QJsonObject readWithOpenpyxl(const QString& path)
{
    // Debian's openpyxl belongs to the system's Python, which need not come first on the path.
    QString python =
        QStandardPaths::findExecutable(QStringLiteral("python3"), {QStringLiteral("/usr/bin")});
    if (python.isEmpty())
        python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    QProcess run;
    run.start(python, {QStringLiteral("-c"),
                       QStringLiteral("import json, sys, openpyxl\n"
                                      "book = openpyxl.load_workbook(sys.argv[1])\n"
                                      "print(json.dumps({s.title: [list(r) for r in "
                                      "s.iter_rows(values_only=True)] for s in book}))\n"),
                       path});
    run.waitForFinished(60000);
    return QJsonDocument::fromJson(run.readAllStandardOutput()).object();
}

TEST_F(ExamReport, TheWorkbookHoldsTheNumbersOfTheCsv)
{
    QStringList header;
    const std::vector<QStringList> rows = resultRows(&header);
    ASSERT_EQ(rows.size(), 3u);
    const QString xlsx = path(QStringLiteral("成绩.xlsx"));
    const CliResult r =
        exam({QStringLiteral("results"), QStringLiteral("期中"), QStringLiteral("--xlsx"), xlsx});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty()) << "the rows went to the workbook";

    const QJsonArray sheet = readWithOpenpyxl(xlsx).value(QStringLiteral("成绩")).toArray();
    ASSERT_EQ(sheet.size(), 4) << "a header and three candidates";
    const QJsonArray titles = sheet.at(0).toArray();
    for (qsizetype i = 0; i < header.size(); ++i)
        ASSERT_EQ(titles.at(i).toString(), header.at(i)) << i;
    EXPECT_EQ(titles.at(header.size()).toString(), QStringLiteral("class"));
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const QJsonArray cells = sheet.at(qsizetype(row) + 1).toArray();
        for (qsizetype i = 0; i < 4; ++i)
            EXPECT_EQ(cells.at(i).toString(), rows[row].at(i)) << row << " " << i;
        for (qsizetype i = 4; i < header.size(); ++i) {
            ASSERT_TRUE(cells.at(i).isDouble()) << row << " " << i;
            EXPECT_EQ(cells.at(i).toDouble(), rows[row].at(i).toDouble()) << row << " " << i;
        }
    }
    EXPECT_EQ(sheet.at(2).toArray().at(header.size()).toString(), QStringLiteral("2"));
}

TEST_F(ExamReport, WrongUsageIsRefused)
{
    const CliResult none = exam({QStringLiteral("report"), QStringLiteral("期中")});
    EXPECT_EQ(none.exitCode, 64);
    const CliResult overDatabase = exam({QStringLiteral("report"), QStringLiteral("期中"),
                                         QStringLiteral("-o"), path(QStringLiteral("exams.db"))});
    EXPECT_EQ(overDatabase.exitCode, 64);
    const CliResult unknown = exam({QStringLiteral("report"), QStringLiteral("期末"),
                                    QStringLiteral("-o"), path(QStringLiteral("r.pdf"))});
    EXPECT_EQ(unknown.exitCode, 2);
}

} // namespace
} // namespace sw::test
