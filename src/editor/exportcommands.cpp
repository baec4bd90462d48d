#include "editor/exportcommands.h"

#include "dialogs/resolutiondialog.h"
#include "document/export.h"
#include "document/vectorgraph.h"
#include "document/vectorgraphics.h"
#include "editor/mainwindow.h"
#include "platform/widgets/dialogservice.h"
#include "shapes/rimage.h"

#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <optional>

namespace sw {

namespace {

struct ExportType
{
    const char* filter;
    const char* ending;
    // A second ending the name may have instead.
    const char* otherEnding;
};

constexpr ExportType ExportTypes[] = {
    {"PNG (*.png)", ".png", nullptr},  {"JPEG (*.jpg *.jpeg)", ".jpg", ".jpeg"},
    {"位图 (*.bmp)", ".bmp", nullptr}, {"PDF (*.pdf)", ".pdf", nullptr},
    {"SVG (*.svg)", ".svg", nullptr},
};

QString quoted(const QString& path)
{
    return QStringLiteral("“%1”").arg(QDir::toNativeSeparators(path));
}

// The name with the type's ending, unless it has one already (compared
// exactly, as the writers compare it).
QString withEnding(const QString& path, const ExportType& type)
{
    for (const char* ending : {type.ending, type.otherEnding}) {
        if (ending && path.endsWith(QLatin1String(ending)))
            return path;
    }
    return path + QLatin1String(type.ending);
}

bool samePath(const QString& a, const QString& b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    const QFileInfo first(a);
    const QFileInfo second(b);
    if (first.exists() && second.exists())
        return first.canonicalFilePath() == second.canonicalFilePath();
    return first.absoluteFilePath() == second.absoluteFilePath();
}

} // namespace

ExportCommands::ExportCommands(MainWindow& window) : m_window(window) {}

QStringList ExportCommands::exportFilters()
{
    QStringList filters;
    for (const ExportType& type : ExportTypes)
        filters << QString::fromUtf8(type.filter);
    return filters;
}

QString ExportCommands::numberedFileName(const QString& path, int number)
{
    const QFileInfo file(path);
    const QString suffix = file.suffix();
    const QString base = suffix.isEmpty() ? path : path.left(path.size() - suffix.size() - 1);
    const QString numbered = base + QStringLiteral("-%1").arg(number);
    return suffix.isEmpty() ? numbered : numbered + QLatin1Char('.') + suffix;
}

void ExportCommands::Export()
{
    const FileChoice choice =
        dialogService().saveFile(&m_window, QStringLiteral("导出"), exportFilters());
    if (!choice.chosen())
        return;
    const int position = std::clamp(choice.filterIndex, 1, int(std::size(ExportTypes)));
    const QString path = withEnding(choice.path, ExportTypes[position - 1]);
    const int pageCount = m_window.document().PageCount();
    const bool allPages =
        pageCount > 1 &&
        dialogService().offer(&m_window, ExportScopeQuestion.arg(pageCount), ApplicationTitle,
                              ExportAllPagesText, ExportCurrentPageText);
    if (exportTo(path, allPages)) {
        m_window.showStatus(allPages
                                ? QStringLiteral("已导出%1页到%2").arg(pageCount).arg(quoted(path))
                                : QStringLiteral("已导出到%1").arg(quoted(path)));
    }
}

bool ExportCommands::exportTo(const QString& path, bool allPages)
{
    TVectorGraphics& document = m_window.document();
    const bool onePdf = path.endsWith(QLatin1String(".pdf"));
    QStringList targets;
    if (allPages && !onePdf) {
        for (int i = 0; i < document.PageCount(); ++i)
            targets << numberedFileName(path, i + 1);
    } else {
        targets << path;
    }
    for (const QString& target : std::as_const(targets)) {
        const QString refusal = refusalToWrite(target);
        if (!refusal.isEmpty()) {
            refuse(&m_window, refusal);
            return false;
        }
    }

    ResolutionDialog& dialog = m_window.resolutionDialog();
    if (dialogService().exec(dialog) != QDialog::Accepted)
        return false;
    const std::optional<int> resolution = dialog.resolution();
    if (!resolution || *resolution < 1 || *resolution > MaxExportDotsPerInch) {
        refuse(&m_window,
               QStringLiteral("分辨率必须是1到%1之间的整数！").arg(MaxExportDotsPerInch));
        return false;
    }

    bool written = true;
    if (allPages && onePdf) {
        written = write(-1, path, *resolution);
    } else if (allPages) {
        for (int i = 0; written && i < targets.size(); ++i)
            written = write(i, targets[i], *resolution);
    } else {
        written = write(document.CurrentPage, path, *resolution);
    }
    // The export clears the selection.
    m_window.repaintSurface();
    return written;
}

// Page -1: every page into one PDF.
bool ExportCommands::write(int pageIndex, const QString& path, int resolution)
{
    TVectorGraphics& document = m_window.document();
    QString error;
    const bool written = pageIndex < 0 ? ExportPdf(document, path, resolution, &error)
                                       : ExportPage(document, pageIndex, path, resolution, &error);
    if (!written) {
        refuse(&m_window, QStringLiteral("不能保存图像文件%1：\n%2").arg(quoted(path), error),
               MessageIcon::Critical);
    }
    return written;
}

QString ExportCommands::refusalToWrite(const QString& path) const
{
    const QFileInfo target(path);
    if (target.isSymLink() &&
        QFileInfo(target.symLinkTarget()).absolutePath() != target.absolutePath()) {
        return QStringLiteral("%1是指向其他文件夹的链接，不能导出到这里。").arg(quoted(path));
    }
    const TVectorGraphics& document = m_window.document();
    for (int i = 0; i < document.PageCount(); ++i) {
        TVectorGraph& page = *document.PageAt(i);
        QStringList inputs{page.PicturePath};
        for (int j = 0; j < page.ShapeCount(); ++j) {
            if (const auto* picture = dynamic_cast<const TRImage*>(page.ShapeItem(j)))
                inputs << picture->PicturePath;
        }
        for (const QString& input : std::as_const(inputs)) {
            if (samePath(path, input))
                return QStringLiteral("%1是模板使用的图片，不能用导出的图像替换它。")
                    .arg(quoted(path));
        }
    }
    return {};
}

} // namespace sw
