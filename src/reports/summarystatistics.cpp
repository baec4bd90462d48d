#include "reports/summarystatistics.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace sw {

namespace {

constexpr double NotDefined = std::numeric_limits<double>::quiet_NaN();
constexpr double WhiskerReach = 1.5;

// The value at fraction p of the sorted values, between neighbours linearly.
double quantile(const std::vector<double>& sorted, double p)
{
    const double position = p * double(sorted.size() - 1);
    const auto below = std::size_t(std::floor(position));
    const std::size_t above = std::min(below + 1, sorted.size() - 1);
    return sorted[below] + (sorted[above] - sorted[below]) * (position - double(below));
}

double populationVariance(const std::vector<double>& values, double mean)
{
    double sum = 0;
    for (double value : values)
        sum += (value - mean) * (value - mean);
    return sum / double(values.size());
}

double mean(const std::vector<double>& values)
{
    double sum = 0;
    for (double value : values)
        sum += value;
    return sum / double(values.size());
}

double cronbachAlpha(const ReportData& data)
{
    std::vector<std::size_t> objective;
    for (std::size_t q = 0; q < data.questions.size(); ++q) {
        if (data.questions[q].objective)
            objective.push_back(q);
    }
    const double items = double(objective.size());
    if (objective.size() < 2)
        return NotDefined;
    std::vector<double> sums;
    std::vector<std::vector<double>> scores(objective.size());
    for (const ReportCandidate& candidate : data.candidates) {
        if (!isScored(candidate))
            continue;
        double sum = 0;
        for (std::size_t i = 0; i < objective.size(); ++i) {
            const double points = candidate.answers[objective[i]].points;
            scores[i].push_back(points);
            sum += points;
        }
        sums.push_back(sum);
    }
    if (sums.empty())
        return NotDefined;
    const double totalVariance = populationVariance(sums, mean(sums));
    if (totalVariance <= 0)
        return NotDefined;
    double itemVariances = 0;
    for (const std::vector<double>& itemScores : scores)
        itemVariances += populationVariance(itemScores, mean(itemScores));
    return items / (items - 1) * (1 - itemVariances / totalVariance);
}

} // namespace

Distribution describeValues(std::vector<double> values)
{
    Distribution d;
    d.count = int(values.size());
    if (values.empty()) {
        d.mean = d.median = d.standardDeviation = d.lowest = d.highest = NotDefined;
        d.lowerQuartile = d.upperQuartile = d.lowerWhisker = d.upperWhisker = NotDefined;
        return d;
    }
    std::sort(values.begin(), values.end());
    d.mean = mean(values);
    d.standardDeviation = std::sqrt(populationVariance(values, d.mean));
    d.lowest = values.front();
    d.highest = values.back();
    d.median = quantile(values, 0.5);
    d.lowerQuartile = quantile(values, 0.25);
    d.upperQuartile = quantile(values, 0.75);
    const double reach = WhiskerReach * (d.upperQuartile - d.lowerQuartile);
    d.lowerWhisker = d.lowerQuartile;
    d.upperWhisker = d.upperQuartile;
    for (double value : values) {
        if (value < d.lowerQuartile - reach || value > d.upperQuartile + reach)
            d.outliers.push_back(value);
        else {
            d.lowerWhisker = std::min(d.lowerWhisker, value);
            d.upperWhisker = std::max(d.upperWhisker, value);
        }
    }
    return d;
}

bool isScored(const ReportCandidate& candidate)
{
    return candidate.status == CandidateStatus::Ok;
}

std::vector<double> scoredTotals(const ReportData& data)
{
    std::vector<double> totals;
    for (const ReportCandidate& candidate : data.candidates) {
        if (isScored(candidate))
            totals.push_back(candidate.total);
    }
    return totals;
}

SummaryStatistics summarize(const ReportData& data)
{
    SummaryStatistics s;
    s.candidates = int(data.candidates.size());
    for (const ReportQuestion& question : data.questions)
        s.fullMarks += question.points;
    std::vector<double> totals;
    std::vector<QString> paperTypes;
    std::vector<std::vector<double>> paperTypeTotals;
    for (const ReportCandidate& candidate : data.candidates) {
        if (candidate.status == CandidateStatus::Absent)
            ++s.absent;
        if (hasScript(candidate.status))
            ++s.scriptsRead;
        if (!isScored(candidate))
            continue;
        totals.push_back(candidate.total);
        const auto known = std::find(paperTypes.begin(), paperTypes.end(), candidate.paperType);
        if (known == paperTypes.end()) {
            paperTypes.push_back(candidate.paperType);
            paperTypeTotals.push_back({candidate.total});
        } else {
            paperTypeTotals[std::size_t(known - paperTypes.begin())].push_back(candidate.total);
        }
    }
    s.scored = int(totals.size());
    s.totals = describeValues(std::move(totals));
    for (std::size_t i = 0; i < paperTypes.size(); ++i)
        s.paperTypes.push_back({paperTypes[i], describeValues(std::move(paperTypeTotals[i]))});
    std::sort(s.paperTypes.begin(), s.paperTypes.end(),
              [](const PaperTypeTotals& a, const PaperTypeTotals& b) {
                  return a.paperType < b.paperType;
              });
    s.reliability = cronbachAlpha(data);
    return s;
}

} // namespace sw
