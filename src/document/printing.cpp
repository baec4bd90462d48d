#include "document/printing.h"

#include "document/painting.h"
#include "document/vectorgraph.h"
#include "document/vectorgraphics.h"
#include "platform/printer.h"
#include "platform/rounding.h"

namespace sw {

namespace {

bool refuse(QString* message)
{
    if (message)
        *message = NoPrinterMessage;
    return false;
}

} // namespace

QPageSize printerPaper(const TVectorGraph& page)
{
    switch (page.PageSize) {
    case A3:
        return QPageSize(QPageSize::A3);
    case A4:
        return QPageSize(QPageSize::A4);
    case A5:
        return QPageSize(QPageSize::A5);
    // The page setup lays B4 out as 250 x 354 mm and B5 as 182 x 257 mm: the
    // nearest papers are ISO B4 and JIS B5.
    case B4:
        return QPageSize(QPageSize::B4);
    case B5:
        return QPageSize(QPageSize::JisB5);
    default:
        break;
    }
    const double width = roundHalfEven(page.Width);
    const double height = roundHalfEven(page.Height);
    const bool turned = printerOrientation(page) == QPageLayout::Landscape;
    return QPageSize(turned ? QSizeF(height, width) : QSizeF(width, height), QPageSize::Millimeter,
                     QString(), QPageSize::ExactMatch);
}

QPageLayout::Orientation printerOrientation(const TVectorGraph& page)
{
    return page.Orientation == poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait;
}

bool PrintCurrentPage(TVectorGraphics& document, Printer& printer, QString* message)
{
    const TVectorGraph* page = document.ActivePage();
    return PrintPages(document, printer, {document.CurrentPage},
                      page ? outputTitle(*page) : QString(), message);
}

bool PrintPages(TVectorGraphics& document, Printer& printer, const std::vector<int>& pages,
                const QString& jobTitle, QString* message)
{
    if (document.ActiveShape != nullptr) {
        document.ActiveShape->Deselect();
        document.ActiveShape = nullptr;
    }
    for (const int index : pages) {
        if (index < 0 || index >= document.PageCount()) {
            if (message)
                *message = QStringLiteral("the document has no page %1 to print").arg(index + 1);
            return false;
        }
    }
    if (pages.empty()) {
        if (message)
            *message = QStringLiteral("the document has no page to print");
        return false;
    }
    const TVectorGraph& first = *document.PageAt(pages.front());
    if (!printer.isAvailable() ||
        !printer.prepare(printerPaper(first), printerOrientation(first)) ||
        printer.dotsPerInchX() <= 0 || printer.dotsPerInchY() <= 0)
        return refuse(message);

    Canvas* canvas = printer.beginJob(jobTitle, outputFontPixelsPerInch(document));
    if (canvas == nullptr)
        return refuse(message);
    for (std::size_t i = 0; i < pages.size(); ++i) {
        TVectorGraph& page = *document.PageAt(pages[i]);
        if (i > 0) {
            // A print system that keeps one paper for a job prints the sheet
            // on the job's paper.
            printer.prepare(printerPaper(page), printerOrientation(page));
            if (!printer.newPage()) {
                printer.endJob();
                return refuse(message);
            }
        }
        const ScopedPageScale printScale(page,
                                         outputScale(printer.dotsPerInchX(), document.PixelsPerMm),
                                         outputScale(printer.dotsPerInchY(), document.PixelsPerMm));
        Paint(page, *canvas, OutputPrint);
    }
    return printer.endJob() || refuse(message);
}

} // namespace sw
