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

    std::uint8_t readByte();
    std::uint8_t peekByte() const;
    QByteArrayView readBytes(std::uint64_t count);
    std::int8_t readInt8();
    std::int16_t readInt16();
    std::int32_t readInt32();
    std::uint32_t readUInt32();
    // One length byte, then that many bytes (a view into the data).
    QByteArrayView readShortString();

private:
    QByteArrayView m_data;
    qsizetype m_pos = 0;
};

} // namespace sw::stream
