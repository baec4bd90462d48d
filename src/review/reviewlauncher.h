#pragma once

#include <QString>

class QWidget;

namespace sw {

// Asks which exam of the database at `location` to review and opens its
// review window (a window of its own, deleted when closed); tells the person
// why when there is no exam or it cannot be opened.
void chooseExamForReview(QWidget* parent, const QString& location, int screenPpi);

// Asks which exam of the database at `location` to analyse and opens its
// analysis window (deleted when closed); tells the person why when there is
// no exam or it cannot be opened.
void chooseExamForAnalysis(QWidget* parent, const QString& location, int screenPpi);

// Opens the review window of the exam named, shown and deleted when closed;
// false, with the reason in *error, when it cannot be opened.
bool showExamReview(const QString& location, const QString& examName, int screenPpi,
                    QString* error);

} // namespace sw
