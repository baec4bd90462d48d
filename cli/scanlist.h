#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace sw::cli {

// One scan to read.
struct ScanFile
{
    QByteArray path;    // as the file system spells it, for opening
    QString shown;      // the path as printed: escaped where it is no UTF-8 text
    QString outputName; // NAME.png of its cut and marked pictures, unique among the scans
};

// The files given, and the pictures of each folder given in name order, also
// those whose names are not UTF-8.
std::vector<ScanFile> collectScans(const QStringList& paths);

// Gives every scan the name of its pictures: its base name, or where two
// scans share one (x.jpg and x.png, or one name in two folders) its whole
// file name, numbered on where that is still taken.
void nameScanOutputs(std::vector<ScanFile>& scans);

} // namespace sw::cli
