#include "document/stream/bytewriter.h"

#include <algorithm>

namespace sw::stream {

namespace {

constexpr qsizetype FirstCapacity = 4096;

} // namespace

ByteWriter::ByteWriter(ByteSink sink, qsizetype chunkSize) : m_sink(std::move(sink))
{
    reserve(chunkSize);
}

void ByteWriter::handOver()
{
    if (m_size > 0 && m_sinkAccepted)
        m_sinkAccepted = m_sink(QByteArrayView(m_begin, m_size));
    m_size = 0;
}

void ByteWriter::grow(qsizetype count)
{
    if (m_sink) {
        handOver();
        if (count <= m_bytes.size())
            return;
    }
    m_bytes.resize(std::max({FirstCapacity, 2 * m_bytes.size(), m_size + count}));
    m_begin = m_bytes.data();
}

void ByteWriter::reserve(qsizetype size)
{
    if (size > m_bytes.size())
        grow(size - m_size);
}

QByteArray ByteWriter::take()
{
    m_bytes.truncate(m_size);
    m_size = 0;
    m_begin = nullptr;
    return std::move(m_bytes);
}

bool ByteWriter::finish()
{
    handOver();
    return m_sinkAccepted;
}

void ByteWriter::writeInt16(std::int16_t v)
{
    const auto u = static_cast<std::uint16_t>(v);
    const char b[2] = {static_cast<char>(u), static_cast<char>(u >> 8)};
    writeBytes(QByteArrayView(b, 2));
}

void ByteWriter::writeUInt32(std::uint32_t v)
{
    const char b[4] = {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
                       static_cast<char>(v >> 24)};
    writeBytes(QByteArrayView(b, 4));
}

void ByteWriter::writeAscii(QStringView text)
{
    if (text.size() > m_bytes.size() - m_size)
        grow(text.size());
    for (QChar c : text)
        m_begin[m_size++] = static_cast<char>(c.unicode());
}

void ByteWriter::writeShortString(QByteArrayView s)
{
    Q_ASSERT(s.size() <= 255);
    writeByte(static_cast<std::uint8_t>(s.size()));
    writeBytes(s);
}

void ByteWriter::writeShortString(QByteArrayView prefix, QByteArrayView s, QByteArrayView suffix)
{
    const qsizetype size = prefix.size() + s.size() + suffix.size();
    Q_ASSERT(size <= 255);
    writeByte(static_cast<std::uint8_t>(size));
    writeBytes(prefix);
    writeBytes(s);
    writeBytes(suffix);
}

} // namespace sw::stream
