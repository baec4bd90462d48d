#include "review/scancache.h"

#include "platform/picturecodec.h"
#include "platform/rounding.h"
#include "reading/greyview.h"
#include "reading/straighten.h"

#include <algorithm>

namespace sw {

namespace {

TRect unite(const TRect& a, const TRect& b)
{
    return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
            std::max(a.Bottom, b.Bottom)};
}

// The layout rectangle of the item's field; empty when it has none.
TRect fieldRect(const PageGeometry& page, const CheckItem& item)
{
    TRect found;
    bool any = false;
    const auto add = [&](const TRect& r) {
        found = any ? unite(found, r) : r;
        any = true;
    };
    for (const BubbleBoxGeometry& box : page.BubbleBoxes) {
        switch (item.kind) {
        case CheckKind::ReviewAnswer:
            if (box.Purpose == RSResult)
                for (const QuestionGeometry& q : box.Questions)
                    if (q.Number == item.question)
                        for (const CellGeometry& cell : q.Cells)
                            add(cell.Rect);
            break;
        case CheckKind::ReviewScore:
            if ((box.Purpose == RSZGF || box.Purpose == RSXZT) &&
                box.LinkedQuestion == item.question)
                add(box.Bounds);
            break;
        case CheckKind::ReviewExamNumber:
        case CheckKind::UnknownCandidate:
        case CheckKind::DuplicateScript:
            if (box.Purpose == RSExamCode)
                add(box.Bounds);
            break;
        default:
            break;
        }
    }
    return any ? found : TRect{};
}

// The scan brought down to about ShownDpi when it is finer: a screen shows
// no more, and reading and straightening a quarter of the pixels keeps the
// next item quick.
QImage atShownResolution(const QImage& scan, const SheetReader& reader)
{
    constexpr double ShownDpi = 150;
    constexpr double MmPerInch = 25.4;
    if (reader.pages().empty() || reader.pages().front().WidthMm <= 0)
        return scan;
    const PageGeometry& page = reader.pages().front();
    const double dpi =
        std::max(scan.width(), scan.height()) * MmPerInch / std::max(page.WidthMm, page.HeightMm);
    if (dpi <= ShownDpi * 4 / 3)
        return scan;
    return scan.scaled((QSizeF(scan.size()) * (ShownDpi / dpi)).toSize(), Qt::IgnoreAspectRatio,
                       Qt::SmoothTransformation);
}

} // namespace

PreparedScan prepareScan(const SheetReader& reader, const QString& path)
{
    PreparedScan prepared;
    const QImage loaded = loadScan(path, &prepared.failure);
    if (loaded.isNull())
        return prepared;
    const QImage image = atShownResolution(loaded, reader);
    prepared.reading = reader.read(image);
    const SheetReading& reading = prepared.reading;
    if (!reading.isRead() || reading.PageIndex < 0 ||
        std::size_t(reading.PageIndex) >= reader.pages().size()) {
        prepared.failure = reading.statusText();
        return prepared;
    }
    prepared.page = reader.pages()[std::size_t(reading.PageIndex)];
    prepared.marked = markedPicture(GreyView(image), reading, prepared.page);
    if (prepared.marked.isNull()) {
        prepared.failure = QStringLiteral("扫描图太大，不能显示");
        return prepared;
    }
    prepared.captionHeight =
        prepared.marked.height() - roundHalfEven(prepared.page.Height * reading.Map.scale());
    return prepared;
}

QRect fieldArea(const PreparedScan& scan, const CheckItem& item)
{
    const TRect r = fieldRect(scan.page, item);
    if (scan.marked.isNull() || r.width() <= 0 || r.height() <= 0)
        return {};
    const double s = scan.reading.Map.scale();
    const double margin = 4 * s; // keeps the outlines drawn round the cells
    const QRectF area(r.Left * s - margin, r.Top * s + scan.captionHeight - margin,
                      r.width() * s + 2 * margin, r.height() * s + 2 * margin);
    return area.toAlignedRect().intersected(scan.marked.rect());
}

ScanCache::~ScanCache()
{
    for (const std::shared_future<PreparedScan>& f : std::as_const(m_scans))
        f.wait();
}

void ScanCache::prefetch(qint64 scan, const QString& path)
{
    if (m_scans.contains(scan))
        return;
    const SheetReader& reader = m_reader;
    m_scans.insert(scan, std::async(std::launch::async, [&reader, path] {
                             return prepareScan(reader, path);
                         }).share());
    m_order.push_back(scan);
    while (m_order.size() > Kept) {
        m_scans.value(m_order.front()).wait();
        m_scans.remove(m_order.front());
        m_order.pop_front();
    }
}

const PreparedScan& ScanCache::get(qint64 scan, const QString& path)
{
    prefetch(scan, path);
    // The newest request is kept longest.
    m_order.erase(std::find(m_order.begin(), m_order.end(), scan));
    m_order.push_back(scan);
    return m_scans[scan].get();
}

} // namespace sw
