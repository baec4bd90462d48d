// Painting a dense page on screen, and exporting it.

#include "benchinputs.h"
#include "benchsupport.h"

#include "document/export.h"
#include "document/painting.h"
#include "platform/qpaintercanvas.h"
#include "platform/rounding.h"

#include <QFileInfo>

namespace sw::bench {

namespace {

// A repaint of the page at zoom state.range(0): a fresh canvas over a white
// image of the page's size at that zoom, then Paint as on screen.
void BM_PaintDensePage(benchmark::State& state)
{
    auto& inputs = BenchInputs::instance();
    TVectorGraphics* document = inputs.densePage();
    if (!inputs.require(state, document != nullptr))
        return;
    TVectorGraph& page = *document->ActivePage();
    const double zoom = double(state.range(0));
    page.SetScaleX(zoom);
    page.SetScaleY(zoom);
    QImage image(roundHalfEven(document->toPixels(page.Width) * zoom),
                 roundHalfEven(document->toPixels(page.Height) * zoom), QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainterCanvas canvas(image, ScreenPpi);
        Paint(page, canvas, OutputScreen);
    }
    page.SetScaleX(1.0);
    page.SetScaleY(1.0);
    state.SetItemsProcessed(state.iterations() * page.ShapeCount());
    state.counters["shapes"] = page.ShapeCount();
    state.counters["pixels"] = double(image.width()) * image.height();
}
BENCHMARK(BM_PaintDensePage)->ArgName("zoom")->Arg(1)->Arg(2)->Apply(timedInMilliseconds);

// ExportImage of the dense page at ScanDpi into the bench folder.
void BM_ExportDensePage(benchmark::State& state, const char* suffix)
{
    auto& inputs = BenchInputs::instance();
    TVectorGraphics* document = inputs.densePage();
    if (!inputs.require(state, document != nullptr))
        return;
    const QString file =
        inputs.folder().filePath(QStringLiteral("export.") + QLatin1String(suffix));
    for (auto _ : state) {
        QString error;
        if (!ExportImage(*document, file, ScanDpi, &error)) {
            state.SkipWithError(error.toStdString().c_str());
            break;
        }
    }
    state.counters["bytes"] = double(QFileInfo(file).size());
}
BENCHMARK_CAPTURE(BM_ExportDensePage, png_300dpi, "png")->Apply(timedInMilliseconds);
BENCHMARK_CAPTURE(BM_ExportDensePage, jpeg_300dpi, "jpg")->Apply(timedInMilliseconds);
BENCHMARK_CAPTURE(BM_ExportDensePage, pdf_300dpi, "pdf")->Apply(timedInMilliseconds);

} // namespace

} // namespace sw::bench
