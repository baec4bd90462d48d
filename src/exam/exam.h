#pragma once

#include "exam/answerkey.h"
#include "exam/examdata.h"
#include "exam/examresults.h"
#include "exam/roster.h"

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QVariantList>
#include <memory>

namespace sw {

class Database;
class TVectorGraphics;

// An exam stored in the program's database beside the template library: its
// template as it was when the exam was made, answer keys (each new one a new
// version), candidate list, scans with what was read from them, and people's
// decisions. Every write is a transaction of its own, so a program stopped at
// any moment leaves what it stored before. The database must outlive the
// object; every function reports a failure in *error.
class Exam
{
public:
    ~Exam();

    // Makes a new exam of `templateBytes` (a template stream); an existing
    // name, an empty name or a stream that is no template is refused. The
    // template is laid out at `screenPpi`. The exam tables are made on first use.
    static std::unique_ptr<Exam> create(const Database& database, const QString& name,
                                        const QByteArray& templateBytes, int screenPpi,
                                        QString* error = nullptr);
    // Whether an exam of that name is stored.
    static bool exists(const Database& database, const QString& name, bool& found,
                       QString* error = nullptr);
    // The exam of that name; nullptr when there is none.
    static std::unique_ptr<Exam> open(const Database& database, const QString& name, int screenPpi,
                                      QString* error = nullptr);

    qint64 id() const { return m_id; }
    const QString& name() const { return m_name; }
    const QByteArray& templateBytes() const { return m_template; }
    // The stored template, renumbered and with its marks laid out, for
    // reading scans (a reader draws its pages).
    TVectorGraphics& document() const { return *m_document; }
    // What the template asks, per paper type.
    const ExamLayout& layout() const { return m_layout; }

    // Stores `key` as the newest version (checked by validateAnswerKey);
    // *version (if given) receives its number, from 1.
    bool storeKey(const AnswerKey& key, int* version = nullptr, QString* error = nullptr) const;
    // Replaces the candidate list.
    bool storeRoster(const Roster& roster, QString* error = nullptr) const;

    // The SHA-256 (lower-case hex) of every scan stored.
    bool storedScans(QSet<QString>& sha256s, QString* error = nullptr) const;
    // Stores a scan read (`failure` empty) or not readable (`failure` says
    // why); a scan of the same bytes stored before, by this or another
    // program, is left as it is and *added is false.
    bool storeScan(const QString& sha256, const QString& fileName, const SheetReading& reading,
                   const QString& failure, bool* added = nullptr, QString* error = nullptr) const;
    // The stored scan whose SHA-256 or file name (as stored) is `scan`; a
    // hash may be abbreviated to at least 8 characters when that is unique.
    bool findScan(const QString& scan, ExamScan& found, QString* error = nullptr) const;

    // Appends a decision (the time is set now when invalid). The machine's
    // reading is kept; results use the newest decision.
    bool appendDecision(const Decision& decision, QString* error = nullptr) const;

    // Everything stored, for results.
    bool load(ExamData& data, QString* error = nullptr) const;
    // Scores every script and reconciles them with the list; the check
    // items are in results.checks.
    bool results(ExamResults& results, QString* error = nullptr) const;

private:
    explicit Exam(const Database& database);
    bool loadDocument(int screenPpi, QString* error);
    bool fetchScans(std::vector<ExamScan>& scans, const QString& condition,
                    const QVariantList& values, QString* error) const;

    const Database& m_database;
    qint64 m_id = 0;
    QString m_name;
    QByteArray m_template;
    std::unique_ptr<TVectorGraphics> m_document;
    ExamLayout m_layout;
};

// The SHA-256 of `bytes` as lower-case hex, as scans are known by.
QString scanHash(const QByteArray& bytes);

} // namespace sw
