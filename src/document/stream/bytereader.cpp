#include "document/stream/bytereader.h"

#include "document/stream/errors.h"

namespace sw::stream {

void ByteReader::failPastEnd()
{
    fail(streamReadError());
}

std::int8_t ByteReader::readInt8()
{
    return static_cast<std::int8_t>(readByte());
}

std::int16_t ByteReader::readInt16()
{
    const QByteArrayView b = readBytes(2);
    return static_cast<std::int16_t>(static_cast<std::uint8_t>(b[0]) |
                                     static_cast<std::uint8_t>(b[1]) << 8);
}

std::int32_t ByteReader::readInt32()
{
    return static_cast<std::int32_t>(readUInt32());
}

std::uint32_t ByteReader::readUInt32()
{
    const QByteArrayView b = readBytes(4);
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = v << 8 | static_cast<std::uint8_t>(b[i]);
    return v;
}

} // namespace sw::stream
