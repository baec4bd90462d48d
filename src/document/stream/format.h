#pragma once

#include <cstdint>
#include <string_view>

namespace sw::stream {

// Value tags of the component stream. The tag space also holds binary (0x0A),
// single (0x0F), currency (0x10), date (0x11) and 64-bit integer (0x13) values;
// no stored property uses them, so neither the writer nor the reader does.
enum class Tag : std::uint8_t
{
    End = 0x00,
    List = 0x01,
    Int8 = 0x02,
    Int16 = 0x03,
    Int32 = 0x04,
    Extended = 0x05,
    String = 0x06,
    Ident = 0x07,
    False = 0x08,
    True = 0x09,
    Set = 0x0B,
    LString = 0x0C,
    Nil = 0x0D,
    Collection = 0x0E,
    WString = 0x12,
    Utf8String = 0x14,
};

inline constexpr std::string_view kSignature = "TPF0";

} // namespace sw::stream
