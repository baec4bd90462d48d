#include "exam/examsheets.h"
#include "reports/examreport.h"
#include "reports/examreportdata.h"
#include "reports/itemanalysis.h"
#include "reports/itemtable.h"
#include "reports/reportcharts.h"
#include "reports/reportformat.h"
#include "reports/sampleexam.h"
#include "reports/summarystatistics.h"
#include "review/examanalysiswindow.h"
#include "review/examchartsview.h"
#include "review/itemtablemodel.h"
#include "review/plantedexam.h"
#include "review/reviewwindow.h"
#include "storage/database.h"
#include "window/scripteddialogs.h"

#include <QBuffer>
#include <QFile>
#include <QFormLayout>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QSqlQuery>
#include <QTableView>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace sw::test {
namespace {

const QColor BarFill(120, 160, 210); // the histogram's bars

// One run of columns where a bar's fill shows: its left and right edge and
// its height in pixels.
struct Bar
{
    int left = 0;
    int right = 0;
    int height = 0;
    double centre() const { return (left + right) / 2.0; }
};

std::vector<Bar> barsIn(const QImage& image, const QRect& area)
{
    std::vector<Bar> bars;
    bool inBar = false;
    for (int x = area.left(); x <= area.right(); ++x) {
        int filled = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            filled += QColor(image.pixel(x, y)) == BarFill;
        if (filled > 0 && !inBar)
            bars.push_back({x, x, filled});
        if (filled > 0) {
            bars.back().right = x;
            bars.back().height = std::max(bars.back().height, filled);
        }
        inBar = filled > 0;
    }
    return bars;
}

// The histogram's counts per bin, binned as the report bins them.
std::vector<int> binCounts(const std::vector<double>& totals, double fullMarks)
{
    const double top = std::max(fullMarks, *std::max_element(totals.begin(), totals.end()));
    const double width = std::max(1.0, roundStep(top / 20));
    std::vector<int> counts(std::size_t(std::ceil(top / width - 1e-9)), 0);
    for (double total : totals)
        ++counts[std::min(counts.size() - 1, std::size_t(total / width))];
    return counts;
}

TEST(ExamChartsViewTest, PaintsABarPerCountedBinAsHighAsItsCount)
{
    const ReportData data = sampleExam();
    const SummaryStatistics summary = summarize(data);
    ExamChartsView view;
    view.resize(640, 600);
    view.setTotals(scoredTotals(data), summary);
    const QImage image = view.grab().toImage();
    const std::vector<Bar> bars = barsIn(image, view.histogramArea());
    EXPECT_TRUE(barsIn(image, view.boxPlotArea()).empty());

    const std::vector<int> counts = binCounts(scoredTotals(data), summary.fullMarks);
    std::vector<int> counted; // the bins holding anyone
    for (std::size_t bin = 0; bin < counts.size(); ++bin) {
        if (counts[bin] > 0)
            counted.push_back(int(bin));
    }
    ASSERT_EQ(bars.size(), counted.size());
    ASSERT_GE(bars.size(), 2u);
    const double barPitch =
        (bars.back().centre() - bars.front().centre()) / (counted.back() - counted.front());
    const double pixelsPerCount = double(bars.front().height) / counts[std::size_t(counted[0])];
    for (std::size_t i = 0; i < bars.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(bars[i].centre() - bars.front().centre(),
                    (counted[i] - counted.front()) * barPitch, 2);
        EXPECT_NEAR(bars[i].height, counts[std::size_t(counted[i])] * pixelsPerCount, 2);
        EXPECT_NEAR(bars[i].right - bars[i].left, barPitch, barPitch / 10); // less the outline
    }
}

TEST(ItemTableModelTest, ListsEveryQuestionWithTheReportsFiguresAndFlags)
{
    const ReportData data = sampleExam();
    const std::vector<ItemStatistics> items = analyseItems(data);
    ASSERT_TRUE(std::any_of(items.begin(), items.end(),
                            [](const ItemStatistics& item) { return item.flagged(); }));
    ItemTableModel model;
    model.setItems(items);
    ASSERT_EQ(model.rowCount(), int(items.size()));
    const QStringList titles = itemTableTitles(itemTableOptions(items));
    ASSERT_EQ(model.columnCount(), titles.size());
    const int difficulty = int(titles.indexOf(QStringLiteral("难度")));
    const int flags = int(titles.indexOf(QStringLiteral("标记")));
    for (int row = 0; row < model.rowCount(); ++row) {
        const ItemStatistics& item = items[std::size_t(row)];
        SCOPED_TRACE(item.number.toStdString());
        EXPECT_EQ(model.index(row, 0).data().toString(), item.number);
        EXPECT_EQ(model.index(row, difficulty).data().toString(), formatFigure(item.difficulty));
        EXPECT_EQ(model.index(row, flags).data().toString(), itemFlagText(item));
        EXPECT_EQ(model.index(row, 0).data(Qt::BackgroundRole).value<QColor>(),
                  item.flagged() ? FlaggedRowColour : QColor());
        for (const OptionShare& share : item.options) {
            const QModelIndex cell = model.index(row, int(titles.indexOf(QString(share.option))));
            EXPECT_EQ(cell.data().toString(), formatShare(share.share));
            if (share.key)
                EXPECT_EQ(cell.data(Qt::BackgroundRole).value<QColor>(), KeyCellColour);
        }
    }

    // Sorted by difficulty, the view lists the hardest question first.
    QSortFilterProxyModel sorted;
    sorted.setSourceModel(&model);
    sorted.setSortRole(ItemTableModel::SortRole);
    sorted.sort(difficulty);
    for (int row = 1; row < sorted.rowCount(); ++row)
        EXPECT_LE(sorted.index(row - 1, difficulty).data(ItemTableModel::SortRole).toDouble(),
                  sorted.index(row, difficulty).data(ItemTableModel::SortRole).toDouble());
}

// The planted exam of the review tests, copied for each test.
class ExamAnalysisTest : public ::testing::Test
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
        before = setDialogService(&dialogs);
    }

    void TearDown() override { setDialogService(before); }

    std::unique_ptr<ExamAnalysisWindow> openWindow(const QString& name)
    {
        QString error;
        auto window = openExamAnalysis(location, name, 96, &error);
        EXPECT_TRUE(window) << error.toStdString();
        if (window) {
            window->show();
            window->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        }
        return window;
    }

    // What the reports library makes of the exam as stored.
    ReportData storedReport()
    {
        Database database;
        QString error;
        EXPECT_TRUE(database.open(location, &error)) << error.toStdString();
        const auto exam = Exam::open(database, planted->name, 96, &error);
        EXPECT_TRUE(exam) << error.toStdString();
        ExamData data;
        if (!exam || !exam->load(data, &error))
            return {};
        return examReportData(data, examResults(data));
    }

    QByteArray databaseBytes() const
    {
        QFile file(location);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static inline QTemporaryDir* scanFolder = nullptr;
    static inline PlantedExam* planted = nullptr;
    static inline QString plantError;
    QTemporaryDir folder;
    QString location;
    ScriptedDialogs dialogs;
    DialogService* before = nullptr;
};

