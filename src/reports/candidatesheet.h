#pragma once

#include "reports/reportdata.h"

#include <QByteArray>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <functional>

namespace sw {

// A candidate's own sheet: each straightened page with every question's cells
// outlined (green a right mark, red a wrong one, grey all cells of a blank
// answer), the points beside each question and the key beside a wrong one,
// then a page listing every question's answer, key and points and the total.

// The sheet of `candidate` (one of `data`'s) as the bytes of a PDF; empty
// when painting failed.
QByteArray candidateSheetPdf(const ReportData& data, const ReportCandidate& candidate);

// Where a page picture of `pictureSize` pixels stands on the sheet's page, in
// points from the page's top left corner: below the heading, as large as the
// page allows, its proportions kept.
QRectF candidatePicturePlacement(QSize pictureSize);

// The file name of a candidate's sheet: exam number and name, with every
// character that does not belong in a file name replaced by "_".
QString candidateSheetFileName(const ReportCandidate& candidate);

// Writes the sheet of every candidate with a script (all but the missing)
// into `folder`, created when it does not exist, through the project's output
// rules (no link followed, no file outside the folder). Two candidates with
// the same file name get "-2", "-3", ... appended. A file that would replace
// one of `inputs` is refused. The paths written go to *written; false at the
// first failure with the reason in *error, the sheets before it kept.
// `addPictures`, when given, fills a copy of each candidate's pictures and
// cells just before its sheet is painted (with the candidate's index in
// data.candidates), so that only one candidate's pictures are held at a time.
bool writeCandidateSheets(
    const ReportData& data, const QString& folder, const QStringList& inputs, QStringList* written,
    QString* error, const std::function<void(std::size_t, ReportCandidate&)>& addPictures = {});

} // namespace sw
