#pragma once

#include "exam/exam.h"

#include <QString>
#include <QTemporaryDir>

namespace sw::test {

// An exam of the exam sheet with four candidates' scans read and stored:
// candidate 1 right everywhere, candidate 2 with a double mark on
// `doubleQuestion`, candidate 3 with a light, uncertain mark added on
// `uncertainQuestion`, candidate 4 with a blank exam-number column. The key
// is the first option everywhere, one point each; the list names all four.
struct PlantedExam
{
    QString name = QStringLiteral("期中");
    int doubleQuestion = 0;
    int uncertainQuestion = 0;
    QString fourthNumber; // what candidate 4 meant to fill in
    qint64 scans[4] = {};
    int questions = 0; // objective questions: full marks
};

// Makes the exam in the database at `location`, the scans in `folder`;
// false, with the reason, when it cannot.
bool plantExam(const QString& location, const QTemporaryDir& folder, PlantedExam& planted,
               QString* error);

// The candidates' exam numbers, one digit per column of the sheet.
QString candidateNumber(int candidate);

} // namespace sw::test
