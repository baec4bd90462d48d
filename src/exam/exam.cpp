#include "exam/exam.h"

#include "document/templatestream.h"
#include "document/vectorgraphics.h"
#include "exam/examtables.h"
#include "exam/readingrecord.h"
#include "reading/sheetgeometry.h"
#include "storage/database.h"
#include "storage/sqlsupport.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace sw {

namespace {

QString timeText(const QDateTime& time)
{
    return time.toUTC().toString(Qt::ISODate);
}

QDateTime timeFrom(const QVariant& value)
{
    return QDateTime::fromString(value.toString(), Qt::ISODate);
}

QString listText(const QStringList& values)
{
    return QString::fromUtf8(
        QJsonDocument(QJsonArray::fromStringList(values)).toJson(QJsonDocument::Compact));
}

QStringList listFrom(const QVariant& value)
{
    QStringList values;
    for (const QJsonValue& v : QJsonDocument::fromJson(value.toString().toUtf8()).array())
        values << v.toString();
    return values;
}

// A failure while stepping through rows already fetched.
bool rowsFailed(const Database& database, const QSqlQuery& query, const QString& what,
                QString* error)
{
    if (!query.lastError().isValid())
        return false;
    reportFailure(error, database.describeFailure(what, query.lastError()));
    return true;
}

} // namespace

Exam::Exam(const Database& database) : m_database(database) {}

Exam::~Exam() = default;

bool Exam::loadDocument(int screenPpi, QString* error)
{
    StoredDocument stored;
    QString reason;
    bool readable = readTemplate(m_template, stored, screenPpi, &reason);
    if (readable && stored.Papers.empty()) {
        readable = false;
        reason = QStringLiteral("模板没有页面");
    }
    auto document = std::make_unique<TVectorGraphics>(screenPpi);
    if (readable) {
        QBuffer buffer(&m_template);
        buffer.open(QIODevice::ReadOnly);
        readable = document->LoadFromStream(buffer, &reason);
    }
    if (!readable)
        return reportFailure(error,
                             QStringLiteral("考试 %1 的模板不能读取。（%2）").arg(m_name, reason));
    document->RenumberPages();
    document->LayoutMarks();
    m_layout = examLayout(documentGeometry(*document));
    m_document = std::move(document);
    return true;
}

std::unique_ptr<Exam> Exam::create(const Database& database, const QString& name,
                                   const QByteArray& templateBytes, int screenPpi, QString* error)
{
    if (name.trimmed().isEmpty()) {
        reportFailure(error, QStringLiteral("考试需要名称"));
        return nullptr;
    }
    std::unique_ptr<Exam> exam(new Exam(database));
    exam->m_name = name;
    exam->m_template = templateBytes;
    if (!exam->loadDocument(screenPpi, error) || !prepareExamTables(database, error))
        return nullptr;
    SqlTransaction transaction(database);
    if (!transaction.begun(error))
        return nullptr;
    QSqlQuery query(database.connection());
    if (!database.run(query,
                      QStringLiteral("INSERT INTO exams (name, template, created) VALUES "
                                     "(?, ?, ?) ON CONFLICT (name) DO NOTHING RETURNING id"),
                      {name, templateBytes, timeText(QDateTime::currentDateTimeUtc())}, error))
        return nullptr;
    if (!query.next()) {
        if (!rowsFailed(database, query, QStringLiteral("不能建立考试 %1").arg(name), error))
            reportFailure(
                error, QStringLiteral("数据库 %1 中已有名为 %2 的考试").arg(database.path(), name));
        return nullptr;
    }
    exam->m_id = query.value(0).toLongLong();
    query.finish();
    if (!transaction.commit(error))
        return nullptr;
    return exam;
}

bool Exam::exists(const Database& database, const QString& name, bool& found, QString* error)
{
    if (!prepareExamTables(database, error))
        return false;
    QSqlQuery query(database.connection());
    if (!database.run(query, QStringLiteral("SELECT id FROM exams WHERE name = ?"), {name}, error))
        return false;
    found = query.next();
    return !rowsFailed(database, query, QStringLiteral("不能读取考试 %1").arg(name), error);
}

