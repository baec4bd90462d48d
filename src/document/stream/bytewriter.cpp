#include "document/stream/bytewriter.h"

namespace sw::stream {

void ByteWriter::writeInt16(std::int16_t v)
{
    const auto u = static_cast<std::uint16_t>(v);
    writeByte(static_cast<std::uint8_t>(u));
    writeByte(static_cast<std::uint8_t>(u >> 8));
}

void ByteWriter::writeUInt32(std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        writeByte(static_cast<std::uint8_t>(v >> (8 * i)));
}

void ByteWriter::writeShortString(QByteArrayView s)
{
    Q_ASSERT(s.size() <= 255);
    writeByte(static_cast<std::uint8_t>(s.size()));
    writeBytes(s);
}

void ByteWriter::writeShortString(QByteArrayView prefix, QByteArrayView s)
{
    Q_ASSERT(prefix.size() + s.size() <= 255);
    writeByte(static_cast<std::uint8_t>(prefix.size() + s.size()));
    writeBytes(prefix);
    writeBytes(s);
}

} // namespace sw::stream