// The text of the figure labelled `name`.
QString figure(const ExamAnalysisWindow& window, const QString& name)
{
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        if (label->accessibleName() == name && !label->buddy())
            return label->text();
    }
    return QStringLiteral("(no figure %1)").arg(name);
}

TEST_F(ExamAnalysisTest, ShowsTheFiguresAndQuestionsTheReportComputes)
{
    const auto window = openWindow(planted->name);
    ASSERT_TRUE(window);
    ASSERT_TRUE(window->problem().isEmpty()) << window->problem().toStdString();
    const ReportData report = storedReport();
    ASSERT_FALSE(report.candidates.empty());
    for (const auto& [name, value] : summaryFigures(summarize(report)))
        EXPECT_EQ(figure(*window, name), value) << name.toStdString();

    const auto* table = window->findChild<QTableView*>();
    ASSERT_TRUE(table);
    EXPECT_EQ(table->accessibleName(), QStringLiteral("题目分析"));
    const std::vector<ItemStatistics> items = analyseItems(report);
    ASSERT_EQ(table->model()->rowCount(), int(items.size()));
    ASSERT_EQ(int(items.size()), int(report.questions.size()));
    for (int row = 0; row < int(items.size()); ++row)
        EXPECT_EQ(table->model()->index(row, 0).data().toString(), items[std::size_t(row)].number);

    for (const QPushButton* button : window->findChildren<QPushButton*>())
        EXPECT_EQ(button->accessibleName(), button->text());
}

TEST_F(ExamAnalysisTest, WritesTheReportAndWorkbookButNeverOverTheDatabase)
{
    const auto window = openWindow(planted->name);
    ASSERT_TRUE(window);
    const auto click = [&](const QString& caption) {
        for (QPushButton* button : window->findChildren<QPushButton*>()) {
            if (button->text() == caption)
                return QTest::mouseClick(button, Qt::LeftButton);
        }
        ADD_FAILURE() << "no button " << caption.toStdString();
    };

    const QString pdf = folder.filePath(QStringLiteral("分析.pdf"));
    const QString workbook = folder.filePath(QStringLiteral("成绩"));
    dialogs.files = {{pdf, 1}, {workbook, 1}};
    click(QStringLiteral("生成报告…"));
    click(QStringLiteral("导出表格…"));
    EXPECT_TRUE(dialogs.messages().empty());
    QFile written(pdf);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    EXPECT_GT(bytes.size(), 4000);
    QFile sheet(workbook + QStringLiteral(".xlsx")); // the suffix added
    ASSERT_TRUE(sheet.open(QIODevice::ReadOnly));
    EXPECT_TRUE(sheet.read(2) == "PK");

    const QByteArray stored = databaseBytes();
    dialogs.files = {{location, 1}, {location, 1}};
    click(QStringLiteral("生成报告…"));
    click(QStringLiteral("导出表格…"));
    ASSERT_EQ(dialogs.messages().size(), 2u);
    for (const auto& shown : dialogs.messages())
        EXPECT_TRUE(shown.text.contains(QStringLiteral("考试数据库"))) << shown.text.toStdString();
    EXPECT_EQ(databaseBytes(), stored);
}