std::unique_ptr<Exam> Exam::open(const Database& database, const QString& name, int screenPpi,
                                 QString* error)
{
    if (!prepareExamTables(database, error))
        return nullptr;
    QSqlQuery query(database.connection());
    if (!database.run(query, QStringLiteral("SELECT id, template FROM exams WHERE name = ?"),
                      {name}, error))
        return nullptr;
    if (!query.next()) {
        if (!rowsFailed(database, query, QStringLiteral("不能读取考试 %1").arg(name), error))
            reportFailure(
                error, QStringLiteral("数据库 %1 中没有名为 %2 的考试").arg(database.path(), name));
        return nullptr;
    }
    std::unique_ptr<Exam> exam(new Exam(database));
    exam->m_id = query.value(0).toLongLong();
    exam->m_name = name;
    exam->m_template = query.value(1).toByteArray();
    query.finish();
    if (!exam->loadDocument(screenPpi, error))
        return nullptr;
    return exam;
}

bool Exam::storeKey(const AnswerKey& key, int* version, QString* error) const
{
    if (!validateAnswerKey(key, m_layout, error))
        return false;
    SqlTransaction transaction(m_database);
    if (!transaction.begun(error) || !m_database.lockForWriting(QStringLiteral("exam_keys"), error))
        return false;
    QSqlQuery query(m_database.connection());
    if (!m_database.run(
            query, QStringLiteral("SELECT COALESCE(MAX(version), 0) FROM exam_keys WHERE exam = ?"),
            {m_id}, error))
        return false;
    const int next = query.next() ? query.value(0).toInt() + 1 : 1;
    query.finish();
    for (const KeyEntry& e : key)
        if (!m_database.run(
                query,
                QStringLiteral("INSERT INTO exam_keys (exam, version, paper_type, "
                               "question, answer, points, partial) VALUES "
                               "(?, ?, ?, ?, ?, ?, ?)"),
                {m_id, next, QString(e.paperType), e.question, e.answer, e.points, e.partial},
                error))
            return false;
    if (!transaction.commit(error))
        return false;
    if (version)
        *version = next;
    return true;
}

bool Exam::storeRoster(const Roster& roster, QString* error) const
{
    SqlTransaction transaction(m_database);
    if (!transaction.begun(error))
        return false;
    QSqlQuery query(m_database.connection());
    if (!m_database.run(query, QStringLiteral("DELETE FROM exam_roster WHERE exam = ?"), {m_id},
                        error) ||
        !m_database.run(query, QStringLiteral("UPDATE exams SET roster_columns = ? WHERE id = ?"),
                        {listText(roster.extraColumns), m_id}, error))
        return false;
    for (std::size_t i = 0; i < roster.entries.size(); ++i) {
        const RosterEntry& e = roster.entries[i];
        if (!m_database.run(query,
                            QStringLiteral("INSERT INTO exam_roster (exam, row_order, exam_number, "
                                           "name, extra) VALUES (?, ?, ?, ?, ?)"),
                            {m_id, qint64(i), e.examNumber, e.name, listText(e.extra)}, error))
            return false;
    }
    return transaction.commit(error);
}

bool Exam::storedScans(QSet<QString>& sha256s, QString* error) const
{
    QSqlQuery query(m_database.connection());
    if (!m_database.run(query, QStringLiteral("SELECT sha256 FROM exam_scans WHERE exam = ?"),
                        {m_id}, error))
        return false;
    QSet<QString> result;
    while (query.next())
        result.insert(query.value(0).toString());
    if (rowsFailed(m_database, query, QStringLiteral("不能列出考试 %1 的扫描图").arg(m_name),
                   error))
        return false;
    sha256s = std::move(result);
    return true;
}

