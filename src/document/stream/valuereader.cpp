#include "document/stream/valuereader.h"

#include "document/stream/errors.h"
#include "document/stream/extended.h"
#include "document/stream/format.h"
#include "document/stream/text.h"

#include <optional>

namespace sw::stream {

namespace {

Tag readTag(ByteReader& in)
{
    return static_cast<Tag>(in.readByte());
}

bool isIntegerTag(std::uint8_t tag)
{
    return tag == std::uint8_t(Tag::Int8) || tag == std::uint8_t(Tag::Int16) ||
           tag == std::uint8_t(Tag::Int32);
}

// The identifier of 0x07, 0x08 or 0x09.
QByteArrayView readIdent(ByteReader& in)
{
    switch (readTag(in)) {
    case Tag::Ident:
        return in.readShortString();
    case Tag::False:
        return "False";
    case Tag::True:
        return "True";
    default:
        fail(invalidPropertyValue());
    }
}

QString fromUtf16(QByteArrayView bytes)
{
    QString s(bytes.size() / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < s.size(); ++i)
        s[i] = QChar(static_cast<char16_t>(static_cast<std::uint8_t>(bytes[2 * i]) |
                                           static_cast<std::uint8_t>(bytes[2 * i + 1]) << 8));
    return s;
}

} // namespace

std::int32_t readInteger(ByteReader& in)
{
    switch (readTag(in)) {
    case Tag::Int8:
        return in.readInt8();
    case Tag::Int16:
        return in.readInt16();
    case Tag::Int32:
        return in.readInt32();
    default:
        fail(invalidPropertyValue());
    }
}

double readFloat(ByteReader& in)
{
    if (isIntegerTag(in.peekByte()))
        return readInteger(in);
    if (readTag(in) != Tag::Extended)
        fail(invalidPropertyValue());
    ExtendedBytes bytes;
    const QByteArrayView payload = in.readBytes(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(payload[static_cast<qsizetype>(i)]);
    const std::optional<double> value = fromExtended(bytes);
    if (!value)
        fail(invalidPropertyValue());
    return *value;
}

QString readString(ByteReader& in)
{
    switch (readTag(in)) {
    case Tag::String:
        return decodeAnsi(in.readBytes(in.readByte()));
    case Tag::LString:
        return decodeAnsi(in.readBytes(in.readUInt32()));
    case Tag::WString:
        return fromUtf16(in.readBytes(std::uint64_t{in.readUInt32()} * 2));
    case Tag::Utf8String:
        return QString::fromUtf8(in.readBytes(in.readUInt32()));
    default:
        fail(invalidPropertyValue());
    }
}

void readString(ByteReader& in, QString& value)
{
    if (in.peekByte() != std::uint8_t(Tag::String)) {
        value = readString(in);
        return;
    }
    in.readByte();
    const QByteArrayView bytes = in.readBytes(in.readByte());
    if (!isAscii(bytes) || QLatin1StringView(bytes) != value)
        value = decodeAnsi(bytes);
}

QChar readCharacter(ByteReader& in)
{
    const QString s = readString(in);
    if (s.size() != 1)
        fail(invalidPropertyValue());
    return s[0];
}

int readEnumeration(ByteReader& in, NameTable names)
{
    const std::optional<int> ordinal = findName(names, readIdent(in));
    if (!ordinal)
        fail(invalidPropertyValue());
    return *ordinal;
}

bool readBoolean(ByteReader& in)
{
    return readEnumeration(in, enumNames<bool>()) == 1;
}

std::uint32_t readSet(ByteReader& in, NameTable names)
{
    if (readTag(in) != Tag::Set)
        fail(invalidPropertyValue());
    std::uint32_t members = 0;
    for (QByteArrayView name = in.readShortString(); !name.isEmpty(); name = in.readShortString())
        if (const std::optional<int> ordinal = findName(names, name))
            members |= std::uint32_t{1} << *ordinal;
    return members;
}

QStringList readStringList(ByteReader& in)
{
    if (readTag(in) != Tag::List)
        fail(invalidPropertyValue());
    QStringList lines;
    while (in.peekByte() != std::uint8_t(Tag::End))
        lines.append(readString(in));
    in.readByte();
    return lines;
}

TColor readColour(ByteReader& in)
{
    if (in.peekByte() != std::uint8_t(Tag::Ident))
        return static_cast<TColor>(readInteger(in));
    const std::optional<TColor> colour = colourFromName(readIdent(in));
    if (!colour)
        fail(invalidPropertyValue());
    return *colour;
}

std::uint8_t readCharset(ByteReader& in)
{
    if (in.peekByte() != std::uint8_t(Tag::Ident)) {
        const std::int32_t value = readInteger(in);
        if (value < 0 || value > 255)
            fail(invalidPropertyValue());
        return static_cast<std::uint8_t>(value);
    }
    const std::optional<std::uint8_t> charset = charsetFromName(readIdent(in));
    if (!charset)
        fail(invalidPropertyValue());
    return *charset;
}

bool skipValue(ByteReader& in)
{
    // Lists hold values only, so nesting is counted rather than recursed into.
    int openLists = 0;
    do {
        const auto tag = static_cast<Tag>(in.readByte());
        if (tag == Tag::End && openLists > 0) {
            --openLists;
            continue;
        }
        switch (tag) {
        case Tag::List:
            ++openLists;
            break;
        case Tag::Int8:
            in.readBytes(1);
            break;
        case Tag::Int16:
            in.readBytes(2);
            break;
        case Tag::Int32:
            in.readBytes(4);
            break;
        case Tag::Extended:
            in.readBytes(ExtendedBytes().size());
            break;
        case Tag::String:
        case Tag::Ident:
            in.readShortString();
            break;
        case Tag::False:
        case Tag::True:
        case Tag::Nil:
            break;
        case Tag::Set:
            while (!in.readShortString().isEmpty()) {
            }
            break;
        case Tag::LString:
        case Tag::Utf8String:
            in.readBytes(in.readUInt32());
            break;
        case Tag::WString:
            in.readBytes(std::uint64_t{in.readUInt32()} * 2);
            break;
        default: // an end out of place, a collection or no value's tag
            return false;
        }
    } while (openLists > 0);
    return true;
}

} // namespace sw::stream
