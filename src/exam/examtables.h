#pragma once

#include <QString>

namespace sw {

class Database;

// Creates the exam tables (exams, exam_keys, exam_roster, exam_scans,
// exam_decisions) where they are missing, in one transaction that a second
// program doing the same waits for.
bool prepareExamTables(const Database& database, QString* error = nullptr);

} // namespace sw
