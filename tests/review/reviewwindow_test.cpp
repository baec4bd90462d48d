#include "database/testserver.h"
#include "exam/decisionindex.h"
#include "review/plantedexam.h"
#include "review/reviewclaims.h"
#include "review/reviewitems.h"
#include "review/reviewwindow.h"
#include "storage/database.h"
#include "window/scripteddialogs.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSqlQuery>
#include <QStatusBar>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace sw::test {
namespace {

QLineEdit& decisionField(ReviewWindow& window)
{
    for (QLineEdit* line : window.findChildren<QLineEdit*>())
        if (line->accessibleName() == QStringLiteral("决定"))
            return *line;
    throw std::runtime_error("no decision field");
}

// The item shown, as a key; empty when none.
QString shownKey(const ReviewWindow& window)
{
    const CheckItem* item = window.currentItem();
    return item ? reviewItemKey(*item) : QString();
}

// Types `text` into the decision field and confirms it with Enter.
void typeDecision(ReviewWindow& window, const QString& text)
{
    QLineEdit& field = decisionField(window);
    QTest::keyClicks(&field, text);
    QTest::keyClick(&field, Qt::Key_Return);
}

// One planted exam for the whole suite (simulating scans takes a while);
// each test works on its own copy of the database.
class ReviewWindowTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        scanFolder = new QTemporaryDir;
        planted = new PlantedExam;
        QString error;
        if (!plantExam(scanFolder->filePath(QStringLiteral("planted.db")), *scanFolder, *planted,
                       &error)) {
            planted->name.clear();
            plantError = error;
        }
    }

    static void TearDownTestSuite()
    {
        delete planted;
        delete scanFolder;
    }

    void SetUp() override
    {
        ASSERT_FALSE(planted->name.isEmpty()) << plantError.toStdString();
        ASSERT_TRUE(folder.isValid());
        location = folder.filePath(QStringLiteral("exams.db"));
        ASSERT_TRUE(QFile::copy(scanFolder->filePath(QStringLiteral("planted.db")), location));
    }

    std::unique_ptr<ReviewWindow> openWindow()
    {
        QString error;
        auto window = openReviewWindow(location, planted->name, 96, &error);
        EXPECT_TRUE(window) << error.toStdString();
        if (!window)
            return nullptr;
        window->setReviewer(QStringLiteral("张老师"));
        EXPECT_TRUE(window->start(&error)) << error.toStdString();
        window->resize(1200, 800);
        window->show();
        return window;
    }

    // What is stored now: the exam's data and results.
    void loadStored(ExamData& data, ExamResults& results)
    {
        Database database;
        QString error;
        ASSERT_TRUE(database.open(location, &error)) << error.toStdString();
        const auto exam = Exam::open(database, planted->name, 96, &error);
        ASSERT_TRUE(exam) << error.toStdString();
        ASSERT_TRUE(exam->load(data, &error)) << error.toStdString();
        results = examResults(data);
    }

    static inline QTemporaryDir* scanFolder = nullptr;
    static inline PlantedExam* planted = nullptr;
    static inline QString plantError;
    QTemporaryDir folder;
    QString location;
};

TEST_F(ReviewWindowTest, ListsEachPlantedItemOnceGroupedByKind)
{
    const auto window = openWindow();
    ASSERT_TRUE(window);
    std::vector<std::tuple<CheckKind, qint64, int>> found;
    for (const CheckItem& item : window->queue())
        found.emplace_back(item.kind, item.scan, item.question);
    const std::vector<std::tuple<CheckKind, qint64, int>> expected = {
        {CheckKind::ReviewAnswer, planted->scans[1], planted->doubleQuestion},
        {CheckKind::ReviewAnswer, planted->scans[2], planted->uncertainQuestion},
        {CheckKind::ReviewExamNumber, planted->scans[3], 0},
        {CheckKind::MissingScript, 0, 0},
    };
    EXPECT_EQ(found, expected);
    ASSERT_TRUE(window->currentItem());
    EXPECT_EQ(shownKey(*window), reviewItemKey(window->queue().front()));
    EXPECT_EQ(window->focusWidget(), &decisionField(*window));
}

