#pragma once

#include "document/records.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace sw::test {

constexpr int kPpi = 96;

// The record of a freshly created page "A" numbered 1.
TPaper newPagePaper();
// The top-left positioning box of a new self-made page at 96 pixels per inch.
TGPS positioningBoxRecord();
// Records with every field away from its creation value.
TPaper fullPaper();
TGPS fullShape();
// A document with every stored property away from its creation value.
StoredDocument fullDocument();

struct SampleStream
{
    QString name;
    QByteArray bytes;
};

// Streams that exercise every value form; they are the fuzzer's seed corpus.
std::vector<SampleStream> sampleStreams();

} // namespace sw::test
