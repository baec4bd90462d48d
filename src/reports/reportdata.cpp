#include "reports/reportdata.h"

#include <cmath>

namespace sw {

namespace {

bool fail(QString* error, const QString& message)
{
    if (error)
        *error = message;
    return false;
}

} // namespace

QString ReportQuestion::keyFor(const QString& paperType) const
{
    for (const QuestionKey& key : keys) {
        if (key.paperType == paperType)
            return key.answer;
    }
    return {};
}

bool hasScript(CandidateStatus status)
{
    return status == CandidateStatus::Ok || status == CandidateStatus::Cheating ||
           status == CandidateStatus::Review;
}

bool checkReportData(const ReportData& data, QString* error)
{
    for (const ReportQuestion& question : data.questions) {
        if (!std::isfinite(question.points) || question.points < 0)
            return fail(error,
                        QStringLiteral("question %1 has no valid points").arg(question.number));
    }
    for (const ReportCandidate& candidate : data.candidates) {
        if (candidate.answers.size() != data.questions.size())
            return fail(error, QStringLiteral("candidate %1 has %2 answers for %3 questions")
                                   .arg(candidate.examNumber)
                                   .arg(candidate.answers.size())
                                   .arg(data.questions.size()));
        if (!std::isfinite(candidate.total))
            return fail(
                error, QStringLiteral("candidate %1 has no valid total").arg(candidate.examNumber));
        for (std::size_t q = 0; q < candidate.answers.size(); ++q) {
            const ReportAnswer& answer = candidate.answers[q];
            if (!std::isfinite(answer.points))
                return fail(error,
                            QStringLiteral("candidate %1 has no valid points for question %2")
                                .arg(candidate.examNumber, data.questions[q].number));
            for (const AnswerCell& cell : answer.cells) {
                if (cell.page < 0 || std::size_t(cell.page) >= candidate.pictures.size())
                    return fail(error,
                                QStringLiteral("candidate %1: a cell of question %2 is on page %3, "
                                               "which the script does not have")
                                    .arg(candidate.examNumber, data.questions[q].number)
                                    .arg(cell.page + 1));
            }
        }
    }
    return true;
}

} // namespace sw
