#include "reading/sheets.h"
#include "reading/simulatedscan.h"

#include "document/analysis/fuzzyboxes.h"
#include "reading/sheetreader.h"
#include "shapes/ellipse.h"
#include "shapes/mhsb.h"
#include "shapes/triangle.h"

#include <gtest/gtest.h>

namespace sw::test {
namespace {

void addSolid(TVectorGraphics& document, std::unique_ptr<TRectangle> shape)
{
    shape->Brush = {clBlack, bsSolid};
    document.AddShape(std::move(shape));
}

void addFuzzyBox(TVectorGraphics& document, int number, TPoint a, TPoint b)
{
    auto box = std::make_unique<TMHSB>(a, b, 1.0, 1.0);
    box->Number = number;
    document.AddShape(std::move(box));
}

// A sheet printed elsewhere, laid over in mode 4: it is found by three
// printed features the fuzzy boxes learnt on a 96 dpi picture of it.
TEST(FuzzyReading, ReadsASheetFoundByItsFuzzyBoxes)
{
    const auto document = test::handLaidSheet();
    addSolid(*document, std::make_unique<TTriangle>(TPoint{60, 640}, TPoint{100, 680}, 1.0, 1.0));
    addSolid(*document, std::make_unique<TEllipse>(TPoint{680, 640}, TPoint{730, 670}, 1.0, 1.0));
    addSolid(*document,
             std::make_unique<TTriangle>(TPoint{680, 1000}, TPoint{720, 1050}, 1.0, 1.0));
    const QImage background = test::printedPage(*document, 0, 96);
    std::mt19937 rng(13);
    QImage printed = test::printedPage(*document, 0, 200);
    const double s = 200 / 96.0;
    test::pencilFill(printed, QRectF(145 * s, 380 * s, 18 * s, 10 * s), 0.9, false, rng);
    test::pencilFill(printed, QRectF(420 * s, 380 * s + 17 * s, 18 * s, 10 * s), 0.9, false, rng);

    document->Modal = 4;
    document->LayoutMarks();
    addFuzzyBox(*document, 1, {50, 630}, {110, 690});
    addFuzzyBox(*document, 2, {670, 630}, {740, 680});
    addFuzzyBox(*document, 3, {670, 990}, {730, 1060});
    TVectorGraph& page = *document->PageAt(0);
    ASSERT_TRUE(LearnFuzzyBoxes(page, background, 200, 50));

    const SheetReader reader(*document);
    const SheetReading r =
        reader.read(test::scanned(printed, {1.5, {10, -6}, 1, true, 8, 75}, rng));
    ASSERT_EQ(r.Result, SheetReading::Ok) << r.statusText().toStdString();
    EXPECT_EQ(r.Found.FoundMarks.size(), 3u);
    ASSERT_EQ(r.Answers.size(), 15u);
    // Question 2 (second column of the first box) and question 7 (second
    // row of the box running right) were answered.
    for (const QuestionAnswer& a : r.Answers) {
        const QString expected = a.Number == 2   ? QStringLiteral("A")
                                 : a.Number == 7 ? QStringLiteral("E")
                                                 : QString();
        EXPECT_EQ(a.Answer, expected) << a.Number;
    }
}

} // namespace
} // namespace sw::test
