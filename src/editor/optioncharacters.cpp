#include "editor/optioncharacters.h"

#include "document/stream/text.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

namespace sw {

QStringList builtInOptionCharacters()
{
    QStringList list{"TF",      "AB",         "ABC",         "ABCD",      "ABCDE",     "ABCDEF",
                     "ABCDEFG", "0123456789", "0123456789X", "123456789", "BA",        "CBA",
                     "DCBA",    "EDCBA",      "FEDCBA",      "GFEDCBA",   "01",        "012",
                     "0123",    "01234",      "012345",      "0123456",   "01234567",  "012345678",
                     "10",      "21",         "321",         "4321",      "210",       "3210",
                     "43210",   "543210",     "6543210",     "76543210",  "876543210", "12",
                     "123",     "1234",       "12345",       "123456",    "1234567",   "12345678",
                     "1248"};
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
