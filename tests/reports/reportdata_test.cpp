#include "reports/reportdata.h"
#include "reports/sampleexam.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <limits>

namespace sw::test {
namespace {

TEST(ReportData, TheSampleExamIsConsistent)
{
    QString error;
    EXPECT_TRUE(checkReportData(sampleExam(), &error)) << error.toStdString();
}

TEST(ReportData, InconsistenciesAreNamed)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case
    {
        const char* what;
        std::function<void(ReportData&)> spoil;
        const char* named;
    };
    const Case cases[] = {
        {"an answer too few", [](ReportData& d) { d.candidates[1].answers.pop_back(); },
         "candidate E2 has 3 answers for 4 questions"},
        {"points of a question", [nan](ReportData& d) { d.questions[2].points = nan; },
         "question 3"},
        {"negative points", [](ReportData& d) { d.questions[0].points = -1; }, "question 1"},
        {"a total", [nan](ReportData& d) { d.candidates[0].total = nan; }, "candidate E1"},
        {"points given", [nan](ReportData& d) { d.candidates[3].answers[1].points = nan; },
         "candidate E4 has no valid points for question 2"},
        {"a cell on a page the script lacks",
         [](ReportData& d) {
             d.candidates[0].answers[0].cells.push_back({1, {}, u'A'});
         },
         "page 2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ReportData data = sampleExam();
        c.spoil(data);
        QString error;
        EXPECT_FALSE(checkReportData(data, &error));
        EXPECT_TRUE(error.contains(QString::fromUtf8(c.named))) << error.toStdString();
    }
}

TEST(ReportData, StatusNamesAndScripts)
{
    using S = CandidateStatus;
    const std::pair<S, const char*> names[] = {{S::Ok, "ok"},
                                               {S::Absent, "absent"},
                                               {S::Cheating, "cheating"},
                                               {S::Review, "review"},
                                               {S::Missing, "missing"}};
    for (const auto& [status, name] : names) {
        EXPECT_EQ(candidateStatusName(status), QString::fromLatin1(name));
        EXPECT_EQ(hasScript(status), status != S::Absent && status != S::Missing) << name;
    }
}

} // namespace
} // namespace sw::test
