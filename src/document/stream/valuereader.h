#pragma once

#include "document/stream/bytereader.h"
#include "document/stream/names.h"
#include "platform/graphicstypes.h"

#include <QString>
#include <QStringList>
#include <cstdint>

namespace sw::stream {

// Each reads one value, tag first, and raises "Invalid property value" for a
// tag or content the property type does not accept.
std::int32_t readInteger(ByteReader& in); // 0x02, 0x03, 0x04
double readFloat(ByteReader& in);         // 0x05 or an integer
QString readString(ByteReader& in);       // 0x06, 0x0C, 0x12, 0x14
// The same into `value`, left as it is (and shared) when it already holds the text.
void readString(ByteReader& in, QString& value);
QChar readCharacter(ByteReader& in);                  // a string of exactly one character
int readEnumeration(ByteReader& in, NameTable names); // 0x07 member, 0x08 "False", 0x09 "True"
bool readBoolean(ByteReader& in);
std::uint32_t readSet(ByteReader& in, NameTable names); // unknown members are ignored
QStringList readStringList(ByteReader& in);             // 0x01, strings, 0x00
TColor readColour(ByteReader& in);                      // integer or colour name
std::uint8_t readCharset(ByteReader& in);               // integer 0..255 or charset name

// Steps over one value of any form but a collection, without checking its
// content; false (and stopped somewhere inside it) when a tag is not a value's.
bool skipValue(ByteReader& in);

} // namespace sw::stream
