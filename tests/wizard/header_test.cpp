#include "shapes/line.h"
#include "shapes/linelist.h"
#include "shapes/rectbarcode.h"
#include "shapes/rectgrid.h"
#include "wizard_support.h"

#include <gtest/gtest.h>

namespace sw::test {
namespace {

std::vector<TLine*> linesOfGroup(const TVectorGraph& page, int group)
{
    std::vector<TLine*> out;
    for (TLine* l : shapesOf<TLine>(page)) {
        if (l->Group == group)
            out.push_back(l);
    }
    return out;
}

std::vector<TRectangle*> rectanglesOfGroup(const TVectorGraph& page, int group)
{
    std::vector<TRectangle*> out;
    for (TRectangle* r : shapesOf<TRectangle>(page)) {
        if (r->Group == group)
            out.push_back(r);
    }
    return out;
}

struct TitleCase
{
    const char* name;
    int pagesize;
    int pagetype;
    double span; // layout pixels the lines are centred over
};

class Titles : public ::testing::TestWithParam<TitleCase>
{
};

TEST_P(Titles, LinesAreCentredAndStackedFromOneLineBelowTheCursor)
{
    WizardSettings settings;
    settings.pagesize = GetParam().pagesize;
    settings.pagetype = GetParam().pagetype;
    const auto sheet = generate(settings);
    Metrics m;
    int y = rnd(10 * 96 / 25.4);
    for (const QString& line : settings.title) {
        const auto boxes = textsNamed(sheet->page(0), line);
        ASSERT_EQ(boxes.size(), 1u) << line.toStdString();
        const int w = m.tw(18, line) + 5;
        const int h = m.th(18, line) + 2;
        const int x = rnd((GetParam().span - w) / 2);
        y += h;
        EXPECT_EQ(boxes[0]->Bounds, (TRect{x, y, x + w, y + h})) << line.toStdString();
        EXPECT_EQ(boxes[0]->Group, 1);
        EXPECT_EQ(boxes[0]->Font.Name, QStringLiteral("宋体"));
        EXPECT_EQ(boxes[0]->Font.size(ScreenDpi), 18);
        EXPECT_EQ(boxes[0]->Font.Color, clBlack);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, Titles,
    ::testing::Values(TitleCase{"A4", WizardA4, WizardThreeColumns, double(rnd(210 * 96 / 25.4))},
                      TitleCase{"A3TwoColumns", WizardA3, WizardTwoColumns, 420 * 96 / 25.4 / 2},
                      TitleCase{"B4ThreeColumns", WizardB4, WizardThreeColumns,
                                354 * 96 / 25.4 / 3}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ExamNumberBlock, BubblesUnderAWriteInRowAtTheRightOfTheColumn)
{
    const WizardSettings settings;
    const auto sheet = generate(settings);
    Quantities q(settings);
    const TVectorGraph& page = sheet->page(0);
    const int X = q.L + q.Wc - 302;
    const int Y = q.titleBottom + 20;

    const auto frames = rectanglesOfGroup(page, 2);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0]->Bounds, (TRect{X, Y, X + 302, Y + 222}));
    EXPECT_EQ(frames[0]->Brush.Style, bsClear);

    const auto lines = linesOfGroup(page, 2);
    ASSERT_EQ(lines.size(), 2u + 11u);
    EXPECT_EQ(lines[0]->P1, (TPoint{X, Y + 25}));
    EXPECT_EQ(lines[0]->P2, (TPoint{X + 302, Y + 25}));
    EXPECT_EQ(lines[1]->P1, (TPoint{X, Y + 50}));
    for (int k = 1; k <= 11; ++k) {
        EXPECT_EQ(lines[1 + k]->P1, (TPoint{X + 25 * k, Y + 25}));
        EXPECT_EQ(lines[1 + k]->P2, (TPoint{X + 25 * k, Y + 222}));
    }

    const auto bubbles = shapesOf<TRectKg>(page);
    ASSERT_FALSE(bubbles.empty());
    const TRectKg& code = *bubbles[0];
    EXPECT_EQ(code.TextType, RSExamCode);
    EXPECT_EQ(code.FormatText, QStringLiteral("0123456789"));
    EXPECT_EQ(code.Aspect, ADown);
    EXPECT_EQ(code.col, 12);
    EXPECT_EQ(code.Row, 10);
    EXPECT_EQ(code.Group, 2);
    // The grid's own extent: one column of ten bubbles per digit.
    EXPECT_EQ(code.Bounds, (TRect{X + 4, Y + 54, X + 4 + 12 * 25 - 7, Y + 54 + 10 * 17 - 7}));

    Metrics m;
    const QString heading = QStringLiteral("准  考  证  号");
    const auto headings = textsNamed(page, heading);
    ASSERT_EQ(headings.size(), 1u);
    const int tw = m.tw(13, heading);
    const int x = rnd(X + (302 - tw - 5) / 2.0);
    EXPECT_EQ(headings[0]->Bounds, (TRect{x, Y + 3, x + tw + 5, Y + 5 + m.th(13, heading)}));
    EXPECT_EQ(headings[0]->Group, 2);
}

TEST(ExamNumberBlock, OneDigitHasNoVerticalLinesAndIsTwentySevenWide)
{
    WizardSettings settings;
    settings.examcodeleng = 1;
    const auto sheet = generate(settings);
    const auto frames = rectanglesOfGroup(sheet->page(0), 2);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0]->Bounds.width(), 27);
    EXPECT_EQ(linesOfGroup(sheet->page(0), 2).size(), 2u);
}

