#pragma once

#include "document/records.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <functional>

namespace sw {

// The `.exm` template stream: the bytes of files, of the template library and of
// the history snapshots.

// The whole stream of the document, deterministic for equal documents.
QByteArray writeTemplate(const StoredDocument& document);
// The same bytes handed to `sink` in chunks, without holding them all; false
// when the sink returned false for one (it is given nothing more then).
bool writeTemplate(const StoredDocument& document, const std::function<bool(QByteArrayView)>& sink);

// Reads a template stream into `document`. Properties the stream lacks keep the
// value `document` had; records are created fresh, their fonts being
// recordDefaultFont(pixelsPerInch). Returns false at the first error with its
// message in *error (if given); `document` then holds what was read up to there.
// The caller clears the collections before (the reader only clears a collection
// when the stream holds at least one item for it).
bool readTemplate(const QByteArray& bytes, StoredDocument& document, int pixelsPerInch,
                  QString* error = nullptr);

// Gives `target` what writing `source` and reading the stream back into it
// would (see readTemplate), without the bytes: the history's snapshots are
// restored this way.
void copyTemplate(const StoredDocument& source, StoredDocument& target, int pixelsPerInch);

} // namespace sw
