#include "document/pagemarks.h"

#include "document/vectorgraphics.h"
#include "platform/rounding.h"
#include "shapes/rectkg.h"
#include "shapes/rimage.h"

#include <QFileInfo>

namespace sw {

QString MarkPattern(int value, const QString& formatText)
{
    const bool twoCells = formatText == QLatin1String("12") || formatText == QLatin1String("21");
    const bool fourCells =
        formatText == QLatin1String("1248") || formatText == QLatin1String("8421");
    if (!twoCells && !fourCells)
        return {};
    // Two cells show 0 to 2 (one of them filled at most), four cells 0 to 15.
    if (value < 0 || value > (twoCells ? 2 : 15))
        return {};
    QString pattern;
    for (int k = 0; k < formatText.size(); ++k) {
        const int weight = formatText.at(k).digitValue();
        pattern += (value & weight) ? formatText.at(k) : QLatin1Char('0');
    }
    return pattern;
}

int PaperTypeNumber(QChar letter)
{
    const char16_t c = letter.unicode();
    return c >= u'A' && c <= u'Z' ? c - u'A' + 1 : 0;
}

namespace {

TRectKg* markOf(const TVectorGraph& page, int index)
{
    return index < page.ShapeCount() ? dynamic_cast<TRectKg*>(page.ShapeItem(index)) : nullptr;
}

TRectangle* boxOf(const TVectorGraph& page, int index)
{
    return index < page.ShapeCount() ? dynamic_cast<TRectangle*>(page.ShapeItem(index)) : nullptr;
}

// Cells of a mark in the overlay modes follow its direction; the lowest
// weight sits where the cells start.
void shapeMarkByAspect(TRectKg& mark, bool pageNumber)
{
    const bool down = mark.Aspect == ADown || mark.Aspect == AUp;
    const bool reversed = mark.Aspect == AUp || mark.Aspect == ALeft;
    const int cells = pageNumber ? 4 : 2;
    mark.col = down ? 1 : cells;
    mark.Row = down ? cells : 1;
    if (pageNumber)
        mark.FormatText = reversed ? QStringLiteral("8421") : QStringLiteral("1248");
    else
        mark.FormatText = reversed ? QStringLiteral("21") : QStringLiteral("12");
}

void copyMarkGrid(const TRectKg& from, TRectKg& to)
{
    to.Gridwidth = from.Gridwidth;
    to.GridHeight = from.GridHeight;
    to.Aspect = from.Aspect;
    to.col = from.col;
    to.Row = from.Row;
    to.RowSpace = from.RowSpace;
    to.ColSpace = from.ColSpace;
}

bool shownInOverlay(TGraphicsType kind)
{
    return kind == GKg || kind == GZg || kind == Gbarcode || kind == GMHSB;
}

} // namespace

void TVectorGraphics::RenumberPages()
{
    const TVectorGraph* previous = nullptr;
    for (const auto& page : m_pages) {
        page->PageNumber =
            previous && previous->PaperType == page->PaperType ? previous->PageNumber + 1 : 1;
        previous = page.get();
        for (const auto& shape : page->Shapes()) {
            auto* box = shape->Kind == GKg ? dynamic_cast<TRectKg*>(shape.get()) : nullptr;
            if (box && box->TextType == RSPaperType)
                box->KeyText = MarkPattern(PaperTypeNumber(page->PaperType), box->FormatText);
            else if (box && box->TextType == RSPageNumber)
                box->KeyText = MarkPattern(page->PageNumber, box->FormatText);
        }
    }
}

QString TVectorGraphics::PictureFolder() const
{
    return FileName.isEmpty() ? QString() : QFileInfo(FileName).absolutePath();
}

void TVectorGraphics::LayoutMarks()
{
    const bool selfMade = Modal == SheetSelfMade;
    if (selfMade) {
        DWW = 6.0;
        DWH = 4.0;
        MarkCellWidth = 3.0;
    }
    const QString pictureFolder = PictureFolder();
    const TVectorGraph* first = m_pages.empty() ? nullptr : m_pages.front().get();
    for (const auto& pagePtr : m_pages) {
        TVectorGraph& page = *pagePtr;
        TRectKg* marks[2] = {markOf(page, PosBoxCount), markOf(page, PosBoxCount + 1)};

        if (selfMade) {
            for (TRectKg* mark : marks) {
                if (!mark)
                    continue;
                mark->Aspect = ARight;
                mark->Gridwidth = toPixels(MarkCellWidth);
                mark->GridHeight = toPixels(DWH);
                mark->Row = 1;
                mark->col = 4;
            }
        }

        for (int j = 0; j < PosBoxCount; ++j) {
            TRectangle* box = boxOf(page, j);
            if (!box)
                continue;
            box->Locked = selfMade;
            const bool top = j < 2;
            const bool left = j % 2 == 0;
            int x =
                left ? toPixels(page.LeftMargin) : toPixels(page.Width - page.RightMargin - DWW);
            if (const TRectangle* above = top ? nullptr : boxOf(page, j - 2))
                x = above->Left;
            const int y =
                top ? toPixels(page.TopMargin) : toPixels(page.Height - page.BottomMargin - DWH);
            box->SetCorners({x, y}, {roundHalfEven(x + DWW * PixelsPerMm),
                                     roundHalfEven(y + DWH * PixelsPerMm)});
            box->Pen.Color = selfMade ? clBlack : clRed;
            box->Brush.Style = selfMade ? bsSolid : bsClear;
        }

        if (selfMade) {
            const int y = toPixels(page.TopMargin);
            const int xs[2] = {toPixels(page.LeftMargin + 20),
                               toPixels(page.LeftMargin + (MarkCellWidth + 2) * 4 + 30)};
            for (int m = 0; m < 2; ++m) {
                if (!marks[m])
                    continue;
                marks[m]->SetCorners({xs[m], y}, {xs[m], y});
                marks[m]->Brush.Style = bsSolid;
                marks[m]->Pen.Color = clBlack;
                marks[m]->Locked = true;
            }
        } else {
            for (int m = 0; m < 2; ++m) {
                if (!marks[m])
                    continue;
                marks[m]->Locked = false;
                marks[m]->Brush.Style = bsClear;
                marks[m]->Pen.Color = m == 0 ? clRed : clGreen;
                shapeMarkByAspect(*marks[m], m == 1);
                const TRectKg* firstMark = markOf(*first, PosBoxCount + m);
                if (&page != first && firstMark)
                    copyMarkGrid(*firstMark, *marks[m]);
            }
        }

        for (int j = 0; j < PosBoxCount && j < page.ShapeCount(); ++j)
            page.ShapeItem(j)->Visible = Modal < SheetSmartRecognition;
        const bool everyPage = Modal == SheetSelfMade || Modal == SheetMultiPageOverlay;
        if (marks[0])
            marks[0]->Visible = everyPage || page.PageNumber == 1;
        if (marks[1])
            marks[1]->Visible = everyPage;
        for (TRectKg* mark : marks) {
            if (mark && mark->Left < 0)
                mark->SetLeft(50);
            if (mark && mark->Top < 0)
                mark->SetTop(50);
        }
        if (marks[0])
            marks[0]->TextType = RSPaperType;
        if (marks[1])
            marks[1]->TextType = RSPageNumber;

        for (int i = PosBoxCount + 2; i < page.ShapeCount(); ++i) {
            TGraphics* shape = page.ShapeItem(i);
            shape->Visible = selfMade || shownInOverlay(shape->Kind);
            if (auto* picture = dynamic_cast<TRImage*>(shape))
                picture->SetPictureFolder(pictureFolder);
        }
    }
}

} // namespace sw
