#pragma once

#include "document/analysis/blobs.h"

#include <QImage>
#include <vector>

namespace sw::test {

// The blob search exactly as defined, step by step and slow: each
// black pixel in scan order is compared with the pixels of every blob whose
// widened bounding box holds it, newest pixel first; the first blob that
// touches it receives it and later touching blobs are merged into that one
// and left empty in their place.
std::vector<TBlob> referenceFindBlobs(const QImage& binarized, int minimum);

// Binarization exactly as written: gray rounded from 0.3 R + 0.59 G + 0.11 B.
QImage referenceBinarize(const QImage& image, int threshold);

} // namespace sw::test
