#include "reading/sheetreader.h"

#include "document/painting.h"
#include "document/vectorgraphics.h"
#include "platform/qpaintercanvas.h"
#include "platform/rounding.h"
#include "platform/saturating.h"
#include "reading/barcodereading.h"
#include "reading/cellsampling.h"
#include "reading/greyview.h"
#include "reading/markdecision.h"
#include "reading/pageidentification.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <tuple>

namespace sw {

namespace {

// Layout pixels are drawn this many times larger to measure blank cells,
// within a bound on the picture drawn for a page of any claimed size.
constexpr double InkScale = 2.0;
constexpr double MaxInkPixels = 64e6;
// Ink printed in positioning boxes when no scan level is known.
constexpr double DefaultBlack = 40;
// Page-mark cells that may read otherwise than a page prints, a hole or a
// blot looking like a printed block, before the page is ruled out.
constexpr int MaxDifferingMarkCells = 1;

using CellVisitor =
    std::function<void(const BubbleBoxGeometry&, const QuestionGeometry&, const CellGeometry&)>;

void forEachAnswerCell(const PageGeometry& page, const CellVisitor& visit)
{
    for (const BubbleBoxGeometry& box : page.BubbleBoxes)
        for (const QuestionGeometry& q : box.Questions)
            for (const CellGeometry& cell : q.Cells)
                visit(box, q, cell);
}

// The page as printed, at *scale picture pixels per layout pixel.
QImage printedPicture(TVectorGraphics& document, int pageIndex, const PageGeometry& g,
                      double* scale)
{
    const double area = std::max(1.0, double(g.Width) * g.Height);
    *scale = std::min(InkScale, std::sqrt(MaxInkPixels / area));
    QImage image(std::max(0, roundHalfEven(g.Width * *scale)),
                 std::max(0, roundHalfEven(g.Height * *scale)), QImage::Format_RGB32);
    if (!image.isNull()) {
        image.fill(Qt::white);
        TVectorGraph& page = *document.PageAt(pageIndex);
        QPainterCanvas canvas(image, outputFontPixelsPerInch(document));
        ScopedPageScale output(page, *scale, *scale);
        Paint(page, canvas, OutputPrint);
    }
    return image;
}

std::vector<CellInk> blankInkOf(const QImage& image, double scale, const PageGeometry& g)
{
    // A page without a picture reads as blank paper: no printed ink.
    const GreyView view(image);
    const AffineMap map{scale, 0, 0, 0, scale, 0};
    const InkLevels printed{255, 0};
    std::vector<CellInk> ink;
    forEachAnswerCell(
        g, [&](const BubbleBoxGeometry&, const QuestionGeometry&, const CellGeometry& cell) {
            ink.push_back(cellInk(view, map, cellInterior(cell.Rect), printed));
        });
    return ink;
}

InkLevels inkLevels(const GreyView& scan, const Registration& found)
{
    InkLevels levels{paperLevel(scan), DefaultBlack};
    if (!found.FoundMarks.empty() && !found.ByFuzzyBoxes) {
        // The middle of a found positioning box is solid ink.
        double sum = 0;
        for (const QPointF& c : found.FoundMarks)
            sum += scan.grey(saturatingFloor(c.x()), saturatingFloor(c.y()));
        levels.Black = std::min(sum / found.FoundMarks.size(), levels.White - 64);
    }
    return levels;
}

// The page marks' cells as read, for the marked picture: a damaged one is
// shown as uncertain.
void addMarkCells(const PageGeometry& page, const GreyView& scan, const InkLevels& levels,
                  SheetReading& r)
{
    for (const auto* mark : {&page.PaperTypeMark, &page.PageNumberMark}) {
        if (!*mark)
            continue;
        const std::vector<MarkCell> seen = readMarkCells(**mark, scan, r.Map, levels);
        std::size_t k = 0;
        for (const QuestionGeometry& q : (*mark)->Questions) {
            for (const CellGeometry& cell : q.Cells) {
                const MarkCell c = seen[k++];
                r.Cells.push_back({cell.Rect, c == MarkCell::Block     ? CellMark::Filled
                                              : c == MarkCell::Damaged ? CellMark::Uncertain
                                                                       : CellMark::Empty});
            }
        }
    }
}

bool hasMarks(const PageGeometry& page)
{
    return page.PaperTypeMark || page.PageNumberMark;
}

QString digitsOf(const std::vector<QuestionAnswer>& columns)
{
    QString digits;
    for (const QuestionAnswer& c : columns)
        digits += c.Answer.size() == 1 ? c.Answer : QStringLiteral("?");
    return digits;
}

void readCells(const PageGeometry& page, const std::vector<CellInk>& blankInk, const GreyView& scan,
               const InkLevels& levels, SheetReading& r)
{
    std::vector<double> scores;
    std::size_t k = 0;
    forEachAnswerCell(
        page, [&](const BubbleBoxGeometry&, const QuestionGeometry&, const CellGeometry& cell) {
            const CellInk seen = cellInk(scan, r.Map, cellInterior(cell.Rect), levels);
            scores.push_back(markScore(seen, blankInk[k++]));
        });
    const MarkDecider decider(scores);
    r.Threshold = decider.threshold();

    k = 0;
    for (const BubbleBoxGeometry& box : page.BubbleBoxes) {
        std::vector<QuestionAnswer> questions;
        for (const QuestionGeometry& q : box.Questions) {
            QuestionAnswer a{q.Number, {}, false, false};
            const std::size_t first = r.Cells.size();
            const std::vector<double> own(scores.begin() + std::ptrdiff_t(k),
                                          scores.begin() + std::ptrdiff_t(k + q.Cells.size()));
            k += q.Cells.size();
            const std::vector<MarkDecision> decisions = decider.decide(own);
            for (std::size_t c = 0; c < q.Cells.size(); ++c) {
                const MarkDecision& d = decisions[c];
                if (d.Filled)
                    a.Answer += q.Cells[c].Label;
                a.Uncertain = a.Uncertain || d.Close;
                r.Cells.push_back({q.Cells[c].Rect, d.Close    ? CellMark::Uncertain
                                                    : d.Filled ? CellMark::Filled
                                                               : CellMark::Empty});
            }
            a.Multiple = box.Choice == Single && a.Answer.size() > 1;
            if (a.Multiple) {
                for (std::size_t c = first; c < r.Cells.size(); ++c)
                    if (r.Cells[c].Mark == CellMark::Filled)
                        r.Cells[c].Mark = CellMark::Multiple;
            }
            questions.push_back(a);
        }
        switch (box.Purpose) {
        case RSResult:
            r.Answers.insert(r.Answers.end(), questions.begin(), questions.end());
            break;
        case RSExamCode:
            r.ExamNumber += digitsOf(questions);
            r.ExamNumberUncertain =
                r.ExamNumberUncertain ||
                std::any_of(questions.begin(), questions.end(),
                            [](const QuestionAnswer& q) { return q.Uncertain; });
            break;
        case RSXZT:
            r.OptionalChoices.insert(r.OptionalChoices.end(), questions.begin(), questions.end());
            break;
        case RSZGF:
            r.Scores.emplace_back(box.LinkedQuestion, digitsOf(questions));
            break;
        case RSGapExam:
        case RSCheat: {
            bool marked = false;
            for (const QuestionAnswer& q : questions)
                marked = marked || !q.Answer.isEmpty();
            (box.Purpose == RSGapExam ? r.Absent : r.Cheating) |= marked;
            break;
        }
        default:
            break;
        }
    }
}

// The point a sheet turned half round is turned about: the middle of its
// positioning boxes, or of the page.
QPointF referenceCentre(const PageGeometry& page)
{
    if (page.PositioningBoxes.empty())
        return {page.Width / 2.0, page.Height / 2.0};
    QPointF sum;
    for (const TRect& box : page.PositioningBoxes)
        sum += QPointF((box.Left + box.Right) / 2.0, (box.Top + box.Bottom) / 2.0);
    return sum / double(page.PositioningBoxes.size());
}

} // namespace

SheetReader::SheetReader(TVectorGraphics& document) : m_pages(documentGeometry(document))
{
    for (std::size_t i = 0; i < m_pages.size(); ++i) {
        double scale = 1;
        const QImage printed = printedPicture(document, int(i), m_pages[i], &scale);
        m_blankInk.push_back(blankInkOf(printed, scale, m_pages[i]));
        m_layouts.emplace_back(printed, scale, m_pages[i]);
        m_prints.emplace_back(printed, scale, m_pages[i]);
    }
}

SheetReading SheetReader::read(const QImage& image) const
{
    const GreyView scan(image);
    SheetReading r;
    r.Result = SheetReading::NoReferences;
    // Pages laid out alike share one registration; the first usable one is kept.
    for (std::size_t i = 0; i < m_pages.size(); ++i) {
        const PageGeometry& page = m_pages[i];
        Registration found = registerPage(page, scan, &m_prints[i]);
        if (found.Result == Registration::NoReferences)
            continue;
        const InkLevels levels = inkLevels(scan, found);
        if (found.Result != Registration::Found) {
            if (r.Result == SheetReading::NoReferences || r.Result == SheetReading::MarksNotFound)
                r.Result = found.Result == Registration::PoorFit ? SheetReading::PoorFit
                                                                 : SheetReading::MarksNotFound;
            r.Found = found;
            continue;
        }
        r.Found = found;
        r.Result = SheetReading::PageUnknown;
        const auto match = matchingPage(scan, found.Fit.Map, referenceCentre(page), levels);
        if (!match)
            return r;
        const PageGeometry& candidate = m_pages[match->Page];
        r.Result = match->Turned ? SheetReading::UpsideDown : SheetReading::Ok;
        r.Map = match->Map;
        r.PageIndex = int(match->Page);
        r.PaperType = candidate.PaperType;
        r.PageNumber = candidate.PageNumber;
        r.DamagedMarkCells = match->Marks.Damaged + match->Marks.Differing;
        addMarkCells(candidate, scan, levels, r);
        readCells(candidate, m_blankInk[match->Page], scan, levels, r);
        r.LayoutDifference = m_layouts[match->Page].differences(scan, r.Map, levels);
        for (const TRect& area : candidate.BarcodeAreas)
            if (r.Barcode.isEmpty())
                r.Barcode = readBarcode(image, r.Map, area);
        return r;
    }
    return r;
}

std::optional<SheetReader::PageMatch> SheetReader::matchingPage(const GreyView& scan,
                                                                const AffineMap& upright,
                                                                QPointF centre,
                                                                const InkLevels& levels) const
{
    // Turned half round, symmetric positioning boxes fit as well as upright
    // ones. The page whose marks the fewest clean cells contradict wins, then
    // the one with the fewest damaged cells, upright before turned; any such
    // cell flags the reading. Pages still tied are told apart by the rest of
    // their print, or not at all.
    const AffineMap turned = upright.turnedAbout(centre);
    const bool only = m_pages.size() == 1;
    const auto rank = [](const PageMatch& m) {
        return std::make_tuple(m.Marks.Differing, m.Marks.Damaged, m.Turned);
    };
    std::vector<PageMatch> best;
    for (const bool isTurned : {false, true}) {
        const AffineMap& map = isTurned ? turned : upright;
        for (std::size_t i = 0; i < m_pages.size(); ++i) {
            const PageGeometry& candidate = m_pages[i];
            if (!(hasMarks(candidate) || only))
                continue;
            const PageMatch match{i, isTurned, map, compareMarks(candidate, scan, map, levels)};
            if (match.Marks.Differing > MaxDifferingMarkCells ||
                (!best.empty() && rank(match) > rank(best.front())))
                continue;
            if (!best.empty() && rank(match) < rank(best.front()))
                best.clear();
            best.push_back(match);
        }
    }
    if (best.size() > 1)
        best.erase(
            std::remove_if(best.begin(), best.end(),
                           [&](const PageMatch& m) {
                               return !m_layouts[m.Page].differences(scan, m.Map, levels).isEmpty();
                           }),
            best.end());
    if (best.size() != 1)
        return std::nullopt;
    return best.front();
}

bool SheetReading::barcodeMismatch() const
{
    return !Barcode.isEmpty() && !ExamNumber.isEmpty() && Barcode != ExamNumber;
}

bool SheetReading::needsReview() const
{
    if (Result != Ok || !LayoutDifference.isEmpty() || ExamNumber.contains(QLatin1Char('?')) ||
        ExamNumberUncertain || DamagedMarkCells > 0 || barcodeMismatch())
        return true;
    for (const auto* list : {&Answers, &OptionalChoices})
        for (const QuestionAnswer& a : *list)
            if (a.Multiple || a.Uncertain)
                return true;
    for (const auto& score : Scores)
        if (score.second.contains(QLatin1Char('?')))
            return true;
    return false;
}

QString SheetReading::statusText() const
{
    if (isRead() && !LayoutDifference.isEmpty())
        return LayoutDifference;
    switch (Result) {
    case Ok:
        return DamagedMarkCells > 0 ? QStringLiteral("ok, page marks damaged")
                                    : QStringLiteral("ok");
    case UpsideDown:
        return QStringLiteral("upside down");
    case NoReferences:
        return QStringLiteral("the template has no positioning boxes or fuzzy boxes");
    case MarksNotFound:
        return QStringLiteral("positioning marks not found (%1 of %2)")
            .arg(Found.FoundMarks.size())
            .arg(Found.ExpectedMarks);
    case PoorFit:
        return QStringLiteral("positioning marks do not fit the template (residual %1 px)")
            .arg(Found.Fit.Residual, 0, 'f', 1);
    case PageUnknown:
        return QStringLiteral("no page of the template matches the page marks");
    }
    return {};
}

} // namespace sw
