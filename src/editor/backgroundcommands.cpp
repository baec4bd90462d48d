#include "editor/backgroundcommands.h"

#include "document/analysis/correction.h"
#include "document/analysis/fuzzyboxes.h"
#include "document/vectorgraphics.h"
#include "editor/editingcontroller.h"
#include "editor/history.h"
#include "editor/mainwindow.h"
#include "platform/picturecodec.h"
#include "platform/rounding.h"
#include "platform/widgets/dialogservice.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QRegularExpression>
#include <QSaveFile>

namespace sw {

namespace {

// The fuzzy-box positioning check.
constexpr int CheckMinimumPixels = 80;
constexpr int CheckThreshold = 200;
constexpr double CheckMargin = 0.0;
constexpr int JpegQuality = 100;
constexpr double InchesPerMetre = 0.0254;

// History keys of the changes that repeat: a run of nudges, or of page-setup
// changes, makes one entry. Negative, apart from the shapes' indexes.
constexpr std::int32_t MoveKey = -2;
constexpr std::int32_t PageSetupKey = -3;
const QString CorrectionCaption = QStringLiteral("校正底图");
const QString MoveCaption = QStringLiteral("移动底图");
const QString PageSetupCaption = QStringLiteral("页面设置");
const QString ModeCaption = QStringLiteral("更改模式");

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

void BackgroundCommands::showPicture(const QImage& picture, const QString& path)
{
    m_picture = picture;
    m_loadedPath = picture.isNull() ? QString() : path;
    m_window.backgroundImage()->setPixmap(QPixmap::fromImage(picture));
    m_window.placeBackgroundPicture();
}

void BackgroundCommands::loadPicture()
{
    const TVectorGraph* page = m_window.currentPage();
    const bool shown =
        page && m_window.document().Modal != SheetSelfMade && QFileInfo::exists(page->PicturePath);
    // Undo and redo show the page again: the picture on show is not read twice.
    if (shown && page->PicturePath == m_loadedPath && !m_picture.isNull()) {
        m_window.placeBackgroundPicture();
        return;
    }
    QImage picture;
    if (shown) {
        QString error;
        picture = sw::loadPicture(page->PicturePath, &error);
        if (picture.isNull())
            refuseUnreadable(page->PicturePath, error);
    }
    showPicture(picture, shown ? page->PicturePath : QString());
}

void BackgroundCommands::InsertPicture()
{
    TVectorGraph* page = m_window.currentPage();
    if (!page)
        return;
    if (m_window.document().Modal == SheetSelfMade) {
        m_window.showStatus(OverlayModeNeededStatus);
        return;
    }
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
    showPicture(picture, choice.path);
    // Millimetres as if the scan had the screen's resolution. The new size
    // belongs to the insertion's own history entry.
    const double pixelsPerMm = m_window.document().PixelsPerMm;
    m_recording = false;
    m_window.pageDialog().applyPictureSize(picture.width() / pixelsPerMm,
                                           picture.height() / pixelsPerMm);
    m_recording = true;
    m_window.zoomToActualSize();
    // The page's own offset applies the next time the page is shown.
    m_window.backgroundImage()->move(0, 0);
    m_window.updateContentSize();
    m_window.controller().AddEntry(QStringLiteral("插入底图"));
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
    m_window.controller().RecordChange(MoveKey, MoveCaption);
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
        showPicture(picture, page->PicturePath);
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
    // The measured skew (and, in mode 4, the boxes found again) changed the
    // page, whether or not the straight picture is kept.
    // Each correction is an entry of its own; keeping its picture below
    // completes that entry.
    const std::int32_t correctionKey = m_nextEntryKey--;
    m_window.controller().RecordChange(correctionKey, CorrectionCaption);
    if (result.picture.isNull()) {
        refuse(&m_window, result.message, MessageIcon::Information);
        return;
    }
    showPicture(result.picture, {});
    if (!result.message.isEmpty())
        refuse(&m_window, result.message, MessageIcon::Information);

    // The scan stays as it came from the scanner: the straight picture is
    // written beside it and the page points at that one.
    const QString straightPath = straightPicturePath(page->PicturePath);
    const QString question =
        QStringLiteral("%1\n校正后的底图将另存为%2，原图%3保留不变。")
            .arg(SavePictureQuestion, quoted(straightPath), quoted(page->PicturePath));
    if (!confirm(&m_window, question)) {
        loadPicture();
        return;
    }
    QString error;
    const bool written = whileBusy([&] {
        return replaceWithJpeg(straightPath, result.picture, pictureDotsPerInch(picture), &error);
    });
    if (!written) {
        refuse(&m_window,
               QStringLiteral("不能保存底图文件%1：\n%2").arg(quoted(straightPath), error),
               MessageIcon::Critical);
        loadPicture();
        return;
    }
    page->PicturePath = straightPath;
    m_loadedPath = straightPath;
    m_window.controller().RecordChange(correctionKey, CorrectionCaption);
}

QString straightPicturePath(const QString& original)
{
    const QFileInfo info(original);
    // Correcting a corrected copy numbers the next copy of the same scan.
    static const QRegularExpression CopySuffix(QStringLiteral("-校正\\d*$"));
    const QString stem = info.completeBaseName().remove(CopySuffix) + QStringLiteral("-校正");
    QString path = info.dir().filePath(stem + QStringLiteral(".jpg"));
    // Never over an existing file: another scan's, or an earlier correction
    // the user may still want.
    for (int n = 2; QFileInfo::exists(path) || QFileInfo(path).isSymLink(); ++n)
        path = info.dir().filePath(QStringLiteral("%1%2.jpg").arg(stem).arg(n));
    return path;
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
    // The dialog applies the mode with every change of its fields: only a
    // new mode is an entry of its own, which the rest of the same apply
    // completes.
    const OperationHistory& history = m_window.controller().History();
    const int row = history.CurrentRow();
    if (m_recording && row >= 0 && history.Snapshot(row).Modal != m_window.document().Modal) {
        m_modeKey = m_nextEntryKey--;
        m_window.controller().RecordChange(m_modeKey, ModeCaption);
    }
}

void BackgroundCommands::pageSetupApplied()
{
    m_window.repaintSurface();
    if (!m_recording)
        return;
    if (m_modeKey != 0)
        m_window.controller().RecordChange(m_modeKey, ModeCaption);
    else
        m_window.controller().RecordChange(PageSetupKey, PageSetupCaption);
    m_modeKey = 0;
}

void BackgroundCommands::showBackgroundPicture()
{
    loadPicture();
}

} // namespace sw
