#pragma once

#include <QString>
#include <QStringList>

class QImage;

namespace sw {
class GreyView;
class SheetReader;
struct PageGeometry;
struct SheetReading;
} // namespace sw

namespace sw::cli {

// Where the pictures of the read scans go; empty for none.
struct PictureFolders
{
    QString cuts;
    QString marked;
};

// The folder below `cuts` holding the written answers of one cut box.
QString cutFolderName(int question, int number);

// Every folder below `cuts` some page's cut boxes write into.
QStringList cutFolderNames(const SheetReader& reader);

// Writes the cut boxes and the marked picture of one read scan as
// `outputName`; false with the file and the reason in *error.
bool writeReadPictures(const PictureFolders& folders, const SheetReader& reader,
                       const GreyView& scan, const SheetReading& reading, const QString& outputName,
                       QString* error);

} // namespace sw::cli
