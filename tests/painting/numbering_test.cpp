#include "document/painting.h"
#include "pagebuilder.h"
#include "platform/recordingcanvas.h"

#include <gtest/gtest.h>
#include <limits>
#include <ostream>
#include <vector>

namespace sw::test {
namespace {

struct Box
{
    TTextType purpose;
    TAspect aspect;
    int questions;
    int agg;
    int expected;
};

struct NumberingCase
{
    const char* name;
    std::vector<Box> boxes;
};

// Test names and failure messages show the case by its name.
void PrintTo(const NumberingCase& c, std::ostream* os)
{
    *os << c.name;
}

class Numbering : public ::testing::TestWithParam<NumberingCase>
{
};

TEST_P(Numbering, StartNumbersFollowTheListOrder)
{
    auto document = newDocument();
    TVectorGraph& page = *document->ActivePage();
    std::vector<TRectKg*> boxes;
    for (const Box& b : GetParam().boxes) {
        boxes.push_back(&addBubbleBox(page, b.purpose, b.aspect, b.questions, b.agg));
        boxes.back()->StartNumber = -99; // whatever an earlier paint left
    }
    RecordingCanvas canvas(test::ScreenDpi);
    Paint(page, canvas, OutputScreen);
    for (std::size_t i = 0; i < boxes.size(); ++i)
        EXPECT_EQ(boxes[i]->StartNumber, GetParam().boxes[i].expected) << "box " << i;
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, Numbering,
    ::testing::Values(NumberingCase{"DownThenAcrossWithExamNumberBetween",
                                    {{RSResult, ADown, 4, 0, 1},
                                     {RSExamCode, ADown, 9, 0, 1},
                                     {RSResult, ARight, 3, 0, 5}}},
                      NumberingCase{"AddedValueShiftsItsBoxAndAllLaterAnswerBoxes",
                                    {{RSResult, ADown, 5, 0, 1},
                                     {RSResult, ADown, 10, 3, 9},
                                     {RSResult, ARight, 2, 0, 19},
                                     {RSResult, ADown, 1, 10, 31}}},
                      NumberingCase{"NegativeAddedValue",
                                    {{RSResult, ADown, 5, 0, 1}, {RSResult, ADown, 3, -2, 4}}},
                      NumberingCase{"OptionalQuestionsCountOnTheirOwnWithoutAddedValue",
                                    {{RSXZT, ADown, 2, 0, 1},
                                     {RSResult, ADown, 6, 4, 5},
                                     {RSXZT, ARight, 2, 7, 3},
                                     {RSResult, ADown, 1, 0, 11}}},
                      NumberingCase{"OtherPurposesStartAtOne",
                                    {{RSResult, ADown, 5, 0, 1},
                                     {RSGapExam, ADown, 1, 4, 1},
                                     {RSCheat, ADown, 1, 0, 1},
                                     {RSZGF, ARight, 3, 0, 1},
                                     {RSPaperType, ARight, 1, 0, 1},
                                     {RSPageNumber, ARight, 1, 0, 1},
                                     {RSResult, ADown, 1, 0, 6}}},
                      NumberingCase{"UpAndLeftCountNoQuestions",
                                    {{RSResult, AUp, 4, 0, 1},
                                     {RSResult, ALeft, 4, 0, 1},
                                     {RSResult, ADown, 2, 0, 1},
                                     {RSXZT, AUp, 3, 0, 1},
                                     {RSXZT, ADown, 1, 0, 1}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(NumberingPass, InvisibleBoxesAreNumberedButNotDrawn)
{
    auto document = newDocument();
    TVectorGraph& page = *document->ActivePage();
    TRectKg& hidden = addBubbleBox(page, RSResult, ADown, 4);
    hidden.Visible = false;
    TRectKg& shown = addBubbleBox(page, RSResult, ADown, 2);
    shown.ShowNumber = true;

    RecordingCanvas canvas(test::ScreenDpi);
    Paint(page, canvas, OutputScreen);
    EXPECT_EQ(hidden.StartNumber, 1);
    EXPECT_EQ(shown.StartNumber, 5);
    QStringList texts;
    for (const CanvasCall& call : canvas.calls()) {
        if (call.name == QLatin1String("TextOut"))
            texts << call.text;
    }
    EXPECT_TRUE(texts.contains(QStringLiteral("5")));
    EXPECT_TRUE(texts.contains(QStringLiteral("6")));
    EXPECT_FALSE(texts.contains(QStringLiteral("1"))) << texts.join(',').toStdString();
}

TEST(NumberingPass, EveryPageStartsAgainAtOne)
{
    auto document = newDocument();
    addBubbleBox(*document->ActivePage(), RSResult, ADown, 5);
    document->NewPage(-1, 0);
    TRectKg& second = addBubbleBox(*document->ActivePage(), RSResult, ADown, 5);

    RecordingCanvas canvas(test::ScreenDpi);
    for (int i = 0; i < document->PageCount(); ++i)
        Paint(*document->PageAt(i), canvas, OutputScreen);
    EXPECT_EQ(second.StartNumber, 1);
}

TEST(NumberingPass, HugeAddedValuesSaturateInsteadOfOverflowing)
{
    auto document = newDocument();
    TVectorGraph& page = *document->ActivePage();
    addBubbleBox(page, RSResult, ADown, 5, std::numeric_limits<int>::max());
    TRectKg& last = addBubbleBox(page, RSResult, ADown, 5, std::numeric_limits<int>::max());

    RecordingCanvas canvas(test::ScreenDpi);
    Paint(page, canvas, OutputScreen);
    EXPECT_EQ(last.StartNumber, std::numeric_limits<int>::max());
}

} // namespace
} // namespace sw::test