TEST(ExamNumberBlock, EmptyTitlePutsTheHeaderAtTheInitialCursor)
{
    WizardSettings settings;
    settings.title.clear();
    const auto sheet = generate(settings);
    EXPECT_TRUE(sheet->failures.empty());
    const auto frames = rectanglesOfGroup(sheet->page(0), 2);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0]->Bounds.Top, rnd(10 * 96 / 25.4) + 20);
    for (TRectText* t : shapesOf<TRectText>(sheet->page(0)))
        EXPECT_NE(t->Group, 1);
}

TEST(InformationBlock, NarrowCaseSitsBetweenNotesAndExamNumberWithTwoRowsPerField)
{
    const WizardSettings settings;
    const auto sheet = generate(settings);
    Quantities q(settings);
    ASSERT_GE(q.I, 75);
    const TVectorGraph& page = sheet->page(0);
    const int X = q.L + q.N + 5;
    const int Y = q.titleBottom + 20;
    const auto frames = rectanglesOfGroup(page, 4);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0]->Bounds, (TRect{X, Y, X + q.I, Y + 222}));

    const int r = rnd(220.0 / 8);
    const auto lines = linesOfGroup(page, 4);
    ASSERT_EQ(lines.size(), 7u);
    for (int k = 0; k < 7; ++k) {
        EXPECT_EQ(lines[k]->P1, (TPoint{X, Y + (k + 1) * r}));
        EXPECT_EQ(lines[k]->P2, (TPoint{X + q.I, Y + (k + 1) * r}));
    }
    Metrics m;
    const int th = m.th(11, QStringLiteral("阿"));
    for (int i = 0; i < 4; ++i) {
        const QString& field = settings.info[i];
        const auto boxes = textsNamed(page, field);
        ASSERT_EQ(boxes.size(), 1u);
        const int tw = m.tw(11, field);
        const int x = rnd((q.I - tw) / 2.0) + X;
        const double top = Y + 2.0 * i * r + (r - th) / 2.0;
        EXPECT_EQ(boxes[0]->Bounds, (TRect{x, rnd(top), x + tw, rnd(top + th)}));
        EXPECT_EQ(boxes[0]->Group, 4);
    }
}

TEST(InformationBlock, WideExamNumberMovesTheBlockLeftAndTheNotesBelow)
{
    WizardSettings settings;
    settings.examcodeleng = 20;
    const auto sheet = generate(settings);
    Quantities q(settings);
    ASSERT_LT(q.I, 75);
    const auto frames = rectanglesOfGroup(sheet->page(0), 4);
    ASSERT_EQ(frames.size(), 1u);
    const int Y = q.titleBottom + 20;
    EXPECT_EQ(frames[0]->Bounds, (TRect{q.L, Y, q.L + q.Wc - 502 - 5, Y + 222}));
    // The exam-number block stays where it was; the notes start under both.
    EXPECT_EQ(rectanglesOfGroup(sheet->page(0), 2)[0]->Bounds.Top, Y);
    const auto notes = rectanglesOfGroup(sheet->page(0), 3);
    ASSERT_FALSE(notes.empty());
    EXPECT_EQ(notes[0]->Bounds.Top, q.titleBottom + 222 + 25);
}

TEST(InformationBlock, WithoutLinesTheBubbleVariantKeepsAnEmptyFrame)
{
    WizardSettings settings;
    settings.info.clear();
    const auto sheet = generate(settings);
    EXPECT_TRUE(sheet->failures.empty()) << sheet->failureCodes().join(',').toStdString();
    EXPECT_EQ(rectanglesOfGroup(sheet->page(0), 4).size(), 1u);
    EXPECT_TRUE(linesOfGroup(sheet->page(0), 4).empty());
    for (TRectText* t : shapesOf<TRectText>(sheet->page(0)))
        EXPECT_NE(t->Group, 4);
}

