#include "platform/widgets/qtprinter.h"

#include "platform/qpaintercanvas.h"

#include <QPaintEngine>

namespace sw {

QtPrinter::QtPrinter() = default;

QtPrinter::QtPrinter(QPrinter& target) : m_printer(&target), m_hasTarget(true)
{
    m_printer->setFullPage(true);
}

QtPrinter::~QtPrinter()
{
    if (m_painter.isActive())
        endJob();
}

QPrinterInfo QtPrinter::info() const
{
    return m_name.isEmpty() ? QPrinterInfo::defaultPrinter() : QPrinterInfo::printerInfo(m_name);
}

bool QtPrinter::isAvailable() const
{
    if (m_hasTarget)
        return m_printer->isValid();
    const QPrinterInfo printer = info();
    return !printer.isNull() && printer.state() != QPrinter::Error;
}

QString QtPrinter::printerName() const
{
    return m_hasTarget ? m_printer->printerName() : info().printerName();
}

void QtPrinter::selectPrinter(const QString& name)
{
    m_name = name;
}

bool QtPrinter::prepare(const QPageSize& paper, QPageLayout::Orientation orientation)
{
    if (!paper.isValid())
        return false;
    if (m_painter.isActive() || m_hasTarget)
        return setPaper(paper, orientation);
    if (!isAvailable())
        return false;
    m_ownPrinter = std::make_unique<QPrinter>(info(), QPrinter::HighResolution);
    m_printer = m_ownPrinter.get();
    m_printer->setFullPage(true);
    if (!m_printer->isValid() || !setPaper(paper, orientation)) {
        m_ownPrinter.reset();
        m_printer = nullptr;
        return false;
    }
    return true;
}

bool QtPrinter::setPaper(const QPageSize& paper, QPageLayout::Orientation orientation)
{
    const QPageLayout layout(paper, orientation, QMarginsF());
    if (m_printer->pageLayout().isEquivalentTo(layout))
        return true;
    // Only PDF-based print engines (CUPS, PDF files) take another paper in
    // the middle of a job; a preview keeps the paper it began with.
    if (m_painter.isActive() && m_printer->paintEngine()->type() != QPaintEngine::Pdf)
        return false;
    return m_printer->setPageLayout(layout);
}

int QtPrinter::dotsPerInchX() const
{
    return m_printer ? m_printer->logicalDpiX() : 0;
}

int QtPrinter::dotsPerInchY() const
{
    return m_printer ? m_printer->logicalDpiY() : 0;
}

Canvas* QtPrinter::beginJob(const QString& title, int fontPixelsPerInch)
{
    if (!m_printer || m_painter.isActive())
        return nullptr;
    m_printer->setDocName(title);
    if (!m_painter.begin(m_printer))
        return nullptr;
    m_canvas = std::make_unique<QPainterCanvas>(m_painter, fontPixelsPerInch);
    return m_canvas.get();
}

bool QtPrinter::newPage()
{
    return m_painter.isActive() && m_printer->newPage();
}

bool QtPrinter::endJob()
{
    if (!m_painter.isActive())
        return false;
    m_canvas.reset();
    const bool ended = m_painter.end();
    return ended && m_printer->printerState() != QPrinter::Error;
}

} // namespace sw
