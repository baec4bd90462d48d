// geometry: every readable element of a template's pages as JSON.

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/documentio.h"
#include "platform/rounding.h"
#include "reading/sheetgeometry.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

namespace sw::cli {

namespace {

const char* const PurposeNames[] = {"RSExamCode", "RSResult", "RSGapExam",   "RSCheat",
                                    "RSXZT",      "RSZGF",    "RSPaperType", "RSPageNumber"};
const char* const AspectNames[] = {"ADown", "ARight", "AUp", "ALeft"};

// Layout pixels to output pixels at the --dpi resolution.
class Scaler
{
public:
    explicit Scaler(double factor) : m_factor(factor) {}
    int operator()(int v) const { return roundHalfEven(v * m_factor); }
    QJsonArray rect(const TRect& r) const
    {
        return {(*this)(r.Left), (*this)(r.Top), (*this)(r.Right), (*this)(r.Bottom)};
    }

private:
    double m_factor;
};

QJsonObject bubbleBoxJson(const BubbleBoxGeometry& box, const Scaler& s)
{
    QJsonArray questions;
    for (const QuestionGeometry& q : box.Questions) {
        QJsonArray cells;
        for (const CellGeometry& c : q.Cells)
            cells.append(QJsonObject{{QStringLiteral("label"), c.Label},
                                     {QStringLiteral("rect"), s.rect(c.Rect)}});
        questions.append(
            QJsonObject{{QStringLiteral("number"), q.Number}, {QStringLiteral("cells"), cells}});
    }
    return {{QStringLiteral("shape"), box.ShapeIndex},
            {QStringLiteral("purpose"), QLatin1String(PurposeNames[box.Purpose])},
            {QStringLiteral("choice"),
             box.Choice == Single ? QStringLiteral("Single") : QStringLiteral("Multi")},
            {QStringLiteral("aspect"), QLatin1String(AspectNames[box.Aspect])},
            {QStringLiteral("linked_question"), box.LinkedQuestion},
            {QStringLiteral("bounds"), s.rect(box.Bounds)},
            {QStringLiteral("questions"), questions}};
}

QJsonObject pageJson(const PageGeometry& page, const Scaler& s)
{
    QJsonObject o{{QStringLiteral("page_index"), page.PageIndex + 1},
                  {QStringLiteral("paper_type"), QString(page.PaperType)},
                  {QStringLiteral("page"), page.PageNumber},
                  {QStringLiteral("mode"), page.Mode},
                  {QStringLiteral("width"), s(page.Width)},
                  {QStringLiteral("height"), s(page.Height)}};
    QJsonArray positioning;
    for (const TRect& r : page.PositioningBoxes)
        positioning.append(s.rect(r));
    o.insert(QStringLiteral("positioning_boxes"), positioning);
    if (page.PaperTypeMark)
        o.insert(QStringLiteral("paper_type_mark"), bubbleBoxJson(*page.PaperTypeMark, s));
    if (page.PageNumberMark)
        o.insert(QStringLiteral("page_number_mark"), bubbleBoxJson(*page.PageNumberMark, s));
    QJsonArray boxes;
    for (const BubbleBoxGeometry& box : page.BubbleBoxes)
        boxes.append(bubbleBoxJson(box, s));
    o.insert(QStringLiteral("bubble_boxes"), boxes);
    QJsonArray cuts;
    for (const CutBoxGeometry& c : page.CutBoxes)
        cuts.append(QJsonObject{{QStringLiteral("shape"), c.ShapeIndex},
                                {QStringLiteral("question"), c.Question},
                                {QStringLiteral("number"), c.Number},
                                {QStringLiteral("caption"), c.Caption},
                                {QStringLiteral("optional"), c.Optional},
                                {QStringLiteral("alternatives"), c.Alternatives},
                                {QStringLiteral("rect"), s.rect(c.Rect)}});
    o.insert(QStringLiteral("cut_boxes"), cuts);
    QJsonArray barcodes;
    for (const TRect& r : page.BarcodeAreas)
        barcodes.append(s.rect(r));
    o.insert(QStringLiteral("barcode_areas"), barcodes);
    QJsonArray fuzzy;
    for (const FuzzyBoxGeometry& f : page.FuzzyBoxes)
        fuzzy.append(
            QJsonObject{{QStringLiteral("shape"), f.ShapeIndex},
                        {QStringLiteral("number"), f.Number},
                        {QStringLiteral("rect"), s.rect(f.Rect)},
                        {QStringLiteral("centre"), QJsonArray{s(f.Centre.X), s(f.Centre.Y)}}});
    o.insert(QStringLiteral("fuzzy_boxes"), fuzzy);
    return o;
}

} // namespace

int runGeometry(const QStringList& args)
{
    Arguments a(args, {}, {QStringLiteral("--dpi")});
    a.expectPositional(1, 1);
    const auto document = openTemplate(a.positional(0, "TEMPLATE.exm"));
    if (!document)
        return ExitFileError;
    const double dpi = a.doubleValue(QStringLiteral("--dpi"), document->PixelsPerInch, 1, 2400);
    const Scaler scale(dpi / document->PixelsPerInch);
    QJsonArray pages;
    for (const PageGeometry& page : documentGeometry(*document))
        pages.append(pageJson(page, scale));
    const QJsonObject root{{QStringLiteral("dpi"), dpi}, {QStringLiteral("pages"), pages}};
    QTextStream(stdout) << QJsonDocument(root).toJson(QJsonDocument::Indented);
    return ExitOk;
}

} // namespace sw::cli
