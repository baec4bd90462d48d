#pragma once

#include <QByteArrayView>
#include <QString>

namespace sw::stream {

bool isAscii(QStringView text);
bool isAscii(QByteArrayView bytes);

// Payload of a byte string (tags 0x06, 0x0C): ASCII as is, anything else in the
// Chinese ANSI code page (GBK).
QString decodeAnsi(QByteArrayView bytes);

} // namespace sw::stream
