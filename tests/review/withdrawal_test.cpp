#include "exam/decisionindex.h"

#include <gtest/gtest.h>

namespace sw::test {
namespace {

Decision decided(qint64 id, const char* answer, bool withdrawn = false)
{
    Decision d;
    d.id = id;
    d.scan = 7;
    d.question = 3;
    d.answer = QString::fromUtf8(answer);
    d.withdrawn = withdrawn;
    return d;
}

TEST(DecisionWithdrawal, TakesBackTheNewestStandingDecisionOnly)
{
    const struct
    {
        const char* what;
        std::vector<Decision> decisions;
        qint64 standing; // 0: none
    } cases[] = {
        {"decided", {decided(1, "A")}, 1},
        {"withdrawn", {decided(1, "A"), decided(2, "", true)}, 0},
        {"second withdrawn", {decided(1, "A"), decided(2, "B"), decided(3, "", true)}, 1},
        {"withdrawn twice",
         {decided(1, "A"), decided(2, "B"), decided(3, "", true), decided(4, "", true)},
         0},
        {"nothing to withdraw", {decided(1, "", true), decided(2, "C")}, 2},
        {"decided again", {decided(1, "A"), decided(2, "", true), decided(3, "D")}, 3},
    };
    for (const auto& c : cases) {
        const DecisionIndex index(c.decisions);
        const Decision* found = index.find(7, DecisionTarget::Answer, 3);
        EXPECT_EQ(found ? found->id : 0, c.standing) << c.what;
        EXPECT_FALSE(index.find(7, DecisionTarget::Answer, 4)) << c.what;
    }
}

} // namespace
} // namespace sw::test
