#include "exam/examlayout.h"
#include "exam/examresults.h"
#include "exam/examsheets.h"
#include "reading/sheetgeometry.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace sw::test {
namespace {

TEST(JudgeAnswer, ScoresRightWrongBlankAndPartsOfMultipleAnswers)
{
    const KeyEntry single{QChar(u'A'), 1, QStringLiteral("B"), 3, 0};
    const KeyEntry multiple{QChar(u'A'), 2, QStringLiteral("ACD"), 5, 2};
    const struct
    {
        const KeyEntry& key;
        bool multiple;
        const char* chosen;
        AnswerState state;
        int points;
    } cases[] = {
        {single, false, "B", AnswerState::Right, 3},
        {single, false, "C", AnswerState::Wrong, 0},
        {single, false, "", AnswerState::Blank, 0},
        {multiple, true, "ACD", AnswerState::Right, 5},
        {multiple, true, "AD", AnswerState::Partial, 2},
        {multiple, true, "C", AnswerState::Partial, 2},
        {multiple, true, "AB", AnswerState::Wrong, 0},
        {multiple, true, "ABCD", AnswerState::Wrong, 0},
        {multiple, true, "", AnswerState::Blank, 0},
    };
    for (const auto& c : cases) {
        int points = -1;
        EXPECT_EQ(judgeAnswer(QString::fromUtf8(c.chosen), c.key, c.multiple, points), c.state)
            << c.chosen;
        EXPECT_EQ(points, c.points) << c.chosen;
    }
}

// Readings made by hand on the exam sheet's layout: the key gives 2 points
// for A on single-choice questions, 4 for AC on multiple-choice ones (1 for
// a part of it); the optional question's score box adds its digits.
class ExamResultsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const auto document = examSheet();
        data.layout = examLayout(documentGeometry(*document));
        const PaperLayout& paper = data.layout.papers.begin()->second;
        for (const auto& [number, q] : paper.objective) {
            (q.multiple ? multiple : single).push_back(number);
            data.key.push_back({QChar(u'A'), number,
                                q.multiple ? QStringLiteral("AC") : QStringLiteral("A"),
                                q.multiple ? 4 : 2, q.multiple ? 1 : 0});
            full += q.multiple ? 4 : 2;
        }
        data.keyVersion = 1;
        ASSERT_EQ(paper.subjective.size(), 1u);
        optional = paper.subjective.begin()->first;
        ASSERT_TRUE(paper.subjective.begin()->second.optional);
        ASSERT_GE(single.size(), 2u);
        ASSERT_GE(multiple.size(), 2u);
    }

    // A read page with every objective question answered right, the
    // optional question not chosen and its score box blank.
    ExamScan rightSheet(const QString& examNumber)
    {
        ExamScan scan;
        scan.id = ++lastId;
        scan.sha256 = QString::number(scan.id).repeated(8);
        scan.fileName = QStringLiteral("scan%1.jpg").arg(scan.id);
        SheetReading& r = scan.reading;
        r.Result = SheetReading::Ok;
        r.PageIndex = 0;
        r.PaperType = QChar(u'A');
        r.PageNumber = 1;
        r.ExamNumber = examNumber;
        for (const KeyEntry& e : data.key)
            r.Answers.push_back({e.question, e.answer, false, false});
        r.OptionalChoices.push_back({1, QString(), false, false});
        r.Scores.emplace_back(optional, QStringLiteral("??"));
        return scan;
    }

    static QuestionAnswer& answer(ExamScan& scan, int question)
    {
        return *std::find_if(scan.reading.Answers.begin(), scan.reading.Answers.end(),
                             [&](const QuestionAnswer& a) { return a.Number == question; });
    }

    ExamData data;
    std::vector<int> single;
    std::vector<int> multiple;
    int optional = 0;
    int full = 0;
    qint64 lastId = 0;
};

