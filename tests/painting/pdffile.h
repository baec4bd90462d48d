#pragma once

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSizeF>
#include <QStandardPaths>
#include <QString>
#include <vector>

namespace sw::test {

constexpr double PointsPerMm = 72 / 25.4;

inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Page sizes in points from the MediaBox of every page object, in file order
// (page objects are not compressed in the PDFs written here).
inline std::vector<QSizeF> pdfPageSizes(const QString& path)
{
    const QString text = QString::fromLatin1(readFile(path));
    const QRegularExpression box(QStringLiteral(
        "/MediaBox\\s*\\[\\s*([-\\d.]+)\\s+([-\\d.]+)\\s+([-\\d.]+)\\s+([-\\d.]+)\\s*\\]"));
    std::vector<QSizeF> sizes;
    for (auto it = box.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        sizes.emplace_back(m.captured(3).toDouble() - m.captured(1).toDouble(),
                           m.captured(4).toDouble() - m.captured(2).toDouble());
    }
    return sizes;
}

inline int pdfPageCount(const QString& path)
{
    return int(QString::fromLatin1(readFile(path))
                   .count(QRegularExpression(QStringLiteral("/Type\\s*/Page\\b"))));
}

// The text of the PDF through pdftotext; empty when that tool is missing.
inline QString pdfText(const QString& path)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty())
        return {};
    QProcess run;
    run.start(tool, {path, QStringLiteral("-")});
    run.waitForFinished(30000);
    return QString::fromUtf8(run.readAllStandardOutput());
}

} // namespace sw::test
