#include "exam/examsheets.h"

#include "document/painting.h"
#include "reading/sheetgeometry.h"
#include "reading/sheets.h"
#include "reading/simulatedscan.h"
#include "shapes/rectkg.h"

namespace sw::test {

namespace {

constexpr double ScanDpi = 150;

QRectF onSheet(const TRect& r, double scale)
{
    return {r.Left * scale, r.Top * scale, r.width() * scale, r.height() * scale};
}

// Fills the cells of `question` whose labels `labels` holds.
void fillLabels(QImage& sheet, const QuestionGeometry& question, const QString& labels,
                double scale, std::mt19937& rng)
{
    for (const CellGeometry& cell : question.Cells)
        if (!cell.Label.isEmpty() && labels.contains(cell.Label))
            pencilFill(sheet, onSheet(cell.Rect, scale), 0.9, false, rng);
}

} // namespace

std::unique_ptr<TVectorGraphics> examSheet()
{
    auto document = handLaidSheet();
    for (const auto& shape : document->ActivePage()->Shapes())
        if (auto* box = dynamic_cast<TRectKg*>(shape.get());
            box && box->TextType == RSResult && box->Aspect == ARight)
            box->OptionType = Multi;
    return document;
}

QImage filledScan(TVectorGraphics& document, int pageIndex, const Filling& filling,
                  std::mt19937& rng)
{
    QImage sheet = printedPage(document, pageIndex, ScanDpi);
    const double scale = outputScale(ScanDpi, document.PixelsPerMm);
    const PageGeometry page = pageGeometry(document, pageIndex);
    for (const BubbleBoxGeometry& box : page.BubbleBoxes) {
        for (std::size_t i = 0; i < box.Questions.size(); ++i) {
            const QuestionGeometry& q = box.Questions[i];
            switch (box.Purpose) {
            case RSExamCode:
                if (qsizetype(i) < filling.examNumber.size())
                    fillLabels(sheet, q, filling.examNumber.mid(qsizetype(i), 1), scale, rng);
                break;
            case RSResult:
                if (const auto it = filling.answers.find(q.Number); it != filling.answers.end())
                    fillLabels(sheet, q, it->second, scale, rng);
                break;
            case RSGapExam:
            case RSCheat:
                if (box.Purpose == RSGapExam ? filling.absent : filling.cheating)
                    pencilFill(sheet, onSheet(q.Cells.front().Rect, scale), 0.9, false, rng);
                break;
            case RSXZT:
                if (filling.optionalChosen)
                    pencilFill(sheet, onSheet(q.Cells.front().Rect, scale), 0.9, false, rng);
                break;
            case RSZGF:
                if (qsizetype(i) < filling.score.size())
                    fillLabels(sheet, q, filling.score.mid(qsizetype(i), 1), scale, rng);
                break;
            case RSPaperType:
            case RSPageNumber:
                break;
            }
        }
    }
    return scanned(sheet, {0.4, {3, 2}, 1, true, 6, 85}, rng);
}

std::map<int, QString> pageQuestions(const TVectorGraphics& document, int pageIndex)
{
    std::map<int, QString> questions;
    for (const BubbleBoxGeometry& box : pageGeometry(document, pageIndex).BubbleBoxes)
        if (box.Purpose == RSResult)
            for (const QuestionGeometry& q : box.Questions)
                for (const CellGeometry& cell : q.Cells)
                    questions[q.Number] += cell.Label;
    return questions;
}

} // namespace sw::test
