#include "exam/answerkey.h"
#include "exam/examlayout.h"
#include "exam/examsheets.h"
#include "reading/sheetgeometry.h"

#include <gtest/gtest.h>

namespace sw::test {
namespace {

class AnswerKeyTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const auto document = examSheet();
        layout = examLayout(documentGeometry(*document));
        ASSERT_EQ(layout.papers.size(), 1u);
        paper = &layout.papers.begin()->second;
        for (const auto& [number, q] : paper->objective)
            (q.multiple ? multiple : single).push_back(number);
        ASSERT_GE(single.size(), 3u);
        ASSERT_GE(multiple.size(), 2u);
    }

    // A complete key: the first option of single-choice questions, the
    // first and third of multiple-choice ones; `replace` swaps in lines.
    QByteArray keyCsv(const std::map<int, QString>& replace = {}, bool drop = false) const
    {
        QByteArray csv = "paper_type,question,answer,points,partial\n";
        for (const auto& [number, q] : paper->objective) {
            if (const auto it = replace.find(number); it != replace.end()) {
                if (!drop)
                    csv += it->second.toUtf8() + '\n';
                continue;
            }
            csv += QStringLiteral("A,%1,%2,%3,%4\n")
                       .arg(number)
                       .arg(q.multiple ? QStringLiteral("CA") : QStringLiteral("A"))
                       .arg(q.multiple ? 4 : 2)
                       .arg(q.multiple ? QStringLiteral("1") : QString())
                       .toUtf8();
        }
        return csv;
    }

    ExamLayout layout;
    const PaperLayout* paper = nullptr;
    std::vector<int> single;
    std::vector<int> multiple;
};

TEST_F(AnswerKeyTest, ReadsACompleteKeyInOptionOrder)
{
    AnswerKey key;
    QString error;
    ASSERT_TRUE(parseAnswerKey(keyCsv(), layout, key, &error)) << error.toStdString();
    ASSERT_EQ(key.size(), paper->objective.size());
    for (const KeyEntry& e : key) {
        const bool isMultiple = paper->objective.at(e.question).multiple;
        EXPECT_EQ(e.answer, isMultiple ? QStringLiteral("AC") : QStringLiteral("A"));
        EXPECT_EQ(e.points, isMultiple ? 4 : 2);
        EXPECT_EQ(e.partial, isMultiple ? 1 : 0);
    }
    EXPECT_TRUE(validateAnswerKey(key, layout, &error)) << error.toStdString();
}

TEST_F(AnswerKeyTest, AcceptsAKeyWithoutThePartialColumnAndWithQuotes)
{
    QByteArray csv = "\xEF\xBB\xBFpaper_type,question,answer,points\r\n";
    for (const auto& [number, q] : paper->objective)
        csv += QStringLiteral("\"A\",%1,\"%2\",3\r\n")
                   .arg(number)
                   .arg(q.multiple ? QStringLiteral("BD") : QStringLiteral("B"))
                   .toUtf8();
    AnswerKey key;
    QString error;
    ASSERT_TRUE(parseAnswerKey(csv, layout, key, &error)) << error.toStdString();
    EXPECT_EQ(key.front().points, 3);
}

struct BadKey
{
    const char* what;
    int question; // which question's line is replaced: index into single or multiple
    bool ofMultiple;
    const char* line; // %1 is the question number; empty: the line is dropped
    const char* message;
};

TEST_F(AnswerKeyTest, RefusesEveryMistakeWithItsLineAndStoresNothing)
{
    const BadKey cases[] = {
        {"unknown paper type", 0, false, "B,%1,A,2,", "模板没有 B 卷"},
        {"option not offered", 0, false, "A,%1,E,2,", "没有选项 E"},
        {"second answer to single choice", 1, false, "A,%1,AB,2,", "是单选题"},
        {"partial on single choice", 1, false, "A,%1,A,2,1", "不能给部分分"},
        {"partial above points", 0, true, "A,%1,AC,2,3", "大于满分"},
        {"option twice", 0, true, "A,%1,AA,2,", "出现了两次"},
        {"points not a number", 2, false, "A,%1,A,x,", "分值应为"},
        {"no answer", 2, false, "A,%1,,2,", "没有答案"},
        {"missing column", 2, false, "A,%1,A", "应有 5 列"},
        {"missing question", 1, true, "", "答案缺少 A 卷第"},
    };
    const AnswerKey before{{QChar(u'A'), 1, QStringLiteral("A"), 1, 0}};
    for (const BadKey& c : cases) {
        const int number =
            c.ofMultiple ? multiple[std::size_t(c.question)] : single[std::size_t(c.question)];
        const bool drop = *c.line == '\0';
        const QString line = drop ? QString() : QString::fromUtf8(c.line).arg(number);
        const QByteArray csv = keyCsv({{number, line}}, drop);
        // The replaced line's number: the header is line 1, questions follow in order.
        int lineNumber = 2;
        for (const auto& [n, q] : paper->objective) {
            if (n == number)
                break;
            ++lineNumber;
        }
        if (drop)
            lineNumber = int(paper->objective.size()) + 1; // after the last line
        AnswerKey key = before;
        QString error;
        EXPECT_FALSE(parseAnswerKey(csv, layout, key, &error)) << c.what;
        EXPECT_TRUE(error.contains(QStringLiteral("第 %1 行").arg(lineNumber)))
            << c.what << ": " << error.toStdString();
        EXPECT_TRUE(error.contains(QString::fromUtf8(c.message)))
            << c.what << ": " << error.toStdString();
        EXPECT_EQ(key, before) << c.what;
    }
}

TEST_F(AnswerKeyTest, RefusesAQuestionGivenTwiceAndAQuestionNotOnTheSheet)
{
    QByteArray twice = keyCsv();
    twice += QStringLiteral("A,%1,B,2,\n").arg(single.front()).toUtf8();
    AnswerKey key;
    QString error;
    EXPECT_FALSE(parseAnswerKey(twice, layout, key, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("已在第 2 行给出"))) << error.toStdString();

    QByteArray unknown = keyCsv();
    unknown += "A,999,A,2,\n";
    EXPECT_FALSE(parseAnswerKey(unknown, layout, key, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("A 卷没有第 999 题"))) << error.toStdString();
    EXPECT_TRUE(key.empty());
}

TEST_F(AnswerKeyTest, RefusesFilesThatAreNoKey)
{
    const QByteArray cases[] = {
        "",
        "paper_type,question,answer,points,partial\n",
        "type,q,a,p\nA,1,A,1\n",
        "paper_type,question,answer,points\n\"A,1,A,1\n",
        "paper_type,question,answer,points\n\xff\xfe,1,A,1\n",
    };
    for (const QByteArray& csv : cases) {
        AnswerKey key;
        QString error;
        EXPECT_FALSE(parseAnswerKey(csv, layout, key, &error)) << csv.toStdString();
        EXPECT_FALSE(error.isEmpty());
    }
}

} // namespace
} // namespace sw::test
