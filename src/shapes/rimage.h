#pragma once

#include "shapes/rectangle.h"

#include <QImage>

namespace sw {

// A picture loaded from a file, stretched over its box. Without a readable
// picture it shows a dotted placeholder frame.
class TRImage : public TRectangle
{
public:
    TRImage(TPoint p1, TPoint p2, double scaleX, double scaleY);

    void Draw(Canvas& canvas) override;
    std::unique_ptr<TGraphics> clone() const override;

    // Loads the file named by PicturePath, preferring a file of the same name in
    // PictureFolder; leaves Picture empty when neither can be read. Accepts
    // both "\" and "/" as folder separators.
    void LoadPicture();
    void SetPictureFolder(const QString& folder) { PictureFolder = folder; }

    QImage Picture;
    QString PicturePath;
    // Folder of the template file currently open.
    QString PictureFolder;
};

} // namespace sw
