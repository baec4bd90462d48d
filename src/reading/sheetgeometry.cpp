#include "reading/sheetgeometry.h"

#include "document/painting.h"
#include "document/vectorgraphics.h"
#include "platform/rounding.h"
#include "platform/saturating.h"
#include "shapes/mhsb.h"
#include "shapes/posrect.h"
#include "shapes/rectbarcode.h"
#include "shapes/rectkg.h"
#include "shapes/rectzg.h"

#include <algorithm>

namespace sw {

namespace {

// Bubble grids from files may claim anything; a sheet holds far fewer cells.
constexpr int MaxGridCells = 200;
constexpr std::size_t MaxPageCells = 100000;

std::size_t cellCount(const BubbleBoxGeometry& box)
{
    std::size_t n = 0;
    for (const QuestionGeometry& q : box.Questions)
        n += q.Cells.size();
    return n;
}

TRect boundsOf(const TRectangle& box)
{
    return {box.Left, box.Top, saturatingAdd(box.Left, box.Width),
            saturatingAdd(box.Top, box.Height)};
}

// start + index * step - less, limited to the int range.
int offsetBy(int start, int index, int step, int less = 0)
{
    return clampToInt(saturatingMul(index, step) + start - less);
}

// Options run across the columns (one question per row).
bool optionsAcross(TAspect aspect)
{
    return aspect == ARight || aspect == ALeft;
}

BubbleBoxGeometry bubbleBoxGeometry(const TRectKg& box, int shapeIndex, int startNumber)
{
    BubbleBoxGeometry g;
    g.ShapeIndex = shapeIndex;
    g.Purpose = box.TextType;
    g.Choice = box.OptionType;
    g.Aspect = box.Aspect;
    g.LinkedQuestion = box.GLZG;
    const int cols = std::clamp(box.col, 0, MaxGridCells);
    const int rows = std::clamp(box.Row, 0, MaxGridCells);
    const int stepX = saturatingAdd(box.Gridwidth, box.ColSpace);
    const int stepY = saturatingAdd(box.GridHeight, box.RowSpace);
    g.Bounds = {box.Left, box.Top, offsetBy(box.Left, cols, stepX, box.ColSpace),
                offsetBy(box.Top, rows, stepY, box.RowSpace)};
    if (box.Gridwidth <= 0 || box.GridHeight <= 0)
        return g;

    const bool across = optionsAcross(box.Aspect);
    const int questions = across ? rows : cols;
    const int options = across ? cols : rows;
    for (int q = 0; q < questions; ++q) {
        QuestionGeometry question;
        question.Number = startNumber + q;
        for (int o = 0; o < options; ++o) {
            const int i = across ? o : q;
            const int j = across ? q : o;
            const int x = offsetBy(box.Left, i, stepX);
            const int y = offsetBy(box.Top, j, stepY);
            question.Cells.push_back(
                {{x, y, saturatingAdd(x, box.Gridwidth), saturatingAdd(y, box.GridHeight)},
                 box.BubbleLabel(i, j)});
        }
        g.Questions.push_back(std::move(question));
    }
    return g;
}

CutBoxGeometry cutBoxGeometry(const TRectZg& box, int shapeIndex)
{
    return {shapeIndex, box.Question, box.Number, box.Caption, box.XZT, box.XZTH, boundsOf(box)};
}

FuzzyBoxGeometry fuzzyBoxGeometry(const TMHSB& box, int shapeIndex)
{
    return {shapeIndex, box.Number,   boundsOf(box), {box.PointX, box.PointY},
            box.SBSL,   box.PointList};
}

// Limits a rectangle to the page and one page's size around it: anything
// farther is not on the sheet, and positions computed from it stay in range.
void keepNearPage(TRect& r, std::int64_t width, std::int64_t height)
{
    const auto limit = [](int v, std::int64_t size) {
        return clampToInt(std::clamp<std::int64_t>(v, -size, 2 * size));
    };
    r = {limit(r.Left, width), limit(r.Top, height), limit(r.Right, width),
         limit(r.Bottom, height)};
}

void keepNearPage(BubbleBoxGeometry& box, std::int64_t width, std::int64_t height)
{
    keepNearPage(box.Bounds, width, height);
    for (QuestionGeometry& q : box.Questions)
        for (CellGeometry& cell : q.Cells)
            keepNearPage(cell.Rect, width, height);
}

void keepNearPage(PageGeometry& g)
{
    const std::int64_t w = std::max(g.Width, 1);
    const std::int64_t h = std::max(g.Height, 1);
    for (TRect& box : g.PositioningBoxes)
        keepNearPage(box, w, h);
    for (FuzzyBoxGeometry& box : g.FuzzyBoxes)
        keepNearPage(box.Rect, w, h);
    for (CutBoxGeometry& box : g.CutBoxes)
        keepNearPage(box.Rect, w, h);
    for (TRect& box : g.BarcodeAreas)
        keepNearPage(box, w, h);
    for (auto* box : {&g.PaperTypeMark, &g.PageNumberMark})
        if (*box)
            keepNearPage(**box, w, h);
    for (BubbleBoxGeometry& box : g.BubbleBoxes)
        keepNearPage(box, w, h);
}

} // namespace

PageGeometry pageGeometry(const TVectorGraphics& document, int pageIndex)
{
    const TVectorGraph& page = *document.PageAt(pageIndex);
    PageGeometry g;
    g.PageIndex = pageIndex;
    g.PaperType = page.PaperType;
    g.PageNumber = page.PageNumber;
    g.Mode = document.Modal;
    g.PixelsPerMm = document.PixelsPerMm;
    g.WidthMm = page.Width;
    g.HeightMm = page.Height;
    g.Width = roundHalfEven(page.Width * document.PixelsPerMm);
    g.Height = roundHalfEven(page.Height * document.PixelsPerMm);

    BubbleNumbering numbering;
    std::size_t cells = 0;
    for (int i = 0; i < page.ShapeCount(); ++i) {
        const TGraphics* shape = page.ShapeItem(i);
        // Numbering counts hidden boxes too, as painting does.
        const auto* kg = dynamic_cast<const TRectKg*>(shape);
        const int startNumber = kg ? numbering.next(*kg) : 0;
        if (!shape->Visible)
            continue;
        if (kg) {
            BubbleBoxGeometry box = bubbleBoxGeometry(*kg, i, startNumber);
            cells += cellCount(box);
            if (cells > MaxPageCells)
                continue;
            if (kg->TextType == RSPaperType)
                g.PaperTypeMark = std::move(box);
            else if (kg->TextType == RSPageNumber)
                g.PageNumberMark = std::move(box);
            else
                g.BubbleBoxes.push_back(std::move(box));
        } else if (const auto* pos = dynamic_cast<const TPosRect*>(shape)) {
            g.PositioningBoxes.push_back(boundsOf(*pos));
        } else if (const auto* zg = dynamic_cast<const TRectZg*>(shape)) {
            g.CutBoxes.push_back(cutBoxGeometry(*zg, i));
        } else if (const auto* mhsb = dynamic_cast<const TMHSB*>(shape)) {
            g.FuzzyBoxes.push_back(fuzzyBoxGeometry(*mhsb, i));
        } else if (const auto* barcode = dynamic_cast<const TRectbarcode*>(shape)) {
            g.BarcodeAreas.push_back(boundsOf(*barcode));
        }
    }
    keepNearPage(g);
    return g;
}

std::vector<PageGeometry> documentGeometry(const TVectorGraphics& document)
{
    std::vector<PageGeometry> pages;
    for (int i = 0; i < document.PageCount(); ++i)
        pages.push_back(pageGeometry(document, i));
    return pages;
}

std::optional<int> markValue(const BubbleBoxGeometry& mark, const std::vector<bool>& filled)
{
    int value = 0;
    std::size_t k = 0;
    for (const QuestionGeometry& q : mark.Questions) {
        for (const CellGeometry& cell : q.Cells) {
            if (k < filled.size() && filled[k]) {
                const int weight = cell.Label.size() == 1 ? cell.Label.at(0).digitValue() : -1;
                if (weight <= 0)
                    return std::nullopt;
                value += weight;
            }
            ++k;
        }
    }
    return value;
}

} // namespace sw
