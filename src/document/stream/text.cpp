#include "document/stream/text.h"

#include <QStringDecoder>
#include <algorithm>

namespace sw::stream {

bool isAscii(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

bool isAscii(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

QString decodeAnsi(QByteArrayView bytes)
{
    if (isAscii(bytes))
        return QString::fromLatin1(bytes);
    QStringDecoder gbk("GBK", QStringDecoder::Flag::Stateless);
    return gbk.decode(bytes);
}

} // namespace sw::stream
