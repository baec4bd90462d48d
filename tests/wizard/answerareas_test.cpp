#include "document/painting.h"
#include "shapes/roundrect.h"
#include "wizard_support.h"

#include <gtest/gtest.h>

namespace sw::test {
namespace {

QString label(int n, int total)
{
    return QStringLiteral("第 %1 页,共 %2 页").arg(n).arg(total);
}

std::vector<int> questionsOf(const TVectorGraph& page)
{
    std::vector<int> out;
    for (TRectZg* z : shapesOf<TRectZg>(page))
        out.push_back(z->Question);
    return out;
}

std::vector<int> groupSizes(const TVectorGraph& page)
{
    std::vector<int> out;
    for (TRectKg* k : answerGroups(page))
        out.push_back(k->Row);
    return out;
}

// Page labels of a page, in list order.
QStringList labelsOf(const TVectorGraph& page)
{
    QStringList out;
    for (TRectText* t : shapesOf<TRectText>(page)) {
        if (textOf(*t).startsWith(QStringLiteral("第 ")))
            out << textOf(*t);
    }
    return out;
}

TEST(AnswerAreas, DefaultSheetHasThreeGroupsInOneRowAndFourNumberedColumns)
{
    const WizardSettings settings;
    const auto sheet = generate(settings);
    ASSERT_TRUE(sheet->generated) << sheet->error.toStdString();
    EXPECT_TRUE(sheet->failures.empty());
    ASSERT_EQ(sheet->document->PageCount(), 2);
    Quantities q(settings);
    ASSERT_EQ(q.L, 52);
    ASSERT_EQ(q.Wc, 737);
    ASSERT_EQ(q.bottom, 1063);
    ASSERT_GE(q.I, 75); // narrow notes panel beside the information block

    const TVectorGraph& first = sheet->page(0);
    const int Yc = q.titleBottom + 20 + 222 + 20;
    const int Yk = Yc - 10;
    const int s = (737 - 60 - 500) / 4 + 100;
    const auto groups = answerGroups(first);
    ASSERT_EQ(groups.size(), 3u);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(groups[k]->TopLeft, (TPoint{52 + 40 + k * s, Yc + 30})) << k;
        EXPECT_EQ(groups[k]->Row, 5);
        EXPECT_EQ(groups[k]->col, 4);
        EXPECT_EQ(groups[k]->FormatText, QStringLiteral("ABCD"));
        EXPECT_EQ(groups[k]->Aspect, ARight);
        EXPECT_TRUE(groups[k]->ShowNumber);
        EXPECT_EQ(groups[k]->Font.Name, QStringLiteral("新宋体"));
        EXPECT_EQ(groups[k]->Font.size(ScreenDpi), 8);
        EXPECT_EQ(groups[k]->Group, 0);
    }

    EXPECT_EQ(questionsOf(first), (std::vector<int>{2, 1}));
    EXPECT_EQ(questionsOf(sheet->page(1)), (std::vector<int>{3, 4}));
    EXPECT_EQ(labelsOf(first), (QStringList{label(1, 4), label(2, 4)}));
    EXPECT_EQ(labelsOf(sheet->page(1)), (QStringList{label(3, 4), label(4, 4)}));

    // The first column: objective frame, heading, rule, subjective frame, cut box 1.
    const int Ho = (85 + 20) * 1;
    const auto cut = shapesOf<TRectZg>(first);
    EXPECT_EQ(cut[1]->Bounds, (TRect{62, Yk + Ho + 45, 779, 1063 - q.wh - 10}));
    EXPECT_EQ(cut[1]->Brush.Style, bsClear);
    const auto frames = shapesOf<TRoundRect>(first);
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[0]->Bounds, (TRect{52, Yk, 789, Yk + Ho + 25}));
    EXPECT_EQ(frames[1]->Bounds, (TRect{799, 55, 1536, 1063}));
    EXPECT_EQ(frames[2]->Bounds, (TRect{52, Yk + Ho + 30, 789, 1063}));
    for (TRoundRect* f : frames) {
        EXPECT_EQ(f->Radius, 20);
        EXPECT_EQ(f->Brush.Style, bsClear);
    }
    ASSERT_EQ(textsNamed(first, QStringLiteral("第I卷 选择题")).size(), 1u);
    EXPECT_EQ(textsNamed(first, QStringLiteral("第I卷 选择题"))[0]->Bounds,
              (TRect{67, Yk + 8, 202, Yk + 25}));
    // Cut box 2 between the warnings of the second column.
    EXPECT_EQ(cut[0]->Bounds, (TRect{809, 55 + q.wh + 10, 1526, 1063 - q.wh - 10}));

