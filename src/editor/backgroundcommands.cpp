#include "editor/backgroundcommands.h"

#include "document/analysis/correction.h"
#include "document/analysis/fuzzyboxes.h"
#include "document/vectorgraphics.h"
#include "editor/editingcontroller.h"
#include "editor/mainwindow.h"
#include "platform/picturecodec.h"
#include "platform/rounding.h"
#include "platform/widgets/dialogservice.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QSaveFile>

namespace sw {

namespace {

// The fuzzy-box positioning check.
constexpr int CheckMinimumPixels = 80;
constexpr int CheckThreshold = 200;
constexpr double CheckMargin = 0.0;
constexpr int JpegQuality = 100;
constexpr double InchesPerMetre = 0.0254;

QString quoted(const QString& path)
{
    return QStringLiteral("“%1”").arg(QDir::toNativeSeparators(path));
}

// Runs the work, which may take long on a large scan, under the wait cursor.
template <typename Work> auto whileBusy(Work work)
{
    struct BusyCursor
    {
        BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
        ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    } busy;
    return work();
}

} // namespace

QStringList BackgroundCommands::pictureFilters()
{
    return {QStringLiteral("图片文件 (*.bmp *.jpg *.jpeg *.png)"), QStringLiteral("位图 (*.bmp)"),
            QStringLiteral("JPEG (*.jpg *.jpeg)"), QStringLiteral("PNG (*.png)")};
}

// Showing -------------------------------------------------------------------

void BackgroundCommands::refuseUnreadable(const QString& path, const QString& error)
{
    refuse(&m_window, QStringLiteral("不能读取底图文件%1：\n%2").arg(quoted(path), error),
           MessageIcon::Critical);
}

void BackgroundCommands::showPicture(const QImage& picture)
{
    m_picture = picture;
    m_window.backgroundImage()->setPixmap(QPixmap::fromImage(picture));
    m_window.placeBackgroundPicture();
}

void BackgroundCommands::loadPicture()
{
    const TVectorGraph* page = m_window.currentPage();
    QImage picture;
    if (page && m_window.document().Modal != SheetSelfMade &&
        QFileInfo::exists(page->PicturePath)) {
        QString error;
        picture = sw::loadPicture(page->PicturePath, &error);
        if (picture.isNull())
            refuseUnreadable(page->PicturePath, error);
    }
    showPicture(picture);
}

void BackgroundCommands::InsertPicture()
{
    TVectorGraph* page = m_window.currentPage();
    if (!page || m_window.document().Modal == SheetSelfMade)
        return;
    const FileChoice choice =
        dialogService().openFile(&m_window, QStringLiteral("插入试卷底图"), pictureFilters());
    if (!choice.chosen())
        return;
    // Read first, so that a picture that cannot be read changes nothing.
    QString error;
    const QImage picture = whileBusy([&] { return sw::loadPicture(choice.path, &error); });
    if (picture.isNull()) {
        refuseUnreadable(choice.path, error);
        return;
    }
    m_window.scrollToOrigin();
    page->PicturePath = choice.path;
    showPicture(picture);
    // Millimetres as if the scan had the screen's resolution.
    const double pixelsPerMm = m_window.document().PixelsPerMm;
    m_window.pageDialog().applyPictureSize(picture.width() / pixelsPerMm,
                                           picture.height() / pixelsPerMm);
    m_window.zoomToActualSize();
    // The page's own offset applies the next time the page is shown.
    m_window.backgroundImage()->move(0, 0);
    m_window.updateContentSize();
}

void BackgroundCommands::MovePicture(int dx, int dy)
{
    const TVectorGraphics& document = m_window.document();
    TVectorGraph* page = m_window.currentPage();
    if (!page)
        return;
    // Only "左移" still works in a locked overlay document.
    const bool leftMove = dx < 0;
    if (document.Locked && (!leftMove || document.Modal == SheetSelfMade))
        return;
    QLabel* image = m_window.backgroundImage();
    // Positions in the scrolling area's content, whatever is scrolled into
    // view, so that the offset shows the same the next time.
    const QPoint position = image->pos() + QPoint(dx, dy);
    image->move(position);
    if (dx != 0)
        page->Left = position.x();
    if (dy != 0)
        page->Top = position.y();
    m_window.updateContentSize();
}

// Correcting ----------------------------------------------------------------

int BackgroundCommands::pictureDotsPerInch(const QImage& picture) const
{
    const int own = roundHalfEven(picture.dotsPerMeterX() * InchesPerMetre);
    return own > 0 ? own : m_window.pixelsPerInch();
}

void BackgroundCommands::CorrectPicture()
{
    TVectorGraphics& document = m_window.document();
    TVectorGraph* page = m_window.currentPage();
    if (!page)
        return;
    // No picture to measure: the page keeps its skew at 0.
    if (document.Modal == SheetSelfMade) {
        refuse(&m_window, DetectionSucceededMessage, MessageIcon::Information);
        return;
    }
    QImage picture = m_picture;
    if (picture.isNull() && !page->PicturePath.isEmpty()) {
        QString error;
        picture = sw::loadPicture(page->PicturePath, &error);
        if (picture.isNull()) {
            refuseUnreadable(page->PicturePath, error);
            return;
        }
        showPicture(picture);
    }

    const BackgroundCorrection result =
        whileBusy([&] { return CorrectBackground(document, picture); });
    m_window.repaintSurface();
    if (!result.detected) {
        // Without a picture the fuzzy boxes fail as on a blank one; the
        // two-mark search ends silently.
        if (document.Modal == SheetSmartRecognition)
            refuse(&m_window, DetectionFailedMessage);
        return;
    }
    if (result.picture.isNull()) {
        refuse(&m_window, result.message, MessageIcon::Information);
        return;
    }
    showPicture(result.picture);
    if (!result.message.isEmpty())
        refuse(&m_window, result.message, MessageIcon::Information);

    if (!confirm(&m_window, SavePictureQuestion)) {
        loadPicture();
        return;
    }
    QString error;
    const bool replaced = whileBusy([&] {
        return replaceWithJpeg(page->PicturePath, result.picture, pictureDotsPerInch(picture),
                               &error);
    });
    if (!replaced) {
        refuse(&m_window,
               QStringLiteral("不能保存底图文件%1：\n%2").arg(quoted(page->PicturePath), error),
               MessageIcon::Critical);
        loadPicture();
    }
}

bool replaceWithJpeg(const QString& path, const QImage& picture, int dotsPerInch, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    if (!saveJpeg(picture, file, JpegQuality, dotsPerInch, error)) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

void BackgroundCommands::CheckPositions()
{
    TVectorGraph* page = m_window.currentPage();
    if (!page || m_picture.isNull())
        return;
    TestFuzzyBoxes(*page, m_window.controller().SurfaceCanvas(), m_picture, CheckMinimumPixels,
                   CheckThreshold, CheckMargin);
    m_window.surfaceChanged();
}

// The page setup dialog -----------------------------------------------------

TVectorGraphics* BackgroundCommands::setupDocument() const
{
    return m_window.currentPage() ? &m_window.document() : nullptr;
}

TVectorGraph* BackgroundCommands::setupPage() const
{
    return m_window.currentPage();
}

void BackgroundCommands::sheetModeApplied()
{
    m_window.syncDocumentButtons();
}

void BackgroundCommands::pageSetupApplied()
{
    m_window.repaintSurface();
}

void BackgroundCommands::showBackgroundPicture()
{
    loadPicture();
}

} // namespace sw
