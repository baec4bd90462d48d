#include "exam/csvtable.h"

#include <QStringDecoder>
#include <algorithm>

namespace sw {

namespace {

bool fail(QString* error, const QString& message)
{
    if (error)
        *error = message;
    return false;
}

bool isBlank(const CsvRecord& record)
{
    return record.fields.size() == 1 && record.fields.first().trimmed().isEmpty();
}

} // namespace

bool parseCsv(const QByteArray& bytes, std::vector<CsvRecord>& records, QString* error)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return fail(error, QStringLiteral("文件不是 UTF-8 文本"));
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);

    std::vector<CsvRecord> result;
    CsvRecord record{1, {}};
    QString field;
    int line = 1;
    bool quoted = false;
    int quoteLine = 0;
    const auto endRecord = [&] {
        record.fields << field;
        field.clear();
        if (!isBlank(record))
            result.push_back(std::move(record));
        record = CsvRecord{line, {}};
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"')) {
                    field += c;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == QLatin1Char('\n'))
                    ++line;
                field += c;
            }
        } else if (c == QLatin1Char('"') && field.isEmpty()) {
            quoted = true;
            quoteLine = line;
        } else if (c == QLatin1Char(',')) {
            record.fields << field;
            field.clear();
        } else if (c == QLatin1Char('\n')) {
            ++line;
            endRecord();
        } else if (c != QLatin1Char('\r')) {
            field += c;
        }
    }
    if (quoted)
        return fail(error, QStringLiteral("第 %1 行的引号没有结束").arg(quoteLine));
    endRecord();
    records = std::move(result);
    return true;
}

QString csvField(const QString& text)
{
    const bool plain = std::none_of(text.begin(), text.end(), [](QChar c) {
        return c == QLatin1Char(',') || c == QLatin1Char('"') || c == QLatin1Char('\n') ||
               c == QLatin1Char('\r');
    });
    if (plain)
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace sw
