#pragma once

#include "document/stream/bytewriter.h"
#include "document/stream/names.h"
#include "platform/graphicstypes.h"

#include <QString>
#include <QStringList>
#include <cstdint>

namespace sw::stream {

// Tag and payload of each kind of value, in the smallest or prescribed form.
void writeInteger(ByteWriter& out, std::int32_t value);
void writeFloat(ByteWriter& out, double value);
// A string property: 0x06/0x0C for ASCII, 0x14 when UTF-8 is shorter than
// UTF-16, otherwise 0x12.
void writeString(ByteWriter& out, const QString& value);
// One line of a string list: 0x06/0x0C for ASCII, 0x14 otherwise.
void writeLine(ByteWriter& out, const QString& line);
void writeStringList(ByteWriter& out, const QStringList& lines);
void writeCharacter(ByteWriter& out, QChar value);
void writeIdent(ByteWriter& out, std::string_view name);
void writeBoolean(ByteWriter& out, bool value);
// Members whose bit is set, in ordinal order.
void writeSet(ByteWriter& out, std::uint32_t members, NameTable names);
void writeColour(ByteWriter& out, TColor value);
void writeCharset(ByteWriter& out, std::uint8_t value);

} // namespace sw::stream
