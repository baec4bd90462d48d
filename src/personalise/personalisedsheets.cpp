#include "personalise/personalisedsheets.h"

#include "document/export.h"
#include "document/painting.h"
#include "document/vectorgraph.h"
#include "document/vectorgraphics.h"
#include "personalise/barcodeplacement.h"
#include "personalise/examnumberblock.h"
#include "personalise/roster.h"
#include "personalise/textsubstitution.h"
#include "platform/outputfile.h"
#include "platform/qpaintercanvas.h"
#include "shapes/rectbarcode.h"

#include <QIODevice>
#include <QPdfWriter>
#include <utility>

namespace sw {

namespace {

bool fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
    return false;
}

QString displayName(Symbology kind)
{
    return kind == Symbology::Qr ? QStringLiteral("QR") : QStringLiteral("Code 128");
}

QString mm(double value)
{
    return QString::number(value, 'f', 1);
}

// The barcode areas of a page as drawn now, in device pixels.
std::vector<TRect> barcodeAreas(TVectorGraph& page)
{
    std::vector<TRect> areas;
    for (int i = 0; i < page.ShapeCount(); ++i) {
        const TGraphics* shape = page.ShapeItem(i);
        if (shape->Visible && dynamic_cast<const TRectbarcode*>(shape))
            areas.push_back(shape->toDevice(shape->GetBounds()));
    }
    return areas;
}

// A page drawn at the print resolution for the time of an output.
class OutputPage
{
public:
    OutputPage(const TVectorGraphics& document, TVectorGraph& page, int dotsPerInch)
        : m_scale(page, outputScale(dotsPerInch, document.PixelsPerMm),
                  outputScale(dotsPerInch, document.PixelsPerMm)),
          m_block(page), m_areas(barcodeAreas(page))
    {
    }

    const ExamNumberBlock& block() const { return m_block; }
    const std::vector<TRect>& areas() const { return m_areas; }

private:
    ScopedPageScale m_scale;
    ExamNumberBlock m_block;
    std::vector<TRect> m_areas;
};

bool checkExamNumber(const ExamNumberBlock& block, const Candidate& c, bool fill, QString* error)
{
    const QString line = QStringLiteral("名单第 %1 行：").arg(c.Line);
    if (c.ExamNumber.size() > block.digitCount())
        return fail(error, line + QStringLiteral("考号 %1 有 %2 位，准考证号栏只有 %3 位")
                                      .arg(c.ExamNumber)
                                      .arg(c.ExamNumber.size())
                                      .arg(block.digitCount()));
    if (const QChar missing = block.missingBubble(c.ExamNumber); fill && !missing.isNull())
        return fail(error, line + QStringLiteral("考号 %1 的“%2”在准考证号栏里没有可涂的格子")
                                      .arg(c.ExamNumber, QString(missing)));
    return true;
}

std::optional<BarcodeSymbol> candidateSymbol(Symbology kind, const Candidate& c, QString* error)
{
    QString reason;
    auto symbol = encodeBarcode(kind, barcodeText(kind, c.ExamNumber, c.Name), &reason);
    if (!symbol)
        fail(error, QStringLiteral("名单第 %1 行：考号 %2 不能编成 %3 条码（%4）")
                        .arg(c.Line)
                        .arg(c.ExamNumber, displayName(kind), reason));
    return symbol;
}

bool checkBarcode(const BarcodeSymbol& symbol, const TRect& area, int dotsPerInch,
                  const Candidate& c, QString* error)
{
    BarcodeNeed need;
    if (placeBarcode(symbol, area, dotsPerInch, &need))
        return true;
    const auto toMm = [dotsPerInch](int dots) { return dots * 25.4 / dotsPerInch; };
    return fail(error, QStringLiteral("名单第 %1 行：条码区只有 %2 × %3 毫米，放不下考号 %4 的 "
                                      "%5 条码，至少需要 %6 × %7 毫米（含空白区）")
                           .arg(c.Line)
                           .arg(mm(toMm(area.width())), mm(toMm(area.height())), c.ExamNumber,
                                displayName(symbol.Kind), mm(need.WidthMm), mm(need.HeightMm)));
}

} // namespace

bool checkPersonalisation(TVectorGraphics& document, const Roster& roster,
                          const PersonaliseOptions& options, QString* error)
{
    if (document.PageCount() == 0)
        return fail(error, QStringLiteral("模板没有页面"));
    if (options.DotsPerInch < 72 || options.DotsPerInch > MaxExportDotsPerInch)
        return fail(
            error,
            QStringLiteral("打印分辨率须在 72 到 %1 点每英寸之间").arg(MaxExportDotsPerInch));
    for (int p = 0; p < document.PageCount(); ++p) {
        TVectorGraph& page = *document.PageAt(p);
        if (!checkExportPaper(page, error))
            return false;
        const OutputPage output(document, page, options.DotsPerInch);
        for (const Candidate& c : roster.Candidates) {
            if (!output.block().isEmpty() &&
                !checkExamNumber(output.block(), c, options.FillExamNumber, error))
                return false;
            if (output.areas().empty())
                continue;
            const auto symbol = candidateSymbol(options.Kind, c, error);
            if (!symbol)
                return false;
            for (const TRect& area : output.areas())
                if (!checkBarcode(*symbol, area, options.DotsPerInch, c, error))
                    return false;
        }
    }
    return true;
}

bool writePersonalisedPdf(TVectorGraphics& document, const Roster& roster,
                          const PersonaliseOptions& options, QIODevice& device, QString* error)
{
    // Printed without selection marks, as every printout.
    if (document.ActiveShape != nullptr) {
        document.ActiveShape->Deselect();
        document.ActiveShape = nullptr;
    }
    QPdfWriter writer(&device);
    writer.setResolution(options.DotsPerInch);
    writer.setCreator(QStringLiteral("Sheetwright"));
    writer.setPageLayout(pdfPageLayout(*document.PageAt(0)));
    QPainterCanvas canvas(writer, outputFontPixelsPerInch(document));
    if (!canvas.isActive())
        return fail(error, QStringLiteral("cannot start the PDF"));
    bool first = true;
    for (const Candidate& c : roster.Candidates) {
        const auto symbol = candidateSymbol(options.Kind, c, error);
        if (!symbol)
            return false;
        for (int p = 0; p < document.PageCount(); ++p) {
            TVectorGraph& page = *document.PageAt(p);
            if (!std::exchange(first, false)) {
                writer.setPageLayout(pdfPageLayout(page));
                writer.newPage();
            }
            const ScopedCandidateText text(page, roster, c);
            const OutputPage output(document, page, options.DotsPerInch);
            Paint(page, canvas, OutputPrint);
            output.block().draw(canvas, c.ExamNumber, options.FillExamNumber);
            for (const TRect& area : output.areas()) {
                const auto placement = placeBarcode(*symbol, area, options.DotsPerInch, nullptr);
                if (placement)
                    drawBarcode(canvas, *symbol, *placement);
            }
        }
    }
    canvas.end();
    return true;
}

bool savePersonalisedPdf(TVectorGraphics& document, const Roster& roster,
                         const PersonaliseOptions& options, const QString& path, QString* error)
{
    if (!checkPersonalisation(document, roster, options, error))
        return false;
    return saveOutputFile(
        path,
        [&](QIODevice& device, QString* writeError) {
            return writePersonalisedPdf(document, roster, options, device, writeError);
        },
        error);
}

} // namespace sw
