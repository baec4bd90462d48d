#pragma once

#include "platform/canvas.h"

#include <QPageLayout>
#include <QPageSize>
#include <QString>

namespace sw {

// A printer as the document prints through it: the system's default printer
// in the designer, a fake one in tests. The document never sees the print
// system's own classes.
//
// A job runs prepare() -> beginJob() -> [newPage() ...] -> endJob(). The
// canvas of a job draws in printer dots with the origin at the top-left
// corner of the sheet.
class Printer
{
public:
    virtual ~Printer() = default;

    // Whether the printer exists and can take a job.
    virtual bool isAvailable() const = 0;
    // The print queue jobs go to: the default printer until another is
    // selected.
    virtual QString printerName() const = 0;
    virtual void selectPrinter(const QString& name) = 0;
    // Sets the paper of the next job. The size is given upright; a landscape
    // orientation turns it. False when the printer cannot be reached or
    // refuses the paper.
    virtual bool prepare(const QPageSize& paper, QPageLayout::Orientation orientation) = 0;
    virtual int dotsPerInchX() const = 0;
    virtual int dotsPerInchY() const = 0;

    // Starts a job on the first sheet; null when it cannot be started. The
    // canvas converts font sizes in points at fontPixelsPerInch (the drawing
    // code scales its fonts to the printer itself) and stays valid until
    // endJob().
    virtual Canvas* beginJob(const QString& title, int fontPixelsPerInch) = 0;
    // Ends the current sheet and starts the next one.
    virtual bool newPage() = 0;
    // Ends the job and hands it to the print system; false when that failed.
    virtual bool endJob() = 0;
};

} // namespace sw