TEST(BarcodeArea, DottedBoxWithCaptionLineListAndWriteInGrid)
{
    WizardSettings settings;
    settings.examcodetype = WizardBarcode;
    settings.info = {QStringLiteral("院系|专业"), QStringLiteral("姓名")};
    const auto sheet = generate(settings);
    EXPECT_TRUE(sheet->failures.empty());
    Quantities q(settings);
    const TVectorGraph& page = sheet->page(0);
    const int Yc = q.titleBottom;

    const auto boxes = shapesOf<TRectbarcode>(page);
    ASSERT_EQ(boxes.size(), 1u);
    const TRect area{q.L + q.Wc - 250, Yc + 20, q.L + q.Wc, Yc + 120};
    EXPECT_EQ(boxes[0]->Bounds, area);
    EXPECT_EQ(boxes[0]->Pen.Style, psDot);
    EXPECT_EQ(boxes[0]->Pen.Width, 1);
    EXPECT_EQ(boxes[0]->Brush.Style, bsClear);
    EXPECT_EQ(boxes[0]->Group, 2);

    Metrics m;
    const QString caption = QStringLiteral("贴条形码区");
    const auto captions = textsNamed(page, caption);
    ASSERT_EQ(captions.size(), 1u);
    const int tw = m.tw(10, caption);
    const int th = m.th(10, caption);
    const int x = rnd(area.Left + (250 - tw - 5) / 2.0);
    const int y = rnd(area.Top + (100 - th - 2) / 2.0);
    EXPECT_EQ(captions[0]->Bounds, (TRect{x, y, x + tw + 5, y + th + 2}));
    EXPECT_EQ(captions[0]->Group, 2);

    const int W = q.Wc - 270;
    const auto lists = shapesOf<TLinelist>(page);
    ASSERT_EQ(lists.size(), 1u);
    EXPECT_EQ(lists[0]->Bounds, (TRect{q.L, Yc + 35, q.L + W, Yc + 85}));
    EXPECT_EQ(lists[0]->Row, 2);
    EXPECT_EQ(lists[0]->Lines,
              (QStringList{QStringLiteral("院系\\\\1|专业\\\\1"), QStringLiteral("姓名\\\\1")}));
    EXPECT_EQ(lists[0]->Font.size(ScreenDpi), 11);
    EXPECT_EQ(lists[0]->Group, 0);

    const QString label = QStringLiteral("准考证号");
    const int ltw = m.tw(11, label);
    const int lth = m.th(11, QStringLiteral("阿"));
    const auto labels = textsNamed(page, label);
    ASSERT_EQ(labels.size(), 1u);
    EXPECT_EQ(labels[0]->Bounds, (TRect{q.L, Yc + 99, q.L + ltw, Yc + 99 + lth}));

    const auto grids = shapesOf<TRectGrid>(page);
    ASSERT_EQ(grids.size(), 1u);
    EXPECT_EQ(grids[0]->TopLeft, (TPoint{q.L + ltw, Yc + 94}));
    EXPECT_EQ(grids[0]->Row, 1);
    EXPECT_EQ(grids[0]->col, 12);
    EXPECT_EQ(grids[0]->ColSpace, 0);
    EXPECT_EQ(grids[0]->GridHeight, lth + 10);
    EXPECT_EQ(grids[0]->Gridwidth, (W - ltw) / 12);

    // No bubbles for the exam number; the notes run across the column below.
    for (TRectKg* k : shapesOf<TRectKg>(page))
        EXPECT_NE(k->TextType, RSExamCode);
    const auto notes = rectanglesOfGroup(page, 3);
    ASSERT_FALSE(notes.empty());
    EXPECT_EQ(notes[0]->Bounds.Top, Yc + 120 + 25);
    EXPECT_EQ(notes[0]->Bounds.width(), q.Wc);
}

TEST(BarcodeArea, WithoutInformationLinesTheLineListHasNoRows)
{
    WizardSettings settings;
    settings.examcodetype = WizardBarcode;
    settings.info.clear();
    const auto sheet = generate(settings);
    EXPECT_TRUE(sheet->failures.empty());
    const auto lists = shapesOf<TLinelist>(sheet->page(0));
    ASSERT_EQ(lists.size(), 1u);
    EXPECT_EQ(lists[0]->Row, 0);
    EXPECT_TRUE(lists[0]->Lines.isEmpty());
}

} // namespace
} // namespace sw::test
