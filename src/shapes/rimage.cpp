#include "shapes/rimage.h"

#include "platform/picturecodec.h"

#include <QFileInfo>
#include <QStringList>

namespace sw {

namespace {

// Templates written on Windows separate folders with "\".
QString withSlashes(QString path)
{
    return path.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

// The files to try, best first: the file of that name in the template's
// folder, then the path as chosen.
QStringList pictureCandidates(const QString& picturePath, const QString& pictureFolder)
{
    const QString path = withSlashes(picturePath);
    QStringList candidates;
    if (!pictureFolder.isEmpty()) {
        QString folder = withSlashes(pictureFolder);
        if (!folder.endsWith(QLatin1Char('/')))
            folder += QLatin1Char('/');
        candidates << folder + path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    }
    candidates << picturePath;
    if (path != picturePath)
        candidates << path;
    return candidates;
}

} // namespace

TRImage::TRImage(TPoint p1, TPoint p2, double scaleX, double scaleY)
    : TRectangle(p1, p2, scaleX, scaleY)
{
    Kind = GRImage;
    KindName = QStringLiteral("图片");
}

std::unique_ptr<TGraphics> TRImage::clone() const
{
    return std::make_unique<TRImage>(*this);
}

void TRImage::LoadPicture()
{
    Picture = QImage();
    if (PicturePath.isEmpty())
        return;
    for (const QString& candidate : pictureCandidates(PicturePath, PictureFolder)) {
        if (!QFileInfo(candidate).isFile())
            continue;
        Picture = loadPicture(candidate);
        if (!Picture.isNull())
            return;
    }
}

void TRImage::Draw(Canvas& canvas)
{
    const TRect r = deviceBounds();
    if (!PicturePath.isEmpty()) {
        if (Picture.isNull())
            LoadPicture();
        if (!Picture.isNull())
            canvas.StretchDraw(r, Picture);
    }
    if (Picture.isNull()) {
        canvas.setPen({clBlack, 1, psDot, pmCopy});
        canvas.brush().Style = bsClear;
        canvas.Rectangle(r);
    }
    finishDraw(canvas);
}

} // namespace sw
