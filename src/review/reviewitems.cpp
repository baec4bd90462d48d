#include "review/reviewitems.h"

#include <QSet>
#include <algorithm>

namespace sw {

namespace {

// The order of the queue's groups: what a person decides at the sheet first.
constexpr CheckKind QueueOrder[] = {
    CheckKind::ReviewAnswer,
    CheckKind::ReviewScore,
    CheckKind::ReviewExamNumber,
    CheckKind::UnknownCandidate,
    CheckKind::DuplicateScript,
    CheckKind::ReviewSheet,
    CheckKind::FailedRead,
    CheckKind::AbsentWithScript,
    CheckKind::UnplacedPage,
    CheckKind::PageMissing,
    CheckKind::UnknownPaperType,
    CheckKind::MissingScript,
    CheckKind::NoKey,
};

int queueRank(CheckKind kind)
{
    return int(std::find(std::begin(QueueOrder), std::end(QueueOrder), kind) -
               std::begin(QueueOrder));
}

QString digitsOnly(const QString& typed, bool& ok)
{
    QString digits = typed.trimmed();
    ok = !digits.isEmpty() &&
         std::all_of(digits.begin(), digits.end(), [](QChar c) { return c.isDigit(); });
    return digits;
}

} // namespace

std::vector<CheckItem> reviewQueue(const ExamResults& results)
{
    std::vector<CheckItem> queue;
    QSet<QString> seen;
    for (const CheckItem& item : results.checks)
        if (!seen.contains(reviewItemKey(item))) {
            seen.insert(reviewItemKey(item));
            queue.push_back(item);
        }
    std::stable_sort(queue.begin(), queue.end(), [](const CheckItem& a, const CheckItem& b) {
        return queueRank(a.kind) < queueRank(b.kind);
    });
    return queue;
}

QString reviewItemKey(const CheckItem& item)
{
    return QStringLiteral("%1/%2/%3/%4")
        .arg(int(item.kind))
        .arg(item.scan)
        .arg(item.question)
        .arg(item.examNumber);
}

QString checkKindTitle(CheckKind kind)
{
    switch (kind) {
    case CheckKind::ReviewAnswer:
        return QStringLiteral("多涂或不确定");
    case CheckKind::ReviewScore:
        return QStringLiteral("主观分与选做题");
    case CheckKind::ReviewExamNumber:
        return QStringLiteral("考号");
    case CheckKind::ReviewSheet:
        return QStringLiteral("可疑答卷");
    case CheckKind::FailedRead:
        return QStringLiteral("识读失败");
    case CheckKind::UnplacedPage:
        return QStringLiteral("无法归属的页");
    case CheckKind::PageMissing:
        return QStringLiteral("缺页");
    case CheckKind::UnknownCandidate:
        return QStringLiteral("名单外考号");
    case CheckKind::DuplicateScript:
        return QStringLiteral("重复答卷");
    case CheckKind::MissingScript:
        return QStringLiteral("缺少答卷");
    case CheckKind::AbsentWithScript:
        return QStringLiteral("缺考却有答卷");
    case CheckKind::UnknownPaperType:
        return QStringLiteral("没有答案的试卷类型");
    case CheckKind::NoKey:
        return QStringLiteral("没有答案");
    }
    return {};
}

std::optional<DecisionTarget> decisionTarget(CheckKind kind)
{
    switch (kind) {
    case CheckKind::ReviewAnswer:
        return DecisionTarget::Answer;
    case CheckKind::ReviewScore:
        return DecisionTarget::Score;
    case CheckKind::ReviewExamNumber:
    case CheckKind::UnknownCandidate:
    case CheckKind::DuplicateScript:
        return DecisionTarget::ExamNumber;
    case CheckKind::ReviewSheet:
    case CheckKind::FailedRead:
    case CheckKind::AbsentWithScript:
        return DecisionTarget::Sheet;
    case CheckKind::UnplacedPage:
    case CheckKind::PageMissing:
    case CheckKind::MissingScript:
    case CheckKind::UnknownPaperType:
    case CheckKind::NoKey:
        break;
    }
    return std::nullopt;
}

std::optional<QString> typedDecision(const ExamLayout& layout, const CheckItem& item,
                                     const QString& typed, QString* error)
{
    const std::optional<DecisionTarget> target = decisionTarget(item.kind);
    if (!target) {
        *error = QStringLiteral("这一项不能在复核中决定");
        return std::nullopt;
    }
    bool ok = true;
    switch (*target) {
    case DecisionTarget::Sheet:
        return QString();
    case DecisionTarget::ExamNumber:
    case DecisionTarget::Score: {
        const QString digits = digitsOnly(typed, ok);
        if (!ok) {
            *error = QStringLiteral("请输入数字");
            return std::nullopt;
        }
        return digits;
    }
    case DecisionTarget::Answer:
        break;
    }
    const ObjectiveQuestion* asked = nullptr;
    if (const PaperLayout* paper = layout.paper(item.paperType))
        if (const auto it = paper->objective.find(item.question); it != paper->objective.end())
            asked = &it->second;
    if (!asked) {
        *error = QStringLiteral("%1卷没有第 %2 题").arg(QString(item.paperType)).arg(item.question);
        return std::nullopt;
    }
    const QString given = typed.toUpper().remove(QLatin1Char(' '));
    if (given.isEmpty() || given == QStringLiteral("0"))
        return QString(); // blank
    QString answer;
    for (const QChar c : asked->options)
        if (given.contains(c))
            answer += c;
    for (const QChar c : given)
        if (!asked->options.contains(c) || given.count(c) > 1) {
            *error = QStringLiteral("第 %1 题没有选项 %2，或它出现了两次（可选 %3）")
                         .arg(item.question)
                         .arg(QString(c), asked->options);
            return std::nullopt;
        }
    if (!asked->multiple && answer.size() > 1) {
        *error = QStringLiteral("第 %1 题是单选题，只能有一个答案").arg(item.question);
        return std::nullopt;
    }
    return answer;
}

} // namespace sw
