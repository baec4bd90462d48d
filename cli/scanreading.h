#pragma once

#include "cli/readpictures.h"
#include "cli/scanlist.h"
#include "reading/sheetreader.h"

#include <QString>
#include <cstddef>
#include <functional>
#include <vector>

namespace sw::cli {

// How scans are read: where their pictures go, and whether each is first
// known by the SHA-256 of its bytes.
struct ScanReadingOptions
{
    PictureFolders pictures;
    bool hash = false;
    // With hash: true for a scan not to read again.
    std::function<bool(const QString& sha256)> known;
};

// What became of one scan; the picture itself is gone by then.
struct ScanOutcome
{
    QString sha256;     // with ScanReadingOptions::hash, once the file could be opened
    bool known = false; // read before: nothing else was done
    QString loadError;  // the file is no readable picture
    SheetReading reading;
    QString saveError; // a cut or marked picture could not be written
};

// Reads the scans on `jobs` threads; `done` sees every outcome in input
// order as soon as it and all before it are ready.
void readScans(const SheetReader& reader, const ScanReadingOptions& options,
               const std::vector<ScanFile>& scans, int jobs,
               const std::function<void(std::size_t, const ScanOutcome&)>& done);

// A progress bar on stderr: `done` of `total` scans.
void showProgress(std::size_t done, std::size_t total);

} // namespace sw::cli