TEST_F(ExamResultsTest, ScoresEachCaseAsComputedByHand)
{
    struct Case
    {
        const char* what;
        std::function<void(ExamScan&)> fill;
        int total; // relative to full marks
        CandidateStatus status;
        std::vector<CheckKind> checks;
    };
    const std::vector<Case> cases = {
        {"right", [](ExamScan&) {}, 0, CandidateStatus::Ok, {}},
        {"wrong and blank",
         [&](ExamScan& s) {
             answer(s, single[0]).Answer = QStringLiteral("B");
             answer(s, single[1]).Answer.clear();
         },
         -4,
         CandidateStatus::Ok,
         {}},
        {"double on single choice",
         [&](ExamScan& s) {
             answer(s, single[0]) = {single[0], QStringLiteral("AB"), true, false};
         },
         -2,
         CandidateStatus::Review,
         {CheckKind::ReviewAnswer}},
        {"uncertain mark",
         [&](ExamScan& s) { answer(s, single[1]).Uncertain = true; },
         -2,
         CandidateStatus::Review,
         {CheckKind::ReviewAnswer}},
        {"subset and wrong subset",
         [&](ExamScan& s) {
             answer(s, multiple[0]).Answer = QStringLiteral("A");  // 1 of 4
             answer(s, multiple[1]).Answer = QStringLiteral("AB"); // 0 of 4
         },
         -7,
         CandidateStatus::Ok,
         {}},
        {"optional chosen and scored",
         [&](ExamScan& s) {
             s.reading.OptionalChoices[0].Answer = QStringLiteral("A");
             s.reading.Scores[0].second = QStringLiteral("07");
         },
         7,
         CandidateStatus::Ok,
         {}},
        {"optional not chosen",
         [&](ExamScan& s) { s.reading.Scores[0].second = QStringLiteral("05"); },
         0,
         CandidateStatus::Ok,
         {}},
        {"optional chosen, score not read",
         [&](ExamScan& s) {
             s.reading.OptionalChoices[0].Answer = QStringLiteral("A");
             s.reading.Scores[0].second = QStringLiteral("?5");
         },
         0,
         CandidateStatus::Review,
         {CheckKind::ReviewScore}},
        {"absent",
         [](ExamScan& s) { s.reading.Absent = true; },
         0,
         CandidateStatus::Absent,
         {CheckKind::AbsentWithScript}},
        {"cheating",
         [](ExamScan& s) { s.reading.Cheating = true; },
         0,
         CandidateStatus::Cheating,
         {}},
        {"exam number not read",
         [](ExamScan& s) { s.reading.ExamNumber = QStringLiteral("12?4"); },
         0,
         CandidateStatus::Review,
         {CheckKind::ReviewExamNumber}},
        {"other template",
         [](ExamScan& s) { s.reading.LayoutDifference = QStringLiteral("x"); },
         0,
         CandidateStatus::Review,
         {CheckKind::ReviewSheet}},
    };
    for (const Case& c : cases) {
        data.scans = {rightSheet(QStringLiteral("1000"))};
        c.fill(data.scans[0]);
        const ExamResults results = examResults(data);
        ASSERT_EQ(results.candidates.size(), 1u) << c.what;
        EXPECT_EQ(results.candidates[0].total, full + c.total) << c.what;
        EXPECT_EQ(results.candidates[0].status, c.status) << c.what;
        std::vector<CheckKind> kinds;
        for (const CheckItem& item : results.checks)
            kinds.push_back(item.kind);
        EXPECT_EQ(kinds, c.checks) << c.what;
    }
}

TEST_F(ExamResultsTest, TheNewestDecisionSettlesAndTheReadingStays)
{
    ExamScan scan = rightSheet(QStringLiteral("12?4"));
    answer(scan, single[0]) = {single[0], QStringLiteral("AB"), true, false};
    scan.reading.OptionalChoices[0].Answer = QStringLiteral("A");
    data.scans = {scan};
    const auto decide = [&](DecisionTarget target, int question, const char* answer) {
        Decision d;
        d.id = qint64(data.decisions.size()) + 1;
        d.scan = scan.id;
        d.target = target;
        d.question = question;
        d.answer = QString::fromUtf8(answer);
        d.reviewer = QStringLiteral("王老师");
        data.decisions.push_back(d);
    };
    decide(DecisionTarget::Answer, single[0], "B");
    decide(DecisionTarget::Answer, single[0], "A"); // the newer one counts
    decide(DecisionTarget::Score, optional, "12");
    decide(DecisionTarget::ExamNumber, 0, "1234");
    const ExamResults results = examResults(data);
    ASSERT_EQ(results.candidates.size(), 1u);
    const CandidateResult& c = results.candidates[0];
    EXPECT_EQ(c.examNumber, QStringLiteral("1234"));
    EXPECT_EQ(c.status, CandidateStatus::Ok);
    EXPECT_EQ(c.total, full + 12);
    EXPECT_TRUE(results.checks.empty());
    const auto q = std::find_if(c.questions.begin(), c.questions.end(),
                                [&](const QuestionResult& r) { return r.question == single[0]; });
    ASSERT_NE(q, c.questions.end());
    EXPECT_TRUE(q->decided);
    EXPECT_EQ(q->chosen, QStringLiteral("A"));
    EXPECT_EQ(q->read, QStringLiteral("AB"));
    EXPECT_EQ(q->key, QStringLiteral("A"));
}

