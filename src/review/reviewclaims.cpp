#include "review/reviewclaims.h"

#include "storage/database.h"
#include "storage/sqlsupport.h"

#include <QDateTime>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace sw {

namespace {

QString now()
{
    return QDateTime::currentDateTimeUtc().toString(Qt::ISODate);
}

// Claims taken before this are stale. ISO times of one zone sort as text.
QString staleBefore()
{
    return QDateTime::currentDateTimeUtc()
        .addSecs(-ReviewClaims::StaleSeconds)
        .toString(Qt::ISODate);
}

} // namespace

ReviewClaims::ReviewClaims(const Database& database, qint64 exam, const QString& holder,
                           const QString& reviewer)
    : m_database(database), m_exam(exam), m_holder(holder), m_reviewer(reviewer)
{
}

bool ReviewClaims::prepare(QString* error) const
{
    QSqlQuery query(m_database.connection());
    return m_database.run(
        query,
        QStringLiteral("CREATE TABLE IF NOT EXISTS exam_review_claims (exam "
                       "BIGINT NOT NULL, item TEXT NOT NULL, holder TEXT, "
                       "reviewer TEXT, claimed_at TEXT, PRIMARY KEY (exam, item))"),
        {}, error);
}

bool ReviewClaims::claim(const QString& item, bool& taken, QString* error) const
{
    SqlTransaction transaction(m_database);
    if (!transaction.begun(error))
        return false;
    QSqlQuery query(m_database.connection());
    if (!m_database.run(query,
                        QStringLiteral("DELETE FROM exam_review_claims WHERE exam = ? AND item = ? "
                                       "AND (holder = ? OR claimed_at < ?)"),
                        {m_exam, item, m_holder, staleBefore()}, error) ||
        !m_database.run(query,
                        QStringLiteral("INSERT INTO exam_review_claims (exam, item, holder, "
                                       "reviewer, claimed_at) VALUES (?, ?, ?, ?, ?) "
                                       "ON CONFLICT (exam, item) DO NOTHING RETURNING item"),
                        {m_exam, item, m_holder, m_reviewer, now()}, error))
        return false;
    const bool inserted = query.next();
    if (query.lastError().isValid())
        return reportFailure(
            error, m_database.describeFailure(QStringLiteral("不能领取复核项"), query.lastError()));
    query.finish();
    if (!transaction.commit(error))
        return false;
    taken = inserted;
    return true;
}

bool ReviewClaims::release(const QString& item, QString* error) const
{
    QSqlQuery query(m_database.connection());
    return m_database.run(
        query,
        QStringLiteral("DELETE FROM exam_review_claims WHERE exam = ? AND item = ? AND holder = ?"),
        {m_exam, item, m_holder}, error);
}

bool ReviewClaims::heldElsewhere(QSet<QString>& items, QString* error) const
{
    QSqlQuery query(m_database.connection());
    if (!m_database.run(query,
                        QStringLiteral("SELECT item FROM exam_review_claims WHERE exam = ? AND "
                                       "holder <> ? AND claimed_at >= ?"),
                        {m_exam, m_holder, staleBefore()}, error))
        return false;
    QSet<QString> result;
    while (query.next())
        result.insert(query.value(0).toString());
    if (query.lastError().isValid())
        return reportFailure(
            error, m_database.describeFailure(QStringLiteral("不能读取复核项"), query.lastError()));
    items = std::move(result);
    return true;
}

} // namespace sw
