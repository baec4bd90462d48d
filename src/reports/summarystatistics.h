#pragma once

#include "reports/reportdata.h"

#include <QString>
#include <vector>

namespace sw {

// The statistics cover the scored candidates (status ok): a script still
// under review, or one with the cheating mark, has no total to count yet.
// Standard deviations are population ones (divided by the count, not by the
// count less one), in the spread of totals and in the reliability alike.
// A figure that is not defined (no candidate, every total equal) is NaN,
// which the reports show as "—".

// The figures of a list of values. Quartiles and the median interpolate
// linearly between the sorted values at (count - 1) * p.
struct Distribution
{
    int count = 0;
    double mean = 0;
    double median = 0;
    double standardDeviation = 0;
    double lowest = 0;
    double highest = 0;
    double lowerQuartile = 0;
    double upperQuartile = 0;
    // Box plot whiskers: the most extreme values within 1.5 interquartile
    // ranges of the box, and the values beyond them.
    double lowerWhisker = 0;
    double upperWhisker = 0;
    std::vector<double> outliers;
};

Distribution describeValues(std::vector<double> values);

struct PaperTypeTotals
{
    QString paperType;
    Distribution totals;
};

struct SummaryStatistics
{
    int candidates = 0;   // on the list
    int absent = 0;       // status absent
    int scriptsRead = 0;  // status ok, cheating or review
    int scored = 0;       // status ok: the candidates the figures below describe
    double fullMarks = 0; // the sum of the questions' points
    Distribution totals;
    std::vector<PaperTypeTotals> paperTypes; // those with scored candidates, by name
    // Cronbach's alpha over the objective questions (KR-20 when each scores 0
    // or its full points): NaN with fewer than two such questions or when
    // their totals do not vary.
    double reliability = 0;
};

bool isScored(const ReportCandidate& candidate);

// The totals of the scored candidates, in the candidates' order.
std::vector<double> scoredTotals(const ReportData& data);

SummaryStatistics summarize(const ReportData& data);

} // namespace sw
