#include "cli/readoutput.h"

#include "exam/csvtable.h"
#include "platform/printabletext.h"
#include "reading/sheetreader.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <algorithm>
#include <map>

namespace sw::cli {

namespace {

QString jsonString(const QString& s)
{
    // The array's brackets are cut off: what is left is the quoted string.
    const QByteArray a = QJsonDocument(QJsonArray{s}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(a.mid(1, a.size() - 2));
}

// An object whose keys keep the order given (question order), unlike QJsonObject.
QString orderedObject(const std::vector<std::pair<QString, QString>>& members)
{
    QStringList parts;
    for (const auto& [key, value] : members)
        parts << jsonString(key) + QLatin1Char(':') + value;
    return QLatin1Char('{') + parts.join(QLatin1Char(',')) + QLatin1Char('}');
}

QString answersObject(const std::vector<QuestionAnswer>& answers)
{
    std::vector<std::pair<QString, QString>> members;
    for (const QuestionAnswer& a : answers)
        members.emplace_back(QString::number(a.Number), jsonString(a.Answer));
    return orderedObject(members);
}

QString numberList(const std::vector<QuestionAnswer>& answers, bool QuestionAnswer::*flag)
{
    QStringList numbers;
    for (const QuestionAnswer& a : answers)
        if (a.*flag)
            numbers << jsonString(QString::number(a.Number));
    return QLatin1Char('[') + numbers.join(QLatin1Char(',')) + QLatin1Char(']');
}

QString boolText(bool b)
{
    return b ? QStringLiteral("true") : QStringLiteral("false");
}

} // namespace

QString readingJsonLine(const QString& scan, const SheetReading& r)
{
    std::vector<std::pair<QString, QString>> scores;
    for (const auto& [question, digits] : r.Scores)
        scores.emplace_back(QString::number(question), jsonString(digits));
    const bool read = r.isRead();
    return orderedObject({
        {QStringLiteral("scan"), jsonString(scan)},
        {QStringLiteral("status"), jsonString(r.statusText())},
        {QStringLiteral("paper_type"),
         read ? jsonString(QString(r.PaperType)) : QStringLiteral("null")},
        {QStringLiteral("page"), read ? QString::number(r.PageNumber) : QStringLiteral("null")},
        {QStringLiteral("exam_number"), jsonString(r.ExamNumber)},
        {QStringLiteral("answers"), answersObject(r.Answers)},
        {QStringLiteral("multiple"), numberList(r.Answers, &QuestionAnswer::Multiple)},
        {QStringLiteral("uncertain"), numberList(r.Answers, &QuestionAnswer::Uncertain)},
        {QStringLiteral("optional_choices"), answersObject(r.OptionalChoices)},
        {QStringLiteral("scores"), orderedObject(scores)},
        {QStringLiteral("absent"), boolText(r.Absent)},
        {QStringLiteral("cheating"), boolText(r.Cheating)},
        {QStringLiteral("residual"), QString::number(r.Found.Fit.Residual, 'f', 2)},
        {QStringLiteral("review"), boolText(r.needsReview())},
    });
}

QString unreadableJsonLine(const QString& scan, const QString& error)
{
    return orderedObject({{QStringLiteral("scan"), jsonString(scan)},
                          {QStringLiteral("status"), jsonString(error)},
                          {QStringLiteral("paper_type"), QStringLiteral("null")},
                          {QStringLiteral("page"), QStringLiteral("null")},
                          {QStringLiteral("exam_number"), jsonString({})},
                          {QStringLiteral("answers"), QStringLiteral("{}")},
                          {QStringLiteral("multiple"), QStringLiteral("[]")},
                          {QStringLiteral("uncertain"), QStringLiteral("[]")},
                          {QStringLiteral("review"), QStringLiteral("true")}});
}

std::vector<int> answerColumns(const std::vector<PageGeometry>& pages)
{
    std::vector<int> numbers;
    for (const PageGeometry& page : pages)
        for (const BubbleBoxGeometry& box : page.BubbleBoxes)
            if (box.Purpose == RSResult)
                for (const QuestionGeometry& q : box.Questions)
                    numbers.push_back(q.Number);
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    return numbers;
}

QString csvHeader(const std::vector<int>& questions)
{
    QStringList fields{QStringLiteral("scan"), QStringLiteral("status"),
                       QStringLiteral("paper_type"), QStringLiteral("page"),
                       QStringLiteral("exam_number")};
    for (const int q : questions)
        fields << QString::number(q);
    return fields.join(QLatin1Char(','));
}

QString csvRow(const QString& scan, const SheetReading* r, const QString& status,
               const std::vector<int>& questions)
{
    const bool read = r && r->isRead();
    QStringList fields{csvField(scan), csvField(status),
                       read ? csvField(QString(r->PaperType)) : QString(),
                       read ? QString::number(r->PageNumber) : QString(),
                       read ? csvField(r->ExamNumber) : QString()};
    std::map<int, QString> byNumber;
    if (read)
        for (const QuestionAnswer& a : r->Answers)
            byNumber[a.Number] += a.Answer;
    for (const int q : questions) {
        const auto it = byNumber.find(q);
        fields << (it == byNumber.end() ? QString() : csvField(it->second));
    }
    return fields.join(QLatin1Char(','));
}

QString readingTextLine(const QString& scan, const SheetReading& r)
{
    QString line = scan + QStringLiteral(": ") + r.statusText();
    if (!r.isRead())
        return line;
    line +=
        QStringLiteral(", %1卷--%2面").arg(printableText(QString(r.PaperType))).arg(r.PageNumber);
    if (!r.ExamNumber.isEmpty())
        line += QStringLiteral(", exam number ") + printableText(r.ExamNumber);
    QStringList answers;
    for (const QuestionAnswer& a : r.Answers)
        answers << QStringLiteral("%1=%2").arg(a.Number).arg(
            a.Answer.isEmpty() ? QStringLiteral("-") : printableText(a.Answer));
    if (!answers.isEmpty())
        line += QStringLiteral(", ") + answers.join(QLatin1Char(' '));
    return line;
}

} // namespace sw::cli
