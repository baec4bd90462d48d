#include "painting/pdffile.h"
#include "reports/itemanalysis.h"
#include "reports/resultsworkbook.h"
#include "reports/sampleexam.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

namespace sw::test {
namespace {

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

QStringList folderEntries(const QTemporaryDir& folder)
{
    return QDir(folder.path())
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

void expectNumber(const QJsonValue& cell, double expected)
{
    if (std::isnan(expected)) {
        EXPECT_TRUE(cell.isNull());
        return;
    }
    ASSERT_TRUE(cell.isDouble()) << "not a number";
    EXPECT_NEAR(cell.toDouble(), expected, 1e-9);
}

TEST(ResultsWorkbook, ASecondReaderFindsTheSameNumbers)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("成绩.xlsx"));
    const ReportData data = sampleExam();
    QString error;
    ASSERT_TRUE(writeResultsWorkbook(data, path, &error)) << error.toStdString();
    EXPECT_EQ(folderEntries(folder), QStringList{QStringLiteral("成绩.xlsx")});
    const QJsonObject book = readWithOpenpyxl(path);
    ASSERT_EQ(book.keys(), QStringList({QStringLiteral("成绩"), QStringLiteral("题目分析")}));

    const QJsonArray results = book.value(QStringLiteral("成绩")).toArray();
    ASSERT_EQ(results.size(), qsizetype(data.candidates.size()) + 1);
    const QStringList header = {
        QStringLiteral("exam_number"), QStringLiteral("name"),  QStringLiteral("paper_type"),
        QStringLiteral("status"),      QStringLiteral("total"), QStringLiteral("1"),
        QStringLiteral("2"),           QStringLiteral("3"),     QStringLiteral("4"),
        QStringLiteral("班级"),        QStringLiteral("座号")};
    QStringList headerRead;
    for (const QJsonValue& cell : results.at(0).toArray())
        headerRead.append(cell.toString());
    EXPECT_EQ(headerRead, header);
    for (std::size_t i = 0; i < data.candidates.size(); ++i) {
        const ReportCandidate& candidate = data.candidates[i];
        SCOPED_TRACE(candidate.examNumber.toStdString());
        const QJsonArray row = results.at(qsizetype(i) + 1).toArray();
        EXPECT_EQ(row.at(0).toString(), candidate.examNumber);
        EXPECT_EQ(row.at(1).toString(), candidate.name);
        EXPECT_EQ(row.at(3).toString(), candidateStatusName(candidate.status));
        expectNumber(row.at(4), candidate.total);
        for (std::size_t q = 0; q < 4; ++q)
            expectNumber(row.at(5 + qsizetype(q)), candidate.answers[q].points);
        EXPECT_EQ(row.at(9).toString(), candidate.rosterColumns[0].second);
        EXPECT_EQ(row.at(10).toString(), candidate.rosterColumns[1].second);
    }

    const QJsonArray itemRows = book.value(QStringLiteral("题目分析")).toArray();
    const std::vector<ItemStatistics> items = analyseItems(data);
    ASSERT_EQ(itemRows.size(), qsizetype(items.size()) + 1);
    for (std::size_t q = 0; q < items.size(); ++q) {
        SCOPED_TRACE(q + 1);
        const QJsonArray row = itemRows.at(qsizetype(q) + 1).toArray();
        EXPECT_EQ(row.at(0).toString(), items[q].number);
        expectNumber(row.at(1), items[q].points);
        EXPECT_EQ(row.at(2).toString(), items[q].keyText);
        expectNumber(row.at(3), items[q].difficulty);
        expectNumber(row.at(4), items[q].discrimination);
        expectNumber(row.at(5), items[q].pointBiserial);
        for (std::size_t o = 0; o < 4; ++o)
            expectNumber(row.at(6 + qsizetype(o)), items[q].options[o].share);
        expectNumber(row.at(10), items[q].blanks);
        expectNumber(row.at(11), items[q].doubles);
        EXPECT_EQ(row.at(12).toString().isEmpty(), !items[q].flagged());
    }
}

TEST(ResultsWorkbook, UndefinedFiguresAreEmptyCells)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("results.xlsx"));
    ReportData data = sampleExam();
    data.candidates.resize(1); // a single candidate: no discrimination, no correlation
    QString error;
    ASSERT_TRUE(writeResultsWorkbook(data, path, &error)) << error.toStdString();
    const QJsonArray row =
        readWithOpenpyxl(path).value(QStringLiteral("题目分析")).toArray().at(1).toArray();
    EXPECT_TRUE(row.at(4).isNull());
    EXPECT_TRUE(row.at(5).isNull());
    expectNumber(row.at(3), 1);
}

TEST(ResultsWorkbook, AFailureKeepsTheEarlierFileAndLeavesNoTemporary)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("results.xlsx"));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("earlier");
    }
    ReportData tooLong = sampleExam();
    tooLong.candidates[0].name = QString(40000, u'名'); // beyond a cell's 32,767 characters
    ReportData inconsistent = sampleExam();
    inconsistent.candidates[1].answers.clear();
    for (const ReportData& data : {tooLong, inconsistent}) {
        QString error;
        EXPECT_FALSE(writeResultsWorkbook(data, path, &error));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(readFile(path), QByteArray("earlier"));
        EXPECT_EQ(folderEntries(folder), QStringList{QStringLiteral("results.xlsx")});
    }
    QString error;
    EXPECT_FALSE(
        writeResultsWorkbook(sampleExam(), folder.filePath(QStringLiteral("no/r.xlsx")), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("no folder"))) << error.toStdString();
}

TEST(ResultsWorkbook, ALinkInPlaceOfTheFileIsRefused)
{
    QTemporaryDir folder;
    QTemporaryDir outside;
    const QString elsewhere = outside.filePath(QStringLiteral("elsewhere.xlsx"));
    const QString path = folder.filePath(QStringLiteral("results.xlsx"));
    ASSERT_TRUE(QFile::link(elsewhere, path));
    QString error;
    EXPECT_FALSE(writeResultsWorkbook(sampleExam(), path, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("symbolic link"))) << error.toStdString();
    EXPECT_FALSE(QFile::exists(elsewhere));
    EXPECT_EQ(folderEntries(folder), QStringList{QStringLiteral("results.xlsx")});
}

} // namespace
} // namespace sw::test
