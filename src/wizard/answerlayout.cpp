#include "wizard/generation.h"

#include "document/vectorgraphics.h"
#include "wizard/settings.h"

#include <algorithm>

namespace sw {

namespace {

// The least height of a cut box worth writing in.
constexpr int MinCutBoxHeight = 60;
// Width of one group of four bubbles: 4 x (18 + 7).
constexpr int GroupWidth = 4 * (sheet::BubbleWidth + sheet::BubbleColSpace);
constexpr int QuestionHeight = sheet::BubbleHeight + sheet::BubbleRowSpace;

int ceilDiv(int a, int b)
{
    return (a + b - 1) / b;
}

} // namespace

AnswerLayout planAnswerColumns(SheetGeneration& g)
{
    AnswerLayout a;
    const TVectorGraph& first = *g.document.PageAt(0);
    a.bottom = g.rnd(first.Height * g.P() - g.Bi) - 30;
    a.columnTop = g.Ti + 25;
    g.setCanvasFont(10);
    a.warningHeight = g.TH(g.settings.warning);
    a.warningWidth = g.TW(g.settings.warning);
    const QString label = QStringLiteral("第 0 页,共 0 页");
    a.labelHeight = g.TH(label);
    a.labelWidth = g.TW(label);

    const int lowest = a.cutBoxBottom();
    const int opening = g.Yc - 10; // Yk
    const int C = g.columns();
    const int columnCount = g.document.PageCount() * C;

    // A group never runs taller than the tallest column can hold: one row
    // needs its groups, 20 under them and 45 for the frame and heading.
    const int highest = columnCount > 1 ? std::min(opening, a.columnTop) : opening;
    const int fitting = (lowest - highest - 45) / QuestionHeight;
    const int kg = g.settings.kgcount;
    a.groupSize = std::max(1, std::min(g.settings.groupnumber, fitting));
    a.groupCount = ceilDiv(kg, a.groupSize);
    a.perRow = g.groupsPerRow;
    a.pitch = (g.Wc - 60 - GroupWidth * a.perRow) / (a.perRow - 1) + GroupWidth;
    a.groupHeight = QuestionHeight * a.groupSize;
    a.rowCount = ceilDiv(a.groupCount, a.perRow);

    const int rowPitch = a.groupHeight + 20;
    int nextRow = 0;
    int question = 1;
    for (int k = 0; k < columnCount; ++k) {
        AnswerColumn column;
        column.page = k / C;
        column.column = k % C;
        column.x = g.columnLeft(column.column);
        column.opensPage = k == 0;
        column.top = column.opensPage ? opening : a.columnTop;
        column.firstRow = nextRow;
        const int room = (lowest - column.top - 25) / rowPitch;
        column.rows = std::clamp(room, 0, a.rowCount - nextRow);
        nextRow += column.rows;

        int cutTop = column.top + a.warningHeight + 10;
        if (column.rows > 0)
            cutTop = column.top + a.objectiveHeight(column.rows) + 45;
        else if (column.opensPage)
            cutTop = column.top + 15;
        if (lowest - cutTop >= MinCutBoxHeight)
            column.question = question++;
        a.columns.push_back(column);
    }
    a.unplacedRows = a.rowCount - nextRow;
    return a;
}

} // namespace sw
