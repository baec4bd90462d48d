#include "document/stream/valuewriter.h"

#include "document/stream/extended.h"
#include "document/stream/text.h"

#include <limits>

namespace sw::stream {

namespace {

QByteArrayView view(std::string_view s)
{
    return QByteArrayView(s.data(), static_cast<qsizetype>(s.size()));
}

// The tag and length of an ASCII string: 0x06 (up to 255 bytes) or 0x0C.
void writeByteStringHead(ByteWriter& out, qsizetype size)
{
    if (size <= 255) {
        out.writeTag(Tag::String);
        out.writeByte(static_cast<std::uint8_t>(size));
    } else {
        out.writeTag(Tag::LString);
        out.writeUInt32(static_cast<std::uint32_t>(size));
    }
}

void writeAsciiString(ByteWriter& out, QStringView text)
{
    writeByteStringHead(out, text.size());
    out.writeAscii(text);
}

void writeUtf8(ByteWriter& out, const QByteArray& utf8)
{
    out.writeTag(Tag::Utf8String);
    out.writeUInt32(static_cast<std::uint32_t>(utf8.size()));
    out.writeBytes(utf8);
}

} // namespace

void writeInteger(ByteWriter& out, std::int32_t value)
{
    if (value >= std::numeric_limits<std::int8_t>::min() &&
        value <= std::numeric_limits<std::int8_t>::max()) {
        out.writeTag(Tag::Int8);
        out.writeByte(static_cast<std::uint8_t>(value));
    } else if (value >= std::numeric_limits<std::int16_t>::min() &&
               value <= std::numeric_limits<std::int16_t>::max()) {
        out.writeTag(Tag::Int16);
        out.writeInt16(static_cast<std::int16_t>(value));
    } else {
        out.writeTag(Tag::Int32);
        out.writeUInt32(static_cast<std::uint32_t>(value));
    }
}

void writeFloat(ByteWriter& out, double value)
{
    out.writeTag(Tag::Extended);
    const ExtendedBytes bytes = toExtended(value);
    out.writeBytes(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}

void writeString(ByteWriter& out, const QString& value)
{
    if (!value.isEmpty() && isAscii(value)) {
        writeAsciiString(out, value);
        return;
    }
    const QByteArray utf8 = value.toUtf8();
    if (utf8.size() < 2 * value.size()) {
        writeUtf8(out, utf8);
        return;
    }
    out.writeTag(Tag::WString);
    out.writeUInt32(static_cast<std::uint32_t>(value.size()));
    for (QChar c : value)
        out.writeInt16(static_cast<std::int16_t>(c.unicode()));
}

void writeLine(ByteWriter& out, const QString& line)
{
    if (isAscii(line))
        writeAsciiString(out, line);
    else
        writeUtf8(out, line.toUtf8());
}

void writeStringList(ByteWriter& out, const QStringList& lines)
{
    out.writeTag(Tag::List);
    for (const QString& line : lines)
        writeLine(out, line);
    out.writeTag(Tag::End);
}

void writeCharacter(ByteWriter& out, QChar value)
{
    if (value.unicode() < 0x80)
        writeAsciiString(out, QStringView(&value, 1));
    else // no single byte stands for it; the string form reads back as one character
        writeString(out, QString(value));
}

void writeIdent(ByteWriter& out, std::string_view name)
{
    out.writeTag(Tag::Ident);
    out.writeShortString(view(name));
}

void writeBoolean(ByteWriter& out, bool value)
{
    out.writeTag(value ? Tag::True : Tag::False);
}

void writeSet(ByteWriter& out, std::uint32_t members, NameTable names)
{
    out.writeTag(Tag::Set);
    for (std::size_t i = 0; i < names.size(); ++i)
        if (members & (std::uint32_t{1} << i))
            out.writeShortString(view(names[i]));
    out.writeByte(0);
}

void writeColour(ByteWriter& out, TColor value)
{
    if (const auto name = colourName(value))
        writeIdent(out, *name);
    else
        writeInteger(out, static_cast<std::int32_t>(value));
}

void writeCharset(ByteWriter& out, std::uint8_t value)
{
    if (const auto name = charsetName(value))
        writeIdent(out, *name);
    else
        writeInteger(out, value);
}

} // namespace sw::stream
