// Getting a template ready for reading (painting each page once, learning
// each cell's printed ink, laying out its print) as the cell count grows:
// the time per cell stays flat while the work is linear.

#include "benchinputs.h"
#include "benchsupport.h"

#include "reading/sheetreader.h"
#include "shapes/rectkg.h"

#include <cmath>

namespace sw::bench {

namespace {

constexpr int QuestionsPerBox = 50;
constexpr int OptionsPerQuestion = 4;
// Layout pixels a box takes with its numbers, across and down.
constexpr int BoxWidth = 720;
constexpr int BoxHeight = 80;
constexpr int PageMargin = 120;

// One page of bubble boxes of 50 four-option questions each, laid in rows:
// about `cells` cells in all, on a page as large as they need.
std::unique_ptr<TVectorGraphics> manyCellTemplate(int cells)
{
    auto document = std::make_unique<TVectorGraphics>(ScreenPpi);
    TVectorGraph& page = *document->NewPage(-1, -1);
    const int boxes = std::max(1, cells / (QuestionsPerBox * OptionsPerQuestion));
    const int perRow = std::max(1, int(std::ceil(std::sqrt(boxes / 9.0))));
    const int rows = (boxes + perRow - 1) / perRow;
    page.Width = std::max(page.Width, (2 * PageMargin + perRow * BoxWidth) / document->PixelsPerMm);
    page.Height =
        std::max(page.Height, (2 * PageMargin + rows * BoxHeight) / document->PixelsPerMm);
    for (int i = 0; i < boxes; ++i) {
        const TPoint at{PageMargin + (i % perRow) * BoxWidth,
                        PageMargin + (i / perRow) * BoxHeight};
        auto box = std::make_unique<TRectKg>(at, at, 1.0, 1.0);
        box->TextType = RSResult;
        box->Aspect = ADown;
        box->FormatText = QStringLiteral("ABCD");
        box->col = QuestionsPerBox;
        box->Row = OptionsPerQuestion;
        box->Gridwidth = 10;
        box->GridHeight = 6;
        box->ColSpace = 4;
        box->RowSpace = 4;
        box->ShowType = SInner;
        box->StartNumberAgg = i * QuestionsPerBox;
        box->Font.Name = QStringLiteral("DejaVu Sans");
        box->Font.Height = -7;
        document->AddShape(std::move(box));
    }
    document->RenumberPages();
    document->LayoutMarks();
    return document;
}

// Constructs the reader of a template of state.range(0) cells.
void BM_PrepareReader(benchmark::State& state)
{
    const auto document = manyCellTemplate(int(state.range(0)));
    std::size_t cells = 0;
    for (auto _ : state) {
        const SheetReader reader(*document);
        cells = 0;
        for (const BubbleBoxGeometry& box : reader.pages().front().BubbleBoxes)
            for (const QuestionGeometry& q : box.Questions)
                cells += q.Cells.size();
        benchmark::DoNotOptimize(cells);
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(cells));
    state.counters["cells"] = double(cells);
}
BENCHMARK(BM_PrepareReader)
    ->ArgName("cells")
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Apply(timedInMilliseconds);

} // namespace

} // namespace sw::bench
