#include "platform/printabletext.h"

#include <QList>
#include <QStringDecoder>

namespace sw {

namespace {

bool needsEscape(char32_t c)
{
    return c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0) || c == 0x2028 || c == 0x2029 ||
           c == u'\\';
}

void appendEscaped(QString& out, char32_t c)
{
    if (c < 0x100)
        out += QStringLiteral("\\x%1").arg(uint(c), 2, 16, QLatin1Char('0'));
    else
        out += QStringLiteral("\\u%1").arg(uint(c), 4, 16, QLatin1Char('0'));
}

void appendPrintable(QString& out, QStringView text)
{
    for (const char32_t c : text.toUcs4()) {
        if (needsEscape(c))
            appendEscaped(out, c);
        else
            out += QString::fromUcs4(&c, 1);
    }
}

// Length of the valid UTF-8 sequence starting at `i`, or 0.
qsizetype utf8SequenceAt(const QByteArray& bytes, qsizetype i)
{
    const uchar lead = uchar(bytes[i]);
    const qsizetype length = lead < 0x80                   ? 1
                             : lead >= 0xC2 && lead < 0xE0 ? 2
                             : lead >= 0xE0 && lead < 0xF0 ? 3
                             : lead >= 0xF0 && lead < 0xF5 ? 4
                                                           : 0;
    if (length == 0 || i + length > bytes.size())
        return 0;
    for (qsizetype k = 1; k < length; ++k)
        if ((uchar(bytes[i + k]) & 0xC0) != 0x80)
            return 0;
    // Overlong forms, surrogates and code points past U+10FFFF are not UTF-8.
    QStringDecoder strict(QStringDecoder::Utf8);
    (void)QString(strict(bytes.mid(i, length)));
    return strict.hasError() ? 0 : length;
}

} // namespace

QString printableText(const QString& text)
{
    QString out;
    out.reserve(text.size());
    appendPrintable(out, text);
    return out;
}

QString printableFileName(const QByteArray& nativeName)
{
    QString out;
    qsizetype i = 0;
    while (i < nativeName.size()) {
        qsizetype run = i;
        while (run < nativeName.size()) {
            const qsizetype n = utf8SequenceAt(nativeName, run);
            if (n == 0)
                break;
            run += n;
        }
        appendPrintable(out, QString::fromUtf8(nativeName.mid(i, run - i)));
        if (run < nativeName.size())
            appendEscaped(out, uchar(nativeName[run++]));
        i = run;
    }
    return out;
}

} // namespace sw