TEST_F(ExamResultsTest, ReconcilesScriptsWithTheCandidateList)
{
    data.roster.extraColumns = {QStringLiteral("class")};
    data.roster.entries = {{QStringLiteral("1001"), QStringLiteral("甲"), {QStringLiteral("1")}},
                           {QStringLiteral("1002"), QStringLiteral("乙"), {QStringLiteral("1")}},
                           {QStringLiteral("1003"), QStringLiteral("丙"), {QStringLiteral("2")}}};
    data.scans = {rightSheet(QStringLiteral("1002")), rightSheet(QStringLiteral("1009")),
                  rightSheet(QStringLiteral("1001")), rightSheet(QStringLiteral("1002"))};
    const ExamResults results = examResults(data);
    ASSERT_EQ(results.candidates.size(), 4u);
    EXPECT_EQ(results.candidates[0].examNumber, QStringLiteral("1001"));
    EXPECT_EQ(results.candidates[0].status, CandidateStatus::Ok);
    EXPECT_EQ(results.candidates[0].name, QStringLiteral("甲"));
    EXPECT_EQ(results.candidates[1].status, CandidateStatus::Review); // two scripts
    EXPECT_EQ(results.candidates[2].status, CandidateStatus::Missing);
    EXPECT_EQ(results.candidates[3].examNumber, QStringLiteral("1009"));
    EXPECT_EQ(results.candidates[3].status, CandidateStatus::Review);
    std::vector<std::pair<CheckKind, QString>> checks;
    for (const CheckItem& item : results.checks)
        checks.emplace_back(item.kind, item.examNumber);
    EXPECT_EQ(checks, (std::vector<std::pair<CheckKind, QString>>{
                          {CheckKind::UnknownCandidate, QStringLiteral("1009")},
                          {CheckKind::DuplicateScript, QStringLiteral("1002")},
                          {CheckKind::MissingScript, QStringLiteral("1003")}}));
}

TEST_F(ExamResultsTest, NamesWhatHasNoKey)
{
    data.scans = {rightSheet(QStringLiteral("1"))};
    data.key.clear();
    data.keyVersion = 0;
    ExamResults results = examResults(data);
    ASSERT_FALSE(results.checks.empty());
    EXPECT_EQ(results.checks.front().kind, CheckKind::NoKey);
    EXPECT_EQ(results.candidates[0].status, CandidateStatus::Review);

    data.scans[0].reading.PaperType = QChar(u'B');
    data.layout.papers[QChar(u'B')] = data.layout.papers[QChar(u'A')];
    data.keyVersion = 2;
    results = examResults(data);
    ASSERT_EQ(results.checks.size(), 1u);
    EXPECT_EQ(results.checks[0].kind, CheckKind::UnknownPaperType);
}

// Two pages per script: page 1 carries the exam number; a later page joins
// the script before it when it is of the same paper type.
TEST(ScriptAssembly, PlacesLaterPagesAfterTheirFirstPage)
{
    ExamData data;
    PaperLayout paper;
    paper.paperType = QChar(u'A');
    paper.pageCount = 2;
    paper.objective[1] = {1, QStringLiteral("AB"), false};
    paper.objective[2] = {2, QStringLiteral("AB"), false};
    data.layout.papers[QChar(u'A')] = paper;
    paper.paperType = QChar(u'B');
    data.layout.papers[QChar(u'B')] = paper;
    for (const QChar type : {QChar(u'A'), QChar(u'B')})
        for (int q : {1, 2})
            data.key.push_back({type, q, QStringLiteral("A"), 1, 0});
    data.keyVersion = 1;
    const auto page = [&](const char* type, int number, const char* examNumber) {
        ExamScan s;
        s.id = qint64(data.scans.size()) + 1;
        s.sha256 = QString::number(s.id);
        s.reading.Result = SheetReading::Ok;
        s.reading.PaperType = QChar::fromLatin1(type[0]);
        s.reading.PageNumber = number;
        s.reading.PageIndex = number - 1;
        s.reading.ExamNumber = QString::fromUtf8(examNumber);
        s.reading.Answers.push_back({number, QStringLiteral("A"), false, false});
        data.scans.push_back(s);
    };
    page("A", 2, "");   // 1: nothing before it
    page("A", 1, "11"); // 2
    page("A", 2, "");   // 3: joins 11
    page("B", 1, "12"); // 4
    page("A", 2, "");   // 5: another paper type before it
    page("B", 1, "13"); // 6: its page 2 is missing
    data.scans.push_back({});
    data.scans.back().id = 7;
    data.scans.back().failure = QStringLiteral("unreadable");
    page("B", 1, "14"); // 8
    page("B", 2, "");   // 9
    page("B", 2, "");   // 10: 14 has its page 2 already

    const ExamResults results = examResults(data);
    std::vector<std::pair<QString, int>> rows;
    for (const CandidateResult& c : results.candidates)
        rows.emplace_back(c.examNumber, c.total);
    EXPECT_EQ(rows, (std::vector<std::pair<QString, int>>{{QStringLiteral("11"), 2},
                                                          {QStringLiteral("12"), 1},
                                                          {QStringLiteral("13"), 1},
                                                          {QStringLiteral("14"), 2}}));
    std::vector<std::pair<CheckKind, qint64>> checks;
    for (const CheckItem& item : results.checks)
        checks.emplace_back(item.kind, item.scan);
    EXPECT_EQ(checks, (std::vector<std::pair<CheckKind, qint64>>{{CheckKind::UnplacedPage, 1},
                                                                 {CheckKind::PageMissing, 4},
                                                                 {CheckKind::UnplacedPage, 5},
                                                                 {CheckKind::PageMissing, 6},
                                                                 {CheckKind::FailedRead, 7},
                                                                 {CheckKind::UnplacedPage, 10}}));
}

} // namespace
} // namespace sw::test
