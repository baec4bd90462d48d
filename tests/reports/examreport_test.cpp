#include "painting/pdffile.h"
#include "reports/examreport.h"
#include "reports/itemanalysis.h"
#include "reports/pdfpages.h"
#include "reports/reportformat.h"
#include "reports/sampleexam.h"
#include "reports/summarystatistics.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace sw::test {
namespace {

// The sample exam with `count` questions: the first four as in the sample,
// the rest copies of its fourth (the flagged one).
ReportData examWithQuestions(int count)
{
    ReportData data = sampleExam();
    for (int q = 4; q < count; ++q) {
        ReportQuestion question = data.questions[3];
        question.number = QString::number(q + 1);
        data.questions.push_back(question);
        for (ReportCandidate& candidate : data.candidates) {
            candidate.answers.push_back(candidate.answers[3]);
            candidate.total += candidate.answers[3].points;
        }
    }
    return data;
}

bool pageHasInk(const QImage& page)
{
    for (int y = 0; y < page.height(); y += 3) {
        for (int x = 0; x < page.width(); x += 3) {
            if (qGray(page.pixel(x, y)) < 128)
                return true;
        }
    }
    return false;
}

TEST(ExamReport, TheSummaryFiguresAreTextInThePdf)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("report.pdf"));
    const ReportData data = sampleExam();
    QString error;
    ASSERT_TRUE(writeExamReport(data, path, &error)) << error.toStdString();
    const QString text = pdfText(path);
    ASSERT_FALSE(text.isEmpty()) << "pdftotext found no text";
    const SummaryStatistics s = summarize(data);
    for (const QString& expected :
         {QStringLiteral("考试分析报告"), QStringLiteral("期中数学"), QStringLiteral("难度"),
          QStringLiteral("区分度"), formatFigure(s.totals.mean), formatFigure(s.totals.median),
          formatFigure(s.totals.standardDeviation), formatFigure(s.reliability, 3),
          QStringLiteral("区分度为负"), QStringLiteral("干扰项多于答案")})
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString();
    // The four figures of the sample in the report's own words.
    EXPECT_TRUE(text.contains(QStringLiteral("2.60")));
    EXPECT_TRUE(text.contains(QStringLiteral("1.02")));
    EXPECT_TRUE(text.contains(QStringLiteral("-0.718")));
}

TEST(ExamReport, TheItemTableRunsOverAsManyPagesAsItNeeds)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("report.pdf"));
    const ReportData data = examWithQuestions(120);
    QString error;
    ASSERT_TRUE(writeExamReport(data, path, &error)) << error.toStdString();
    const int pages = pdfPageCount(path);
    EXPECT_GE(pages, 3); // the summary and at least two pages of 120 rows
    const std::vector<QImage> rendered = renderPdfPages(path, 40);
    ASSERT_EQ(int(rendered.size()), pages);
    for (const QImage& page : rendered)
        EXPECT_TRUE(pageHasInk(page));
    const QString text = pdfText(path);
    EXPECT_TRUE(text.contains(QStringLiteral("第 %1 / %1 页").arg(pages - 1)));
    EXPECT_TRUE(text.contains(QStringLiteral("120")));
}

TEST(ExamReport, AnExamWithoutScoredCandidatesStillReports)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("report.pdf"));
    ReportData data = sampleExam();
    for (ReportCandidate& candidate : data.candidates)
        candidate.status = CandidateStatus::Missing;
    QString error;
    ASSERT_TRUE(writeExamReport(data, path, &error)) << error.toStdString();
    EXPECT_TRUE(pdfText(path).contains(QStringLiteral("—")));
    EXPECT_EQ(int(renderPdfPages(path, 30).size()), pdfPageCount(path));
}

TEST(ExamReport, InconsistentDataIsRefusedAndNothingWritten)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("report.pdf"));
    ReportData data = sampleExam();
    data.candidates[2].answers.pop_back();
    QString error;
    EXPECT_FALSE(writeExamReport(data, path, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("E3"))) << error.toStdString();
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_FALSE(
        writeExamReport(sampleExam(), folder.filePath(QStringLiteral("no/report.pdf")), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("no folder"))) << error.toStdString();
}

} // namespace
} // namespace sw::test
