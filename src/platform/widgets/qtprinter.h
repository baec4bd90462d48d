#pragma once

#include "platform/printer.h"

#include <QPainter>
#include <QPrinter>
#include <memory>

namespace sw {

class QPainterCanvas;

// The system's default printer (CUPS on Linux) through Qt Print Support.
// Jobs print at the printer's own resolution on the whole sheet, without
// margins, so a millimetre of the page is a millimetre of paper.
class QtPrinter : public Printer
{
public:
    QtPrinter();
    ~QtPrinter() override;
    QtPrinter(const QtPrinter&) = delete;
    QtPrinter& operator=(const QtPrinter&) = delete;

    // A default printer exists and is not in an error state (a stopped queue).
    bool isAvailable() const override;
    bool prepare(const QPageSize& paper, QPageLayout::Orientation orientation) override;
    int dotsPerInchX() const override;
    int dotsPerInchY() const override;
    Canvas* beginJob(const QString& title, int fontPixelsPerInch) override;
    bool newPage() override;
    bool endJob() override;

private:
    std::unique_ptr<QPrinter> m_printer;
    QPainter m_painter;
    std::unique_ptr<QPainterCanvas> m_canvas;
};

} // namespace sw
