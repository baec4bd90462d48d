#include "review/decisionhistory.h"

#include <QTreeWidget>

namespace sw {

namespace {

QString readAnswer(const std::vector<QuestionAnswer>& answers, int question)
{
    for (const QuestionAnswer& a : answers)
        if (a.Number == question)
            return a.Answer;
    return {};
}

} // namespace

QString machineReading(const ExamScan& scan, DecisionTarget target, int question)
{
    switch (target) {
    case DecisionTarget::Answer:
        return readAnswer(scan.reading.Answers, question);
    case DecisionTarget::Score:
        for (const auto& [number, digits] : scan.reading.Scores)
            if (number == question)
                return digits;
        return readAnswer(scan.reading.OptionalChoices, question);
    case DecisionTarget::ExamNumber:
        return scan.reading.ExamNumber;
    case DecisionTarget::Sheet:
        return scan.failure.isEmpty() ? scan.reading.statusText() : scan.failure;
    }
    return {};
}

QString decisionSubject(const Decision& decision)
{
    switch (decision.target) {
    case DecisionTarget::Answer:
        return QStringLiteral("第 %1 题").arg(decision.question);
    case DecisionTarget::Score:
        return QStringLiteral("第 %1 题得分").arg(decision.question);
    case DecisionTarget::ExamNumber:
        return QStringLiteral("考号");
    case DecisionTarget::Sheet:
        return QStringLiteral("整张答卷");
    }
    return {};
}

void showDecisionHistory(QTreeWidget& view, const ExamScan& scan,
                         const std::vector<Decision>& decisions)
{
    view.clear();
    for (auto d = decisions.rbegin(); d != decisions.rend(); ++d) {
        if (d->scan != scan.id)
            continue;
        const QString decided = d->withdrawn ? QStringLiteral("撤销")
                                : d->answer.isEmpty() && d->target == DecisionTarget::Answer
                                    ? QStringLiteral("空白")
                                    : d->answer;
        new QTreeWidgetItem(&view,
                            {d->time.toLocalTime().toString(QStringLiteral("MM-dd HH:mm:ss")),
                             d->reviewer, decisionSubject(*d),
                             machineReading(scan, d->target, d->question), decided, d->reason});
    }
}

} // namespace sw
