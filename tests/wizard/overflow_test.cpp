#include "document/painting.h"
#include "shapes/line.h"
#include "shapes/roundrect.h"
#include "wizard_support.h"

#include <gtest/gtest.h>

namespace sw::test {
namespace {

int questionsOn(const TVectorGraph& page)
{
    int n = 0;
    for (TRectKg* k : answerGroups(page))
        n += k->Row;
    return n;
}

// Every box lies on the paper, no box is turned inside out, every cut box
// has room to write in and every group lies inside an objective frame.
void expectSoundLayout(const Sheet& sheet, const WizardSettings& settings)
{
    Quantities q(settings);
    const double P = 96 / 25.4;
    for (int p = 0; p < sheet.document->PageCount(); ++p) {
        const TVectorGraph& page = sheet.page(p);
        const int width = rnd(page.Width * P);
        const int height = rnd(page.Height * P);
        for (int i = ReservedShapes; i < page.ShapeCount(); ++i) {
            TRect b = page.ShapeItem(i)->GetBounds();
            if (dynamic_cast<const TLine*>(page.ShapeItem(i))) {
                // A line runs either way between its points.
                b = {std::min(b.Left, b.Right), std::min(b.Top, b.Bottom),
                     std::max(b.Left, b.Right), std::max(b.Top, b.Bottom)};
            }
            EXPECT_LE(b.Left, b.Right) << "page " << p << " shape " << i;
            EXPECT_LE(b.Top, b.Bottom) << "page " << p << " shape " << i;
            EXPECT_GE(b.Left, 0);
            EXPECT_GE(b.Top, 0);
            EXPECT_LE(b.Right, width) << "page " << p << " shape " << i;
            EXPECT_LE(b.Bottom, height) << "page " << p << " shape " << i;
        }
        for (TRectZg* z : shapesOf<TRectZg>(page)) {
            EXPECT_GE(z->Bounds.height(), 60) << "question " << z->Question;
            EXPECT_LE(z->Bounds.Bottom, q.bottom - q.wh - 10);
        }
        const auto frames = shapesOf<TRoundRect>(page);
        for (TRectKg* k : answerGroups(page)) {
            bool framed = false;
            for (TRoundRect* f : frames) {
                const TRect fb = f->Bounds;
                framed = framed || (fb.Left < k->Bounds.Left && fb.Top < k->Bounds.Top &&
                                    k->Bounds.Right < fb.Right && k->Bounds.Bottom < fb.Bottom &&
                                    fb.Bottom <= q.bottom - q.wh - 10);
            }
            EXPECT_TRUE(framed) << "group at " << k->Bounds.Left << ", " << k->Bounds.Top;
        }
    }
}

TEST(Overflow, ObjectiveRowsContinueInTheNextColumnsWithRunningNumbers)
{
    WizardSettings settings;
    settings.pagesize = WizardA4;
    settings.pagecount = 2;
    settings.kgcount = 200;
    const auto sheet = generate(settings);
    EXPECT_TRUE(sheet->failures.empty()) << sheet->failureCodes().join(',').toStdString();
    const int first = questionsOn(sheet->page(0));
    const int second = questionsOn(sheet->page(1));
    EXPECT_GT(first, 0);
    EXPECT_GT(second, 0);
    EXPECT_EQ(first + second, 200);
    expectSoundLayout(*sheet, settings);

    // The second page carries on where the first stopped.
    RecordingCanvas canvas(ScreenDpi);
    Paint(sheet->page(1), canvas, OutputPrint);
    EXPECT_EQ(answerGroups(sheet->page(1)).front()->StartNumber, first + 1);
    EXPECT_EQ(textsNamed(sheet->page(1), QStringLiteral("第I卷 选择题")).size(), 1u);

    // Cut boxes are numbered in column order, however many columns got one.
    std::vector<int> questions;
    for (int p = 0; p < 2; ++p)
        for (TRectZg* z : shapesOf<TRectZg>(sheet->page(p)))
            questions.push_back(z->Question);
    for (std::size_t i = 0; i < questions.size(); ++i)
        EXPECT_EQ(questions[i], int(i) + 1);
}

TEST(Overflow, QuestionsBeyondTheLastColumnAreReportedNotDrawnOffThePage)
{
    WizardSettings settings;
    settings.pagesize = WizardA4;
    settings.pagecount = 1;
    settings.kgcount = 200;
    const auto sheet = generate(settings);
    ASSERT_TRUE(sheet->generated);
    EXPECT_EQ(sheet->failureCodes(), QStringList{QStringLiteral("5")});
    EXPECT_FALSE(sheet->failures.front().reason.isEmpty());
    const int placed = questionsOn(sheet->page(0));
    EXPECT_GT(placed, 0);
    EXPECT_LT(placed, 200);
    expectSoundLayout(*sheet, settings);
    // The column still gets its frames, warning and page label.
    EXPECT_EQ(textsNamed(sheet->page(0), QStringLiteral("第 1 页,共 1 页")).size(), 1u);
}

TEST(Overflow, GroupsTallerThanAColumnAreSplit)
{
    WizardSettings settings;
    settings.kgcount = 200;
    settings.groupnumber = 200;
    const auto sheet = generate(settings);
    EXPECT_TRUE(sheet->failures.empty()) << sheet->failureCodes().join(',').toStdString();
    int total = 0;
    for (int p = 0; p < 2; ++p) {
        total += questionsOn(sheet->page(p));
        for (TRectKg* k : answerGroups(sheet->page(p)))
            EXPECT_LT(k->Row, 200);
    }
    EXPECT_EQ(total, 200);
    expectSoundLayout(*sheet, settings);
}

TEST(Overflow, AHeaderThatFillsTheColumnLeavesNoInvertedBoxes)
{
    WizardSettings settings;
    settings.pagesize = WizardA4;
    settings.pagecount = 1;
    settings.title = QStringList(40, QStringLiteral("标题"));
    const auto sheet = generate(settings);
    EXPECT_EQ(sheet->failureCodes(), QStringList{QStringLiteral("5")});
    EXPECT_TRUE(shapesOf<TRectZg>(sheet->page(0)).empty());
    EXPECT_TRUE(answerGroups(sheet->page(0)).empty());
}

struct DigitsCase
{
    const char* name;
    int pagesize;
    int pagetype;
    int examcodetype;
    int digits;
};

class WidestExamNumbers : public ::testing::TestWithParam<DigitsCase>
{
};

TEST_P(WidestExamNumbers, StillLeaveASoundHeader)
{
    WizardSettings settings;
    settings.pagesize = GetParam().pagesize;
    settings.pagetype = GetParam().pagetype;
    settings.examcodetype = GetParam().examcodetype;
    settings.examcodeleng = GetParam().digits;
    const auto sheet = generate(settings);
    ASSERT_TRUE(sheet->generated) << sheet->error.toStdString();
    EXPECT_TRUE(sheet->failures.empty());
    expectSoundLayout(*sheet, settings);
    for (TRectangle* r : shapesOf<TRectangle>(sheet->page(0))) {
        if (r->Group == 4)
            EXPECT_GE(r->Bounds.width(), 75);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sheets, WidestExamNumbers,
    ::testing::Values(DigitsCase{"A3ThreeColumns", WizardA3, WizardThreeColumns, WizardBubbles, 16},
                      DigitsCase{"B4ThreeColumns", WizardB4, WizardThreeColumns, WizardBubbles, 12},
                      DigitsCase{"B4TwoColumns", WizardB4, WizardTwoColumns, WizardBubbles, 20},
                      DigitsCase{"A4", WizardA4, WizardTwoColumns, WizardBubbles, 20},
                      DigitsCase{"BarcodeB4ThreeColumns", WizardB4, WizardThreeColumns,
                                 WizardBarcode, 20}),
    [](const auto& info) { return std::string(info.param.name); });

struct LimitCase
{
    const char* name;
    int pagesize;
    int pagetype;
    int limit; // most exam-number digits the column lays out
};

class ExamNumberLimit : public ::testing::TestWithParam<LimitCase>
{
};

// Width of the information block when it gives way to the notes and stands
// left of the exam-number block.
int informationWidthBesideExamNumber(const WizardSettings& settings)
{
    const Quantities q(settings);
    return q.Wc - q.E - 5;
}

TEST_P(ExamNumberLimit, EveryLengthThatFitsIsLaidOutAndTheNextRefused)
{
    const LimitCase& c = GetParam();
    WizardSettings settings;
    settings.pagesize = c.pagesize;
    settings.pagetype = c.pagetype;
    settings.pagecount = 1;
    for (int digits = 1; digits <= c.limit; ++digits) {
        settings.examcodeleng = digits;
        const auto sheet = generate(settings);
        ASSERT_TRUE(sheet->generated) << digits << " " << sheet->error.toStdString();
        EXPECT_TRUE(sheet->failures.empty()) << digits;
        expectSoundLayout(*sheet, settings);
        int frames = 0;
        for (TRectangle* r : shapesOf<TRectangle>(sheet->page(0))) {
            if (r->Group == 4) {
                ++frames;
                EXPECT_GT(r->Bounds.width(), 0) << digits << " digits";
            }
        }
        EXPECT_EQ(frames, 1) << digits;
    }

    // One digit more: past the 20 the wizard offers, or where the information
    // block's frame would turn inside out.
    settings.examcodeleng = c.limit + 1;
    if (c.limit < 20) {
        EXPECT_LE(informationWidthBesideExamNumber(settings), 0);
    }
    const auto refused = generate(settings);
    EXPECT_FALSE(refused->generated);
    EXPECT_EQ(refused->document->PageCount(), 0);
    EXPECT_TRUE(refused->error.contains(QString::number(c.limit))) << refused->error.toStdString();
    EXPECT_TRUE(refused->error.contains(QStringLiteral("准考证"))) << refused->error.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Sheets, ExamNumberLimit,
    ::testing::Values(LimitCase{"A4", WizardA4, WizardTwoColumns, 20},
                      LimitCase{"A4StyleIgnored", WizardA4, WizardThreeColumns, 20},
                      LimitCase{"B4TwoColumns", WizardB4, WizardTwoColumns, 20},
                      LimitCase{"B4ThreeColumns", WizardB4, WizardThreeColumns, 15},
                      LimitCase{"A3TwoColumns", WizardA3, WizardTwoColumns, 20},
                      LimitCase{"A3ThreeColumns", WizardA3, WizardThreeColumns, 19}),
    [](const auto& info) { return std::string(info.param.name); });

struct SweepCase
{
    int pagesize;
    int pagetype;
    int examcodetype;
    int pagecount;
};

class Sweep : public ::testing::TestWithParam<SweepCase>
{
};

TEST_P(Sweep, EveryStandardSheetIsSound)
{
    WizardSettings settings;
    settings.pagesize = GetParam().pagesize;
    settings.pagetype = GetParam().pagetype;
    settings.examcodetype = GetParam().examcodetype;
    settings.pagecount = GetParam().pagecount;
    const auto sheet = generate(settings);
    ASSERT_TRUE(sheet->generated);
    EXPECT_TRUE(sheet->failures.empty()) << sheet->failureCodes().join(',').toStdString();
    expectSoundLayout(*sheet, settings);
    EXPECT_EQ(questionsOn(sheet->page(0)), 15);
}

std::vector<SweepCase> sweepCases()
{
    std::vector<SweepCase> cases;
    for (int size : {WizardA4, WizardB4, WizardA3})
        for (int type : {WizardTwoColumns, WizardThreeColumns})
            for (int code : {WizardBarcode, WizardBubbles})
                for (int pages : {1, 4})
                    cases.push_back({size, type, code, pages});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Settings, Sweep, ::testing::ValuesIn(sweepCases()), [](const auto& info) {
    const SweepCase& c = info.param;
    return std::string(c.pagesize == WizardA4   ? "A4"
                       : c.pagesize == WizardB4 ? "B4"
                                                : "A3") +
           (c.pagetype == WizardTwoColumns ? "Two" : "Three") +
           (c.examcodetype == WizardBarcode ? "Barcode" : "Bubbles") + std::to_string(c.pagecount);
});

} // namespace
} // namespace sw::test
