#include "reports/pdfpages.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace sw::test {

std::vector<QImage> renderPdfPages(const QString& path, int dotsPerInch)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    QTemporaryDir folder;
    if (tool.isEmpty() || !folder.isValid())
        return {};
    QProcess run;
    run.start(tool, {QStringLiteral("-r"), QString::number(dotsPerInch), QStringLiteral("-png"),
                     path, folder.filePath(QStringLiteral("page"))});
    if (!run.waitForFinished(60000) || run.exitCode() != 0)
        return {};
    std::vector<QImage> pages;
    // pdftoppm numbers the pages with as many digits as the last one needs.
    const QStringList files =
        QDir(folder.path()).entryList({QStringLiteral("page-*.png")}, QDir::Files, QDir::Name);
    for (const QString& file : files)
        pages.push_back(QImage(folder.filePath(file)).convertToFormat(QImage::Format_RGB32));
    return pages;
}

} // namespace sw::test
