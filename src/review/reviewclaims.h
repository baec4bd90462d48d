#pragma once

#include <QSet>
#include <QString>

namespace sw {

class Database;

// Which review window is looking at which item of an exam, so that two
// reviewers never decide the same one. A claim older than StaleSeconds is
// free again (a window that died without releasing it); a window renews
// the claim of the item it shows.
class ReviewClaims
{
public:
    static constexpr int StaleSeconds = 600;

    // `holder` names this window (unique per window), `reviewer` the person.
    ReviewClaims(const Database& database, qint64 exam, const QString& holder,
                 const QString& reviewer);

    // Makes the claims table on first use.
    bool prepare(QString* error = nullptr) const;
    // Takes the item, or renews this window's claim on it; *taken is false
    // when another window holds it.
    bool claim(const QString& item, bool& taken, QString* error = nullptr) const;
    bool release(const QString& item, QString* error = nullptr) const;
    // Every item other windows hold now.
    bool heldElsewhere(QSet<QString>& items, QString* error = nullptr) const;

private:
    const Database& m_database;
    qint64 m_exam;
    QString m_holder;
    QString m_reviewer;
};

} // namespace sw
