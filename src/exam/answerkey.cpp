#include "exam/answerkey.h"

#include "exam/csvtable.h"
#include "exam/examlayout.h"

#include <QStringList>
#include <map>
#include <set>

namespace sw {

namespace {

const QStringList KeyColumns = {QStringLiteral("paper_type"), QStringLiteral("question"),
                                QStringLiteral("answer"), QStringLiteral("points"),
                                QStringLiteral("partial")};

bool fail(QString* error, const QString& message)
{
    if (error)
        *error = message;
    return false;
}

QString atLine(int line, const QString& message)
{
    return QStringLiteral("答案第 %1 行：%2").arg(line).arg(message);
}

// Points from 0 to MaxQuestionPoints, whole numbers only.
bool parsePoints(const QString& text, int& points)
{
    bool ok = false;
    points = text.trimmed().toInt(&ok);
    return ok && points >= 0 && points <= MaxQuestionPoints;
}

// The answer's characters in the question's option order; an empty string
// when one is not offered or comes twice.
QString normalisedAnswer(const QString& given, const ObjectiveQuestion& question, QString& why)
{
    QString answer;
    for (const QChar c : question.options) {
        const qsizetype count = given.count(c);
        if (count > 1) {
            why = QStringLiteral("答案 %1 中 %2 出现了两次").arg(given, QString(c));
            return {};
        }
        if (count == 1)
            answer += c;
    }
    for (const QChar c : given)
        if (!question.options.contains(c)) {
            why = QStringLiteral("第 %1 题没有选项 %2（可选 %3）")
                      .arg(question.number)
                      .arg(QString(c), question.options);
            return {};
        }
    return answer;
}

// Checks one entry against the template; its answer comes back in option order.
bool checkEntry(KeyEntry& entry, const ExamLayout& layout, QString& why)
{
    const PaperLayout* paper = layout.paper(entry.paperType);
    if (!paper) {
        why = QStringLiteral("模板没有 %1 卷").arg(QString(entry.paperType));
        return false;
    }
    const auto it = paper->objective.find(entry.question);
    if (it == paper->objective.end()) {
        why = QStringLiteral("%1 卷没有第 %2 题").arg(QString(entry.paperType)).arg(entry.question);
        return false;
    }
    const ObjectiveQuestion& question = it->second;
    if (entry.answer.isEmpty()) {
        why = QStringLiteral("第 %1 题没有答案").arg(entry.question);
        return false;
    }
    const QString answer = normalisedAnswer(entry.answer, question, why);
    if (answer.isEmpty())
        return false;
    if (!question.multiple && answer.size() > 1) {
        why = QStringLiteral("第 %1 题是单选题，只能有一个答案（%2）")
                  .arg(entry.question)
                  .arg(entry.answer);
        return false;
    }
    if (entry.partial > 0 && !question.multiple) {
        why = QStringLiteral("第 %1 题是单选题，不能给部分分").arg(entry.question);
        return false;
    }
    if (entry.partial > entry.points) {
        why = QStringLiteral("第 %1 题的部分分 %2 大于满分 %3")
                  .arg(entry.question)
                  .arg(entry.partial)
                  .arg(entry.points);
        return false;
    }
    entry.answer = answer;
    return true;
}

// Every question of every paper type the key names is there.
bool checkComplete(const AnswerKey& key, const ExamLayout& layout, QString& why)
{
    std::map<QChar, std::set<int>> given;
    for (const KeyEntry& e : key)
        given[e.paperType].insert(e.question);
    for (const auto& [paperType, questions] : given)
        for (const auto& [number, question] : layout.papers.at(paperType).objective)
            if (!questions.contains(number)) {
                why = QStringLiteral("答案缺少 %1 卷第 %2 题").arg(QString(paperType)).arg(number);
                return false;
            }
    return true;
}

} // namespace

bool parseAnswerKey(const QByteArray& csv, const ExamLayout& layout, AnswerKey& key, QString* error)
{
    std::vector<CsvRecord> records;
    QString why;
    if (!parseCsv(csv, records, &why))
        return fail(error, QStringLiteral("答案不能读取：%1").arg(why));
    if (records.empty())
        return fail(error, QStringLiteral("答案是空的"));
    QStringList header = records.front().fields;
    for (QString& name : header)
        name = name.trimmed();
    const bool withPartial = header == KeyColumns;
    if (!withPartial && header != KeyColumns.mid(0, 4))
        return fail(error, atLine(records.front().line,
                                  QStringLiteral("标题行应为 %1").arg(KeyColumns.join(u','))));
    if (records.size() == 1)
        return fail(error, QStringLiteral("答案只有标题行"));

    AnswerKey result;
    std::map<std::pair<QChar, int>, int> lineOf;
    for (std::size_t i = 1; i < records.size(); ++i) {
        const CsvRecord& r = records[i];
        if (r.fields.size() != header.size())
            return fail(error, atLine(r.line, QStringLiteral("应有 %1 列，却有 %2 列")
                                                  .arg(header.size())
                                                  .arg(r.fields.size())));
        KeyEntry entry;
        const QString paperType = r.fields[0].trimmed();
        if (paperType.size() != 1)
            return fail(error,
                        atLine(r.line, QStringLiteral("试卷类型应为一个字符：%1").arg(paperType)));
        entry.paperType = paperType.front();
        bool ok = false;
        entry.question = r.fields[1].trimmed().toInt(&ok);
        if (!ok || entry.question <= 0)
            return fail(error,
                        atLine(r.line, QStringLiteral("题号不是正整数：%1").arg(r.fields[1])));
        entry.answer = r.fields[2].trimmed();
        if (!parsePoints(r.fields[3], entry.points))
            return fail(error, atLine(r.line, QStringLiteral("分值应为 0 到 %1 的整数：%2")
                                                  .arg(MaxQuestionPoints)
                                                  .arg(r.fields[3])));
        if (withPartial && !r.fields[4].trimmed().isEmpty() &&
            !parsePoints(r.fields[4], entry.partial))
            return fail(error, atLine(r.line, QStringLiteral("部分分应为 0 到 %1 的整数：%2")
                                                  .arg(MaxQuestionPoints)
                                                  .arg(r.fields[4])));
        if (!checkEntry(entry, layout, why))
            return fail(error, atLine(r.line, why));
        const auto [previous, added] =
            lineOf.try_emplace({entry.paperType, entry.question}, r.line);
        if (!added)
            return fail(error, atLine(r.line, QStringLiteral("%1 卷第 %2 题已在第 %3 行给出")
                                                  .arg(paperType)
                                                  .arg(entry.question)
                                                  .arg(previous->second)));
        result.push_back(entry);
    }
    if (!checkComplete(result, layout, why))
        return fail(error, atLine(records.back().line + 1, why));
    key = std::move(result);
    return true;
}

bool validateAnswerKey(const AnswerKey& key, const ExamLayout& layout, QString* error)
{
    if (key.empty())
        return fail(error, QStringLiteral("答案是空的"));
    std::set<std::pair<QChar, int>> seen;
    QString why;
    for (KeyEntry entry : key) {
        if (!checkEntry(entry, layout, why))
            return fail(error, why);
        if (!seen.insert({entry.paperType, entry.question}).second)
            return fail(error, QStringLiteral("%1 卷第 %2 题给出了两次")
                                   .arg(QString(entry.paperType))
                                   .arg(entry.question));
    }
    if (!checkComplete(key, layout, why))
        return fail(error, why);
    return true;
}

} // namespace sw
