// The mark detection's image work on a 300-dpi scan of an answer sheet.

#include "benchinputs.h"
#include "benchsupport.h"

#include "document/analysis/blobs.h"
#include "document/analysis/rotation.h"

namespace sw::bench {

namespace {

// Binarizing the scan region, the upper half of the A4 sheet.
void BM_BinarizedArea(benchmark::State& state)
{
    auto& inputs = BenchInputs::instance();
    const QImage& scan = inputs.scan();
    if (!inputs.require(state, !scan.isNull()))
        return;
    const QRect region = scanRegion(scan.size());
    for (auto _ : state)
        benchmark::DoNotOptimize(binarizedArea(scan, region, ScanThreshold));
    state.counters["pixels"] = double(region.width()) * region.height();
}
BENCHMARK(BM_BinarizedArea)->Apply(timedInMilliseconds);

// FindBlobs on the binarized region with the minimum size state.range(0):
// 1 keeps every blob, 50 is what the mark detection asks for.
void BM_FindBlobs(benchmark::State& state)
{
    auto& inputs = BenchInputs::instance();
    const DarkMask& mask = inputs.scanRegionMask();
    if (!inputs.require(state, mask.width() > 0))
        return;
    const int minimum = int(state.range(0));
    std::size_t blobs = 0;
    for (auto _ : state)
        blobs = FindBlobs(mask, minimum).size();
    state.counters["blobs"] = double(blobs);
    state.counters["pixels"] = double(mask.width()) * mask.height();
}
BENCHMARK(BM_FindBlobs)->ArgName("minimum")->Arg(1)->Arg(50)->Apply(timedInMilliseconds);

// The skew correction of a whole A4 scan at 300 dpi by half a degree, in
// colour and in grey.
void BM_RotatePicture(benchmark::State& state)
{
    auto& inputs = BenchInputs::instance();
    const QImage& page = inputs.scan();
    if (!inputs.require(state, !page.isNull()))
        return;
    const QImage scan = page.convertToFormat(state.range(0) != 0 ? QImage::Format_Grayscale8
                                                                 : QImage::Format_RGB32);
    for (auto _ : state)
        benchmark::DoNotOptimize(turnPicture(scan, ScanSkewDegrees));
    state.counters["pixels"] = double(scan.width()) * scan.height();
}
BENCHMARK(BM_RotatePicture)->ArgName("grey")->Arg(0)->Arg(1)->Apply(timedInMilliseconds);

} // namespace

} // namespace sw::bench
