#include "cli/scanlist.h"

#include "platform/printabletext.h"

#include <QFile>
#include <QHash>
#include <QSet>
#include <algorithm>
#include <dirent.h>
#include <memory>
#include <sys/stat.h>

namespace sw::cli {

namespace {

const char* const PictureSuffixes[] = {".jpg", ".jpeg", ".png", ".bmp", ".tif", ".tiff"};

bool isPictureName(const QByteArray& name)
{
    const QByteArray lower = name.toLower();
    return std::any_of(std::begin(PictureSuffixes), std::end(PictureSuffixes),
                       [&](const char* suffix) { return lower.endsWith(suffix); });
}

bool isFile(const QByteArray& path)
{
    struct stat info
    {
    };
    return stat(path.constData(), &info) == 0 && S_ISREG(info.st_mode);
}

bool isFolder(const QByteArray& path)
{
    struct stat info
    {
    };
    return stat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The picture files of a folder by their bytes: Qt's own listing leaves out
// names that are not UTF-8.
std::vector<QByteArray> pictureNames(const QByteArray& folder)
{
    std::vector<QByteArray> names;
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.constData()), closedir);
    if (!dir)
        return names;
    while (const dirent* entry = readdir(dir.get())) {
        const QByteArray name(entry->d_name);
        if (isPictureName(name) && isFile(folder + '/' + name))
            names.push_back(name);
    }
    return names;
}

ScanFile scanFile(const QByteArray& path)
{
    return {path, printableFileName(path), {}};
}

QString baseName(const QString& fileName)
{
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? fileName.left(dot) : fileName;
}

QString fileNameOf(const QString& path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

} // namespace

std::vector<ScanFile> collectScans(const QStringList& paths)
{
    std::vector<ScanFile> scans;
    for (const QString& given : paths) {
        const QByteArray path = QFile::encodeName(given);
        if (!isFolder(path)) {
            scans.push_back(scanFile(path));
            continue;
        }
        std::vector<ScanFile> found;
        const QByteArray prefix = path.endsWith('/') ? path : path + '/';
        for (const QByteArray& name : pictureNames(path))
            found.push_back(scanFile(prefix + name));
        std::sort(found.begin(), found.end(), [](const ScanFile& a, const ScanFile& b) {
            const int order = a.shown.compare(b.shown, Qt::CaseInsensitive);
            return order != 0 ? order < 0 : a.path < b.path;
        });
        scans.insert(scans.end(), found.begin(), found.end());
    }
    return scans;
}

void nameScanOutputs(std::vector<ScanFile>& scans)
{
    // Compared without case: the output folder may lie on a Windows share.
    const auto key = [](const QString& name) { return name.toCaseFolded(); };
    QHash<QString, int> uses;
    for (const ScanFile& scan : scans)
        ++uses[key(baseName(fileNameOf(scan.shown)) + QStringLiteral(".png"))];
    QSet<QString> taken;
    for (ScanFile& scan : scans) {
        const QString preferred = baseName(fileNameOf(scan.shown)) + QStringLiteral(".png");
        if (uses.value(key(preferred)) == 1) {
            scan.outputName = preferred;
            taken.insert(key(preferred));
        }
    }
    for (ScanFile& scan : scans) {
        if (!scan.outputName.isEmpty())
            continue;
        const QString whole = fileNameOf(scan.shown);
        QString name = whole + QStringLiteral(".png");
        for (int n = 2; taken.contains(key(name)) || uses.contains(key(name)); ++n)
            name = QStringLiteral("%1-%2.png").arg(whole).arg(n);
        scan.outputName = name;
        taken.insert(key(name));
    }
}

} // namespace sw::cli
