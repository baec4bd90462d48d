#include "reading/sheets.h"
#include "reading/simulatedscan.h"

#include "document/painting.h"
#include "reading/sheetreader.h"
#include "wizard/settings.h"

#include <QPainter>
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace sw::test {
namespace {

// What was filled in on a sheet, and what reading it must give.
struct FilledSheet
{
    QImage sheet;
    std::map<int, QString> answers; // question -> characters, "" for blank
    std::set<int> doubles;
    QString examNumber;
};

QRectF onSheet(const TRect& r, double scale)
{
    return {r.Left * scale, r.Top * scale, r.width() * scale, r.height() * scale};
}

// Fills the page's answer and exam-number cells: mostly one option, some
// questions blank, some doubled (when `doubles`), some with a half-erased
// earlier choice beside the answer, and stray marks between the boxes.
FilledSheet fillIn(TVectorGraphics& document, int pageIndex, double dpi, bool doubles,
                   std::mt19937& rng, bool blank = false)
{
    FilledSheet f;
    f.sheet = test::printedPage(document, pageIndex, dpi);
    const double scale = outputScale(dpi, document.PixelsPerMm);
    const PageGeometry page = pageGeometry(document, pageIndex);
    std::uniform_real_distribution<double> coverage(0.6, 0.95);
    std::uniform_int_distribution<int> kind(0, 9);
    for (const BubbleBoxGeometry& box : page.BubbleBoxes) {
        for (const QuestionGeometry& q : box.Questions) {
            std::uniform_int_distribution<int> option(0, int(q.Cells.size()) - 1);
            if (box.Purpose == RSExamCode && !blank) {
                const int digit = option(rng);
                test::pencilFill(f.sheet, onSheet(q.Cells[std::size_t(digit)].Rect, scale),
                                 coverage(rng), false, rng);
                f.examNumber += q.Cells[std::size_t(digit)].Label;
                continue;
            }
            if (box.Purpose != RSResult)
                continue;
            QString expected;
            const int k = blank ? 0 : kind(rng);
            if (k >= 1) {
                const int first = option(rng);
                int second = first;
                if (k == 9 && doubles && q.Cells.size() > 1) {
                    second = (first + 1) % int(q.Cells.size());
                    f.doubles.insert(q.Number);
                } else if (k == 8 && q.Cells.size() > 1) {
                    const int erased = (first + 1) % int(q.Cells.size());
                    test::pencilFill(f.sheet, onSheet(q.Cells[std::size_t(erased)].Rect, scale),
                                     0.8, true, rng);
                }
                for (int o = 0; o < int(q.Cells.size()); ++o) {
                    if (o != first && o != second)
                        continue;
                    test::pencilFill(f.sheet, onSheet(q.Cells[std::size_t(o)].Rect, scale),
                                     coverage(rng), false, rng);
                    expected += q.Cells[std::size_t(o)].Label;
                }
            }
            f.answers[q.Number] = expected;
            const TRect& last = q.Cells.back().Rect;
            if (kind(rng) == 0)
                test::strayMark(f.sheet, QPointF(last.Right + 2, last.Bottom + 2) * scale, rng);
        }
    }
    return f;
}

void expectRead(const FilledSheet& f, const SheetReading& r)
{
    ASSERT_EQ(r.Result, SheetReading::Ok) << r.statusText().toStdString();
    EXPECT_EQ(r.ExamNumber, f.examNumber);
    std::map<int, QString> answers;
    std::set<int> multiple;
    for (const QuestionAnswer& a : r.Answers) {
        answers[a.Number] = a.Answer;
        if (a.Multiple)
            multiple.insert(a.Number);
    }
    EXPECT_EQ(answers, f.answers);
    EXPECT_EQ(multiple, f.doubles);
}

struct ScanCase
{
    const char* name;
    int paper; // wizard paper size, or -1 for the hand-laid page
    double dpi;
    ScanConditions conditions;
};

class ReadScan : public ::testing::TestWithParam<ScanCase>
{
};

TEST_P(ReadScan, ReadsEveryAnswerAndTheExamNumber)
{
    const ScanCase& c = GetParam();
    const auto document = c.paper < 0 ? test::handLaidSheet() : test::wizardSheet(c.paper);
    std::mt19937 rng(int(c.dpi) + c.paper);
    const FilledSheet f = fillIn(*document, 0, c.dpi, true, rng);
    ASSERT_FALSE(f.answers.empty());
    const SheetReader reader(*document);
    const SheetReading r = reader.read(test::scanned(f.sheet, c.conditions, rng));
    expectRead(f, r);
    EXPECT_EQ(r.PaperType, QLatin1Char('A'));
    EXPECT_EQ(r.PageNumber, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Scans, ReadScan,
    ::testing::Values(ScanCase{"A3at150", WizardA3, 150, {2.0, {12, 9}, 0.98, true, 12, 60}},
                      ScanCase{"B4at200", WizardB4, 200, {-3, {-20, 15}, 0.98, true, 8, 90}},
                      ScanCase{"A4at300", WizardA4, 300, {1.2, {30, 25}, 1.01, true, 10, 50}},
                      ScanCase{"HandLaidAt200", -1, 200, {-1.5, {5, 5}, 0.99, true, 10, 70}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReadSheet, BlankSheetReadsBlank)
{
    const auto document = test::wizardSheet(WizardA4);
    std::mt19937 rng(3);
    const FilledSheet f = fillIn(*document, 0, 150, false, rng, true);
    const SheetReader reader(*document);
    const SheetReading r = reader.read(test::scanned(f.sheet, {1, {}, 1, true, 8, 80}, rng));
    ASSERT_EQ(r.Result, SheetReading::Ok);
    for (const QuestionAnswer& a : r.Answers) {
        EXPECT_EQ(a.Answer, QString()) << a.Number;
        EXPECT_FALSE(a.Multiple);
    }
    EXPECT_EQ(r.ExamNumber, QString(8, QLatin1Char('?')));
    EXPECT_TRUE(r.needsReview());
}

TEST(ReadSheet, ReadsTheOtherBoxesAsWhatTheyMean)
{
    const auto document = test::handLaidSheet();
    std::mt19937 rng(17);
    QImage sheet = test::printedPage(*document, 0, 200);
    const double s = 200 / 96.0;
    const auto fill = [&](int x, int y) {
        test::pencilFill(sheet, QRectF(x * s, y * s, 18 * s, 10 * s), 0.85, false, rng);
    };
    fill(600, 120);          // absent
    fill(600 + 25, 200);     // optional question: the second alternative
    fill(420, 240);          // score tens: 0
    fill(420 + 7 * 25, 257); // score units: 7
    const SheetReader reader(*document);
    const SheetReading r = reader.read(test::scanned(sheet, {0.8, {4, 4}, 1, true, 8, 80}, rng));
    ASSERT_EQ(r.Result, SheetReading::Ok) << r.statusText().toStdString();
    EXPECT_TRUE(r.Absent);
    EXPECT_FALSE(r.Cheating);
    ASSERT_EQ(r.OptionalChoices.size(), 1u);
    EXPECT_EQ(r.OptionalChoices[0].Number, 1);
    EXPECT_EQ(r.OptionalChoices[0].Answer, QStringLiteral("B"));
    ASSERT_EQ(r.Scores.size(), 1u);
    EXPECT_EQ(r.Scores[0], (std::pair<int, QString>(16, QStringLiteral("07"))));
}

// Marks from plainly dark to hardly there: the lighter a mark, the less it
// counts, and those near the sheet's threshold are flagged, not guessed.
TEST(ReadSheet, DecidesLightMarksConsistentlyAndFlagsTheCloseOnes)
{
    const auto document = test::wizardSheet(WizardA4);
    const PageGeometry page = pageGeometry(*document, 0);
    const double scale = outputScale(200, document->PixelsPerMm);
    QImage sheet = test::printedPage(*document, 0, 200);
    std::mt19937 rng(19);
    std::vector<const QuestionGeometry*> questions;
    for (const BubbleBoxGeometry& box : page.BubbleBoxes)
        if (box.Purpose == RSResult)
            for (const QuestionGeometry& q : box.Questions)
                questions.push_back(&q);
    ASSERT_GE(questions.size(), 15u);
    for (std::size_t i = 0; i < 5; ++i)
        test::pencilFill(sheet, onSheet(questions[i]->Cells[1].Rect, scale), 0.9, false, rng);
    {
        // Questions 6 to 15: greys 95 to 230 laid over option A.
        QPainter painter(&sheet);
        painter.setCompositionMode(QPainter::CompositionMode_Darken);
        for (std::size_t i = 5; i < 15; ++i) {
            const int grey = 95 + int(i - 5) * 15;
            painter.fillRect(onSheet(questions[i]->Cells[0].Rect, scale), QColor(grey, grey, grey));
        }
    }
    const SheetReader reader(*document);
    const SheetReading r = reader.read(test::scanned(sheet, {0.5, {}, 1, true, 4, 85}, rng));
    ASSERT_EQ(r.Result, SheetReading::Ok) << r.statusText().toStdString();
    ASSERT_GE(r.Answers.size(), 15u);
    for (std::size_t i = 0; i < 5; ++i)
        EXPECT_EQ(r.Answers[i].Answer, QStringLiteral("B"));
    // Filled down to some grey, empty above it; the flagged ones lie at that edge.
    std::size_t firstEmpty = 15;
    for (std::size_t i = 5; i < 15; ++i) {
        if (r.Answers[i].Answer.isEmpty() && firstEmpty == 15)
            firstEmpty = i;
        if (firstEmpty < 15 && i >= firstEmpty)
            EXPECT_EQ(r.Answers[i].Answer, QString()) << "question " << r.Answers[i].Number;
        else
            EXPECT_EQ(r.Answers[i].Answer, QStringLiteral("A"))
                << "question " << r.Answers[i].Number;
    }
    EXPECT_GT(firstEmpty, 5u);
    EXPECT_LT(firstEmpty, 15u);
    int flagged = 0;
    for (std::size_t i = 5; i < 15; ++i) {
        if (!r.Answers[i].Uncertain)
            continue;
        ++flagged;
        EXPECT_LE(std::abs(int(i) - int(firstEmpty)), 2) << "question " << r.Answers[i].Number;
    }
    EXPECT_GE(flagged, 1);
    EXPECT_FALSE(r.Answers[5].Uncertain);
    EXPECT_FALSE(r.Answers[14].Uncertain);
}

// In the overlay modes the template's boxes lie over a sheet printed
// elsewhere, whose own solid marks sit under them.
TEST(ReadSheet, ReadsASheetOverlaidInMode2)
{
    const auto document = test::handLaidSheet();
    std::mt19937 rng(29);
    const FilledSheet f = fillIn(*document, 0, 200, true, rng);
    document->Modal = 2;
    document->LayoutMarks();
    const SheetReader reader(*document);
    expectRead(f, reader.read(test::scanned(f.sheet, {-2, {-6, 10}, 1.01, true, 8, 70}, rng)));
}

TEST(ReadSheet, IdentifiesAnotherPageByItsMarks)
{
    const auto document = test::wizardSheet(WizardA4);
    ASSERT_GE(document->PageCount(), 2);
    std::mt19937 rng(5);
    const QImage sheet = test::printedPage(*document, 1, 150);
    const SheetReader reader(*document);
    const SheetReading r = reader.read(test::scanned(sheet, {-2, {8, 8}, 1, true, 8, 70}, rng));
    ASSERT_EQ(r.Result, SheetReading::Ok) << r.statusText().toStdString();
    EXPECT_EQ(r.PageIndex, 1);
    EXPECT_EQ(r.PageNumber, 2);
}

TEST(ReadSheet, PageOfAnotherTemplateMatchesNoPage)
{
    const auto document = test::wizardSheet(WizardA4);
    ASSERT_GE(document->PageCount(), 2);
    const QImage secondPage = test::printedPage(*document, 1, 150);
    document->DeletePage(1);
    std::mt19937 rng(23);
    const SheetReader reader(*document);
    const SheetReading r = reader.read(test::scanned(secondPage, {1, {}, 1, true, 8, 80}, rng));
    EXPECT_EQ(r.Result, SheetReading::PageUnknown);
    EXPECT_EQ(r.statusText(), QStringLiteral("no page of the template matches the page marks"));
    EXPECT_TRUE(r.Answers.empty());
}

TEST(ReadSheet, UpsideDownSheetIsToldAndStillRead)
{
    const auto document = test::handLaidSheet();
    std::mt19937 rng(7);
    FilledSheet f = fillIn(*document, 0, 150, false, rng);
    const SheetReader reader(*document);
    const SheetReading r = reader.read(test::scanned(f.sheet, {180.5, {}, 1, true, 8, 80}, rng));
    EXPECT_EQ(r.Result, SheetReading::UpsideDown);
    EXPECT_EQ(r.statusText(), QStringLiteral("upside down"));
    EXPECT_TRUE(r.needsReview());
    EXPECT_EQ(r.ExamNumber, f.examNumber);
}

TEST(ReadSheet, BlankPageHasNoPositioningMarks)
{
    const auto document = test::handLaidSheet();
    QImage white(1240, 1754, QImage::Format_Grayscale8);
    white.fill(250);
    const SheetReader reader(*document);
    const SheetReading r = reader.read(white);
    EXPECT_EQ(r.Result, SheetReading::MarksNotFound);
    EXPECT_EQ(r.statusText(), QStringLiteral("positioning marks not found (0 of 4)"));
    EXPECT_TRUE(r.Answers.empty());
}

TEST(ReadSheet, TemplateWithoutPositioningBoxesSaysSo)
{
    const auto document = test::handLaidSheet();
    document->Modal = 4; // no positioning boxes, and no fuzzy boxes either
    document->LayoutMarks();
    std::mt19937 rng(9);
    const FilledSheet f = fillIn(*document, 0, 150, false, rng);
    const SheetReader reader(*document);
    const SheetReading r = reader.read(test::scanned(f.sheet, {}, rng));
    EXPECT_EQ(r.Result, SheetReading::NoReferences);
    EXPECT_FALSE(r.statusText().isEmpty());
}

TEST(ReadSheet, CoveredPositioningBoxIsNotGuessed)
{
    const auto document = test::handLaidSheet();
    std::mt19937 rng(11);
    FilledSheet f = fillIn(*document, 0, 150, false, rng);
    const PageGeometry page = pageGeometry(*document, 0);
    const double scale = outputScale(150, document->PixelsPerMm);
    const QRectF corner = onSheet(page.PositioningBoxes[3], scale).adjusted(-4, -4, 4, 4);
    for (int y = int(corner.top()); y < int(corner.bottom()); ++y)
        for (int x = int(corner.left()); x < int(corner.right()); ++x)
            f.sheet.setPixel(x, y, qRgb(255, 255, 255));
    const SheetReader reader(*document);
    const SheetReading r = reader.read(test::scanned(f.sheet, {}, rng));
    EXPECT_EQ(r.Result, SheetReading::MarksNotFound);
    EXPECT_EQ(r.statusText(), QStringLiteral("positioning marks not found (3 of 4)"));
}

} // namespace
} // namespace sw::test
