#pragma once

#include "exam/examresults.h"
#include "reading/sheetgeometry.h"
#include "reading/sheetreader.h"

#include <QHash>
#include <QImage>
#include <QRect>
#include <QString>
#include <deque>
#include <future>

namespace sw {

// A scan decoded, read again with the exam's template (for its cells and
// map) and drawn straight with the read cells outlined; a scan finer than
// a screen needs is read and drawn at about 150 dpi.
struct PreparedScan
{
    QString failure; // why the scan cannot be shown; empty when it can
    SheetReading reading;
    PageGeometry page;
    QImage marked;         // as `read --marked` draws it
    int captionHeight = 0; // the strip above the page in `marked`
};

PreparedScan prepareScan(const SheetReader& reader, const QString& path);

// The part of the marked picture that shows the item's field: the question's
// row of cells, the score or choice box, or the exam-number block. Empty
// for items of the whole sheet.
QRect fieldArea(const PreparedScan& scan, const CheckItem& item);

// Prepares scans on worker threads ahead of time and keeps the few asked
// for last.
class ScanCache
{
public:
    explicit ScanCache(const SheetReader& reader) : m_reader(reader) {}
    ~ScanCache();

    // Starts preparing the scan unless it is prepared or under way.
    void prefetch(qint64 scan, const QString& path);
    // The prepared scan, waiting for it when it is still under way.
    const PreparedScan& get(qint64 scan, const QString& path);

private:
    static constexpr std::size_t Kept = 4;

    const SheetReader& m_reader;
    QHash<qint64, std::shared_future<PreparedScan>> m_scans;
    std::deque<qint64> m_order; // oldest request first
};

} // namespace sw
