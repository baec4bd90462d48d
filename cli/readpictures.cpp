#include "cli/readpictures.h"

#include "platform/outputfile.h"
#include "reading/greyview.h"
#include "reading/sheetreader.h"
#include "reading/straighten.h"

#include <QImage>
#include <QImageWriter>

namespace sw::cli {

namespace {

bool savePng(const QImage& image, const QString& folder, const QString& relative, QString* error)
{
    if (image.isNull()) {
        *error = QStringLiteral("cannot draw %1/%2: the area is larger than the scan allows")
                     .arg(folder, relative);
        return false;
    }
    return saveOutputFile(
        folder, relative,
        [&image](QIODevice& device, QString* writeError) {
            QImageWriter writer(&device, "png");
            if (writer.write(image))
                return true;
            *writeError = writer.errorString();
            return false;
        },
        error);
}

} // namespace

QString cutFolderName(int question, int number)
{
    return QStringLiteral("%1-%2").arg(question).arg(number);
}

QStringList cutFolderNames(const SheetReader& reader)
{
    QStringList names;
    for (const PageGeometry& page : reader.pages())
        for (const CutBoxGeometry& cut : page.CutBoxes)
            names << cutFolderName(cut.Question, cut.Number);
    names.removeDuplicates();
    return names;
}

bool writeReadPictures(const PictureFolders& folders, const SheetReader& reader,
                       const GreyView& scan, const SheetReading& r, const QString& outputName,
                       QString* error)
{
    if (!r.isRead())
        return true;
    const PageGeometry& page = reader.pages()[std::size_t(r.PageIndex)];
    if (!folders.cuts.isEmpty()) {
        for (const CutBoxGeometry& cut : page.CutBoxes) {
            const QRectF area(cut.Rect.Left, cut.Rect.Top, cut.Rect.width(), cut.Rect.height());
            const QString relative =
                cutFolderName(cut.Question, cut.Number) + QLatin1Char('/') + outputName;
            if (!savePng(straightenedArea(scan, r.Map, area, r.Map.scale()), folders.cuts, relative,
                         error))
                return false;
        }
    }
    if (!folders.marked.isEmpty())
        return savePng(markedPicture(scan, r, page), folders.marked, outputName, error);
    return true;
}

} // namespace sw::cli
