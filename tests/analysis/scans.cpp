#include "scans.h"

#include <QPainter>
#include <QPolygonF>

namespace sw::test {

namespace {

QPainter* blackPainter(QImage& scan, const QTransform& t, QPainter& p)
{
    p.begin(&scan);
    p.setRenderHint(QPainter::Antialiasing);
    p.setTransform(t);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    return &p;
}

} // namespace

QImage whiteScan(int width, int height)
{
    QImage scan(width, height, QImage::Format_RGB32);
    scan.fill(Qt::white);
    return scan;
}

void drawSquare(QImage& scan, QPoint c, int half)
{
    QPainter p(&scan);
    p.fillRect(c.x() - half, c.y() - half, 2 * half + 1, 2 * half + 1, Qt::black);
}

void drawFeatureL(QImage& scan, QPointF c, const QTransform& t)
{
    QPainter p;
    blackPainter(scan, t, p);
    const double x = c.x() - 22;
    const double y = c.y() - 22;
    p.drawPolygon(QPolygonF(
        {{x, y}, {x + 12, y}, {x + 12, y + 32}, {x + 32, y + 32}, {x + 32, y + 44}, {x, y + 44}}));
    p.drawRect(QRectF(x + 30, y + 4, 14, 14));
}

void drawFeaturePlus(QImage& scan, QPointF c, const QTransform& t)
{
    QPainter p;
    blackPainter(scan, t, p);
    const double x = c.x() - 22;
    const double y = c.y() - 25;
    p.drawRect(QRectF(x + 16, y, 12, 40));
    p.drawRect(QRectF(x, y + 14, 44, 12));
    p.drawRect(QRectF(x + 4, y + 44, 36, 6));
}

void drawFeatureBars(QImage& scan, QPointF c, const QTransform& t)
{
    QPainter p;
    blackPainter(scan, t, p);
    for (int i = 0; i < 3; ++i)
        p.drawRect(QRectF(c.x() - 22, c.y() - 22 + 20 * i, 44, 4));
}

void drawClutter(QImage& scan, QPointF c, const QTransform& t)
{
    QPainter p;
    blackPainter(scan, t, p);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::black, 3));
    p.drawRect(QRectF(c.x() - 20, c.y() - 20, 40, 40));
    for (int i = 0; i < 5; ++i)
        p.drawLine(QPointF(c.x() + 40 + 9 * i, c.y() - 25),
                   QPointF(c.x() + 40 + 9 * i, c.y() + 25));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    for (int i = 0; i < 6; ++i)
        p.drawEllipse(QPointF(c.x() - 60 + 11 * i, c.y() + 45), 2, 2);
}

} // namespace sw::test
