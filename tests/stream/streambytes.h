#pragma once

#include <QByteArray>
#include <string_view>

namespace sw::test {

// Builds expected stream bytes piece by piece.
class StreamBytes
{
public:
    // Bytes given as hex pairs, spaces ignored: "05 00 0E".
    StreamBytes& hex(std::string_view pairs)
    {
        bytes_.append(QByteArray::fromHex(QByteArray(pairs.data(), qsizetype(pairs.size()))));
        return *this;
    }
    StreamBytes& ascii(std::string_view text)
    {
        bytes_.append(text.data(), qsizetype(text.size()));
        return *this;
    }
    // Length byte, then the text: a property name, an identifier, ...
    StreamBytes& name(std::string_view text)
    {
        bytes_.append(char(text.size()));
        return ascii(text);
    }
    StreamBytes& ident(std::string_view text)
    {
        bytes_.append(char(0x07));
        return name(text);
    }
    StreamBytes& integer8(int v)
    {
        bytes_.append(char(0x02));
        bytes_.append(char(v));
        return *this;
    }
    StreamBytes& raw(const QByteArray& b)
    {
        bytes_.append(b);
        return *this;
    }
    // "TPF0", class name, empty component name.
    StreamBytes& header() { return ascii("TPF0").name("TVectorGraphics").hex("00"); }

    operator QByteArray() const { return bytes_; }
    const QByteArray& bytes() const { return bytes_; }

private:
    QByteArray bytes_;
};

} // namespace sw::test
