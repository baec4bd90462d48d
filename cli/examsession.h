#pragma once

#include "exam/exam.h"
#include "exam/examdata.h"
#include "exam/examresults.h"
#include "storage/database.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

namespace sw::cli {

class Arguments;

// The database of --db (the program's own by default) and one exam in it.
struct ExamSession
{
    Database database;
    std::unique_ptr<Exam> exam;
};

// The database location given with --db, or the default one.
QString databaseLocation(const Arguments& a);

// Opens the database and the exam named; prints why not and returns false.
bool openExamSession(ExamSession& session, const QString& location, const QString& name);

// An exam of the session, loaded and scored.
struct ScoredExam
{
    ExamSession session;
    ExamData data;
    ExamResults results;
};

// Opens the exam named, loads and scores it; prints why not and returns false.
bool loadScoredExam(ScoredExam& scored, const QString& location, const QString& name);

// Refuses, as wrong usage, an output given with `option` that is the database
// at `location` itself.
void refuseDatabaseAsOutput(const char* option, const std::optional<QString>& path,
                            const QString& location);

// The bytes of an input file (a key, a list, a template) of at most `limit`
// bytes; nothing, after printing why, when it cannot be read.
std::optional<QByteArray> readInputFile(const QString& path, qint64 limit);

// Prints `error` and gives the exit status of a file or database failure.
int fileFailure(const QString& error);

} // namespace sw::cli
