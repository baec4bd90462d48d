#include "wizard/generation.h"

#include "document/vectorgraphics.h"
#include "platform/canvas.h"
#include "platform/rounding.h"
#include "shapes/line.h"
#include "shapes/rectgrid.h"
#include "shapes/rectkg.h"
#include "shapes/recttext.h"
#include "shapes/roundrect.h"
#include "wizard/settings.h"

#include <algorithm>

namespace sw {

SheetGeneration::SheetGeneration(TVectorGraphics& document, const WizardSettings& settings,
                                 Canvas& canvas, WizardHost& host)
    : document(document), settings(settings), canvas(canvas), host(host)
{
}

bool SheetGeneration::isA4() const
{
    return settings.pagesize <= WizardA4;
}

bool SheetGeneration::threeColumns() const
{
    return columns() == 3;
}

PaperFormat paperFormat(int pagesize)
{
    switch (pagesize) {
    case WizardA4:
        return {A4, poPortrait, 210.0, 297.0};
    case WizardB4:
        return {B4, poLandscape, 354.0, 250.0};
    default:
        return {A3, poLandscape, 420.0, 297.0};
    }
}

int columnCount(const WizardSettings& settings)
{
    if (settings.pagesize <= WizardA4)
        return 1;
    return settings.pagetype == WizardThreeColumns ? 3 : 2;
}

int columnWidth(double usable, int columns)
{
    return roundHalfEven((usable - sheet::ColumnGap * (columns - 1)) / columns);
}

int maxExamNumberDigits(const WizardSettings& settings, double pixelsPerMm)
{
    const int edge = roundHalfEven(sheet::MarginMm * pixelsPerMm + 22);
    const double usable = paperFormat(settings.pagesize).width * pixelsPerMm - 2 * edge;
    const int Wc = columnWidth(usable, columnCount(settings));
    // The narrow information block spans Wc - E - 5 with E = 25 D + 2; its
    // frame needs at least one unit.
    constexpr int cell = sheet::BubbleWidth + sheet::BubbleColSpace;
    return std::max(0, (Wc - 5 - 2 - 1) / cell);
}

int SheetGeneration::totalPages() const
{
    return columns() * settings.pagecount;
}

double SheetGeneration::P() const
{
    return document.PixelsPerMm;
}

int SheetGeneration::rnd(double v) const
{
    return roundHalfEven(v);
}

void SheetGeneration::setCanvasFont(int points, const QString& family)
{
    canvas.setFont(font(points, family));
}

int SheetGeneration::TW(const QString& text) const
{
    return canvas.TextWidth(text);
}

int SheetGeneration::TH(const QString& text) const
{
    return canvas.TextHeight(text);
}

TFont SheetGeneration::font(int points, const QString& family) const
{
    TFont f;
    f.Name = family;
    f.Color = clBlack;
    f.setSize(points, document.PixelsPerInch);
    return f;
}

void SheetGeneration::makePageCurrent(int index)
{
    if (index < 0 || index >= document.PageCount())
        throw GenerationError(QStringLiteral("第 %1 页不存在").arg(index + 1));
    document.CurrentPage = index;
}

void SheetGeneration::append(std::unique_ptr<TGraphics> shape)
{
    if (document.PageCount() == 0)
        throw GenerationError(QStringLiteral("文档没有页面"));
    document.AddShape(std::move(shape));
}

TRectText& SheetGeneration::addText(TPoint topLeft, TPoint bottomRight, const QStringList& lines,
                                    const TFont& font, int group)
{
    auto text = std::make_unique<TRectText>(topLeft, bottomRight, 1.0, 1.0);
    text->Lines = lines;
    text->SetFont(font);
    text->Group = group;
    return add(std::move(text));
}

TLine& SheetGeneration::addLine(TPoint from, TPoint to, int group, int penWidth)
{
    auto line = std::make_unique<TLine>(from, to, 1.0, 1.0);
    line->Pen.Width = penWidth;
    line->Group = group;
    return add(std::move(line));
}

TRectangle& SheetGeneration::addRectangle(TPoint topLeft, TPoint bottomRight, int group)
{
    auto box = std::make_unique<TRectangle>(topLeft, bottomRight, 1.0, 1.0);
    box->Group = group;
    return add(std::move(box));
}

TRoundRect& SheetGeneration::addFrame(TPoint topLeft, TPoint bottomRight)
{
    auto frame = std::make_unique<TRoundRect>(topLeft, bottomRight, 1.0, 1.0, sheet::FrameRadius);
    frame->Brush.Style = bsClear;
    return add(std::move(frame));
}

TRectKg& SheetGeneration::addBubbleBox(TPoint at, const QString& options, TTextType type,
                                       TAspect aspect, int cols, int rows, int group)
{
    auto box = std::make_unique<TRectKg>(at, at, 1.0, 1.0);
    box->FormatText = options;
    box->TextType = type;
    box->Aspect = aspect;
    box->OptionType = Single;
    box->col = cols;
    box->Row = rows;
    box->Pen.Width = 1;
    box->Pen.Style = psSolid;
    box->Gridwidth = sheet::BubbleWidth;
    box->GridHeight = sheet::BubbleHeight;
    box->ColSpace = sheet::BubbleColSpace;
    box->RowSpace = sheet::BubbleRowSpace;
    box->SetFont(font(8, sheet::NewSong));
    box->Group = group;
    box->SetWidth(gridExtent(box->Gridwidth, box->ColSpace, box->col));
    box->SetHeight(gridExtent(box->GridHeight, box->RowSpace, box->Row));
    return add(std::move(box));
}

void computeQuantities(SheetGeneration& g)
{
    const TVectorGraph& page = *g.document.PageAt(0);
    const double P = g.P();
    g.L = g.rnd(page.LeftMargin * P + 22);
    g.R = g.rnd(page.RightMargin * P + 22);
    g.Ti = g.rnd(page.TopMargin * P);
    g.Bi = g.rnd(page.BottomMargin * P);
    g.Wc = columnWidth(page.Width * P - g.L - g.R, g.columns());

    // The notes panel is as wide as its widest line plus the heading column,
    // and never narrower than the filling example at its foot: short notes
    // alone would give a panel that the example sticks out of.
    g.setCanvasFont(8);
    int widest = 0;
    for (const QString& line : g.settings.attention)
        widest = std::max(widest, g.TW(line));
    g.setCanvasFont(10);
    const int example = g.TW(sheet::CorrectFillingLabel) + 25;
    const int notesWidth = widest + 30;
    g.N = std::max(notesWidth, example + 30);

    g.E = g.settings.examcodetype == WizardBarcode
              ? 250
              : g.settings.examcodeleng * (sheet::BubbleWidth + sheet::BubbleColSpace) + 2;
    g.I = g.Wc - g.N - g.E - 10;
    // Whether the notes stand beside the information block is decided at the
    // notes' own width, so that widening the panel for its example does not
    // send short notes below the header; the widened panel only has to leave
    // the information block some width.
    const int roomAtNotesWidth = g.Wc - notesWidth - g.E - 10;
    g.narrowNotes = g.settings.examcodetype == WizardBubbles &&
                    roomAtNotesWidth >= sheet::MinInformationWidth && g.I > 0;

    if (g.isA4())
        g.groupsPerRow = 5;
    else if (g.settings.pagesize == WizardB4)
        g.groupsPerRow = g.threeColumns() ? 3 : 4;
    else
        g.groupsPerRow = g.threeColumns() ? 3 : 5;
}

} // namespace sw
