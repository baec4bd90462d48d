#pragma once

#include "document/stream/format.h"

#include <QByteArray>
#include <QByteArrayView>
#include <cstdint>

namespace sw::stream {

// Little-endian appending to a byte array.
class ByteWriter
{
public:
    void writeByte(std::uint8_t b) { m_bytes.append(static_cast<char>(b)); }
    void writeTag(Tag tag) { writeByte(static_cast<std::uint8_t>(tag)); }
    void writeBytes(QByteArrayView b) { m_bytes.append(b); }
    void writeInt16(std::int16_t v);
    void writeUInt32(std::uint32_t v);
    // One length byte, then the bytes; `s` is one of the program's own names.
    void writeShortString(QByteArrayView s);
    // The same for the string `prefix` followed by `s`, without joining them.
    void writeShortString(QByteArrayView prefix, QByteArrayView s);

    const QByteArray& bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

} // namespace sw::stream
