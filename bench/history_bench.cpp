// Snapshots of a 20-page document as the operation history takes and
// restores them, and the bare stream round trip underneath.

#include "benchinputs.h"

#include "editor/history.h"

#include <QBuffer>

namespace sw::bench {

namespace {

const QString EntryCaption = QStringLiteral("移动-客观题");

// Recording one history entry: the records of the whole document.
void BM_HistorySnapshot(benchmark::State& state)
{
    auto& inputs = BenchInputs::instance();
    TVectorGraphics* document = inputs.twentyPages();
    if (!inputs.require(state, document != nullptr))
        return;
    OperationHistory history(*document);
    for (auto _ : state) {
        // A reset keeps the snapshots from piling up over the iterations.
        history.ResetHistory();
        history.AddEntry(EntryCaption);
    }
    state.counters["pages"] = document->PageCount();
    state.counters["records"] = double(history.Snapshot(0).GPList.size());
}
BENCHMARK(BM_HistorySnapshot)->Apply(timedInMilliseconds);

// Going back to a history entry: the document rebuilt from its records.
void BM_HistoryRestore(benchmark::State& state)
{
    auto& inputs = BenchInputs::instance();
    TVectorGraphics* document = inputs.twentyPages();
    if (!inputs.require(state, document != nullptr))
        return;
    OperationHistory history(*document);
    history.AddEntry(EntryCaption);
    for (auto _ : state) {
        QString error;
        if (!history.RestoreEntry(0, &error)) {
            state.SkipWithError(error.toStdString().c_str());
            break;
        }
    }
    state.counters["pages"] = document->PageCount();
}
BENCHMARK(BM_HistoryRestore)->Apply(timedInMilliseconds);

// One snapshot and its restore through the history.
void BM_HistorySnapshotRestore(benchmark::State& state)
{
    auto& inputs = BenchInputs::instance();
    TVectorGraphics* document = inputs.twentyPages();
    if (!inputs.require(state, document != nullptr))
        return;
    OperationHistory history(*document);
    for (auto _ : state) {
        history.ResetHistory();
        history.AddEntry(EntryCaption);
        QString error;
        if (!history.RestoreEntry(0, &error)) {
            state.SkipWithError(error.toStdString().c_str());
            break;
        }
    }
    state.counters["pages"] = document->PageCount();
}
BENCHMARK(BM_HistorySnapshotRestore)->Apply(timedInMilliseconds);

// SaveToStream into a memory buffer, then LoadFromStream of those bytes.
void BM_StreamSaveLoad(benchmark::State& state)
{
    auto& inputs = BenchInputs::instance();
    TVectorGraphics* document = inputs.twentyPages();
    if (!inputs.require(state, document != nullptr))
        return;
    QByteArray bytes;
    for (auto _ : state) {
        QString error;
        QBuffer out(&bytes);
        out.open(QIODevice::WriteOnly);
        QBuffer in(&bytes);
        if (!document->SaveToStream(SaveAllShapes, out, &error) || !in.open(QIODevice::ReadOnly) ||
            !document->LoadFromStream(in, &error)) {
            state.SkipWithError(error.toStdString().c_str());
            break;
        }
    }
    state.counters["pages"] = document->PageCount();
    state.counters["bytes"] = double(bytes.size());
}
BENCHMARK(BM_StreamSaveLoad)->Apply(timedInMilliseconds);

} // namespace

} // namespace sw::bench
