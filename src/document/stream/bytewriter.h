#pragma once

#include "document/stream/format.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QStringView>
#include <cstdint>
#include <cstring>
#include <functional>

namespace sw::stream {

// Takes written bytes in turn; false when it could not keep them.
using ByteSink = std::function<bool(QByteArrayView)>;

// Little-endian appending to a byte array. The array grows ahead of the
// written bytes, so that a value costs a bounds check and a copy.
class ByteWriter
{
public:
    ByteWriter() = default;
    // Hands the bytes to `sink` whenever about `chunkSize` of them are written
    // instead of keeping them all; after a refusal the rest is dropped.
    ByteWriter(ByteSink sink, qsizetype chunkSize);

    void writeByte(std::uint8_t b)
    {
        if (m_size == m_bytes.size())
            grow(1);
        m_begin[m_size++] = static_cast<char>(b);
    }
    void writeTag(Tag tag) { writeByte(static_cast<std::uint8_t>(tag)); }
    void writeBytes(QByteArrayView b)
    {
        if (b.size() > m_bytes.size() - m_size)
            grow(b.size());
        if (!b.isEmpty())
            std::memcpy(m_begin + m_size, b.data(), std::size_t(b.size()));
        m_size += b.size();
    }
    void writeInt16(std::int16_t v);
    void writeUInt32(std::uint32_t v);
    // One byte per character; every character is below 0x80.
    void writeAscii(QStringView text);
    // One length byte, then the bytes; `s` is one of the program's own names.
    void writeShortString(QByteArrayView s);
    // The same for `prefix`, `s` and `suffix` in turn, without joining them.
    void writeShortString(QByteArrayView prefix, QByteArrayView s, QByteArrayView suffix = {});

    // Makes room for `size` bytes in all.
    void reserve(qsizetype size);

    // The bytes written; the writer is left empty.
    QByteArray take();
    // With a sink: hands it the bytes not yet handed over. False when the sink
    // refused any.
    bool finish();

private:
    // Makes room for at least `count` more bytes.
    void grow(qsizetype count);
    void handOver();

    QByteArray m_bytes; // m_size bytes written, the rest room to grow
    qsizetype m_size = 0;
    char* m_begin = nullptr;
    ByteSink m_sink;
    bool m_sinkAccepted = true;
};

} // namespace sw::stream
