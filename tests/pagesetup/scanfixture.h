#pragma once

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QString>

namespace sw::test {

// A scanned sheet at the screen's 96 pixels per inch: white, with the two
// top positioning marks of the page (6 x 4 mm, 23 x 15 pixels) printed at
// the given top-left corners. Marks 1000 pixels apart across and 10 down
// give a skew of arctan(0.01).
QImage markedScan(int width, int height, QPoint first, QPoint second);

// Both top marks where a 1100 x 1600 scan puts the page's positioning boxes
// (a page of that many screen pixels), the right one 1000 pixels further and
// 10 lower.
inline const QPoint FirstMark(38, 38);
inline const QPoint SecondMark(1038, 48);

// The image's file bytes in the format ("PNG", "BMP", "JPG").
QByteArray encoded(const QImage& image, const char* format);

// Writes the bytes to the file; false when it cannot.
bool writeFile(const QString& path, const QByteArray& bytes);
QByteArray readFile(const QString& path);

} // namespace sw::test
