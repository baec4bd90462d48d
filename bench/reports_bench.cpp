// The reports on a scored exam: the analysis report and the workbook of
// 10,000 candidates by 60 questions, and the candidate sheets.

#include "benchinputs.h"

#include "reports/candidatesheet.h"
#include "reports/examreport.h"
#include "reports/resultsworkbook.h"

#include <QPainter>
#include <random>

namespace sw::bench {

namespace {

constexpr int Candidates = 10000;
constexpr int Questions = 60;
constexpr int PaperTypes = 2;
// A straightened A4 page at 200 dpi.
constexpr QSize PageSize(1654, 2339);

// Answers drawn at random, the abler candidates more often right, so that the
// statistics have spread to work on.
ReportData scoredExam(bool withPictures)
{
    const QString options = QStringLiteral("ABCD");
    ReportData data;
    data.examName = QStringLiteral("期末考试");
    for (int q = 0; q < Questions; ++q) {
        ReportQuestion question;
        question.number = QString::number(q + 1);
        question.points = q < 40 ? 1 : 2;
        question.options = options;
        for (int t = 0; t < PaperTypes; ++t)
            question.keys.push_back(
                {QString(QChar(u'A' + t)), QString(options.at((q + t) % options.size()))});
        data.questions.push_back(question);
    }
    QImage page(PageSize, QImage::Format_Grayscale8);
    page.fill(255);
    {
        QPainter painter(&page);
        for (int q = 0; q < Questions; ++q)
            for (int o = 0; o < 4; ++o)
                painter.drawRect(200 + (q % 3) * 450 + o * 80, 400 + (q / 3) * 90, 50, 30);
    }
    std::mt19937 random(28);
    std::uniform_real_distribution<double> unit(0, 1);
    for (int c = 0; c < Candidates; ++c) {
        ReportCandidate candidate;
        candidate.examNumber = QStringLiteral("%1").arg(c + 1, 6, 10, QLatin1Char('0'));
        candidate.name = QStringLiteral("考生%1").arg(c + 1);
        candidate.paperType = QString(QChar(u'A' + c % PaperTypes));
        candidate.status = c % 50 == 0 ? CandidateStatus::Absent : CandidateStatus::Ok;
        candidate.rosterColumns = {{QStringLiteral("班级"), QString::number(c % 30 + 1)}};
        if (withPictures)
            candidate.pictures = {page};
        const double ability = unit(random);
        for (int q = 0; q < Questions; ++q) {
            const ReportQuestion& question = data.questions[std::size_t(q)];
            ReportAnswer answer;
            const double draw = unit(random);
            if (draw < 0.03)
                answer.chosen.clear();
            else if (draw < 0.3 + 0.6 * ability)
                answer.chosen = question.keyFor(candidate.paperType);
            else
                answer.chosen = options.at(int(unit(random) * 4) % 4);
            if (answer.chosen == question.keyFor(candidate.paperType))
                answer.points = question.points;
            if (withPictures) {
                for (int o = 0; o < 4; ++o)
                    answer.cells.push_back(
                        {0, QRectF(200 + (q % 3) * 450 + o * 80, 400 + (q / 3) * 90, 50, 30),
                         options.at(o)});
            }
            candidate.total += answer.points;
            candidate.answers.push_back(std::move(answer));
        }
        data.candidates.push_back(std::move(candidate));
    }
    return data;
}

const ReportData& largeExam()
{
    static const ReportData data = scoredExam(false);
    return data;
}

// Statistics, charts and item table of 10,000 candidates into a PDF file.
void BM_ExamReport(benchmark::State& state)
{
    const ReportData& data = largeExam();
    const QString path = BenchInputs::instance().folder().filePath(QStringLiteral("report.pdf"));
    QString error;
    for (auto _ : state) {
        if (!writeExamReport(data, path, &error))
            return state.SkipWithError(error.toUtf8().constData());
    }
    state.counters["candidates"] = Candidates;
}
BENCHMARK(BM_ExamReport)->Apply(timedInMilliseconds);

// The two sheets of 10,000 candidates into an .xlsx file.
void BM_ResultsWorkbook(benchmark::State& state)
{
    const ReportData& data = largeExam();
    const QString path = BenchInputs::instance().folder().filePath(QStringLiteral("results.xlsx"));
    QString error;
    for (auto _ : state) {
        if (!writeResultsWorkbook(data, path, &error))
            return state.SkipWithError(error.toUtf8().constData());
    }
    state.counters["candidates"] = Candidates;
}
BENCHMARK(BM_ResultsWorkbook)->Apply(timedInMilliseconds);

// One candidate's sheet: a 200-dpi page picture with 60 questions outlined,
// and the answer list. items_per_second is sheets per second of CPU.
void BM_CandidateSheet(benchmark::State& state)
{
    static const ReportData data = [] {
        ReportData exam = scoredExam(true);
        exam.candidates.resize(8);
        return exam;
    }();
    std::size_t next = 0;
    for (auto _ : state) {
        const QByteArray pdf = candidateSheetPdf(data, data.candidates[next++ % 8]);
        if (pdf.isEmpty())
            return state.SkipWithError("the sheet could not be painted");
        benchmark::DoNotOptimize(pdf.data());
    }
    state.SetItemsProcessed(std::int64_t(state.iterations()));
}
BENCHMARK(BM_CandidateSheet)->Apply(timedInMilliseconds);

} // namespace

} // namespace sw::bench
