// libFuzzer target for the scan reader: any picture, read against a
// template with positioning boxes and one found by fuzzy boxes, has its cut
// areas straightened and its marked picture drawn without a crash, an
// overflow or more memory than the limits allow.
#include "platform/picturecodec.h"
#include "reading/greyview.h"
#include "reading/sheetreader.h"
#include "reading/straighten.h"
#include "scantemplates.h"

#include <QGuiApplication>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// Larger pictures only take longer; the limits are tested elsewhere.
constexpr qint64 MaxFuzzPixels = 500'000;

struct Readers
{
    std::unique_ptr<sw::TVectorGraphics> positioned = sw::fuzz::scanTemplate(false);
    std::unique_ptr<sw::TVectorGraphics> fuzzy = sw::fuzz::scanTemplate(true);
    sw::SheetReader byPositioningBoxes{*positioned};
    sw::SheetReader byFuzzyBoxes{*fuzzy};
};

void readWith(const sw::SheetReader& reader, const QImage& scan)
{
    const sw::SheetReading r = reader.read(scan);
    if (!r.isRead())
        return;
    const sw::GreyView view(scan);
    const sw::PageGeometry& page = reader.pages().at(std::size_t(r.PageIndex));
    const qint64 limit = std::max<qint64>(1 << 20, 2 * qint64(scan.width()) * scan.height());
    for (const sw::CutBoxGeometry& cut : page.CutBoxes) {
        const QImage area = sw::straightenedArea(
            view, r.Map, QRectF(cut.Rect.Left, cut.Rect.Top, cut.Rect.width(), cut.Rect.height()),
            r.Map.scale());
        if (qint64(area.width()) * area.height() > limit)
            std::abort();
    }
    (void)sw::markedPicture(view, r, page);
}

const Readers* g_readers = nullptr;

} // namespace

// Qt and fontconfig keep caches of the fonts the marked pictures are
// captioned with until the process ends.
extern "C" const char* __asan_default_options()
{
    return "detect_leaks=0";
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    static const Readers readers;
    g_readers = &readers;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const Readers& readers = *g_readers;
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    QString error;
    const QImage scan = sw::decodePicture(bytes, QStringLiteral("input"), &error);
    if (scan.isNull() || qint64(scan.width()) * scan.height() > MaxFuzzPixels)
        return 0;
    readWith(readers.byPositioningBoxes, scan);
    readWith(readers.byFuzzyBoxes, scan);
    return 0;
}