    // Warnings: none at the top of the first column, top and bottom elsewhere.
    const auto warnings = textsNamed(first, settings.warning);
    ASSERT_EQ(warnings.size(), 3u);
    const int x1 = 799 + (737 - q.ww) / 2;
    EXPECT_EQ(warnings[0]->Bounds, (TRect{x1, 60, x1 + q.ww, 60 + q.wh}));
    EXPECT_EQ(warnings[1]->Bounds, (TRect{x1, 1058 - q.wh, x1 + q.ww, 1058}));
    const int x0 = 52 + (737 - q.ww) / 2;
    EXPECT_EQ(warnings[2]->Bounds, (TRect{x0, 1058 - q.wh, x0 + q.ww, 1058}));
}

TEST(AnswerAreas, PageLabelsAreCentredInTheFirstColumnAndTenFurtherRightElsewhere)
{
    const WizardSettings settings;
    const auto sheet = generate(settings);
    Metrics m;
    const int pw = m.tw(10, label(0, 0));
    const int ph = m.th(10, label(0, 0));
    const auto first = textsNamed(sheet->page(0), label(1, 4));
    const auto second = textsNamed(sheet->page(0), label(2, 4));
    ASSERT_EQ(first.size(), 1u);
    ASSERT_EQ(second.size(), 1u);
    const int x0 = 52 + (737 - pw) / 2;
    EXPECT_EQ(first[0]->Bounds, (TRect{x0, 1073, x0 + pw, 1073 + ph}));
    EXPECT_EQ(second[0]->Bounds.Left, 799 + 10 + (737 - pw) / 2);
    EXPECT_EQ(first[0]->Font.size(ScreenDpi), 10);
}

TEST(AnswerAreas, QuestionNumbersFollowTheGroups)
{
    const auto sheet = generate(WizardSettings());
    RecordingCanvas canvas(ScreenDpi);
    Paint(sheet->page(0), canvas, OutputPrint);
    const auto groups = answerGroups(sheet->page(0));
    ASSERT_EQ(groups.size(), 3u);
    EXPECT_EQ(groups[0]->StartNumber, 1);
    EXPECT_EQ(groups[1]->StartNumber, 6);
    EXPECT_EQ(groups[2]->StartNumber, 11);
}

struct LayoutCase
{
    const char* name;
    int pagesize;
    int pagetype;
    int pagecount;
    int kgcount;
    int groupnumber;
    std::vector<std::vector<int>> questionsByPage; // cut boxes in list order
    std::vector<QStringList> labelsByPage;
    std::vector<int> groups; // questions of each group on the first page
    int groupRows;
};

class Layouts : public ::testing::TestWithParam<LayoutCase>
{
};

