#include "reports/sampleexam.h"

namespace sw::test {

ReportCandidate sampleCandidate(const QString& examNumber, CandidateStatus status,
                                std::initializer_list<SampleAnswer> answers)
{
    ReportCandidate candidate;
    candidate.examNumber = examNumber;
    candidate.name = QStringLiteral("考生") + examNumber;
    candidate.paperType = QStringLiteral("A");
    candidate.status = status;
    for (const SampleAnswer& answer : answers) {
        candidate.answers.push_back(
            {answer.points, QString::fromLatin1(answer.chosen), answer.multipleMarks, {}});
        candidate.total += answer.points;
    }
    candidate.rosterColumns = {{QStringLiteral("班级"), QStringLiteral("三班")},
                               {QStringLiteral("座号"), examNumber.right(1)}};
    return candidate;
}

ReportData sampleExam()
{
    ReportData data;
    data.examName = QStringLiteral("期中数学");
    const char* keys[] = {"A", "B", "C", "D"};
    const double points[] = {1, 2, 1, 1};
    for (int q = 0; q < 4; ++q) {
        ReportQuestion question;
        question.number = QString::number(q + 1);
        question.points = points[q];
        question.options = QStringLiteral("ABCD");
        question.keys = {{QStringLiteral("A"), QString::fromLatin1(keys[q])}};
        data.questions.push_back(question);
    }
    using S = CandidateStatus;
    data.candidates = {
        sampleCandidate(QStringLiteral("E1"), S::Ok, {{1, "A"}, {2, "B"}, {1, "C"}, {0, "A"}}),
        sampleCandidate(QStringLiteral("E2"), S::Ok, {{1, "A"}, {2, "B"}, {0, ""}, {0, "A"}}),
        sampleCandidate(QStringLiteral("E3"), S::Ok, {{1, "A"}, {0, "C"}, {1, "C"}, {1, "D"}}),
        sampleCandidate(QStringLiteral("E4"), S::Ok,
                        {{1, "A"}, {0, "AB", true}, {1, "C"}, {0, "A"}}),
        sampleCandidate(QStringLiteral("E5"), S::Ok, {{0, "B"}, {0, ""}, {0, "A"}, {1, "D"}}),
        sampleCandidate(QStringLiteral("E6"), S::Absent, {{0, ""}, {0, ""}, {0, ""}, {0, ""}}),
        sampleCandidate(QStringLiteral("E7"), S::Missing, {{0, ""}, {0, ""}, {0, ""}, {0, ""}}),
        sampleCandidate(QStringLiteral("E8"), S::Review, {{1, "A"}, {2, "B"}, {1, "C"}, {1, "D"}}),
    };
    return data;
}

} // namespace sw::test
