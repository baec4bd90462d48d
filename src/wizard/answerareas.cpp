#include "wizard/generation.h"

#include "document/vectorgraphics.h"
#include "shapes/line.h"
#include "shapes/rectkg.h"
#include "shapes/recttext.h"
#include "shapes/rectzg.h"
#include "shapes/roundrect.h"
#include "wizard/settings.h"

namespace sw {

namespace {

const AnswerLayout& answerLayout(SheetGeneration& g)
{
    if (!g.answers)
        g.answers = planAnswerColumns(g);
    return *g.answers;
}

QString pageLabel(int page, int total)
{
    return QStringLiteral("第 %1 页,共 %2 页").arg(page).arg(total);
}

// Places the answer columns' shapes, the column's own page current.
class ColumnPainter
{
public:
    ColumnPainter(SheetGeneration& g, const AnswerLayout& a) : g(g), a(a) {}

    int right(const AnswerColumn& c) const { return c.x + g.Wc; }
    int objectiveBottom(const AnswerColumn& c) const
    {
        return c.top + a.objectiveHeight(c.rows) + 25;
    }

    void objectiveFrame(const AnswerColumn& c)
    {
        g.addFrame({c.x, c.top}, {right(c), objectiveBottom(c)});
    }

    // The heading of the objective area and the rule under it.
    void objectiveHeading(const AnswerColumn& c)
    {
        g.addText({c.x + 15, c.top + 8}, {c.x + 150, c.top + 25}, {QStringLiteral("第I卷 选择题")},
                  g.font(13));
        g.addLine({c.x, c.top + 30}, {right(c), c.top + 30});
    }

    void label(const AnswerColumn& c, bool centred)
    {
        const int x = c.x + (centred ? 0 : 10) + (g.Wc - a.labelWidth) / 2;
        const int number = c.page * g.columns() + c.column + 1;
        g.addText({x, a.bottom + 10}, {x + a.labelWidth, a.bottom + a.labelHeight + 10},
                  {pageLabel(number, g.totalPages())}, g.font(10));
    }

    void cutBox(const AnswerColumn& c, int top)
    {
        auto box = std::make_unique<TRectZg>(TPoint{c.x + 10, top},
                                             TPoint{right(c) - 10, a.cutBoxBottom()}, 1.0, 1.0);
        box->Brush.Style = bsClear;
        box->Question = c.question;
        g.add(std::move(box));
    }

    // The frame of the subjective area from top down to the column's bottom;
    // its cut box starts 15 inside it.
    void subjectiveFrame(const AnswerColumn& c, int top)
    {
        if (c.question != 0)
            g.addFrame({c.x, top}, {right(c), a.bottom});
    }
    void subjectiveCutBox(const AnswerColumn& c, int top)
    {
        if (c.question != 0)
            cutBox(c, top + 15);
    }

    void warning(const AnswerColumn& c, int top)
    {
        const int x = c.x + (g.Wc - a.warningWidth) / 2;
        g.addText({x, top}, {x + a.warningWidth, top + a.warningHeight}, {g.settings.warning},
                  g.font(10));
    }
    void topWarning(const AnswerColumn& c) { warning(c, c.top + 5); }
    void bottomWarning(const AnswerColumn& c) { warning(c, a.bottom - a.warningHeight - 5); }

    // A column that holds one cut box from its top warning to its bottom one.
    void plainColumn(const AnswerColumn& c)
    {
        g.addFrame({c.x, c.top}, {right(c), a.bottom});
        if (c.question != 0)
            cutBox(c, c.top + a.warningHeight + 10);
        label(c, false);
    }

    // A column that continues the objective rows of the columns before it and
    // has the subjective area under them.
    void continuedColumn(const AnswerColumn& c)
    {
        objectiveFrame(c);
        objectiveHeading(c);
        subjectiveFrame(c, objectiveBottom(c) + 5);
        subjectiveCutBox(c, objectiveBottom(c) + 5);
        label(c, false);
    }

private:
    SheetGeneration& g;
    const AnswerLayout& a;
};

} // namespace

// The objective groups, row by row and left to right, through the answer
// columns from the first column of the first page on. Question numbers run on
// across pages.
void createObjectiveArea(SheetGeneration& g)
{
    g.makeFirstPageCurrent();
    g.answers = planAnswerColumns(g);
    const AnswerLayout& a = *g.answers;
    const int kg = g.settings.kgcount;
    int placed = 0;
    int page = -1;
    for (const AnswerColumn& column : a.columns) {
        if (column.rows > 0)
            g.makePageCurrent(column.page);
        for (int row = column.firstRow; row < column.firstRow + column.rows; ++row) {
            for (int position = 0; position < a.perRow; ++position) {
                const int k = row * a.perRow + position;
                if (k >= a.groupCount)
                    break;
                const int questions = k == a.groupCount - 1 ? kg - k * a.groupSize : a.groupSize;
                const TPoint at{column.x + 40 + position * a.pitch,
                                column.top + 40 + (row - column.firstRow) * (a.groupHeight + 20)};
                TRectKg& group =
                    g.addBubbleBox(at, QStringLiteral("ABCD"), RSResult, ARight, 4, questions);
                group.ShowNumber = true;
                // Every page numbers its questions from 1: the first group of a
                // later page carries the questions of the pages before it.
                if (column.page != page && column.page > 0)
                    group.StartNumberAgg = placed;
                page = column.page;
                placed += questions;
            }
        }
    }
    g.makeFirstPageCurrent();
    if (a.unplacedRows > 0)
        throw GenerationError(
            QStringLiteral("第 %1 到 %2 题在页面上放不下").arg(placed + 1).arg(kg));
}

// Frames, cut boxes, warnings and page labels of every answer column; the
// first column of the first page gets the objective frame under the header.
void createSubjectiveArea(SheetGeneration& g)
{
    const AnswerLayout& a = answerLayout(g);
    ColumnPainter paint(g, a);
    if (a.columns.empty())
        throw GenerationError(QStringLiteral("文档没有页面"));
    const AnswerColumn& opening = a.columns.front();

    g.makeFirstPageCurrent();
    if (opening.rows > 0)
        paint.objectiveFrame(opening);
    paint.label(opening, true);

    // The other columns, page by page: their frames, cut boxes and labels,
    // then their warnings.
    for (int page = 0; page < g.document.PageCount(); ++page) {
        g.makePageCurrent(page);
        std::vector<const AnswerColumn*> columns;
        for (const AnswerColumn& column : a.columns) {
            if (column.page != page || column.opensPage)
                continue;
            columns.push_back(&column);
            if (column.rows > 0)
                paint.continuedColumn(column);
            else
                paint.plainColumn(column);
        }
        for (const AnswerColumn* column : columns) {
            if (column->rows == 0)
                paint.topWarning(*column);
            paint.bottomWarning(*column);
        }
    }

    g.makeFirstPageCurrent();
    // Without objective rows of its own the subjective area starts right
    // under the header.
    int subjectiveTop = opening.top;
    if (opening.rows > 0) {
        paint.objectiveHeading(opening);
        subjectiveTop = paint.objectiveBottom(opening) + 5;
    }
    paint.subjectiveFrame(opening, subjectiveTop);
    paint.bottomWarning(opening);
    paint.subjectiveCutBox(opening, subjectiveTop);
}

} // namespace sw
