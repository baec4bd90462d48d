#pragma once

#include "document/analysis/darkmask.h"
#include "document/vectorgraphics.h"

#include <QImage>
#include <QRect>
#include <QString>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace sw::bench {

// The settings of every case: times in milliseconds, and the CPU time of the
// whole process, since Qt converts and scales images on worker threads too.
inline void timedInMilliseconds(benchmark::internal::Benchmark* b)
{
    b->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
}

// The inputs the benchmark cases share, made on first use and kept for the
// whole run. A case whose input could not be made is skipped with the reason.
class BenchInputs
{
public:
    static BenchInputs& instance();

    // A folder for files written by the cases; it holds the dense page's picture.
    const QTemporaryDir& folder() const { return m_folder; }
    // One A4 page of DenseShapeCount mixed shapes; nullptr on failure.
    TVectorGraphics* densePage();
    // 20 pages of answer sheets; nullptr on failure.
    TVectorGraphics* twentyPages();
    // A one-page answer sheet exported at ScanDpi (A4: 2480 x 3508); null on failure.
    const QImage& scan();
    // scanRegion() of the scan turned by ScanSkewDegrees, binarized; empty on failure.
    const DarkMask& scanRegionMask();

    // Why the last input failed.
    const QString& error() const { return m_error; }
    // Skips the case when `ok` is false; returns ok.
    bool require(benchmark::State& state, bool ok) const;

private:
    BenchInputs() = default;

    QTemporaryDir m_folder;
    std::unique_ptr<TVectorGraphics> m_dense;
    std::unique_ptr<TVectorGraphics> m_twenty;
    QImage m_scan;
    DarkMask m_mask;
    bool m_scanTried = false;
    bool m_maskTried = false;
    QString m_error;
};

} // namespace sw::bench
