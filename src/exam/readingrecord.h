#pragma once

#include <QByteArray>

namespace sw {

struct SheetReading;

// A reading as stored with a scan: what results and reviews need (status,
// paper type, page, exam number, answers with their doubts, optional choices,
// scores, absence and cheating marks), as compact JSON. The cells and the map
// stay behind.
QByteArray readingRecord(const SheetReading& reading);
// False when the text is no such record.
bool readingFromRecord(const QByteArray& record, SheetReading& reading);

} // namespace sw
