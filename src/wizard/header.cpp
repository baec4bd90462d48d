#include "wizard/generation.h"

#include "document/vectorgraphics.h"
#include "shapes/linelist.h"
#include "shapes/rectbarcode.h"
#include "shapes/rectgrid.h"
#include "shapes/rectkg.h"
#include "shapes/recttext.h"
#include "wizard/settings.h"

namespace sw {

namespace {

constexpr int BarcodeWidth = 250;
constexpr int BarcodeHeight = 100;

// A row description of the information line list: one labelled write-in
// line of weight 1 per "|"-separated field.
QString infoRow(const QString& line)
{
    QStringList segments;
    for (const QString& field : line.split(QLatin1Char('|')))
        segments << field + QStringLiteral("\\\\1");
    return segments.join(QLatin1Char('|'));
}

} // namespace

// One centred line per title line, stacked from one line height below the
// cursor; the cursor ends under the last line.
void createTitle(SheetGeneration& g)
{
    g.makeFirstPageCurrent();
    const double pageWidth = g.document.PageAt(0)->Width * g.P();
    int y = g.Yc;
    for (const QString& line : g.settings.title) {
        g.setCanvasFont(18);
        const int w = g.TW(line) + 5;
        const int h = g.TH(line) + 2;
        // The first column's share of the page; on A4 the whole page, measured
        // as the page surface shows it. The surface itself is not asked: it
        // takes the new page's width only when it is next drawn, after the
        // generation, and the command-line tool has none. Once drawn at the
        // new page's scale of 1 it is exactly this wide.
        const double span = g.isA4() ? g.rnd(pageWidth) : pageWidth / g.columns();
        const int x = g.rnd((span - w) / 2);
        y += h;
        g.addText({x, y}, {x + w, y + h}, {line}, g.font(18), 1);
        g.Yc = y + h;
    }
}

// The dotted barcode area at the right of the first column.
void createBarcodeArea(SheetGeneration& g)
{
    g.makeFirstPageCurrent();
    const int left = g.L + g.Wc - BarcodeWidth;
    const int top = g.Yc + 20;
    auto box =
        std::make_unique<TRectbarcode>(TPoint{left, top}, TPoint{g.L + g.Wc, g.Yc + 120}, 1.0, 1.0);
    box->Pen.Width = 1;
    box->Pen.Style = psDot;
    box->Brush.Style = bsClear;
    box->Group = 2;
    g.add(std::move(box));

    const QString caption = QStringLiteral("贴条形码区");
    g.setCanvasFont(10);
    const int tw = g.TW(caption);
    const int th = g.TH(caption);
    const int x = g.rnd(left + (BarcodeWidth - tw - 5) / 2.0);
    const int y = g.rnd(top + (BarcodeHeight - th - 2) / 2.0);
    g.addText({x, y}, {x + tw + 5, y + th + 2}, {caption}, g.font(10), 2);
}

// The exam-number block: a frame with a heading row, a write-in row and one
// column of digit bubbles per digit, at the right of the first column.
void createExamNumberBlock(SheetGeneration& g)
{
    g.makeFirstPageCurrent();
    const int X = g.L + g.Wc - g.E;
    const int Y = g.Yc + 20;
    const int D = g.settings.examcodeleng;
    const int H = sheet::BlockHeight;
    const int cell = sheet::BubbleWidth + sheet::BubbleColSpace;

    TRectangle& frame = g.addRectangle({X, Y}, {X + g.E, Y + H}, 2);
    frame.Brush.Style = bsClear;
    g.addLine({X, Y + 25}, {X + g.E, Y + 25}, 2);
    g.addLine({X, Y + 50}, {X + g.E, Y + 50}, 2);
    for (int k = 1; k < D; ++k)
        g.addLine({X + cell * k, Y + 25}, {X + cell * k, Y + H}, 2);
    g.addBubbleBox({X + 4, Y + 54}, QStringLiteral("0123456789"), RSExamCode, ADown, D, 10, 2);

    const QString heading = QStringLiteral("准  考  证  号");
    g.setCanvasFont(13);
    const int tw = g.TW(heading);
    const int th = g.TH(heading);
    const int x = g.rnd(X + (g.E - tw - 5) / 2.0);
    g.addText({x, Y + 3}, {x + tw + 5, Y + 3 + th + 2}, {heading}, g.font(13), 2);
}

// Beside the barcode area: the information fields as labelled write-in lines,
// and below them a write-in grid for the exam number.
void createBarcodeInfoBlock(SheetGeneration& g)
{
    g.makeFirstPageCurrent();
    const int X = g.L;
    const int Y = g.Yc + 35;
    const int W = g.Wc - BarcodeWidth - 20;
    const int D = g.settings.examcodeleng;
    g.setCanvasFont(11);
    const int th = g.TH(QStringLiteral("阿"));
    const QString label = QStringLiteral("准考证号");
    const int tw = g.TW(label);

    auto lines = std::make_unique<TLinelist>(TPoint{X, Y}, TPoint{X + W, Y + 50}, 1.0, 1.0,
                                             g.document.PixelsPerInch);
    for (const QString& line : g.settings.info)
        lines->Lines << infoRow(line);
    lines->Row = int(lines->Lines.size());
    lines->SetFont(g.font(11));
    g.add(std::move(lines));

    g.addText({X, Y + 64}, {X + tw, Y + 64 + th}, {label}, g.font(11));

    auto grid =
        std::make_unique<TRectGrid>(TPoint{X + tw, Y + 59}, TPoint{X + tw, Y + 59}, 1.0, 1.0);
    grid->Row = 1;
    grid->col = D;
    grid->ColSpace = 0;
    grid->GridHeight = th + 10;
    grid->Gridwidth = (W - tw) / D;
    grid->Pen.Style = psSolid;
    grid->SetWidth(gridExtent(grid->Gridwidth, grid->ColSpace, grid->col));
    grid->SetHeight(gridExtent(grid->GridHeight, grid->RowSpace, grid->Row));
    g.add(std::move(grid));

    g.Yc += 120;
}

// Beside the exam-number bubbles: a frame cut into a label row and a blank
// write-in row per information line. Where the header row has no room for
// the notes beside it, the block takes the whole width left of the exam
// number and the notes go below.
void createInfoBlock(SheetGeneration& g)
{
    g.makeFirstPageCurrent();
    const int Y = g.Yc + 20;
    g.setCanvasFont(11);
    const int th = g.TH(QStringLiteral("阿"));
    const int n = int(g.settings.info.size());
    int X = g.L;
    int W = g.Wc - g.E - 5;
    if (g.narrowNotes) {
        X = g.L + g.N + 5;
        W = g.I;
    } else {
        g.Yc += sheet::BlockHeight;
    }
    g.addRectangle({X, Y}, {X + W, Y + sheet::BlockHeight}, 4);
    // Without information lines the frame stays empty.
    if (n == 0)
        return;

    const int r = g.rnd(220.0 / (2 * n));
    for (int k = 0; k <= 2 * n - 2; ++k)
        g.addLine({X, Y + (k + 1) * r}, {X + W, Y + (k + 1) * r}, 4);
    for (int i = 0; i < n; ++i) {
        const QString& line = g.settings.info[i];
        const int tw = g.TW(line);
        const int x = g.rnd((W - tw) / 2.0) + X;
        const double top = Y + 2.0 * i * r + (r - th) / 2.0;
        g.addText({x, g.rnd(top)}, {x + tw, g.rnd(top + th)}, {line}, g.font(11), 4);
    }
}

} // namespace sw
