#include "document/stream/bytereader.h"

#include "document/stream/errors.h"

namespace sw::stream {

std::uint8_t ByteReader::readByte()
{
    const std::uint8_t b = peekByte();
    ++m_pos;
    return b;
}

std::uint8_t ByteReader::peekByte() const
{
    if (m_pos >= m_data.size())
        fail(streamReadError());
    return static_cast<std::uint8_t>(m_data[m_pos]);
}

QByteArrayView ByteReader::readBytes(std::uint64_t count)
{
    if (count > static_cast<std::uint64_t>(m_data.size() - m_pos))
        fail(streamReadError());
    const QByteArrayView bytes = m_data.sliced(m_pos, static_cast<qsizetype>(count));
    m_pos += static_cast<qsizetype>(count);
    return bytes;
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

QByteArrayView ByteReader::readShortString()
{
    const std::uint8_t length = readByte();
    return readBytes(length);
}

} // namespace sw::stream
