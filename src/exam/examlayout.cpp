#include "exam/examlayout.h"

#include "reading/sheetgeometry.h"

namespace sw {

const PaperLayout* ExamLayout::paper(QChar paperType) const
{
    const auto it = papers.find(paperType);
    return it == papers.end() ? nullptr : &it->second;
}

ExamLayout examLayout(const std::vector<PageGeometry>& pages)
{
    ExamLayout layout;
    for (const PageGeometry& page : pages) {
        PaperLayout& paper = layout.papers[page.PaperType];
        paper.paperType = page.PaperType;
        ++paper.pageCount;
        for (const BubbleBoxGeometry& box : page.BubbleBoxes) {
            switch (box.Purpose) {
            case RSResult:
                for (const QuestionGeometry& q : box.Questions) {
                    ObjectiveQuestion question{q.Number, {}, box.Choice == Multi};
                    for (const CellGeometry& cell : q.Cells)
                        question.options += cell.Label;
                    paper.objective.try_emplace(q.Number, question);
                }
                break;
            case RSZGF:
                paper.subjective[box.LinkedQuestion].number = box.LinkedQuestion;
                break;
            case RSXZT:
                for (const QuestionGeometry& q : box.Questions)
                    layout.optionalChoices[{page.PageIndex, q.Number}] = box.LinkedQuestion;
                break;
            case RSExamCode:
            case RSGapExam:
            case RSCheat:
            case RSPaperType:
            case RSPageNumber:
                break;
            }
        }
    }
    // Optional questions are the cut boxes so marked that have a score box.
    for (const PageGeometry& page : pages) {
        PaperLayout& paper = layout.papers[page.PaperType];
        for (const CutBoxGeometry& cut : page.CutBoxes) {
            const auto it = paper.subjective.find(cut.Question);
            if (cut.Optional && it != paper.subjective.end()) {
                it->second.optional = true;
                it->second.group = cut.Alternatives;
            }
        }
    }
    return layout;
}

} // namespace sw
