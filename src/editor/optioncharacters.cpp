#include "editor/optioncharacters.h"

#include "document/stream/text.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

namespace sw {

QStringList builtInOptionCharacters()
{
    using namespace Qt::StringLiterals;
    QStringList list{u"TF"_s,      u"AB"_s,       u"ABC"_s,        u"ABCD"_s,        u"ABCDE"_s,
                     u"ABCDEF"_s,  u"ABCDEFG"_s,  u"0123456789"_s, u"0123456789X"_s, u"123456789"_s,
                     u"BA"_s,      u"CBA"_s,      u"DCBA"_s,       u"EDCBA"_s,       u"FEDCBA"_s,
                     u"GFEDCBA"_s, u"01"_s,       u"012"_s,        u"0123"_s,        u"01234"_s,
                     u"012345"_s,  u"0123456"_s,  u"01234567"_s,   u"012345678"_s,   u"10"_s,
                     u"21"_s,      u"321"_s,      u"4321"_s,       u"210"_s,         u"3210"_s,
                     u"43210"_s,   u"543210"_s,   u"6543210"_s,    u"76543210"_s,    u"876543210"_s,
                     u"12"_s,      u"123"_s,      u"1234"_s,       u"12345"_s,       u"123456"_s,
                     u"1234567"_s, u"12345678"_s, u"1248"_s};
    // Then "A", "AB", ... up to "ABCDEFGHIJKLMNOPQRSTUVW".
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVW");
    for (qsizetype n = 1; n <= letters.size(); ++n)
        list.append(letters.left(n));
    return list;
}

namespace {

QString decodeLines(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return stream::decodeAnsi(bytes);
}

} // namespace

std::optional<QStringList> readOptionCharacterFile(const QString& folder, QString* error)
{
    const QDir dir(folder);
    QString path = dir.filePath(OptionCharacterFile);
    if (!QFileInfo(path).isFile())
        path = dir.filePath(QStringLiteral("temp\\typelist.tmp"));
    if (!QFileInfo(path).isFile())
        return std::nullopt;

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    // Read one byte more than allowed to tell a file that is too large.
    const QByteArray bytes = file.read(MaxOptionCharacterFileSize + 1);
    if (bytes.size() > MaxOptionCharacterFileSize) {
        if (error)
            *error = QStringLiteral("%1: file larger than %2 bytes")
                         .arg(path)
                         .arg(MaxOptionCharacterFileSize);
        return std::nullopt;
    }

    // One entry per line; a line break at the very end adds no entry.
    QString text = decodeLines(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    if (text.isEmpty())
        return QStringList{};
    return text.split(QLatin1Char('\n'));
}

} // namespace sw
