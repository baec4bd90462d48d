#include "reports/examreportdata.h"

#include <QHash>
#include <algorithm>
#include <map>

namespace sw {

namespace {

QString subjectiveNumber(int question)
{
    return QStringLiteral("s%1").arg(question);
}

ReportQuestion objectiveQuestion(const ExamData& data, int number)
{
    ReportQuestion question;
    question.number = QString::number(number);
    question.points = 0;
    for (const auto& [paperType, paper] : data.layout.papers) {
        const auto it = paper.objective.find(number);
        if (it == paper.objective.end())
            continue;
        for (const QChar option : it->second.options)
            if (!question.options.contains(option))
                question.options += option;
        question.multipleChoice = question.multipleChoice || it->second.multiple;
    }
    for (const KeyEntry& entry : data.key) {
        if (entry.question != number)
            continue;
        question.keys.push_back({QString(entry.paperType), entry.answer});
        question.points = std::max(question.points, double(entry.points));
    }
    return question;
}

// Whether the machine saw more marks than question `number` allows on `scan`.
bool multipleMarks(const QHash<qint64, const ExamScan*>& scans, qint64 scan, int number)
{
    const ExamScan* found = scans.value(scan);
    if (!found)
        return false;
    return std::any_of(
        found->reading.Answers.begin(), found->reading.Answers.end(),
        [number](const QuestionAnswer& a) { return a.Number == number && a.Multiple; });
}

ReportCandidate reportCandidate(const ExamData& data, const ExamResults& results,
                                const QHash<qint64, const ExamScan*>& scans,
                                const CandidateResult& result)
{
    ReportCandidate candidate;
    candidate.examNumber = result.examNumber;
    candidate.name = result.name;
    candidate.paperType = result.paperType.isNull() ? QString() : QString(result.paperType);
    candidate.status = result.status;
    candidate.total = result.total;
    for (qsizetype i = 0; i < result.extra.size() && i < data.roster.extraColumns.size(); ++i)
        candidate.rosterColumns.emplace_back(data.roster.extraColumns[i], result.extra[i]);

    std::map<std::pair<bool, int>, const QuestionResult*> byQuestion;
    for (const QuestionResult& q : result.questions)
        byQuestion[{q.subjective, q.question}] = &q;
    const auto answer = [&](bool subjective, int number) {
        ReportAnswer a;
        const auto it = byQuestion.find({subjective, number});
        if (it == byQuestion.end())
            return a;
        const QuestionResult& q = *it->second;
        a.points = q.points;
        if (!subjective) {
            a.chosen = q.chosen;
            a.multipleMarks = !q.decided && multipleMarks(scans, q.scan, number);
        }
        return a;
    };
    for (const int number : results.objectiveColumns)
        candidate.answers.push_back(answer(false, number));
    for (const int number : results.subjectiveColumns)
        candidate.answers.push_back(answer(true, number));
    return candidate;
}

} // namespace

ReportData examReportData(const ExamData& data, const ExamResults& results)
{
    ReportData report;
    report.examName = data.name;
    for (const int number : results.objectiveColumns)
        report.questions.push_back(objectiveQuestion(data, number));
    for (const int number : results.subjectiveColumns) {
        ReportQuestion question;
        question.number = subjectiveNumber(number);
        question.points = 0;
        question.objective = false;
        report.questions.push_back(question);
    }

    QHash<qint64, const ExamScan*> scans;
    for (const ExamScan& scan : data.scans)
        scans.insert(scan.id, &scan);
    for (const CandidateResult& result : results.candidates)
        report.candidates.push_back(reportCandidate(data, results, scans, result));

    // Score-box questions: the most points given stand in for full marks.
    const std::size_t firstSubjective = results.objectiveColumns.size();
    for (const ReportCandidate& candidate : report.candidates)
        for (std::size_t i = firstSubjective; i < report.questions.size(); ++i)
            report.questions[i].points =
                std::max(report.questions[i].points, candidate.answers[i].points);
    return report;
}

} // namespace sw
