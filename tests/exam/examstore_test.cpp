#include "database/enginefixture.h"
#include "exam/exam.h"
#include "exam/examsheets.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace sw::test {
namespace {

QByteArray templateBytes()
{
    const auto document = examSheet();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(document->SaveToStream(SaveAllShapes, buffer));
    return buffer.data();
}

// The key the exam sheet's template accepts: the first option everywhere.
AnswerKey firstOptionKey(const Exam& exam, int points)
{
    AnswerKey key;
    for (const auto& [type, paper] : exam.layout().papers)
        for (const auto& [number, q] : paper.objective)
            key.push_back({type, number, q.options.left(1), points, 0});
    return key;
}

class ExamStore : public EngineFixture
{
};

TEST_P(ExamStore, MakesAnExamOnceAndOpensItByName)
{
    const QByteArray bytes = templateBytes();
    QString error;
    const auto exam = Exam::create(database, QStringLiteral("期中"), bytes, 96, &error);
    ASSERT_TRUE(exam) << error.toStdString();
    EXPECT_FALSE(Exam::create(database, QStringLiteral("期中"), bytes, 96, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("已有名为 期中 的考试"))) << error.toStdString();
    EXPECT_FALSE(Exam::create(database, QStringLiteral("坏"), "no template", 96, &error));
    bool found = false;
    ASSERT_TRUE(Exam::exists(database, QStringLiteral("坏"), found, &error));
    EXPECT_FALSE(found);

    const auto opened = Exam::open(database, QStringLiteral("期中"), 96, &error);
    ASSERT_TRUE(opened) << error.toStdString();
    EXPECT_EQ(opened->id(), exam->id());
    EXPECT_EQ(opened->templateBytes(), bytes);
    EXPECT_EQ(opened->layout().papers.size(), 1u);
    EXPECT_FALSE(Exam::open(database, QStringLiteral("期末"), 96, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("没有名为 期末 的考试"))) << error.toStdString();
}

TEST_P(ExamStore, KeepsKeyVersionsListsScansAndDecisions)
{
    QString error;
    const auto exam = Exam::create(database, QStringLiteral("e"), templateBytes(), 96, &error);
    ASSERT_TRUE(exam) << error.toStdString();
    int version = 0;
    ASSERT_TRUE(exam->storeKey(firstOptionKey(*exam, 1), &version, &error)) << error.toStdString();
    EXPECT_EQ(version, 1);
    ASSERT_TRUE(exam->storeKey(firstOptionKey(*exam, 3), &version, &error)) << error.toStdString();
    EXPECT_EQ(version, 2);
    AnswerKey incomplete = firstOptionKey(*exam, 5);
    incomplete.pop_back();
    EXPECT_FALSE(exam->storeKey(incomplete, &version, &error));

    const Roster roster{{QStringLiteral("class")},
                        {{QStringLiteral("1"), QStringLiteral("甲"), {QStringLiteral("3")}},
                         {QStringLiteral("2"), QStringLiteral("乙"), {QString()}}}};
    ASSERT_TRUE(exam->storeRoster({{}, {{QStringLiteral("9"), QStringLiteral("x"), {}}}}, &error));
    ASSERT_TRUE(exam->storeRoster(roster, &error)) << error.toStdString();

    SheetReading reading;
    reading.Result = SheetReading::UpsideDown;
    reading.PageIndex = 0;
    reading.PaperType = QChar(u'A');
    reading.PageNumber = 1;
    reading.ExamNumber = QStringLiteral("0?2");
    reading.Answers = {{1, QStringLiteral("A"), false, false},
                       {6, QStringLiteral("BC"), false, true}};
    reading.OptionalChoices = {{1, QStringLiteral("B"), true, false}};
    reading.Scores = {{16, QStringLiteral("07")}};
    reading.Absent = true;
    const QString hash = QString(64, QLatin1Char('a'));
    bool added = false;
    ASSERT_TRUE(exam->storeScan(hash, QStringLiteral("/s/1.jpg"), reading, {}, &added, &error))
        << error.toStdString();
    EXPECT_TRUE(added);
    ASSERT_TRUE(exam->storeScan(hash, QStringLiteral("/s/copy.jpg"), reading, {}, &added, &error));
    EXPECT_FALSE(added);
    ASSERT_TRUE(exam->storeScan(QString(64, QLatin1Char('b')), QStringLiteral("/s/2.jpg"), {},
                                QStringLiteral("unreadable: broken"), &added, &error));

    ExamScan scan;
    ASSERT_TRUE(exam->findScan(QStringLiteral("AAAAAAAA"), scan, &error)) << error.toStdString();
    EXPECT_EQ(scan.fileName, QStringLiteral("/s/1.jpg"));
    ASSERT_TRUE(exam->findScan(QStringLiteral("/s/2.jpg"), scan, &error)) << error.toStdString();
    EXPECT_FALSE(exam->findScan(QStringLiteral("cccccccc"), scan, &error));

    Decision decision;
    decision.scan = scan.id;
    decision.target = DecisionTarget::Sheet;
    decision.reviewer = QStringLiteral("王老师");
    decision.reason = QStringLiteral("空白页");
    ASSERT_TRUE(exam->appendDecision(decision, &error)) << error.toStdString();
    decision.reviewer.clear();
    EXPECT_FALSE(exam->appendDecision(decision, &error));

    ExamData data;
    ASSERT_TRUE(exam->load(data, &error)) << error.toStdString();
    EXPECT_EQ(data.keyVersion, 2);
    EXPECT_EQ(data.key, firstOptionKey(*exam, 3));
    EXPECT_EQ(data.roster, roster);
    ASSERT_EQ(data.scans.size(), 2u);
    const SheetReading& back = data.scans[0].reading;
    EXPECT_EQ(back.Result, SheetReading::UpsideDown);
    EXPECT_EQ(back.ExamNumber, reading.ExamNumber);
    EXPECT_EQ(back.Answers.size(), 2u);
    EXPECT_TRUE(back.Answers[1].Uncertain);
    EXPECT_TRUE(back.OptionalChoices[0].Multiple);
    EXPECT_EQ(back.Scores, reading.Scores);
    EXPECT_TRUE(back.Absent);
    EXPECT_TRUE(data.scans[0].isRead());
    EXPECT_FALSE(data.scans[1].isRead());
    EXPECT_LT(data.scans[0].id, data.scans[1].id);
    ASSERT_EQ(data.decisions.size(), 1u);
    EXPECT_EQ(data.decisions[0].reviewer, QStringLiteral("王老师"));
    EXPECT_EQ(data.decisions[0].target, DecisionTarget::Sheet);
    EXPECT_TRUE(data.decisions[0].time.isValid());
}

SW_ON_EVERY_ENGINE(ExamStore);

} // namespace
} // namespace sw::test
