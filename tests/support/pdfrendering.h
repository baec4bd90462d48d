#pragma once

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>
#include <vector>

namespace sw::test {

// Pages first..last (from 1) of a PDF as grey pictures at `dpi`, drawn by
// pdftoppm as a printer driver would; empty when the tool is missing or fails.
inline std::vector<QImage> renderPdfPages(const QString& path, int first, int last, int dpi)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    QTemporaryDir folder;
    if (tool.isEmpty() || !folder.isValid())
        return {};
    QProcess run;
    run.start(tool, {QStringLiteral("-gray"), QStringLiteral("-r"), QString::number(dpi),
                     QStringLiteral("-f"), QString::number(first), QStringLiteral("-l"),
                     QString::number(last), path, folder.filePath(QStringLiteral("page"))});
    if (!run.waitForFinished(300000) || run.exitCode() != 0)
        return {};
    std::vector<QImage> pages;
    const QDir dir(folder.path());
    for (const QString& name :
         dir.entryList({QStringLiteral("page-*.pgm")}, QDir::Files, QDir::Name))
        pages.push_back(QImage(dir.filePath(name)));
    return pages;
}

} // namespace sw::test