TEST_F(ReviewWindowTest, TypedAnswerIsStoredUndoneAndScored)
{
    const auto window = openWindow();
    ASSERT_TRUE(window);
    const CheckItem doubled = *window->currentItem();
    ASSERT_EQ(doubled.question, planted->doubleQuestion);
    window->findChild<QComboBox*>()->setCurrentText(QStringLiteral("多涂"));

    typeDecision(*window, QStringLiteral("b"));
    ASSERT_TRUE(window->currentItem());
    EXPECT_EQ(window->currentItem()->question, planted->uncertainQuestion);
    ExamData data;
    ExamResults results;
    loadStored(data, results);
    ASSERT_EQ(data.decisions.size(), 1u);
    EXPECT_EQ(data.decisions[0].answer, QStringLiteral("B"));
    EXPECT_EQ(data.decisions[0].reviewer, QStringLiteral("张老师"));
    EXPECT_EQ(data.decisions[0].reason, QStringLiteral("多涂"));
    EXPECT_EQ(data.decisions[0].question, planted->doubleQuestion);

    QTest::keyClick(&decisionField(*window), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(shownKey(*window), reviewItemKey(doubled));
    loadStored(data, results);
    ASSERT_EQ(data.decisions.size(), 2u);
    EXPECT_TRUE(data.decisions[1].withdrawn);
    EXPECT_FALSE(
        DecisionIndex(data.decisions).find(doubled.scan, DecisionTarget::Answer, doubled.question));
    EXPECT_EQ(window->findChild<QTreeWidget*>()->topLevelItemCount(), 2);

    typeDecision(*window, QStringLiteral("a"));
    loadStored(data, results);
    const CandidateResult& second = results.candidates[1];
    EXPECT_EQ(second.examNumber, candidateNumber(2));
    EXPECT_EQ(second.status, CandidateStatus::Ok);
    for (const QuestionResult& q : second.questions)
        if (q.question == planted->doubleQuestion)
            EXPECT_EQ(q.points, 1);
    EXPECT_EQ(second.total, planted->questions);
    // The machine's reading stays as it was read.
    const ExamScan& scan = *std::find_if(data.scans.begin(), data.scans.end(),
                                         [&](const ExamScan& s) { return s.id == doubled.scan; });
    for (const QuestionAnswer& a : scan.reading.Answers)
        if (a.Number == planted->doubleQuestion)
            EXPECT_EQ(a.Answer.size(), 2);
}

TEST_F(ReviewWindowTest, WholeQueueIsWorkedWithKeysAlone)
{
    const auto window = openWindow();
    ASSERT_TRUE(window);
    typeDecision(*window, QStringLiteral("a"));                 // the double mark
    QTest::keyClick(&decisionField(*window), Qt::Key_PageDown); // the uncertain one: later
    ASSERT_TRUE(window->currentItem());
    EXPECT_EQ(window->currentItem()->kind, CheckKind::ReviewExamNumber);
    typeDecision(*window, QStringLiteral("x")); // not a number: stays
    EXPECT_EQ(window->currentItem()->kind, CheckKind::ReviewExamNumber);
    decisionField(*window).clear();
    typeDecision(*window, planted->fourthNumber);
    ASSERT_TRUE(window->currentItem());
    EXPECT_EQ(window->currentItem()->question, planted->uncertainQuestion);
    QTest::keyClick(&decisionField(*window), Qt::Key_Return, Qt::ControlModifier); // 接受
    window->refresh();
    EXPECT_FALSE(window->currentItem());
    EXPECT_TRUE(window->queue().empty());

    ExamData data;
    ExamResults results;
    loadStored(data, results);
    EXPECT_TRUE(results.checks.empty());
    ASSERT_EQ(results.candidates.size(), 4u);
    EXPECT_EQ(results.candidates[3].status, CandidateStatus::Ok);
    EXPECT_EQ(results.candidates[3].name, QStringLiteral("考生4"));
}

TEST_F(ReviewWindowTest, FailedMoveOnStoresNothingAndKeepsTheItem)
{
    const auto window = openWindow();
    ASSERT_TRUE(window);
    const QString shown = shownKey(*window);
    ASSERT_FALSE(shown.isEmpty());
    // Another program takes the claims away: the decision's row is written
    // before taking the next item fails.
    Database other;
    QString error;
    ASSERT_TRUE(other.open(location, &error)) << error.toStdString();
    QSqlQuery query(other.connection());
    ASSERT_TRUE(other.run(query, QStringLiteral("DROP TABLE exam_review_claims"), {}, &error))
        << error.toStdString();

    typeDecision(*window, QStringLiteral("a"));
    EXPECT_EQ(shownKey(*window), shown);
    EXPECT_EQ(decisionField(*window).text(), QStringLiteral("a"));
    EXPECT_TRUE(
        window->statusBar()->currentMessage().contains(QStringLiteral("exam_review_claims")))
        << window->statusBar()->currentMessage().toStdString();
    ExamData data;
    ExamResults results;
    loadStored(data, results);
    EXPECT_TRUE(data.decisions.empty());

    // With the table back, Enter again stores the answer still typed.
    ASSERT_TRUE(ReviewClaims(other, 0, QString(), QString()).prepare(&error))
        << error.toStdString();
    QTest::keyClick(&decisionField(*window), Qt::Key_Return);
    EXPECT_NE(shownKey(*window), shown);
    loadStored(data, results);
    ASSERT_EQ(data.decisions.size(), 1u);
    EXPECT_EQ(data.decisions[0].answer, QStringLiteral("A"));
}

TEST_F(ReviewWindowTest, EveryControlHasAnAccessibleName)
{
    const auto window = openWindow();
    ASSERT_TRUE(window);
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisible() || w->focusPolicy() == Qt::NoFocus)
            continue;
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
            qobject_cast<QPushButton*>(w) || qobject_cast<QAbstractItemView*>(w))
            EXPECT_FALSE(w->accessibleName().isEmpty()) << w->metaObject()->className();
        if (auto* button = qobject_cast<QPushButton*>(w))
            EXPECT_EQ(button->accessibleName(), button->text());
    }
}

