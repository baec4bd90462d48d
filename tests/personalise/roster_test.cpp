#include "personalise/roster.h"
#include "personalise/textsubstitution.h"

#include <gtest/gtest.h>

namespace sw::test {
namespace {

TEST(Roster, ReadsColumnsQuotesAndLineEndings)
{
    const QByteArray csv = "\xEF\xBB\xBF"
                           "exam_number,name,school\r\n"
                           "20260001,\xE5\xBC\xA0\xE4\xB8\x89,\"First, North\"\r\n"
                           "\r\n"
                           "20260002,\"Li \"\"Lei\"\"\",\"two\nlines\"\n"
                           "20260003,Han,";
    QString error;
    const auto roster = parseRoster(csv, &error);
    ASSERT_TRUE(roster) << error.toStdString();
    EXPECT_EQ(roster->Columns, QStringList({"exam_number", "name", "school"}));
    ASSERT_EQ(roster->Candidates.size(), 3u);
    const Candidate& first = roster->Candidates[0];
    EXPECT_EQ(first.Line, 2);
    EXPECT_EQ(first.ExamNumber, QStringLiteral("20260001"));
    EXPECT_EQ(first.Name, QStringLiteral("张三"));
    EXPECT_EQ(roster->value(first, QStringLiteral("school")), QStringLiteral("First, North"));
    EXPECT_EQ(roster->Candidates[1].Line, 4);
    EXPECT_EQ(roster->Candidates[1].Name, QStringLiteral("Li \"Lei\""));
    EXPECT_EQ(roster->value(roster->Candidates[1], QStringLiteral("school")),
              QStringLiteral("two\nlines"));
    EXPECT_EQ(roster->Candidates[2].Line, 6);
    EXPECT_EQ(roster->value(roster->Candidates[2], QStringLiteral("school")), QString());
}

struct BadRoster
{
    const char* csv;
    const char* expected; // part of the message
};

class BadRosters : public testing::TestWithParam<BadRoster>
{
};

TEST_P(BadRosters, AreRefusedNamingTheLine)
{
    QString error;
    EXPECT_FALSE(parseRoster(GetParam().csv, &error));
    EXPECT_TRUE(error.contains(QString::fromUtf8(GetParam().expected))) << error.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Roster, BadRosters,
    testing::Values(
        BadRoster{"", "名单是空的"},
        BadRoster{"number,name\n1,a\n", "名单第 1 行：表头缺少 exam_number 列"},
        BadRoster{"exam_number,school\n1,a\n", "名单第 1 行：表头缺少 name 列"},
        BadRoster{"exam_number,name,name\n1,a,b\n", "名单第 1 行：表头的 name 列重复"},
        BadRoster{"exam_number,name\n", "名单里没有考生"},
        BadRoster{"exam_number,name\n1,a\n2,b\n1,c\n", "名单第 4 行：考号 1 与第 2 行重复"},
        BadRoster{"exam_number,name\n1,a\n2\n", "名单第 3 行：有 1 列，表头有 2 列"},
        BadRoster{"exam_number,name\n1,a\n2,b,c\n", "名单第 3 行：有 3 列，表头有 2 列"},
        BadRoster{"exam_number,name\n,a\n", "名单第 2 行：没有考号"},
        BadRoster{"exam_number,name\n12 34,a\n", "名单第 2 行：考号“12 34”含有空白"},
        BadRoster{"exam_number,name\n1,\"a\n", "名单第 2 行：引号没有结束"},
        BadRoster{"exam_number,name\n1,\xFF\n", "不是 UTF-8"}));

TEST(Roster, SubstitutesEveryColumnOnce)
{
    QString error;
    const auto roster = parseRoster("exam_number,name,room\n0042,{room},7\n", &error);
    ASSERT_TRUE(roster) << error.toStdString();
    const Candidate& c = roster->Candidates.front();
    const struct
    {
        const char* text;
        const char* expected;
    } cases[] = {
        {"姓名：{name}", "姓名：{room}"}, // a value is not substituted again
        {"{exam_number}-{room}{room}", "0042-77"},
        {"{unknown} {name", "{unknown} {name"},
        {"{{exam_number}}", "{0042}"},
        {"", ""},
    };
    for (const auto& t : cases)
        EXPECT_EQ(substituteCandidate(QString::fromUtf8(t.text), *roster, c),
                  QString::fromUtf8(t.expected))
            << t.text;
}

} // namespace
} // namespace sw::test
