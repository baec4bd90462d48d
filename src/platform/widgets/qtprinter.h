#pragma once

#include "platform/printer.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <memory>

namespace sw {

class QPainterCanvas;

// The system's default printer (CUPS on Linux), or another one selected,
// through Qt Print Support; or a QPrinter made elsewhere, such as the one a
// print preview draws its pages on.
// Jobs print at the printer's own resolution on the whole sheet, without
// margins, so a millimetre of the page is a millimetre of paper.
class QtPrinter : public Printer
{
public:
    QtPrinter();
    // Prints on `target` (not owned), which outlives this printer.
    explicit QtPrinter(QPrinter& target);
    ~QtPrinter() override;
    QtPrinter(const QtPrinter&) = delete;
    QtPrinter& operator=(const QtPrinter&) = delete;

    // The printer exists and is not in an error state (a stopped queue).
    bool isAvailable() const override;
    QString printerName() const override;
    void selectPrinter(const QString& name) override;
    // Before a job: a printer for it with this paper. During a job: the
    // paper of the sheets after the next newPage(), where the print system
    // can change it within a job.
    bool prepare(const QPageSize& paper, QPageLayout::Orientation orientation) override;
    int dotsPerInchX() const override;
    int dotsPerInchY() const override;
    Canvas* beginJob(const QString& title, int fontPixelsPerInch) override;
    bool newPage() override;
    bool endJob() override;

private:
    QPrinterInfo info() const;
    bool setPaper(const QPageSize& paper, QPageLayout::Orientation orientation);

    // Empty for the default printer.
    QString m_name;
    std::unique_ptr<QPrinter> m_ownPrinter;
    // The printer jobs go to: the own one, or the target.
    QPrinter* m_printer = nullptr;
    bool m_hasTarget = false;
    QPainter m_painter;
    std::unique_ptr<QPainterCanvas> m_canvas;
};

} // namespace sw
