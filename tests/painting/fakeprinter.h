#pragma once

#include "platform/printer.h"
#include "platform/recordingcanvas.h"

#include <memory>
#include <optional>
#include <vector>

namespace sw::test {

// A printer that keeps what the document asks of it and records the job.
class FakePrinter : public Printer
{
public:
    bool available = true;
    bool acceptsPaper = true;
    bool startsJobs = true;
    bool endsJobs = true;
    int dpiX = 600;
    int dpiY = 300;

    std::optional<QPageSize> paper;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QString title;
    int fontPixelsPerInch = 0;
    int jobs = 0;
    int pages = 0;
    // The paper of each sheet of the last job, in order.
    std::vector<QPageSize> sheetPapers;
    bool ended = false;
    std::unique_ptr<RecordingCanvas> canvas;

    QString name = QStringLiteral("fake");

    bool isAvailable() const override { return available; }
    QString printerName() const override { return name; }
    void selectPrinter(const QString& printer) override { name = printer; }
    bool prepare(const QPageSize& size, QPageLayout::Orientation o) override
    {
        if (!available || !acceptsPaper)
            return false;
        paper = size;
        orientation = o;
        return true;
    }
    int dotsPerInchX() const override { return dpiX; }
    int dotsPerInchY() const override { return dpiY; }
    Canvas* beginJob(const QString& jobTitle, int pixelsPerInch) override
    {
        if (!startsJobs)
            return nullptr;
        title = jobTitle;
        fontPixelsPerInch = pixelsPerInch;
        canvas = std::make_unique<RecordingCanvas>(pixelsPerInch);
        ++jobs;
        pages = 1;
        sheetPapers = {*paper};
        return canvas.get();
    }
    bool newPage() override
    {
        ++pages;
        sheetPapers.push_back(*paper);
        return true;
    }
    bool endJob() override
    {
        ended = true;
        return endsJobs;
    }
};

} // namespace sw::test
