#include "exam/roster.h"

#include "exam/csvtable.h"

#include <QHash>

namespace sw {

namespace {

bool fail(QString* error, const QString& message)
{
    if (error)
        *error = message;
    return false;
}

QString atLine(int line, const QString& message)
{
    return QStringLiteral("名单第 %1 行：%2").arg(line).arg(message);
}

} // namespace

bool parseRoster(const QByteArray& csv, Roster& roster, QString* error)
{
    std::vector<CsvRecord> records;
    QString why;
    if (!parseCsv(csv, records, &why))
        return fail(error, QStringLiteral("名单不能读取：%1").arg(why));
    if (records.empty())
        return fail(error, QStringLiteral("名单是空的"));
    const CsvRecord& header = records.front();
    if (header.fields.size() < 2 || header.fields[0].trimmed() != QLatin1String("exam_number") ||
        header.fields[1].trimmed() != QLatin1String("name"))
        return fail(error, atLine(header.line, QStringLiteral("标题行应以 exam_number,name 开始")));

    Roster result;
    for (qsizetype c = 2; c < header.fields.size(); ++c)
        result.extraColumns << header.fields[c].trimmed();
    QHash<QString, int> lineOf;
    for (std::size_t i = 1; i < records.size(); ++i) {
        const CsvRecord& r = records[i];
        if (r.fields.size() != header.fields.size())
            return fail(error, atLine(r.line, QStringLiteral("应有 %1 列，却有 %2 列")
                                                  .arg(header.fields.size())
                                                  .arg(r.fields.size())));
        RosterEntry entry{r.fields[0].trimmed(), r.fields[1].trimmed(), r.fields.mid(2)};
        if (entry.examNumber.isEmpty())
            return fail(error, atLine(r.line, QStringLiteral("缺少考号")));
        if (const auto previous = lineOf.constFind(entry.examNumber); previous != lineOf.cend())
            return fail(error, atLine(r.line, QStringLiteral("考号 %1 已在第 %2 行出现")
                                                  .arg(entry.examNumber)
                                                  .arg(*previous)));
        lineOf.insert(entry.examNumber, r.line);
        result.entries.push_back(std::move(entry));
    }
    roster = std::move(result);
    return true;
}

} // namespace sw
