#include "wizard/generation.h"

#include "shapes/ellipse.h"
#include "shapes/line.h"
#include "shapes/rectangle.h"
#include "shapes/recttext.h"
#include "wizard/settings.h"

#include <algorithm>

namespace sw {

namespace {

constexpr TColor LightGrey = 0xC0C0C0;

QStringList characters(const QString& text)
{
    QStringList result;
    for (qsizetype i = 0; i < text.size(); ++i) {
        // A surrogate pair is one character.
        const qsizetype n = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        result << text.mid(i, n);
        i += n - 1;
    }
    return result;
}

// Wraps the text character by character: a line takes characters while it
// stays within width. A character wider than the width stands on a line of
// its own.
QStringList wrapByCharacters(SheetGeneration& g, const QString& text, int width)
{
    QStringList lines;
    QString pending;
    for (const QString& c : characters(text)) {
        if (g.TW(pending + c) > width) {
            lines << pending;
            pending = c;
        } else {
            pending += c;
        }
    }
    if (!pending.isEmpty())
        lines << pending;
    return lines;
}

// The narrow panel at the left of the header row: the vertical heading, the
// notes one box per line as entered, and one correctly filled bubble at the
// foot.
void narrowPanel(SheetGeneration& g, int th, int gap)
{
    const int L = g.L;
    const int N = g.N;
    const int Y = g.Yc + 20;
    const int H = sheet::BlockHeight;

    g.addRectangle({L, Y}, {L + N, Y + H}, 3);
    g.addLine({L + 25, Y}, {L + 25, Y + H}, 3);
    g.addLine({L + 25, Y + 200}, {L + N, Y + 200}, 3);
    const TFont heading = g.font(12);
    g.addText({L + 3, Y + gap}, {L + 25, Y + gap + th}, {QStringLiteral("注")}, heading, 3);
    g.addText({L + 3, Y + 2 * gap + th}, {L + 20, Y + 2 * gap + 2 * th}, {QStringLiteral("意")},
              heading, 3);
    g.addText({L + 3, Y + 3 * gap + 2 * th}, {L + 20, Y + 3 * gap + 3 * th}, {QStringLiteral("事")},
              heading, 3);
    g.addText({L + 3, Y + 4 * gap + 3 * th}, {L + 20, Y + 4 * gap + 4 * th}, {QStringLiteral("项")},
              heading, 3);

    g.setCanvasFont(10);
    const int e = g.TW(sheet::CorrectFillingLabel) + 25;
    const int m = (N - 30 - e) / 2;
    g.addText({L + 30 + m, Y + 203}, {L + 25 + m + e, Y + 220}, {sheet::CorrectFillingLabel},
              g.font(10), 3);
    TRectangle& bubble = g.addRectangle({L + 5 + m + e, Y + 204}, {L + 30 + m + e, Y + 216}, 3);
    bubble.Brush = {clBlack, bsSolid};

    const QStringList& notes = g.settings.attention;
    const int n = int(notes.size());
    if (n > 0) {
        const int r = g.rnd((H - 30.0) / n);
        const TFont text = g.font(8);
        for (int k = 0; k < n; ++k)
            g.addText({L + 30, Y + 7 + k * r}, {L + N - 5, Y + 7 + (k + 1) * r}, {notes[k]}, text,
                      3);
    }
    g.Yc = Y + H + 20;
}

// The six wrong fillings of the example panel, two rows of three cells.
void wrongFillings(SheetGeneration& g, int Xw, int Yw)
{
    for (int j = 1; j <= 6; ++j) {
        const int x = Xw + 24 * ((j - 1) % 3);
        const int y = j <= 3 ? Yw : Yw + 14;
        TRectangle& cell = g.addRectangle({x, y}, {x + 20, y + 10}, 5);
        cell.Brush = {clWhite, bsClear};
        const auto ellipse = [&](TPoint a, TPoint b) -> TEllipse& {
            auto shape = std::make_unique<TEllipse>(a, b, 1.0, 1.0);
            shape->Group = 5;
            return g.add(std::move(shape));
        };
        switch (j) {
        case 1: // tick
            g.addLine({x + 4, y + 3}, {x + 7, y + 8}, 5, 2);
            g.addLine({x + 7, y + 8}, {x + 17, y + 2}, 3, 2);
            break;
        case 2: // cross
            g.addLine({x + 3, y + 2}, {x + 17, y + 8}, 5, 2);
            g.addLine({x + 3, y + 8}, {x + 17, y + 2}, 5, 2);
            break;
        case 3: // ring
            ellipse({x + 8, y}, {x + 18, y + 10}).Brush.Style = bsClear;
            break;
        case 4: // dot
            ellipse({x + 8, y}, {x + 18, y + 10}).Brush = {clBlack, bsSolid};
            break;
        case 5: // circle drawn around the bubble
            ellipse({x + 5, y - 3}, {x + 15, y + 13}).Brush = {clBlack, bsClear};
            break;
        default: { // too light
            TEllipse& light = ellipse({x, y}, {x + 20, y + 10});
            light.Brush = {LightGrey, bsSolid};
            light.Pen.Color = LightGrey;
            break;
        }
        }
    }
}

// The notes across the whole column, re-flowed to its width, with the panel
// of filling examples at the right.
void fullWidthBlock(SheetGeneration& g)
{
    const int L = g.L;
    const int Wc = g.Wc;
    const int f = g.threeColumns() ? 8 : 10;
    g.setCanvasFont(f);
    const int lh = g.TH(QStringLiteral("阿")) + 2;
    const int Y = g.Yc + 25;

    const QStringList lines = wrapByCharacters(g, g.settings.attention.join(QString()),
                                               Wc - sheet::ExamplePanelWidth - 10);
    const TFont text = g.font(f);
    for (int k = 0; k < int(lines.size()); ++k)
        g.addText({L + 35, Y + 5 + k * lh}, {L + Wc, Y + 5 + (k + 1) * lh}, {lines[k]}, text, 3);
    const int hN = std::max(int(lines.size()) * lh + 10, 100);
    g.Yc = Y + hN + 20;

    const int Xp = L + Wc - sheet::ExamplePanelWidth;
    g.setCanvasFont(13);
    const int cw = g.TW(QStringLiteral("阿"));
    const int ch = g.TH(QStringLiteral("阿"));
    g.setCanvasFont(10);
    const int ew = g.TW(QStringLiteral("正确填涂"));
    const int hl = g.TH(QStringLiteral("阿")) + 2;
    const TFont heading = g.font(13);
    const TFont label = g.font(10);
    const int headingTop = Y + (hN - 4 * ch) / 2;

    g.addRectangle({L, Y}, {L + Wc, Y + hN}, 3).Brush.Style = bsClear;
    g.addLine({L + 25, Y}, {L + 25, Y + hN}, 3);
    g.addText(
        {L + 5, headingTop}, {L + 5 + cw + 2, headingTop + 4 * ch + 2},
        {QStringLiteral("注"), QStringLiteral("意"), QStringLiteral("事"), QStringLiteral("项")},
        heading, 3);
    g.addLine({Xp + 30, Y}, {Xp + 30, Y + hN}, 3);
    g.addLine({Xp + 55, Y}, {Xp + 55, Y + hN}, 3);
    g.addLine({Xp + 55, Y + hN / 2}, {L + Wc, Y + hN / 2}, 3);
    const int headingLeft = Xp + 30 + (25 - cw) / 2;
    g.addText(
        {headingLeft, headingTop}, {headingLeft + cw + 2, headingTop + 4 * ch + 2},
        {QStringLiteral("填"), QStringLiteral("涂"), QStringLiteral("样"), QStringLiteral("例")},
        heading, 3);
    const int labelLeft = Xp + 55 + (95 - ew) / 2;
    g.addText({labelLeft, Y + 8}, {labelLeft + ew + 2, Y + 8 + hl}, {QStringLiteral("正确填涂")},
              label, 5);
    g.addText({labelLeft, Y + hN / 2 + 5}, {labelLeft + ew + 2, Y + hN / 2 + 5 + hl},
              {QStringLiteral("错误填涂")}, label, 5);
    TRectangle& correct = g.addRectangle({Xp + 92, Y + 16 + hl}, {Xp + 112, Y + 26 + hl});
    correct.Pen.Style = psSolid;
    correct.Brush = {clBlack, bsSolid};

    wrongFillings(g, Xp + 68, Y + hN / 2 + 5 + hl);
}

} // namespace

// The candidates' notes: a narrow panel beside the information block when
// the exam number is bubbled and the header row has room, else a block across
// the column under the header.
void createNotes(SheetGeneration& g)
{
    g.makeFirstPageCurrent();
    g.setCanvasFont(12);
    const int th = g.TH(QStringLiteral("阿"));
    const int gap = (sheet::BlockHeight - 4 * th) / 5;
    if (g.narrowNotes)
        narrowPanel(g, th, gap);
    else
        fullWidthBlock(g);
}

} // namespace sw
