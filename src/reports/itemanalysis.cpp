#include "reports/itemanalysis.h"

#include "platform/rounding.h"
#include "reports/summarystatistics.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace sw {

namespace {

constexpr double NotDefined = std::numeric_limits<double>::quiet_NaN();
constexpr double GroupFraction = 0.27;

// The scored candidates and, for the discrimination, the upper and lower
// groups by total.
struct Cohort
{
    std::vector<const ReportCandidate*> members;
    std::vector<const ReportCandidate*> upper;
    std::vector<const ReportCandidate*> lower;
    double meanTotal = 0;
    double totalDeviation = 0; // population standard deviation of the totals
};

Cohort cohortOf(const ReportData& data)
{
    Cohort cohort;
    for (const ReportCandidate& candidate : data.candidates) {
        if (isScored(candidate))
            cohort.members.push_back(&candidate);
    }
    const std::size_t n = cohort.members.size();
    if (n == 0)
        return cohort;
    double sum = 0;
    for (const ReportCandidate* member : cohort.members)
        sum += member->total;
    cohort.meanTotal = sum / double(n);
    double squares = 0;
    for (const ReportCandidate* member : cohort.members)
        squares += (member->total - cohort.meanTotal) * (member->total - cohort.meanTotal);
    cohort.totalDeviation = std::sqrt(squares / double(n));
    const auto groupSize = std::size_t(std::max(0, roundHalfEven(GroupFraction * double(n))));
    if (groupSize == 0 || cohort.totalDeviation <= 0)
        return cohort;
    std::vector<const ReportCandidate*> ranked = cohort.members;
    std::stable_sort(
        ranked.begin(), ranked.end(),
        [](const ReportCandidate* a, const ReportCandidate* b) { return a->total > b->total; });
    cohort.upper.assign(ranked.begin(), ranked.begin() + std::ptrdiff_t(groupSize));
    cohort.lower.assign(ranked.end() - std::ptrdiff_t(groupSize), ranked.end());
    return cohort;
}

double meanShare(const std::vector<const ReportCandidate*>& group, std::size_t q, double points)
{
    double sum = 0;
    for (const ReportCandidate* member : group)
        sum += member->answers[q].points;
    return sum / double(group.size()) / points;
}

QString keyTextOf(const ReportQuestion& question)
{
    QStringList distinct;
    for (const QuestionKey& key : question.keys) {
        if (!distinct.contains(key.answer))
            distinct.append(key.answer);
    }
    if (distinct.size() <= 1)
        return distinct.value(0);
    QStringList perType;
    for (const QuestionKey& key : question.keys)
        perType.append(key.paperType + QLatin1Char(':') + key.answer);
    return perType.join(QLatin1Char(' '));
}

bool inEveryKey(const ReportQuestion& question, QChar option)
{
    return !question.keys.empty() &&
           std::all_of(question.keys.begin(), question.keys.end(),
                       [option](const QuestionKey& key) { return key.answer.contains(option); });
}

void countChoices(const ReportQuestion& question, const Cohort& cohort, std::size_t q,
                  ItemStatistics& item)
{
    const qsizetype optionCount = question.options.size();
    for (QChar option : question.options)
        item.options.push_back({option, 0, 0, inEveryKey(question, option)});
    std::vector<int> distractorCounts(std::size_t(optionCount), 0);
    int keyCount = 0;
    for (const ReportCandidate* member : cohort.members) {
        const ReportAnswer& answer = member->answers[q];
        if (answer.chosen.isEmpty())
            ++item.blanks;
        if (answer.multipleMarks)
            ++item.doubles;
        const QString key = question.keyFor(member->paperType);
        if (!key.isEmpty() && answer.chosen == key)
            ++keyCount;
        for (qsizetype i = 0; i < optionCount; ++i) {
            const QChar option = question.options.at(i);
            if (!answer.chosen.contains(option))
                continue;
            ++item.options[std::size_t(i)].count;
            if (!key.isEmpty() && !key.contains(option))
                ++distractorCounts[std::size_t(i)];
        }
    }
    const double n = double(cohort.members.size());
    for (OptionShare& share : item.options)
        share.share = n > 0 ? share.count / n : 0;
    item.distractorAboveKey = std::any_of(distractorCounts.begin(), distractorCounts.end(),
                                          [keyCount](int count) { return count > keyCount; });
}

double pointBiserial(const Cohort& cohort, std::size_t q)
{
    const double n = double(cohort.members.size());
    if (n == 0 || cohort.totalDeviation <= 0)
        return NotDefined;
    double sum = 0;
    for (const ReportCandidate* member : cohort.members)
        sum += member->answers[q].points;
    const double mean = sum / n;
    double squares = 0;
    double products = 0;
    for (const ReportCandidate* member : cohort.members) {
        const double deviation = member->answers[q].points - mean;
        squares += deviation * deviation;
        products += deviation * (member->total - cohort.meanTotal);
    }
    if (squares <= 0)
        return NotDefined;
    return products / n / (std::sqrt(squares / n) * cohort.totalDeviation);
}

} // namespace

std::vector<ItemStatistics> analyseItems(const ReportData& data)
{
    const Cohort cohort = cohortOf(data);
    std::vector<ItemStatistics> items;
    items.reserve(data.questions.size());
    for (std::size_t q = 0; q < data.questions.size(); ++q) {
        const ReportQuestion& question = data.questions[q];
        ItemStatistics item;
        item.number = question.number;
        item.points = question.points;
        item.keyText = keyTextOf(question);
        const bool scorable = !cohort.members.empty() && question.points > 0;
        item.difficulty = scorable ? meanShare(cohort.members, q, question.points) : NotDefined;
        item.discrimination = scorable && !cohort.upper.empty()
                                  ? meanShare(cohort.upper, q, question.points) -
                                        meanShare(cohort.lower, q, question.points)
                                  : NotDefined;
        item.pointBiserial = pointBiserial(cohort, q);
        countChoices(question, cohort, q, item);
        item.negativeDiscrimination = item.discrimination < 0;
        items.push_back(std::move(item));
    }
    return items;
}

} // namespace sw
