#pragma once

#include <QImage>
#include <QPointF>
#include <QTransform>

namespace sw::test {

// Synthetic scans: white sheets with solid black features, drawn through a
// transform (the scanner's rotation and shift).

// A filled square of side 2 * half + 1 pixels centred on c.
void drawSquare(QImage& scan, QPoint c, int half);

// An L with a separate dot beside it (two blobs), about 44 x 44 around c.
void drawFeatureL(QImage& scan, QPointF c, const QTransform& t = {});
// A plus sign with a bar below it, about 44 x 50 around c.
void drawFeaturePlus(QImage& scan, QPointF c, const QTransform& t = {});
// Three bars one above the other (three blobs), 44 x 44 around c: a mark of
// separate strokes, as printed characters are.
void drawFeatureBars(QImage& scan, QPointF c, const QTransform& t = {});
// Clutter that must not be taken for a feature: frames, stripes and specks.
void drawClutter(QImage& scan, QPointF c, const QTransform& t = {});

QImage whiteScan(int width, int height);

} // namespace sw::test
