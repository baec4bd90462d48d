#pragma once

#include "document/vectorgraphics.h"

#include <QString>
#include <memory>

namespace sw::cli {

// A fresh document at the --ppi resolution.
std::unique_ptr<TVectorGraphics> newDocument();

// Loads a template as the designer's Open does. With prepare, the pages are
// renumbered and the marks laid out afterwards. On failure prints the reason
// on stderr and returns nullptr (exit with ExitFileError).
std::unique_ptr<TVectorGraphics> openTemplate(const QString& path, bool prepare = true);

// Saves with mode 0; prints the reason and returns false on failure.
bool saveTemplate(TVectorGraphics& document, const QString& path);

// Writes a line to stderr.
void printError(const QString& message);

} // namespace sw::cli
