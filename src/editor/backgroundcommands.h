#pragma once

#include "dialogs/pagesetupdialog.h"

#include <QImage>
#include <QString>
#include <QStringList>

namespace sw {

class MainWindow;

inline const QString SavePictureQuestion = QStringLiteral("是否保存底图？");
inline const QString OverlayModeNeededStatus =
    QStringLiteral("自制模式没有底图：请先在页面设置中选择套制模式，再插入底图");

// The background picture of the overlay modes, a scan of the printed sheet
// under the transparent page surface: showing the current page's picture,
// inserting a new one, nudging it, straightening it, and checking where the
// fuzzy-recognition boxes find their patterns. It also serves the page setup
// dialog, which sizes the page after an inserted picture.
class BackgroundCommands : public PageSetupHost
{
public:
    explicit BackgroundCommands(MainWindow& window) : m_window(window) {}

    // The picture as shown (Format_RGB32); null when none is shown.
    const QImage& picture() const { return m_picture; }

    // Shows the current page's picture in the overlay modes when its file
    // exists, and no picture otherwise. A file that cannot be read is
    // reported by name; the page keeps its PicturePath.
    void loadPicture();
    // "插入试卷底图" (overlay modes only): asks for a picture, shows it at the
    // top-left corner and sizes the page after it at the screen's resolution.
    void InsertPicture();
    // "左移", "右移", "上移", "下移": one pixel, stored in the page.
    void MovePicture(int dx, int dy);
    // "校正底图": measures the scan's skew, shows it straightened and asks
    // whether to keep the straight picture, which is then written beside the
    // scan (straightPicturePath) and becomes the page's picture.
    void CorrectPicture();
    // "定位检测": marks on the surface where the first two fuzzy-recognition
    // boxes find their contents, until the next repaint.
    void CheckPositions();

    // The filters of the picture-file dialog.
    static QStringList pictureFilters();

    // PageSetupHost
    TVectorGraphics* setupDocument() const override;
    TVectorGraph* setupPage() const override;
    void sheetModeApplied() override;
    void pageSetupApplied() override;
    void showBackgroundPicture() override;

private:
    // Shows the picture; `path` names the file it shows unchanged, if any.
    void showPicture(const QImage& picture, const QString& path);
    void refuseUnreadable(const QString& path, const QString& error);
    int pictureDotsPerInch(const QImage& picture) const;

    MainWindow& m_window;
    QImage m_picture;
    // The file m_picture was read from; empty when it shows anything else.
    QString m_loadedPath;
    // Off while a command makes its own history entry of the dialog's work.
    bool m_recording = true;
    // History keys of the corrections and mode changes, one each (see
    // MoveKey); the mode change's while its apply runs, else 0.
    std::int32_t m_nextEntryKey = -100;
    std::int32_t m_modeKey = 0;
};

// Where the straightened copy of a scan goes: beside it, "NAME-校正.jpg", or
// "NAME-校正2.jpg" and on when that exists; a copy's copy counts on from the
// scan's name.
QString straightPicturePath(const QString& original);

// Replaces the file with the picture as JPEG data, whatever its name says.
// The data is written aside and takes the file's place only once complete,
// so a failure leaves the old file whole.
bool replaceWithJpeg(const QString& path, const QImage& picture, int dotsPerInch,
                     QString* error = nullptr);

} // namespace sw
