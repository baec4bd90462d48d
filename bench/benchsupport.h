#pragma once

#include "document/vectorgraphics.h"

#include <QImage>
#include <QRect>
#include <QString>
#include <memory>

namespace sw::bench {

// The benchmarks lay documents out for a 96 pixels-per-inch screen.
constexpr int ScreenPpi = 96;
// Scans are rendered at this resolution.
constexpr double ScanDpi = 300;
// Gray level the mark detection binarizes with.
constexpr int ScanThreshold = 200;
// Degrees a generated scan is turned by, as a sheet lies slightly askew.
constexpr double ScanSkewDegrees = 0.5;
// Shapes on a dense page, besides the reserved ones.
constexpr int DenseShapeCount = 1000;

// Name of the picture the picture shapes of a dense page show.
inline const QString DensePictureName = QStringLiteral("bench-picture.png");

// Writes the picture of the dense page's picture shapes into `folder`.
bool writeDensePicture(const QString& folder, QString* error = nullptr);

// One A4 page holding, after its reserved shapes, `count` shapes that take
// every shape class in turn, scattered over the page by a fixed-seed
// generator (the same page on every run). Picture shapes show
// DensePictureName from `pictureFolder`.
std::unique_ptr<TVectorGraphics> denseDocument(int count, const QString& pictureFolder);

// A standard answer sheet from the wizard: A4 (or A3 with `a3`), two
// columns, 12 exam-number digits, 60 objective questions, `pages` pages (1 to
// 4). nullptr, with the reason in *error, when generation fails.
std::unique_ptr<TVectorGraphics> answerSheet(int pages, QString* error = nullptr, bool a3 = false);

// Writes a template of `pages` pages, the four pages of the answer sheet
// copied in turn (each copy with its own question numbers), straight from
// their records. False, with the reason in
// *error, when generation or saving fails.
bool writeManyPageTemplate(int pages, const QString& file, QString* error = nullptr);

// Five paper types A to E of the four-page answer sheet: 20 pages.
std::unique_ptr<TVectorGraphics> twentyPageDocument(QString* error = nullptr);

// The current page of the document as its PNG export at `dpi` reads back;
// a null image, with the reason in *error, when the export fails.
QImage renderPage(TVectorGraphics& document, double dpi, QString* error = nullptr);

// The picture turned by `degrees` (clockwise on screen) through the skew
// correction, keeping its size.
QImage turnPicture(const QImage& picture, double degrees);

// The part of a scan the blob benchmarks search: the upper half of the sheet
// (title, candidate fields, exam-number block and the first objective groups).
QRect scanRegion(const QSize& scan);

// The binarized region as an image: black (0, 0, 0) marks, white elsewhere.
QImage binarizedRegion(const QImage& scan, const QRect& region, int threshold);

} // namespace sw::bench
