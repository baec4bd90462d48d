#include "reports/itemanalysis.h"
#include "reports/reportformat.h"
#include "reports/sampleexam.h"
#include "reports/summarystatistics.h"

#include <cmath>
#include <gtest/gtest.h>

namespace sw::test {
namespace {

constexpr double Tolerance = 1e-9;

// Worked out by hand from the table in sampleexam.h. Totals 4, 3, 3, 2, 1:
// mean 13/5, median 3, squared deviations 1.96 + 0.16 + 0.16 + 0.36 + 2.56
// = 5.2, so the population variance is 1.04.
TEST(ReportStatistics, SummaryOfTheSampleExam)
{
    const SummaryStatistics s = summarize(sampleExam());
    EXPECT_EQ(s.candidates, 8);
    EXPECT_EQ(s.absent, 1);
    EXPECT_EQ(s.scriptsRead, 6); // five scored and one under review
    EXPECT_EQ(s.scored, 5);
    EXPECT_DOUBLE_EQ(s.fullMarks, 5);
    EXPECT_NEAR(s.totals.mean, 2.6, Tolerance);
    EXPECT_DOUBLE_EQ(s.totals.median, 3);
    EXPECT_NEAR(s.totals.standardDeviation, std::sqrt(1.04), Tolerance);
    EXPECT_DOUBLE_EQ(s.totals.highest, 4);
    EXPECT_DOUBLE_EQ(s.totals.lowest, 1);
    // Quartiles at positions 1 and 3 of the sorted 1, 2, 3, 3, 4.
    EXPECT_DOUBLE_EQ(s.totals.lowerQuartile, 2);
    EXPECT_DOUBLE_EQ(s.totals.upperQuartile, 3);
    ASSERT_EQ(s.paperTypes.size(), 1u);
    EXPECT_EQ(s.paperTypes[0].totals.count, 5);
    // Item variances 0.16 + 0.96 + 0.24 + 0.24 = 1.6 against 1.04 for the
    // totals: alpha = 4/3 * (1 - 1.6 / 1.04) = -28/39.
    EXPECT_NEAR(s.reliability, -28.0 / 39.0, Tolerance);
}

TEST(ReportStatistics, ItemsOfTheSampleExam)
{
    const std::vector<ItemStatistics> items = analyseItems(sampleExam());
    ASSERT_EQ(items.size(), 4u);
    // 27 % of five rounds to one: E1 above, E5 below.
    struct Expected
    {
        double difficulty;
        double discrimination;
        double pointBiserial;
        int blanks;
        int doubles;
        bool negative;
        bool distractor;
    };
    // Point-biserial: covariance with the totals over both deviations, e.g.
    // Q1: points 1,1,1,1,0 give covariance 0.32 and deviation 0.4.
    const Expected expected[] = {
        {0.8, 1, 0.32 / (0.4 * std::sqrt(1.04)), 0, 0, false, false},
        {0.4, 1, 0.72 / (std::sqrt(0.96) * std::sqrt(1.04)), 1, 1, false, false},
        {0.6, 1, 0.24 / (std::sqrt(0.24) * std::sqrt(1.04)), 1, 0, false, false},
        {0.4, -1, -0.24 / (std::sqrt(0.24) * std::sqrt(1.04)), 0, 0, true, true},
    };
    for (std::size_t q = 0; q < 4; ++q) {
        SCOPED_TRACE(q + 1);
        EXPECT_NEAR(items[q].difficulty, expected[q].difficulty, Tolerance);
        EXPECT_NEAR(items[q].discrimination, expected[q].discrimination, Tolerance);
        EXPECT_NEAR(items[q].pointBiserial, expected[q].pointBiserial, Tolerance);
        EXPECT_EQ(items[q].blanks, expected[q].blanks);
        EXPECT_EQ(items[q].doubles, expected[q].doubles);
        EXPECT_EQ(items[q].negativeDiscrimination, expected[q].negative);
        EXPECT_EQ(items[q].distractorAboveKey, expected[q].distractor);
        EXPECT_EQ(items[q].flagged(), expected[q].negative || expected[q].distractor);
    }
    // Q2: B by E1, E2 and E4 (with A), A by E4, C by E3; the key is B.
    const std::vector<OptionShare>& q2 = items[1].options;
    ASSERT_EQ(q2.size(), 4u);
    const int counts[] = {1, 3, 1, 0};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(q2[i].option, QChar(char16_t(u'A' + i)));
        EXPECT_EQ(q2[i].count, counts[i]);
        EXPECT_NEAR(q2[i].share, counts[i] / 5.0, Tolerance);
        EXPECT_EQ(q2[i].key, i == 1);
    }
    EXPECT_EQ(items[1].keyText, QStringLiteral("B"));
}

// A script for each of three candidates who answered alike.
ReportData equalCandidates()
{
    ReportData data = sampleExam();
    data.candidates = {
        sampleCandidate(QStringLiteral("E1"), CandidateStatus::Ok,
                        {{1, "A"}, {0, "C"}, {1, "C"}, {0, ""}}),
        sampleCandidate(QStringLiteral("E2"), CandidateStatus::Ok,
                        {{1, "A"}, {0, "C"}, {1, "C"}, {0, ""}}),
        sampleCandidate(QStringLiteral("E3"), CandidateStatus::Ok,
                        {{1, "A"}, {0, "C"}, {1, "C"}, {0, ""}}),
    };
    return data;
}

TEST(ReportStatistics, EveryCandidateEqualLeavesTheSpreadFiguresUndefined)
{
    const ReportData data = equalCandidates();
    const SummaryStatistics s = summarize(data);
    EXPECT_DOUBLE_EQ(s.totals.mean, 2);
    EXPECT_DOUBLE_EQ(s.totals.median, 2);
    EXPECT_DOUBLE_EQ(s.totals.standardDeviation, 0);
    EXPECT_TRUE(std::isnan(s.reliability));
    EXPECT_EQ(formatFigure(s.reliability), QStringLiteral("—"));
    for (const ItemStatistics& item : analyseItems(data)) {
        SCOPED_TRACE(item.number.toStdString());
        EXPECT_FALSE(std::isnan(item.difficulty));
        EXPECT_TRUE(std::isnan(item.discrimination));
        EXPECT_TRUE(std::isnan(item.pointBiserial));
        EXPECT_FALSE(item.negativeDiscrimination);
    }
}

TEST(ReportStatistics, AQuestionNobodyAnsweredHasNoCorrelation)
{
    const std::vector<ItemStatistics> items = analyseItems(equalCandidates());
    const ItemStatistics& unanswered = items[3];
    EXPECT_DOUBLE_EQ(unanswered.difficulty, 0);
    EXPECT_EQ(unanswered.blanks, 3);
    EXPECT_TRUE(std::isnan(unanswered.pointBiserial));
    for (const OptionShare& option : unanswered.options)
        EXPECT_DOUBLE_EQ(option.share, 0);
    EXPECT_FALSE(unanswered.distractorAboveKey);
}

TEST(ReportStatistics, NoScoredCandidateGivesUndefinedFigures)
{
    ReportData data = sampleExam();
    for (ReportCandidate& candidate : data.candidates)
        candidate.status = CandidateStatus::Absent;
    const SummaryStatistics s = summarize(data);
    EXPECT_EQ(s.scored, 0);
    EXPECT_EQ(s.absent, 8);
    EXPECT_TRUE(std::isnan(s.totals.mean));
    EXPECT_TRUE(std::isnan(s.totals.median));
    EXPECT_TRUE(s.paperTypes.empty());
    for (const ItemStatistics& item : analyseItems(data)) {
        EXPECT_TRUE(std::isnan(item.difficulty));
        EXPECT_TRUE(std::isnan(item.discrimination));
        EXPECT_EQ(formatShare(item.options[0].share), QStringLiteral("0.0%"));
    }
}

TEST(ReportStatistics, KeysThatDifferByPaperTypeAreShownPerType)
{
    ReportData data = sampleExam();
    data.questions[0].keys.push_back({QStringLiteral("B"), QStringLiteral("C")});
    data.candidates[4].paperType = QStringLiteral("B"); // E5 marked B: wrong on paper B too
    const std::vector<ItemStatistics> items = analyseItems(data);
    EXPECT_EQ(items[0].keyText, QStringLiteral("A:A B:C"));
    for (const OptionShare& option : items[0].options)
        EXPECT_FALSE(option.key) << option.option.toLatin1();
    data.candidates[0].paperType = QStringLiteral("C");
    const SummaryStatistics s = summarize(data);
    ASSERT_EQ(s.paperTypes.size(), 3u);
    EXPECT_EQ(s.paperTypes[0].paperType, QStringLiteral("A"));
    EXPECT_EQ(s.paperTypes[0].totals.count, 3);
    EXPECT_EQ(s.paperTypes[1].paperType, QStringLiteral("B"));
    EXPECT_EQ(s.paperTypes[2].paperType, QStringLiteral("C"));
}

TEST(ReportStatistics, BoxPlotWhiskersStopAtOneAndAHalfBoxes)
{
    const Distribution d = describeValues({1, 2, 3, 4, 5, 6, 7, 8, 40});
    // Quartiles 3 and 7: the whiskers reach 13 at most, so 40 stands alone.
    EXPECT_DOUBLE_EQ(d.lowerQuartile, 3);
    EXPECT_DOUBLE_EQ(d.upperQuartile, 7);
    EXPECT_DOUBLE_EQ(d.lowerWhisker, 1);
    EXPECT_DOUBLE_EQ(d.upperWhisker, 8);
    EXPECT_EQ(d.outliers, std::vector<double>{40});
    EXPECT_DOUBLE_EQ(describeValues({1, 2, 3, 4}).median, 2.5);
}

} // namespace
} // namespace sw::test
