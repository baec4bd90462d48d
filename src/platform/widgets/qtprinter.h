#pragma once

#include "platform/printer.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <memory>

namespace sw {

class QPainterCanvas;

// The system's default printer (CUPS on Linux), or another one selected,
// through Qt Print Support.
// Jobs print at the printer's own resolution on the whole sheet, without
// margins, so a millimetre of the page is a millimetre of paper.
class QtPrinter : public Printer
{
public:
    QtPrinter();
    ~QtPrinter() override;
    QtPrinter(const QtPrinter&) = delete;
    QtPrinter& operator=(const QtPrinter&) = delete;

    // The printer exists and is not in an error state (a stopped queue).
    bool isAvailable() const override;
    QString printerName() const override;
    void selectPrinter(const QString& name) override;
    bool prepare(const QPageSize& paper, QPageLayout::Orientation orientation) override;
    int dotsPerInchX() const override;
    int dotsPerInchY() const override;
    Canvas* beginJob(const QString& title, int fontPixelsPerInch) override;
    bool newPage() override;
    bool endJob() override;

private:
    QPrinterInfo info() const;

    // Empty for the default printer.
    QString m_name;
    std::unique_ptr<QPrinter> m_printer;
    QPainter m_painter;
    std::unique_ptr<QPainterCanvas> m_canvas;
};

} // namespace sw
