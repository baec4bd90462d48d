#include "personalise/roster.h"

#include <QFile>
#include <QHash>
#include <QStringDecoder>
#include <algorithm>
#include <utility>

namespace sw {

namespace {

struct Record
{
    int Line = 0; // where the record starts
    QStringList Fields;
};

bool fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
    return false;
}

QString lineMessage(int line, const QString& text)
{
    return QStringLiteral("名单第 %1 行：%2").arg(line).arg(text);
}

// Splits CSV text into records. A quoted field may hold commas, doubled
// quotes and line breaks; CR LF, CR and LF end a record.
class CsvSplitter
{
public:
    explicit CsvSplitter(const QString& text) : m_text(text) {}

    // The next record, or nothing at the end or (with *error set) at an
    // unterminated quote.
    std::optional<Record> next(QString* error)
    {
        while (m_pos < m_text.size() && isBreak(m_text.at(m_pos)))
            skipBreak(); // blank lines
        if (m_pos >= m_text.size())
            return std::nullopt;
        Record record{m_line, {}};
        QString field;
        bool quoted = false;
        while (m_pos < m_text.size()) {
            const QChar c = m_text.at(m_pos);
            if (quoted) {
                if (c == QLatin1Char('"')) {
                    if (m_pos + 1 < m_text.size() && m_text.at(m_pos + 1) == QLatin1Char('"')) {
                        field += c;
                        m_pos += 2;
                        continue;
                    }
                    quoted = false;
                } else if (isBreak(c)) {
                    field += QLatin1Char('\n');
                    skipBreak();
                    continue;
                } else {
                    field += c;
                }
                ++m_pos;
                continue;
            }
            if (isBreak(c)) {
                skipBreak();
                break;
            }
            if (c == QLatin1Char('"'))
                quoted = true;
            else if (c == QLatin1Char(','))
                record.Fields << std::exchange(field, QString());
            else
                field += c;
            ++m_pos;
        }
        if (quoted) {
            fail(error, lineMessage(record.Line, QStringLiteral("引号没有结束")));
            return std::nullopt;
        }
        record.Fields << field;
        return record;
    }

private:
    static bool isBreak(QChar c) { return c == QLatin1Char('\n') || c == QLatin1Char('\r'); }

    void skipBreak()
    {
        if (m_text.at(m_pos) == QLatin1Char('\r') && m_pos + 1 < m_text.size() &&
            m_text.at(m_pos + 1) == QLatin1Char('\n'))
            ++m_pos;
        ++m_pos;
        ++m_line;
    }

    const QString& m_text;
    qsizetype m_pos = 0;
    int m_line = 1;
};

bool checkHeader(const Record& header, QString* error)
{
    for (const QString& required : {ExamNumberColumn, NameColumn})
        if (!header.Fields.contains(required))
            return fail(error, lineMessage(header.Line, QStringLiteral("表头缺少 %1 列（表头须有 "
                                                                       "exam_number 和 name）")
                                                            .arg(required)));
    for (qsizetype i = 0; i < header.Fields.size(); ++i) {
        const QString& column = header.Fields.at(i);
        if (column.isEmpty())
            return fail(
                error, lineMessage(header.Line, QStringLiteral("表头第 %1 列没有名称").arg(i + 1)));
        if (header.Fields.indexOf(column) != i)
            return fail(error,
                        lineMessage(header.Line, QStringLiteral("表头的 %1 列重复").arg(column)));
    }
    return true;
}

bool hasSpace(const QString& s)
{
    return std::any_of(s.begin(), s.end(), [](QChar c) { return c.isSpace(); });
}

} // namespace

QString Roster::value(const Candidate& candidate, const QString& column) const
{
    const qsizetype i = Columns.indexOf(column);
    return i < 0 || i >= candidate.Values.size() ? QString() : candidate.Values.at(i);
}

std::optional<Roster> parseRoster(const QByteArray& csv, QString* error)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(csv);
    if (decoder.hasError()) {
        fail(error, QStringLiteral("名单不是 UTF-8 编码的文本"));
        return std::nullopt;
    }
    CsvSplitter splitter(text);
    QString splitError;
    const std::optional<Record> header = splitter.next(&splitError);
    if (!header) {
        fail(error, splitError.isEmpty() ? QStringLiteral("名单是空的") : splitError);
        return std::nullopt;
    }
    if (!checkHeader(*header, error))
        return std::nullopt;

    Roster roster;
    roster.Columns = header->Fields;
    const qsizetype numberColumn = roster.Columns.indexOf(ExamNumberColumn);
    const qsizetype nameColumn = roster.Columns.indexOf(NameColumn);
    QHash<QString, int> firstLine;
    while (const std::optional<Record> record = splitter.next(&splitError)) {
        const auto refuse = [&](const QString& text) {
            fail(error, lineMessage(record->Line, text));
            return std::nullopt;
        };
        if (record->Fields.size() != roster.Columns.size())
            return refuse(QStringLiteral("有 %1 列，表头有 %2 列")
                              .arg(record->Fields.size())
                              .arg(roster.Columns.size()));
        const QString number = record->Fields.at(numberColumn);
        if (number.isEmpty())
            return refuse(QStringLiteral("没有考号"));
        if (hasSpace(number))
            return refuse(QStringLiteral("考号“%1”含有空白").arg(number));
        if (const auto seen = firstLine.constFind(number); seen != firstLine.cend())
            return refuse(QStringLiteral("考号 %1 与第 %2 行重复").arg(number).arg(*seen));
        if (roster.Candidates.size() >= std::size_t(MaxRosterCandidates))
            return refuse(QStringLiteral("名单超过 %1 名考生").arg(MaxRosterCandidates));
        firstLine.insert(number, record->Line);
        roster.Candidates.push_back(
            {record->Line, number, record->Fields.at(nameColumn), record->Fields});
    }
    if (!splitError.isEmpty()) {
        fail(error, splitError);
        return std::nullopt;
    }
    if (roster.Candidates.empty()) {
        fail(error, QStringLiteral("名单里没有考生"));
        return std::nullopt;
    }
    return roster;
}

std::optional<Roster> readRosterFile(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(error, QStringLiteral("不能读取名单 %1（%2）").arg(path, file.errorString()));
        return std::nullopt;
    }
    const QByteArray bytes = file.read(MaxRosterBytes + 1);
    if (bytes.size() > MaxRosterBytes) {
        fail(error, QStringLiteral("名单 %1 超过 %2 MB").arg(path).arg(MaxRosterBytes >> 20));
        return std::nullopt;
    }
    return parseRoster(bytes, error);
}

} // namespace sw
