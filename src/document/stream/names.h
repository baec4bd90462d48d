#pragma once

#include "platform/graphicstypes.h"
#include "shapes/enums.h"

#include <QByteArrayView>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace sw::stream {

// Member names of an enumeration or set type, in ordinal order.
using NameTable = std::span<const std::string_view>;

// Ordinal of `name` (matched exactly), if the table has it.
std::optional<int> findName(NameTable names, QByteArrayView name);

template <class E> NameTable enumNames();
template <> NameTable enumNames<TGraphicsType>();
template <> NameTable enumNames<TTextType>();
template <> NameTable enumNames<TShowType>();
template <> NameTable enumNames<TAspect>();
template <> NameTable enumNames<TOptionType>();
template <> NameTable enumNames<TPageSize>();
template <> NameTable enumNames<TPrinterOrientation>();
template <> NameTable enumNames<TPenMode>();
template <> NameTable enumNames<TPenStyle>();
template <> NameTable enumNames<TBrushStyle>();
template <> NameTable enumNames<TFontPitch>();
template <> NameTable enumNames<TFontStyle>();
// "False", "True"
template <> NameTable enumNames<bool>();

// Colour and charset identifiers. Names are matched without regard to case.
std::optional<std::string_view> colourName(TColor value);
std::optional<TColor> colourFromName(QByteArrayView name);
std::optional<std::string_view> charsetName(std::uint8_t value);
std::optional<std::uint8_t> charsetFromName(QByteArrayView name);

} // namespace sw::stream
