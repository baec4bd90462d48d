#include "document_support.h"

#include <gtest/gtest.h>

namespace sw::test {
namespace {

// Paper types A (pages 0 and 1) and B (page 2).
std::unique_ptr<TVectorGraphics> twoPaperTypes()
{
    auto document = std::make_unique<TVectorGraphics>(test::ScreenDpi);
    document->NewPage(-1, -1);
    document->NewPage(-1, 0);
    document->NewPage(-1, -1);
    return document;
}

TEST(CheckCutBoxNumbers, RefusesTheSameQuestionAndPartWithinAPaperType)
{
    auto document = twoPaperTypes();
    addCutBox(*document->PageAt(0), 5, 1);
    addCutBox(*document->PageAt(0), 5, 2);
    addCutBox(*document->PageAt(2), 5, 1);
    EXPECT_TRUE(document->CheckCutBoxNumbers());

    addCutBox(*document->PageAt(1), 5, 2);
    EXPECT_FALSE(document->CheckCutBoxNumbers());
    EXPECT_EQ(document->FirstFailedCheck(), QStringLiteral("主观题题号和序号相同，请检查！"));
}

TEST(CheckScoreBoxes, NeedsTheFirstPartOfTheLinkedQuestionInTheSamePaperType)
{
    auto document = twoPaperTypes();
    addBubbleBox(*document->PageAt(0), RSZGF, 7);
    addCutBox(*document->PageAt(2), 7, 1);
    EXPECT_FALSE(document->CheckScoreBoxes());

    addCutBox(*document->PageAt(1), 7, 2);
    EXPECT_FALSE(document->CheckScoreBoxes());

    addCutBox(*document->PageAt(1), 7, 1);
    EXPECT_TRUE(document->CheckScoreBoxes());

    addBubbleBox(*document->PageAt(1), RSZGF, 7);
    EXPECT_FALSE(document->CheckScoreBoxes());
    EXPECT_EQ(document->FirstFailedCheck(), QStringLiteral("主观分设置错误，请检查！"));
}

TEST(CheckConflicts, NameTheShapesAtFault)
{
    auto document = twoPaperTypes();
    const auto place = [&](int page, const TGraphics& shape) {
        return ShapePlace{page, document->PageAt(page)->IndexOf(&shape)};
    };
    const TGraphics& first = addCutBox(*document->PageAt(0), 5, 2);
    addCutBox(*document->PageAt(0), 6, 1);
    const TGraphics& second = addCutBox(*document->PageAt(1), 5, 2);
    EXPECT_EQ(document->CutBoxNumberConflicts(),
              (QList<ShapePlace>{place(0, first), place(1, second)}));

    const TGraphics& unlinked = addBubbleBox(*document->PageAt(2), RSZGF, 6); // B has no 6
    addBubbleBox(*document->PageAt(1), RSZGF, 6);
    EXPECT_EQ(document->ScoreBoxConflicts(), QList<ShapePlace>{place(2, unlinked)});

    TRectZg& optional = addCutBox(*document->PageAt(2), 8, 1);
    optional.XZT = true;
    const TGraphics& unmatched = addBubbleBox(*document->PageAt(0), RSXZT, 9);
    EXPECT_EQ(document->OptionalBoxConflicts(),
              (QList<ShapePlace>{place(0, unmatched), place(2, optional)}));

    const FailedCheck failed = document->FirstFailedCheckWithShapes();
    EXPECT_EQ(failed.Message, CutBoxNumbersMessage);
    EXPECT_EQ(failed.Shapes, document->CutBoxNumberConflicts());
}

TEST(CheckOptionalBoxes, MatchesChoiceBoxesAndOptionalQuestionsOneToOne)
{
    auto document = twoPaperTypes();
    EXPECT_TRUE(document->CheckOptionalBoxes());

    addCutBox(*document->PageAt(0), 5, 1).XZT = true;
    EXPECT_FALSE(document->CheckOptionalBoxes()); // optional question without choice box

    addBubbleBox(*document->PageAt(1), RSXZT, 5);
    EXPECT_TRUE(document->CheckOptionalBoxes());

    addBubbleBox(*document->PageAt(2), RSXZT, 5); // paper type B has no question 5
    EXPECT_FALSE(document->CheckOptionalBoxes());
    EXPECT_EQ(document->FirstFailedCheck(), QStringLiteral("选做题设置错误，请检查！"));
}

TEST(CheckOptionalBoxes, RefusesUnlinkedAndRepeatedChoiceBoxes)
{
    {
        auto document = twoPaperTypes();
        addBubbleBox(*document->PageAt(0), RSXZT, 0);
        EXPECT_FALSE(document->CheckOptionalBoxes());
    }
    {
        auto document = twoPaperTypes();
        addCutBox(*document->PageAt(0), 5, 1).XZT = true;
        addBubbleBox(*document->PageAt(0), RSXZT, 5);
        addBubbleBox(*document->PageAt(1), RSXZT, 5);
        EXPECT_FALSE(document->CheckOptionalBoxes());
    }
    {
        // Part 2 of an optional question needs no choice box of its own.
        auto document = twoPaperTypes();
        addCutBox(*document->PageAt(0), 5, 1).XZT = true;
        addCutBox(*document->PageAt(0), 5, 2).XZT = true;
        addBubbleBox(*document->PageAt(0), RSXZT, 5);
        EXPECT_TRUE(document->CheckOptionalBoxes());
    }
}

TEST(FirstFailedCheck, ReportsOnlyTheFirstFailingCheck)
{
    auto document = twoPaperTypes();
    EXPECT_EQ(document->FirstFailedCheck(), QString());

    addBubbleBox(*document->PageAt(0), RSZGF, 9); // fails the score check
    addBubbleBox(*document->PageAt(0), RSXZT, 0); // fails the optional check
    EXPECT_EQ(document->FirstFailedCheck(), ScoreBoxesMessage);

    addCutBox(*document->PageAt(0), 1, 1);
    addCutBox(*document->PageAt(1), 1, 1);
    EXPECT_EQ(document->FirstFailedCheck(), CutBoxNumbersMessage);
}

} // namespace
} // namespace sw::test