TEST_F(ReviewWindowTest, AsksForTheReviewerOnceAndRemembersThem)
{
    QSettings().remove(QStringLiteral("review/reviewer"));
    ScriptedDialogs dialogs;
    dialogs.inputs.push_back(QStringLiteral("李老师"));
    DialogService* before = setDialogService(&dialogs);
    QString error;
    for (int run = 0; run < 2; ++run) {
        auto window = openReviewWindow(location, planted->name, 96, &error);
        ASSERT_TRUE(window) << error.toStdString();
        ASSERT_TRUE(window->start(&error)) << error.toStdString();
        EXPECT_EQ(window->reviewer(), QStringLiteral("李老师"));
    }
    setDialogService(before);
    EXPECT_EQ(dialogs.shown.size(), 1u);
}

TEST(ReviewOnServer, TwoWindowsNeverShowTheSameItem)
{
    QString whyNot;
    const QString url = freshSchemaUrl(&whyNot);
    if (url.isEmpty())
        GTEST_SKIP() << whyNot.toStdString();
    QTemporaryDir folder;
    PlantedExam planted;
    QString error;
    ASSERT_TRUE(plantExam(url, folder, planted, &error)) << error.toStdString();
    std::unique_ptr<ReviewWindow> windows[2];
    for (auto& w : windows) {
        w = openReviewWindow(url, planted.name, 96, &error);
        ASSERT_TRUE(w) << error.toStdString();
        w->setReviewer(QStringLiteral("张老师")); // the same person at two desks
        ASSERT_TRUE(w->start(&error)) << error.toStdString();
        w->show();
    }
    // Each decision moves a window on; the other never shows what it shows.
    for (int step = 0; step < 6; ++step) {
        const QString a = shownKey(*windows[0]);
        const QString b = shownKey(*windows[1]);
        EXPECT_TRUE(a.isEmpty() || a != b) << a.toStdString();
        ReviewWindow& busy =
            shownKey(*windows[step % 2]).isEmpty() ? *windows[1 - step % 2] : *windows[step % 2];
        const CheckItem* item = busy.currentItem();
        if (!item)
            break;
        if (item->kind == CheckKind::ReviewExamNumber)
            EXPECT_TRUE(busy.decide(planted.fourthNumber));
        else
            EXPECT_TRUE(busy.acceptReading());
        windows[0]->refresh();
        windows[1]->refresh();
    }
    // Both see the queue emptied, without restarting.
    for (auto& w : windows) {
        EXPECT_FALSE(w->currentItem());
        for (const CheckItem& item : w->queue())
            EXPECT_FALSE(decisionTarget(item.kind).has_value())
                << checkItemText(item).toStdString();
    }
}

} // namespace
} // namespace sw::test
