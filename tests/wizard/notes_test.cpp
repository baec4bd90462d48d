#include "shapes/ellipse.h"
#include "shapes/line.h"
#include "shapes/roundrect.h"
#include "wizard_support.h"

#include <gtest/gtest.h>

namespace sw::test {
namespace {

// The notes text boxes of a page: group 3 boxes holding one line each, in
// list order, excluding the headings.
std::vector<TRectText*> noteLines(const TVectorGraph& page, int points)
{
    std::vector<TRectText*> out;
    for (TRectText* t : shapesOf<TRectText>(page)) {
        if (t->Group == 3 && t->Lines.size() == 1 && t->Font.size(ScreenDpi) == points)
            out.push_back(t);
    }
    return out;
}

std::vector<TRectangle*> groupRectangles(const TVectorGraph& page, int group)
{
    std::vector<TRectangle*> out;
    for (TRectangle* r : shapesOf<TRectangle>(page)) {
        if (r->Group == group)
            out.push_back(r);
    }
    return out;
}

TEST(NarrowNotes, OneBoxPerLineBesideTheHeadingWithTheFillingExampleAtTheFoot)
{
    const WizardSettings settings;
    const auto sheet = generate(settings);
    Quantities q(settings);
    Metrics m;
    const TVectorGraph& page = sheet->page(0);
    const int L = q.L;
    const int Y = q.titleBottom + 20;

    const auto panel = groupRectangles(page, 3);
    ASSERT_EQ(panel.size(), 2u);
    EXPECT_EQ(panel[0]->Bounds, (TRect{L, Y, L + q.N, Y + 222}));

    const auto lines = noteLines(page, 8);
    ASSERT_EQ(lines.size(), 12u);
    const int r = rnd(192.0 / 12);
    int widest = 0;
    for (int k = 0; k < 12; ++k) {
        EXPECT_EQ(textOf(*lines[k]), settings.attention[k]);
        EXPECT_EQ(lines[k]->Bounds,
                  (TRect{L + 30, Y + 7 + k * r, L + q.N - 5, Y + 7 + (k + 1) * r}));
        widest = std::max(widest, m.tw(8, settings.attention[k]));
    }
    // The widest line's box is 5 narrower than the line.
    EXPECT_EQ(lines[0]->Bounds.width(), widest - 5);

    const int th = m.th(12, QStringLiteral("阿"));
    const int g = (222 - 4 * th) / 5;
    const auto zhu = textsNamed(page, QStringLiteral("注"));
    const auto xiang = textsNamed(page, QStringLiteral("项"));
    ASSERT_EQ(zhu.size(), 1u);
    ASSERT_EQ(xiang.size(), 1u);
    EXPECT_EQ(zhu[0]->Bounds, (TRect{L + 3, Y + g, L + 25, Y + g + th}));
    EXPECT_EQ(xiang[0]->Bounds, (TRect{L + 3, Y + 4 * g + 3 * th, L + 20, Y + 4 * g + 4 * th}));

    const int e = q.example;
    const int mm = (q.N - 30 - e) / 2;
    const auto example = textsNamed(page, QStringLiteral("正 确 填 涂  "));
    ASSERT_EQ(example.size(), 1u);
    EXPECT_EQ(example[0]->Bounds, (TRect{L + 30 + mm, Y + 203, L + 25 + mm + e, Y + 220}));
    EXPECT_EQ(panel[1]->Bounds, (TRect{L + 5 + mm + e, Y + 204, L + 30 + mm + e, Y + 216}));
    EXPECT_EQ(panel[1]->Brush, (TBrush{clBlack, bsSolid}));

    // The objective area starts 10 under the panel's 20-unit gap.
    const auto frames = shapesOf<TRoundRect>(page);
    ASSERT_FALSE(frames.empty());
    EXPECT_EQ(frames[0]->Bounds.Top, Y + 222 + 20 - 10);
}

TEST(NarrowNotes, EmptyNotesKeepTheHeadingAndAnExampleThatFitsThePanel)
{
    WizardSettings settings;
    settings.attention.clear();
    const auto sheet = generate(settings);
    EXPECT_TRUE(sheet->failures.empty()) << sheet->failureCodes().join(',').toStdString();
    Quantities q(settings);
    ASSERT_EQ(q.N, q.example + 30);
    const TVectorGraph& page = sheet->page(0);
    EXPECT_TRUE(noteLines(page, 8).empty());
    const auto panel = groupRectangles(page, 3);
    ASSERT_EQ(panel.size(), 2u);
    const TRect frame = panel[0]->Bounds;
    EXPECT_EQ(frame.width(), q.N);
    const auto example = textsNamed(page, QStringLiteral("正 确 填 涂  "));
    ASSERT_EQ(example.size(), 1u);
    EXPECT_GE(example[0]->Bounds.Left, frame.Left + 25);
    EXPECT_LE(panel[1]->Bounds.Right, frame.Right);
    // The information block follows the panel.
    EXPECT_EQ(groupRectangles(page, 4)[0]->Bounds.Left, q.L + q.N + 5);
}

// Short notes widen the panel to its filling example so that the example
// never sticks out of it. Whether the panel stands beside the information
// block is still decided at the notes' own width, as long as the widened
// panel leaves the block some width.
TEST(NarrowNotes, ShortNotesKeepTheirPanelWhereTheWidenedPanelStillFits)
{
    WizardSettings settings;
    settings.pagesize = WizardB4;
    settings.pagetype = WizardThreeColumns;
    settings.attention = {QStringLiteral("请用黑笔")};
    Metrics m;
    const int ownWidth = m.tw(8, settings.attention[0]) + 30;
    int keptBesideNarrowBlock = 0;
    for (int digits = 1; digits <= 15; ++digits) {
        settings.examcodeleng = digits;
        const Quantities q(settings);
        ASSERT_EQ(q.N, q.example + 30);
        ASSERT_GT(q.N, ownWidth);
        const bool roomAtOwnWidth = q.Wc - ownWidth - q.E - 10 >= 75;
        const bool narrow = roomAtOwnWidth && q.I > 0;
        if (narrow && q.I < 75)
            ++keptBesideNarrowBlock;

        const auto sheet = generate(settings);
        ASSERT_TRUE(sheet->generated) << sheet->error.toStdString();
        const TVectorGraph& page = sheet->page(0);
        const auto example = textsNamed(page, QStringLiteral("正 确 填 涂  "));
        EXPECT_EQ(example.size(), narrow ? 1u : 0u) << digits << " digits";
        EXPECT_EQ(textsNamed(page, QStringLiteral("正确填涂")).size(), narrow ? 0u : 1u);
        const auto information = groupRectangles(page, 4);
        ASSERT_EQ(information.size(), 1u);
        if (!narrow) {
            EXPECT_EQ(information[0]->Bounds.Left, q.L) << digits << " digits";
            continue;
        }
        const auto panel = groupRectangles(page, 3);
        ASSERT_EQ(panel.size(), 2u);
        const TRect frame = panel[0]->Bounds;
        EXPECT_EQ(frame.width(), q.N);
        ASSERT_EQ(example.size(), 1u);
        EXPECT_GE(example[0]->Bounds.Left, frame.Left + 25);
        EXPECT_LE(panel[1]->Bounds.Right, frame.Right);
        EXPECT_EQ(information[0]->Bounds.Left, q.L + q.N + 5) << digits << " digits";
        EXPECT_EQ(information[0]->Bounds.width(), q.I);
    }
    // Some lengths keep the panel beside an information block narrower than
    // a panel of the notes' own width would leave it.
    EXPECT_GT(keptBesideNarrowBlock, 0);
}

struct FlowCase
{
    const char* name;
    int pagesize;
    int pagetype;
    int examcodetype;
    int examcodeleng;
    int points;
};

class FullWidthNotes : public ::testing::TestWithParam<FlowCase>
{
};

TEST_P(FullWidthNotes, TextIsReflowedGreedilyToTheColumnWidth)
{
    const FlowCase& c = GetParam();
    WizardSettings settings;
    settings.pagesize = c.pagesize;
    settings.pagetype = c.pagetype;
    settings.examcodetype = c.examcodetype;
    settings.examcodeleng = c.examcodeleng;
    const auto sheet = generate(settings);
    EXPECT_TRUE(sheet->failures.empty());
    Quantities q(settings);
    Metrics m;
    const TVectorGraph& page = sheet->page(0);
    const int a = q.Wc - 160;
    const int lh = m.th(c.points, QStringLiteral("阿")) + 2;

    const auto lines = noteLines(page, c.points);
    ASSERT_GT(lines.size(), 1u);
    QString joined;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const QString text = textOf(*lines[k]);
        joined += text;
        EXPECT_LE(m.tw(c.points, text), a) << k;
        if (k + 1 < lines.size())
            EXPECT_GT(m.tw(c.points, text + textOf(*lines[k + 1]).left(1)), a) << k;
    }
    EXPECT_EQ(joined, settings.attention.join(QString()));
    EXPECT_TRUE(textOf(*lines.back()).endsWith(QStringLiteral("。")));

