#include "exam/readingrecord.h"

#include "reading/sheetreader.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace sw {

namespace {

QJsonArray answersArray(const std::vector<QuestionAnswer>& answers)
{
    QJsonArray array;
    for (const QuestionAnswer& a : answers)
        array.append(QJsonArray{a.Number, a.Answer, a.Multiple, a.Uncertain});
    return array;
}

std::vector<QuestionAnswer> answersFrom(const QJsonArray& array)
{
    std::vector<QuestionAnswer> answers;
    answers.reserve(std::size_t(array.size()));
    for (const QJsonValue& v : array) {
        const QJsonArray a = v.toArray();
        answers.push_back(
            {a.at(0).toInt(), a.at(1).toString(), a.at(2).toBool(), a.at(3).toBool()});
    }
    return answers;
}

} // namespace

QByteArray readingRecord(const SheetReading& r)
{
    QJsonArray scores;
    for (const auto& [question, digits] : r.Scores)
        scores.append(QJsonArray{question, digits});
    const QJsonObject object{
        {QStringLiteral("result"), int(r.Result)},
        {QStringLiteral("page_index"), r.PageIndex},
        {QStringLiteral("paper_type"), r.PaperType.isNull() ? QString() : QString(r.PaperType)},
        {QStringLiteral("page"), r.PageNumber},
        {QStringLiteral("exam_number"), r.ExamNumber},
        {QStringLiteral("exam_number_uncertain"), r.ExamNumberUncertain},
        {QStringLiteral("damaged_mark_cells"), r.DamagedMarkCells},
        {QStringLiteral("absent"), r.Absent},
        {QStringLiteral("cheating"), r.Cheating},
        {QStringLiteral("layout_difference"), r.LayoutDifference},
        {QStringLiteral("answers"), answersArray(r.Answers)},
        {QStringLiteral("optional_choices"), answersArray(r.OptionalChoices)},
        {QStringLiteral("scores"), scores},
    };
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

bool readingFromRecord(const QByteArray& record, SheetReading& reading)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(record, &parseError);
    if (!document.isObject())
        return false;
    const QJsonObject o = document.object();
    const int result = o.value(QStringLiteral("result")).toInt(-1);
    if (result < SheetReading::Ok || result > SheetReading::PageUnknown)
        return false;
    SheetReading r;
    r.Result = SheetReading::Status(result);
    r.PageIndex = o.value(QStringLiteral("page_index")).toInt(-1);
    const QString paperType = o.value(QStringLiteral("paper_type")).toString();
    r.PaperType = paperType.isEmpty() ? QChar() : paperType.front();
    r.PageNumber = o.value(QStringLiteral("page")).toInt();
    r.ExamNumber = o.value(QStringLiteral("exam_number")).toString();
    r.ExamNumberUncertain = o.value(QStringLiteral("exam_number_uncertain")).toBool();
    r.DamagedMarkCells = o.value(QStringLiteral("damaged_mark_cells")).toInt();
    r.Absent = o.value(QStringLiteral("absent")).toBool();
    r.Cheating = o.value(QStringLiteral("cheating")).toBool();
    r.LayoutDifference = o.value(QStringLiteral("layout_difference")).toString();
    r.Answers = answersFrom(o.value(QStringLiteral("answers")).toArray());
    r.OptionalChoices = answersFrom(o.value(QStringLiteral("optional_choices")).toArray());
    for (const QJsonValue& v : o.value(QStringLiteral("scores")).toArray()) {
        const QJsonArray pair = v.toArray();
        r.Scores.emplace_back(pair.at(0).toInt(), pair.at(1).toString());
    }
    reading = std::move(r);
    return true;
}

} // namespace sw