bool Exam::storeScan(const QString& sha256, const QString& fileName, const SheetReading& reading,
                     const QString& failure, bool* added, QString* error) const
{
    SqlTransaction transaction(m_database);
    if (!transaction.begun(error))
        return false;
    QSqlQuery query(m_database.connection());
    if (!m_database.run(query,
                        QStringLiteral("INSERT INTO exam_scans (exam, sha256, file_name, reading, "
                                       "failure, read_time) VALUES (?, ?, ?, ?, ?, ?) "
                                       "ON CONFLICT (exam, sha256) DO NOTHING RETURNING id"),
                        {m_id, sha256, fileName, QString::fromUtf8(readingRecord(reading)), failure,
                         timeText(QDateTime::currentDateTimeUtc())},
                        error))
        return false;
    const bool inserted = query.next();
    if (rowsFailed(m_database, query, QStringLiteral("不能保存扫描图 %1").arg(fileName), error))
        return false;
    query.finish();
    if (!transaction.commit(error))
        return false;
    if (added)
        *added = inserted;
    return true;
}

bool Exam::fetchScans(std::vector<ExamScan>& scans, const QString& condition,
                      const QVariantList& values, QString* error) const
{
    QSqlQuery query(m_database.connection());
    if (!m_database.run(query,
                        QStringLiteral("SELECT id, sha256, file_name, reading, failure, read_time "
                                       "FROM exam_scans WHERE exam = ? %1 ORDER BY id")
                            .arg(condition),
                        QVariantList{m_id} + values, error))
        return false;
    std::vector<ExamScan> result;
    while (query.next()) {
        ExamScan scan;
        scan.id = query.value(0).toLongLong();
        scan.sha256 = query.value(1).toString();
        scan.fileName = query.value(2).toString();
        scan.failure = query.value(4).toString();
        scan.readTime = timeFrom(query.value(5));
        if (!readingFromRecord(query.value(3).toString().toUtf8(), scan.reading) &&
            scan.failure.isEmpty())
            scan.failure = QStringLiteral("保存的识读结果已损坏");
        result.push_back(std::move(scan));
    }
    if (rowsFailed(m_database, query, QStringLiteral("不能读取考试 %1 的扫描图").arg(m_name),
                   error))
        return false;
    scans = std::move(result);
    return true;
}

bool Exam::findScan(const QString& scan, ExamScan& found, QString* error) const
{
    std::vector<ExamScan> scans;
    const bool hash =
        scan.size() >= 8 && scan.size() <= 64 && std::all_of(scan.begin(), scan.end(), [](QChar c) {
            return c.isDigit() || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
        });
    const bool ok = hash ? fetchScans(scans, QStringLiteral("AND sha256 LIKE ?"),
                                      {scan.toLower() + QLatin1Char('%')}, error)
                         : fetchScans(scans, QStringLiteral("AND file_name = ?"), {scan}, error);
    if (!ok)
        return false;
    if (scans.empty())
        return reportFailure(error, QStringLiteral("考试 %1 中没有扫描图 %2").arg(m_name, scan));
    if (scans.size() > 1)
        return reportFailure(error,
                             QStringLiteral("考试 %1 中有 %2 张扫描图符合 %3，请给出更长的 SHA-256")
                                 .arg(m_name)
                                 .arg(scans.size())
                                 .arg(scan));
    found = std::move(scans.front());
    return true;
}

bool Exam::appendDecision(const Decision& decision, QString* error) const
{
    if (decision.reviewer.trimmed().isEmpty())
        return reportFailure(error, QStringLiteral("决定需要复核人"));
    const QDateTime time =
        decision.time.isValid() ? decision.time : QDateTime::currentDateTimeUtc();
    SqlTransaction transaction(m_database);
    if (!transaction.begun(error))
        return false;
    QSqlQuery query(m_database.connection());
    if (!m_database.run(query,
                        QStringLiteral("INSERT INTO exam_decisions (exam, scan, target, question, "
                                       "answer, reviewer, reason, decided_at, withdrawn) "
                                       "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                        {m_id, decision.scan, decisionTargetName(decision.target),
                         decision.question, decision.answer, decision.reviewer, decision.reason,
                         timeText(time), int(decision.withdrawn)},
                        error))
        return false;
    return transaction.commit(error);
}

