#pragma once

#include <QString>

namespace sw {

class Database;
class TVectorGraphics;

// Replaces the document by template `id` of the library, then renumbers the
// pages and lays out the page marks, as opening a template file does. The
// document's file name stays. A missing id, an empty or unreadable stream, or
// a stream without pages is refused with the reason in *error, leaving the
// document as it was.
bool loadTemplateIntoDocument(const Database& database, qint64 id, TVectorGraphics& document,
                              QString* error = nullptr);

} // namespace sw
