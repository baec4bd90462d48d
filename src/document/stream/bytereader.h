#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <cstdint>

namespace sw::stream {

// Bounds-checked little-endian reading; running past the end raises
// "Stream read error" before anything is allocated.
class ByteReader
{
public:
    explicit ByteReader(QByteArrayView data) : m_data(data) {}

    std::uint8_t readByte()
    {
        const std::uint8_t b = peekByte();
        ++m_pos;
        return b;
    }
    std::uint8_t peekByte() const
    {
        if (m_pos >= m_data.size())
            failPastEnd();
        return static_cast<std::uint8_t>(m_data[m_pos]);
    }
    QByteArrayView readBytes(std::uint64_t count)
    {
        if (count > static_cast<std::uint64_t>(m_data.size() - m_pos))
            failPastEnd();
        const QByteArrayView bytes = m_data.sliced(m_pos, static_cast<qsizetype>(count));
        m_pos += static_cast<qsizetype>(count);
        return bytes;
    }
    std::int8_t readInt8();
    std::int16_t readInt16();
    std::int32_t readInt32();
    std::uint32_t readUInt32();
    // One length byte, then that many bytes (a view into the data).
    QByteArrayView readShortString() { return readBytes(readByte()); }

private:
    [[noreturn]] static void failPastEnd();

    QByteArrayView m_data;
    qsizetype m_pos = 0;
};

} // namespace sw::stream