TEST_F(ExamAnalysisTest, OpensFromTheReviewWindowWithItsShortcut)
{
    QString error;
    auto review = openReviewWindow(location, planted->name, 96, &error);
    ASSERT_TRUE(review) << error.toStdString();
    review->setReviewer(QStringLiteral("张老师"));
    ASSERT_TRUE(review->start(&error)) << error.toStdString();
    review->show();
    review->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(review.get()));
    ASSERT_FALSE(review->findChild<ExamAnalysisWindow*>());

    QTest::keyClick(review->focusWidget(), Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    const auto* analysis = review->findChild<ExamAnalysisWindow*>();
    ASSERT_TRUE(analysis);
    EXPECT_TRUE(analysis->isWindow());
    EXPECT_TRUE(analysis->isVisible());
    EXPECT_TRUE(analysis->problem().isEmpty()) << analysis->problem().toStdString();
    EXPECT_EQ(analysis->reportData().candidates.size(), storedReport().candidates.size());

    // Asked again, the same window reads the exam again.
    QTest::keyClick(review->focusWidget(), Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(review->findChildren<ExamAnalysisWindow*>().size(), 1);
}

// Whether the window says `text`, the analysis hidden.
void expectProblemShown(const ExamAnalysisWindow& window, const QString& text)
{
    EXPECT_TRUE(window.problem().contains(text)) << window.problem().toStdString();
    bool shown = false;
    for (const QLabel* label : window.findChildren<QLabel*>())
        shown = shown || (label->isVisible() && label->text() == window.problem());
    EXPECT_TRUE(shown);
    EXPECT_FALSE(window.findChild<QTableView*>()->isVisible());
}

TEST_F(ExamAnalysisTest, SaysWhatIsMissingInsteadOfAnalysing)
{
    struct Case
    {
        bool withKey;
        const char* said;
    };
    const Case cases[] = {{false, "还没有答案"}, {true, "还没有读入答卷"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.said);
        const QString name = QString::fromUtf8(c.said);
        QString error;
        {
            QBuffer bytes;
            bytes.open(QIODevice::WriteOnly);
            ASSERT_TRUE(examSheet()->SaveToStream(SaveAllShapes, bytes, &error))
                << error.toStdString();
            Database database;
            ASSERT_TRUE(database.open(location, &error)) << error.toStdString();
            const auto exam = Exam::create(database, name, bytes.data(), 96, &error);
            ASSERT_TRUE(exam) << error.toStdString();
            if (c.withKey) {
                AnswerKey key;
                for (const auto& [type, paper] : exam->layout().papers)
                    for (const auto& [number, q] : paper.objective)
                        key.push_back({type, number, q.options.left(1), 1, 0});
                ASSERT_TRUE(exam->storeKey(key, nullptr, &error)) << error.toStdString();
            }
        }
        const auto window = openWindow(name);
        ASSERT_TRUE(window);
        expectProblemShown(*window, name);
        const QString report = folder.filePath(QStringLiteral("r.pdf"));
        EXPECT_FALSE(window->writeReport(report, &error));
        EXPECT_FALSE(QFile::exists(report));

        // 刷新 (F5) reads it again, and still tells.
        QTest::keyClick(window.get(), Qt::Key_F5);
        expectProblemShown(*window, name);
    }
}

TEST_F(ExamAnalysisTest, TellsWhenTheExamCanNoLongerBeRead)
{
    const auto window = openWindow(planted->name);
    ASSERT_TRUE(window);
    ASSERT_TRUE(window->problem().isEmpty()) << window->problem().toStdString();
    {
        Database database;
        QString error;
        ASSERT_TRUE(database.open(location, &error)) << error.toStdString();
        QSqlQuery query(database.connection());
        ASSERT_TRUE(database.run(query, QStringLiteral("DROP TABLE exam_decisions"), {}, &error))
            << error.toStdString();
    }
    QTest::keyClick(window.get(), Qt::Key_F5);
    expectProblemShown(*window, QStringLiteral("不能读取考试"));
}

} // namespace
} // namespace sw::test