TEST_P(Layouts, ColumnsCutBoxesLabelsAndGroups)
{
    const LayoutCase& c = GetParam();
    WizardSettings settings;
    settings.pagesize = c.pagesize;
    settings.pagetype = c.pagetype;
    settings.pagecount = c.pagecount;
    settings.kgcount = c.kgcount;
    settings.groupnumber = c.groupnumber;
    const auto sheet = generate(settings);
    ASSERT_TRUE(sheet->generated);
    EXPECT_TRUE(sheet->failures.empty()) << sheet->failureCodes().join(',').toStdString();
    ASSERT_EQ(sheet->document->PageCount(), c.pagecount);
    for (int p = 0; p < c.pagecount; ++p) {
        EXPECT_EQ(questionsOf(sheet->page(p)), c.questionsByPage[p]) << "page " << p;
        EXPECT_EQ(labelsOf(sheet->page(p)), c.labelsByPage[p]) << "page " << p;
    }
    EXPECT_EQ(groupSizes(sheet->page(0)), c.groups);

    // Rows of groups: left to right, then down, at the pitch of the layout.
    Quantities q(settings);
    const int p = settings.pagesize == WizardA4   ? 5
                  : settings.pagesize == WizardB4 ? (q.columns == 3 ? 3 : 4)
                                                  : (q.columns == 3 ? 3 : 5);
    const int s = (q.Wc - 60 - 100 * p) / (p - 1) + 100;
    const int gh = 17 * c.groupnumber;
    const auto groups = answerGroups(sheet->page(0));
    ASSERT_FALSE(groups.empty());
    const TPoint origin = groups[0]->TopLeft;
    EXPECT_EQ(origin.X, q.L + 40);
    int rows = 0;
    for (std::size_t k = 0; k < groups.size(); ++k) {
        const int row = int(k) / p;
        EXPECT_EQ(groups[k]->TopLeft,
                  (TPoint{origin.X + int(k % p) * s, origin.Y + row * (gh + 20)}))
            << k;
        rows = row + 1;
    }
    EXPECT_EQ(rows, c.groupRows);
}

INSTANTIATE_TEST_SUITE_P(Sheets, Layouts,
                         ::testing::Values(LayoutCase{"A4OnePage",
                                                      WizardA4,
                                                      WizardTwoColumns,
                                                      1,
                                                      15,
                                                      5,
                                                      {{1}},
                                                      {{label(1, 1)}},
                                                      {5, 5, 5},
                                                      1},
                                           LayoutCase{"A4TwoPages",
                                                      WizardA4,
                                                      WizardThreeColumns,
                                                      2,
                                                      15,
                                                      5,
                                                      {{1}, {2}},
                                                      {{label(1, 2)}, {label(2, 2)}},
                                                      {5, 5, 5},
                                                      1},
                                           LayoutCase{"B4ThreeColumns",
                                                      WizardB4,
                                                      WizardThreeColumns,
                                                      1,
                                                      15,
                                                      5,
                                                      {{2, 3, 1}},
                                                      {{label(1, 3), label(2, 3), label(3, 3)}},
                                                      {5, 5, 5},
                                                      1},
                                           LayoutCase{"B4TwoColumns",
                                                      WizardB4,
                                                      WizardTwoColumns,
                                                      1,
                                                      15,
                                                      5,
                                                      {{2, 1}},
                                                      {{label(1, 2), label(2, 2)}},
                                                      {5, 5, 5},
                                                      1},
                                           LayoutCase{"TwentyQuestionsThreePerRow",
                                                      WizardA3,
                                                      WizardThreeColumns,
                                                      1,
                                                      20,
                                                      5,
                                                      {{2, 3, 1}},
                                                      {{label(1, 3), label(2, 3), label(3, 3)}},
                                                      {5, 5, 5, 5},
                                                      2},
                                           LayoutCase{"SevenQuestions",
                                                      WizardA3,
                                                      WizardTwoColumns,
                                                      1,
                                                      7,
                                                      5,
                                                      {{2, 1}},
                                                      {{label(1, 2), label(2, 2)}},
                                                      {5, 2},
                                                      1},
                                           LayoutCase{"OneGroupOfOne",
                                                      WizardA3,
                                                      WizardTwoColumns,
                                                      1,
                                                      1,
                                                      1,
                                                      {{2, 1}},
                                                      {{label(1, 2), label(2, 2)}},
                                                      {1},
                                                      1},
                                           LayoutCase{"FourPagesAreAllFilled",
                                                      WizardA3,
                                                      WizardTwoColumns,
                                                      4,
                                                      15,
                                                      5,
                                                      {{2, 1}, {3, 4}, {5, 6}, {7, 8}},
                                                      {{label(1, 8), label(2, 8)},
                                                       {label(3, 8), label(4, 8)},
                                                       {label(5, 8), label(6, 8)},
                                                       {label(7, 8), label(8, 8)}},
                                                      {5, 5, 5},
                                                      1}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace sw::test
