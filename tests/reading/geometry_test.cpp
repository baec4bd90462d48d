#include "reading/sheets.h"

#include "reading/affinemap.h"
#include "reading/sheetgeometry.h"

#include <gtest/gtest.h>

namespace sw::test {
namespace {

std::vector<int> numbersOf(const BubbleBoxGeometry& box)
{
    std::vector<int> numbers;
    for (const QuestionGeometry& q : box.Questions)
        numbers.push_back(q.Number);
    return numbers;
}

QString labelsOf(const QuestionGeometry& q)
{
    QString labels;
    for (const CellGeometry& c : q.Cells)
        labels += c.Label;
    return labels;
}

TEST(SheetGeometry, NumbersAndLaysOutEveryDirectionAsPainted)
{
    const auto document = test::handLaidSheet();
    const PageGeometry page = pageGeometry(*document, 0);
    ASSERT_EQ(page.BubbleBoxes.size(), 9u);
    EXPECT_EQ(page.PositioningBoxes.size(), 4u);
    ASSERT_TRUE(page.PaperTypeMark && page.PageNumberMark);

    const auto& down = page.BubbleBoxes[1];
    const auto& right = page.BubbleBoxes[2];
    const auto& up = page.BubbleBoxes[3];
    const auto& left = page.BubbleBoxes[4];
    EXPECT_EQ(numbersOf(down), (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(numbersOf(right), (std::vector<int>{6, 7, 8, 9}));
    // Up and left add no questions to the count, so only their offsets move on.
    EXPECT_EQ(numbersOf(up), (std::vector<int>{30, 31, 32}));
    EXPECT_EQ(numbersOf(left), (std::vector<int>{50, 51, 52}));
    for (const auto* box : {&down, &up})
        EXPECT_EQ(labelsOf(box->Questions[0]),
                  box == &down ? QStringLiteral("ABCD") : QStringLiteral("ABC"));
    EXPECT_EQ(labelsOf(left.Questions[0]), QStringLiteral("ABCD"));

    // A question of a box running down is a column; of one running right, a row.
    EXPECT_EQ(down.Questions[1].Cells[2].Rect, (TRect{145, 414, 163, 424}));
    EXPECT_EQ(right.Questions[2].Cells[1].Rect, (TRect{345, 414, 363, 424}));
    EXPECT_EQ(page.BubbleBoxes[0].Purpose, RSExamCode);
    EXPECT_EQ(labelsOf(page.BubbleBoxes[0].Questions[3]), QStringLiteral("0123456789"));
    ASSERT_EQ(page.CutBoxes.size(), 1u);
    EXPECT_EQ(page.CutBoxes[0].Question, 16);
}

TEST(SheetGeometry, HiddenShapesAreLeftOut)
{
    const auto document = test::handLaidSheet();
    document->Modal = 1; // overlay: positioning boxes stay, the page-number mark is hidden
    document->LayoutMarks();
    const PageGeometry page = pageGeometry(*document, 0);
    EXPECT_EQ(page.PositioningBoxes.size(), 4u);
    EXPECT_TRUE(page.PaperTypeMark.has_value());
    EXPECT_FALSE(page.PageNumberMark.has_value());
}

TEST(SheetGeometry, MarkValueSumsTheFilledWeights)
{
    const auto document = test::handLaidSheet();
    const BubbleBoxGeometry mark = *pageGeometry(*document, 0).PageNumberMark;
    EXPECT_EQ(markValue(mark, {true, false, true, false}), 5);
    EXPECT_EQ(markValue(mark, {false, false, false, true}), 8);
    EXPECT_EQ(markValue(mark, {false, false, false, false}), 0);
    const BubbleBoxGeometry paper = *pageGeometry(*document, 0).PaperTypeMark;
    // The paper-type mark's last two cells carry no weight.
    EXPECT_EQ(markValue(paper, {false, true, false, false}), 2);
    EXPECT_EQ(markValue(paper, {true, false, true, false}), std::nullopt);
}

TEST(AffineFit, FitsTurnedScaledShiftedPointsExactly)
{
    const AffineMap truth{2.0 * std::cos(0.05), -2.0 * std::sin(0.05), 30,
                          2.0 * std::sin(0.05), 2.0 * std::cos(0.05),  -12};
    std::vector<PointPair> pairs;
    for (const QPointF p :
         {QPointF(40, 40), QPointF(750, 40), QPointF(40, 1080), QPointF(750, 1080)})
        pairs.push_back({p, truth.map(p)});
    const auto fit = fitAffine(pairs);
    ASSERT_TRUE(fit);
    EXPECT_NEAR(fit->Residual, 0, 1e-6);
    EXPECT_NEAR(fit->Map.scale(), 2.0, 1e-9);
    EXPECT_NEAR(fit->Map.map({400, 500}).x(), truth.map({400, 500}).x(), 1e-6);

    // Two pairs give rotation, scale and shift.
    const auto two = fitAffine({pairs[0], pairs[3]});
    ASSERT_TRUE(two);
    EXPECT_NEAR(two->Map.map({750, 40}).y(), truth.map({750, 40}).y(), 1e-6);

    // A misplaced corner shows in the residual: the fit spreads its 12 pixels
    // as 3 over each of the four corners.
    pairs[3].Scan += QPointF(12, 0);
    EXPECT_NEAR(fitAffine(pairs)->Residual, 3, 1e-6);
}

TEST(AffineFit, RefusesTooFewOrCollinearPoints)
{
    EXPECT_FALSE(fitAffine({{QPointF(1, 1), QPointF(2, 2)}}));
    EXPECT_FALSE(fitAffine({{QPointF(0, 0), QPointF(0, 0)},
                            {QPointF(1, 1), QPointF(2, 2)},
                            {QPointF(2, 2), QPointF(4, 4)}}));
}

TEST(AffineFit, TurningHalfRoundMapsTheCentreToItself)
{
    const AffineMap m{2, 0, 10, 0, 2, 20};
    const AffineMap turned = m.turnedAbout({100, 200});
    EXPECT_EQ(turned.map({100, 200}), m.map({100, 200}));
    EXPECT_EQ(turned.map({0, 0}), m.map({200, 400}));
}

} // namespace
} // namespace sw::test