    const auto frame = groupRectangles(page, 3);
    ASSERT_FALSE(frame.empty());
    const int Y = frame[0]->Bounds.Top;
    const int hN = std::max(int(lines.size()) * lh + 10, 100);
    EXPECT_EQ(frame[0]->Bounds, (TRect{q.L, Y, q.L + q.Wc, Y + hN}));
    EXPECT_EQ(frame[0]->Brush.Style, bsClear);
    for (std::size_t k = 0; k < lines.size(); ++k)
        EXPECT_EQ(lines[k]->Bounds,
                  (TRect{q.L + 35, Y + 5 + int(k) * lh, q.L + q.Wc, Y + 5 + (int(k) + 1) * lh}));
    // The objective frame follows 10 below the block's 20-unit gap.
    EXPECT_EQ(shapesOf<TRoundRect>(page)[0]->Bounds.Top, Y + hN + 10);
}

INSTANTIATE_TEST_SUITE_P(
    Sheets, FullWidthNotes,
    ::testing::Values(
        FlowCase{"BarcodeA3", WizardA3, WizardTwoColumns, WizardBarcode, 12, 10},
        FlowCase{"LongExamNumber", WizardA3, WizardTwoColumns, WizardBubbles, 20, 10},
        FlowCase{"B4ThreeColumns", WizardB4, WizardThreeColumns, WizardBubbles, 12, 8},
        FlowCase{"A3ThreeColumns", WizardA3, WizardThreeColumns, WizardBarcode, 12, 8},
        FlowCase{"A4StyleIgnored", WizardA4, WizardThreeColumns, WizardBarcode, 12, 10}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FullWidthNotes, NumberedItemsRunOnWithoutLineBreaks)
{
    WizardSettings settings;
    settings.examcodetype = WizardBarcode;
    const auto sheet = generate(settings);
    const auto lines = noteLines(sheet->page(0), 10);
    // The line where item 1 ends carries on with item 2.
    bool found = false;
    for (TRectText* t : lines) {
        if (textOf(*t).contains(QStringLiteral("清楚。2.")))
            found = true;
    }
    EXPECT_TRUE(found);
}

TEST(FullWidthNotes, ShortOrEmptyNotesStillGiveABlockOfHeightHundred)
{
    for (const QStringList& notes : {QStringList{QStringLiteral("短")}, QStringList{}}) {
        WizardSettings settings;
        settings.examcodetype = WizardBarcode;
        settings.attention = notes;
        const auto sheet = generate(settings);
        EXPECT_TRUE(sheet->failures.empty());
        EXPECT_EQ(noteLines(sheet->page(0), 10).size(), std::size_t(notes.size()));
        const auto frame = groupRectangles(sheet->page(0), 3);
        ASSERT_FALSE(frame.empty());
        EXPECT_EQ(frame[0]->Bounds.height(), 100);
    }
}

TEST(FullWidthNotes, ExamplePanelShowsOneCorrectAndSixWrongFillings)
{
    WizardSettings settings;
    settings.examcodetype = WizardBarcode;
    const auto sheet = generate(settings);
    Quantities q(settings);
    Metrics m;
    const TVectorGraph& page = sheet->page(0);
    const TRect block = groupRectangles(page, 3)[0]->Bounds;
    const int Y = block.Top;
    const int hN = block.height();
    const int Xp = q.L + q.Wc - 150;
    const int hl = m.th(10, QStringLiteral("阿")) + 2;
    const int ew = m.tw(10, QStringLiteral("正确填涂"));
    const int cw = m.tw(13, QStringLiteral("阿"));
    const int ch = m.th(13, QStringLiteral("阿"));

    const auto headings = textsNamed(page, QStringLiteral("填\n涂\n样\n例"));
    ASSERT_EQ(headings.size(), 1u);
    EXPECT_EQ(headings[0]->TopLeft, (TPoint{Xp + 30 + (25 - cw) / 2, Y + (hN - 4 * ch) / 2}));
    EXPECT_EQ(headings[0]->Bounds.width(), cw + 2);
    EXPECT_EQ(headings[0]->Bounds.height(), 4 * ch + 2);
    const auto notesHeading = textsNamed(page, QStringLiteral("注\n意\n事\n项"));
    ASSERT_EQ(notesHeading.size(), 1u);
    EXPECT_EQ(notesHeading[0]->Bounds.Left, q.L + 5);

    const auto correct = textsNamed(page, QStringLiteral("正确填涂"));
    const auto wrong = textsNamed(page, QStringLiteral("错误填涂"));
    ASSERT_EQ(correct.size(), 1u);
    ASSERT_EQ(wrong.size(), 1u);
    const int x = Xp + 55 + (95 - ew) / 2;
    EXPECT_EQ(correct[0]->Bounds, (TRect{x, Y + 8, x + ew + 2, Y + 8 + hl}));
    EXPECT_EQ(wrong[0]->Bounds, (TRect{x, Y + hN / 2 + 5, x + ew + 2, Y + hN / 2 + 5 + hl}));
    EXPECT_EQ(correct[0]->Group, 5);

    const auto filled = groupRectangles(page, 0);
    ASSERT_EQ(filled.size(), 1u);
    EXPECT_EQ(filled[0]->Bounds, (TRect{Xp + 92, Y + 16 + hl, Xp + 112, Y + 26 + hl}));
    EXPECT_EQ(filled[0]->Brush, (TBrush{clBlack, bsSolid}));

    const auto cells = groupRectangles(page, 5);
    ASSERT_EQ(cells.size(), 6u);
    const int Yw = Y + hN / 2 + 5 + hl;
    for (int j = 1; j <= 6; ++j) {
        const int cx = Xp + 68 + 24 * ((j - 1) % 3);
        const int cy = j <= 3 ? Yw : Yw + 14;
        EXPECT_EQ(cells[j - 1]->Bounds, (TRect{cx, cy, cx + 20, cy + 10})) << j;
        EXPECT_EQ(cells[j - 1]->Brush.Style, bsClear);
    }
    const auto ellipses = shapesOf<TEllipse>(page);
    ASSERT_EQ(ellipses.size(), 4u);
    EXPECT_EQ(ellipses[1]->Brush, (TBrush{clBlack, bsSolid}));
    EXPECT_EQ(ellipses[3]->Brush, (TBrush{0xC0C0C0, bsSolid}));
    EXPECT_EQ(ellipses[3]->Pen.Color, 0xC0C0C0u);
    // The tick's long stroke keeps group 3; every other mark has group 5.
    int thick = 0;
    for (TLine* l : shapesOf<TLine>(page)) {
        if (l->Pen.Width == 2) {
            ++thick;
            EXPECT_EQ(l->Group, thick == 2 ? 3 : 5);
        }
    }
    EXPECT_EQ(thick, 4);
}

} // namespace
} // namespace sw::test