bool Exam::load(ExamData& data, QString* error) const
{
    ExamData result;
    result.name = m_name;
    result.layout = m_layout;
    QSqlQuery query(m_database.connection());
    const QString reading = QStringLiteral("不能读取考试 %1").arg(m_name);

    if (!m_database.run(query,
                        QStringLiteral("SELECT version, paper_type, question, answer, points, "
                                       "partial FROM exam_keys WHERE exam = ? AND version = "
                                       "(SELECT MAX(version) FROM exam_keys WHERE exam = ?) "
                                       "ORDER BY id"),
                        {m_id, m_id}, error))
        return false;
    while (query.next()) {
        result.keyVersion = query.value(0).toInt();
        const QString paperType = query.value(1).toString();
        result.key.push_back({paperType.isEmpty() ? QChar() : paperType.front(),
                              query.value(2).toInt(), query.value(3).toString(),
                              query.value(4).toInt(), query.value(5).toInt()});
    }
    if (rowsFailed(m_database, query, reading, error))
        return false;

    if (!m_database.run(query, QStringLiteral("SELECT roster_columns FROM exams WHERE id = ?"),
                        {m_id}, error))
        return false;
    if (query.next())
        result.roster.extraColumns = listFrom(query.value(0));
    if (rowsFailed(m_database, query, reading, error) ||
        !m_database.run(query,
                        QStringLiteral("SELECT exam_number, name, extra FROM exam_roster "
                                       "WHERE exam = ? ORDER BY row_order"),
                        {m_id}, error))
        return false;
    while (query.next())
        result.roster.entries.push_back(
            {query.value(0).toString(), query.value(1).toString(), listFrom(query.value(2))});
    if (rowsFailed(m_database, query, reading, error) || !fetchScans(result.scans, {}, {}, error))
        return false;

    if (!m_database.run(
            query,
            QStringLiteral("SELECT id, scan, target, question, answer, reviewer, "
                           "reason, decided_at, withdrawn FROM exam_decisions WHERE exam = ? "
                           "ORDER BY id"),
            {m_id}, error))
        return false;
    while (query.next()) {
        Decision d;
        d.id = query.value(0).toLongLong();
        d.scan = query.value(1).toLongLong();
        if (!decisionTargetFromName(query.value(2).toString(), d.target))
            continue; // written by a later version of the program
        d.question = query.value(3).toInt();
        d.answer = query.value(4).toString();
        d.reviewer = query.value(5).toString();
        d.reason = query.value(6).toString();
        d.time = timeFrom(query.value(7));
        d.withdrawn = query.value(8).toInt() != 0;
        result.decisions.push_back(std::move(d));
    }
    if (rowsFailed(m_database, query, reading, error))
        return false;
    data = std::move(result);
    return true;
}

bool Exam::results(ExamResults& results, QString* error) const
{
    ExamData data;
    if (!load(data, error))
        return false;
    results = examResults(data);
    return true;
}

QString scanHash(const QByteArray& bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

QString decisionTargetName(DecisionTarget target)
{
    switch (target) {
    case DecisionTarget::Answer:
        return QStringLiteral("answer");
    case DecisionTarget::Score:
        return QStringLiteral("score");
    case DecisionTarget::ExamNumber:
        return QStringLiteral("exam_number");
    case DecisionTarget::Sheet:
        return QStringLiteral("sheet");
    }
    return {};
}

bool decisionTargetFromName(const QString& name, DecisionTarget& target)
{
    for (const DecisionTarget t : {DecisionTarget::Answer, DecisionTarget::Score,
                                   DecisionTarget::ExamNumber, DecisionTarget::Sheet})
        if (decisionTargetName(t) == name) {
            target = t;
            return true;
        }
    return false;
}

} // namespace sw
