#include "exam/roster.h"

#include <gtest/gtest.h>

namespace sw::test {
namespace {

TEST(Roster, KeepsFurtherColumnsAsTheyAre)
{
    const QByteArray csv = "exam_number,name,class,seat\n"
                           "20260001,张三,\"3,1\",12\n"
                           "\n"
                           "20260002,\"李 \"\"小\"\" 四\",3-2,\n";
    Roster roster;
    QString error;
    ASSERT_TRUE(parseRoster(csv, roster, &error)) << error.toStdString();
    EXPECT_EQ(roster.extraColumns, (QStringList{QStringLiteral("class"), QStringLiteral("seat")}));
    ASSERT_EQ(roster.entries.size(), 2u);
    EXPECT_EQ(roster.entries[0], (RosterEntry{QStringLiteral("20260001"),
                                              QStringLiteral("张三"),
                                              {QStringLiteral("3,1"), QStringLiteral("12")}}));
    EXPECT_EQ(roster.entries[1].name, QStringLiteral("李 \"小\" 四"));
    EXPECT_EQ(roster.entries[1].extra, (QStringList{QStringLiteral("3-2"), QString()}));
}

TEST(Roster, RefusesEveryMistakeWithItsLineAndKeepsTheOldList)
{
    const struct
    {
        const char* csv;
        const char* message;
    } cases[] = {
        {"number,name\n1,a\n", "名单第 1 行：标题行应以 exam_number,name 开始"},
        {"exam_number\n1\n", "名单第 1 行"},
        {"exam_number,name\n1,a\n2,b,c\n", "名单第 3 行：应有 2 列，却有 3 列"},
        {"exam_number,name\n1,a\n,b\n", "名单第 3 行：缺少考号"},
        {"exam_number,name\n1,a\n2,b\n1,c\n", "名单第 4 行：考号 1 已在第 2 行出现"},
        {"exam_number,name\n1,\"a\n", "第 2 行的引号没有结束"},
        {"", "名单是空的"},
    };
    const Roster before{{}, {{QStringLiteral("9"), QStringLiteral("x"), {}}}};
    for (const auto& c : cases) {
        Roster roster = before;
        QString error;
        EXPECT_FALSE(parseRoster(c.csv, roster, &error)) << c.csv;
        EXPECT_TRUE(error.contains(QString::fromUtf8(c.message))) << error.toStdString();
        EXPECT_EQ(roster, before);
    }
}

} // namespace
} // namespace sw::test
