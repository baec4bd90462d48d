#include "pagesetup/scanfixture.h"

#include "platform/picturecodec.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>

namespace sw::test {

namespace {

constexpr int MarkWidth = 23;
constexpr int MarkHeight = 15;

} // namespace

QImage markedScan(int width, int height, QPoint first, QPoint second)
{
    QImage scan(width, height, QImage::Format_RGB32);
    scan.fill(Qt::white);
    QPainter painter(&scan);
    painter.fillRect(QRect(first, QSize(MarkWidth, MarkHeight)), Qt::black);
    painter.fillRect(QRect(second, QSize(MarkWidth, MarkHeight)), Qt::black);
    return scan;
}

QByteArray encoded(const QImage& image, const char* format)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (QByteArray(format) == "JPG")
        saveJpeg(image, buffer, 95, 96);
    else
        image.save(&buffer, format);
    return buffer.data();
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace sw::test
