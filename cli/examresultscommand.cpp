// exam results: one row per candidate, as CSV or JSON lines, or a workbook.

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/documentio.h"
#include "cli/examsession.h"
#include "exam/csvtable.h"
#include "platform/outputfile.h"
#include "reports/examreportdata.h"
#include "reports/resultsworkbook.h"

#include <QFile>
#include <QHash>
#include <QIODevice>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>
#include <map>

namespace sw::cli {

namespace {

QString subjectiveColumn(int question)
{
    return QStringLiteral("s%1").arg(question);
}

QString csvHeader(const ExamResults& results)
{
    QStringList fields{QStringLiteral("exam_number"), QStringLiteral("name"),
                       QStringLiteral("paper_type"), QStringLiteral("status"),
                       QStringLiteral("total")};
    for (const int q : results.objectiveColumns)
        fields << QString::number(q);
    for (const int q : results.subjectiveColumns)
        fields << subjectiveColumn(q);
    return fields.join(QLatin1Char(','));
}

QString csvRow(const ExamResults& results, const CandidateResult& c)
{
    const bool missing = c.status == CandidateStatus::Missing;
    QStringList fields{csvField(c.examNumber), csvField(c.name),
                       c.paperType.isNull() ? QString() : csvField(QString(c.paperType)),
                       candidateStatusName(c.status),
                       missing ? QString() : QString::number(c.total)};
    std::map<std::pair<bool, int>, int> points;
    for (const QuestionResult& q : c.questions)
        points[{q.subjective, q.question}] = q.points;
    const auto cell = [&](bool subjective, int question) {
        const auto it = points.find({subjective, question});
        return it == points.end() ? QString() : QString::number(it->second);
    };
    for (const int q : results.objectiveColumns)
        fields << cell(false, q);
    for (const int q : results.subjectiveColumns)
        fields << cell(true, q);
    return fields.join(QLatin1Char(','));
}

QString jsonLine(const ExamData& data, const QHash<qint64, QString>& hashes,
                 const CandidateResult& c)
{
    QJsonObject extra;
    for (qsizetype i = 0; i < c.extra.size() && i < data.roster.extraColumns.size(); ++i)
        extra.insert(data.roster.extraColumns[i], c.extra[i]);
    QJsonArray questions;
    for (const QuestionResult& q : c.questions)
        questions.append(QJsonObject{
            {QStringLiteral("question"),
             q.subjective ? subjectiveColumn(q.question) : QString::number(q.question)},
            {QStringLiteral("chosen"), q.chosen},
            {QStringLiteral("read"), q.read},
            {QStringLiteral("key"), q.key},
            {QStringLiteral("points"), q.points},
            {QStringLiteral("state"), answerStateName(q.state)},
            {QStringLiteral("decided"), q.decided},
        });
    QJsonArray scans;
    for (const qint64 id : c.scans)
        scans.append(hashes.value(id));
    const QJsonObject object{
        {QStringLiteral("exam_number"), c.examNumber},
        {QStringLiteral("name"), c.name},
        {QStringLiteral("extra"), extra},
        {QStringLiteral("paper_type"), c.paperType.isNull() ? QString() : QString(c.paperType)},
        {QStringLiteral("status"), candidateStatusName(c.status)},
        {QStringLiteral("total"), c.total},
        {QStringLiteral("questions"), questions},
        {QStringLiteral("scans"), scans},
    };
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

} // namespace

int runExamResults(const QStringList& args)
{
    Arguments a(args, {QStringLiteral("--json")},
                {QStringLiteral("--db"), QStringLiteral("--csv"), QStringLiteral("--xlsx")});
    a.expectPositional(1, 1);
    const bool json = a.flag(QStringLiteral("--json"));
    const auto csvPath = a.value(QStringLiteral("--csv"));
    const auto xlsxPath = a.value(QStringLiteral("--xlsx"));
    const QString location = databaseLocation(a);
    refuseDatabaseAsOutput("--csv", csvPath, location);
    refuseDatabaseAsOutput("--xlsx", xlsxPath, location);
    if (csvPath && xlsxPath &&
        resolvedPath(QFile::encodeName(*csvPath)) == resolvedPath(QFile::encodeName(*xlsxPath)))
        throw UsageError{QStringLiteral("--csv 和 --xlsx 是同一个文件")};

    ScoredExam exam;
    if (!loadScoredExam(exam, location, a.positional(0, "NAME")))
        return ExitFileError;
    const ExamData& data = exam.data;
    const ExamResults& results = exam.results;
    QString error;

    QString csv = csvHeader(results) + QLatin1Char('\n');
    for (const CandidateResult& c : results.candidates)
        csv += csvRow(results, c) + QLatin1Char('\n');
    QTextStream out(stdout);
    if (json) {
        QHash<qint64, QString> hashes;
        for (const ExamScan& scan : data.scans)
            hashes.insert(scan.id, scan.sha256);
        for (const CandidateResult& c : results.candidates)
            out << jsonLine(data, hashes, c) << '\n';
    } else if (!csvPath && !xlsxPath) {
        out << csv;
    }
    if (csvPath) {
        const QByteArray bytes = csv.toUtf8();
        const auto write = [&bytes](QIODevice& device, QString* writeError) {
            if (device.write(bytes) == bytes.size())
                return true;
            *writeError = device.errorString();
            return false;
        };
        if (!saveOutputFile(*csvPath, write, &error))
            return fileFailure(error);
    }
    if (xlsxPath && !writeResultsWorkbook(examReportData(data, results), *xlsxPath, &error))
        return fileFailure(error);
    return ExitOk;
}

} // namespace sw::cli
