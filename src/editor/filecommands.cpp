#include "editor/filecommands.h"

#include "dialogs/resolutiondialog.h"
#include "document/export.h"
#include "document/printing.h"
#include "document/vectorgraphics.h"
#include "editor/editingcontroller.h"
#include "editor/mainwindow.h"
#include "platform/widgets/dialogservice.h"
#include "platform/widgets/qtprinter.h"

#include <QDialog>
#include <QDir>
#include <QTabBar>

namespace sw {

namespace {

const QString TemplateSuffix = QStringLiteral(".exm");

// Positions of the save-as filters.
enum SaveAsFilter
{
    TemplateFilter = 1,
    BitmapFilter = 2,
    JpegFilter = 3,
    PngFilter = 4,
    PdfFilter = 5,
};

QString quoted(const QString& path)
{
    return QStringLiteral("“%1”").arg(QDir::toNativeSeparators(path));
}

// The name with the filter's file ending, unless it has one already.
QString withEnding(const QString& path, int filterIndex)
{
    const auto ensure = [&path](const QStringList& endings) {
        for (const QString& ending : endings) {
            if (path.endsWith(ending))
                return path;
        }
        return path + endings.first();
    };
    switch (filterIndex) {
    case BitmapFilter:
        return ensure({QStringLiteral(".bmp")});
    case JpegFilter:
        return ensure({QStringLiteral(".jpg"), QStringLiteral(".jpeg")});
    case PngFilter:
        return ensure({QStringLiteral(".png")});
    case PdfFilter:
        return ensure({QStringLiteral(".pdf")});
    default:
        return path;
    }
}

} // namespace

FileCommands::FileCommands(MainWindow& window) : m_window(window) {}

FileCommands::~FileCommands() = default;

QStringList FileCommands::templateFilters()
{
    return {QStringLiteral("模板文件 (*.exm)")};
}

QStringList FileCommands::saveAsFilters()
{
    return {QStringLiteral("模板文件 (*.exm)"), QStringLiteral("位图 (*.bmp)"),
            QStringLiteral("JPEG (*.jpg *.jpeg)"), QStringLiteral("PNG (*.png)"),
            QStringLiteral("PDF (*.pdf)")};
}

// Opening -------------------------------------------------------------------

void FileCommands::Open()
{
    if (!confirmReplacingDocument())
        return;
    const FileChoice choice =
        dialogService().openFile(&m_window, QStringLiteral("打开"), templateFilters());
    if (choice.chosen())
        OpenFile(choice.path);
}

bool FileCommands::OpenFile(const QString& path)
{
    // The template is read once aside to see that it holds pages: the
    // document is replaced only by a template that can be shown.
    QString error;
    TVectorGraphics& document = m_window.document();
    TVectorGraphics probe(document.PixelsPerInch);
    bool readable = probe.LoadFromFile(path, &error);
    if (readable && probe.PageCount() == 0) {
        readable = false;
        error = NoPagesInTemplateText;
    }
    if (readable) {
        m_window.controller().CancelTextEditor();
        readable = document.LoadFromFile(path, &error);
    }
    if (!readable) {
        refuse(&m_window, QStringLiteral("不能打开模板文件%1：\n%2").arg(quoted(path), error),
               MessageIcon::Critical);
        return false;
    }

    m_window.setFileName(path);
    m_window.syncDocumentButtons();
    // The tab change scrolls to the origin and loads the background picture.
    m_window.rebuildTabs(0);
    document.LayoutMarks();
    EditingController& controller = m_window.controller();
    controller.ResetHistory();
    controller.AddEntry(QStringLiteral("打开文件"));
    controller.History().MarkSaved();
    return true;
}

bool FileCommands::confirmReplacingDocument()
{
    if (!m_window.controller().History().IsModified())
        return true;
    switch (ask(&m_window, SaveTemplateQuestion)) {
    case Answer::Yes:
        return Save();
    case Answer::No:
        return true;
    case Answer::Cancel:
        break;
    }
    return false;
}

// Saving --------------------------------------------------------------------

bool FileCommands::Save()
{
    TVectorGraphics& document = m_window.document();
    const QString failed = document.FirstFailedCheck();
    if (!failed.isEmpty()) {
        refuse(&m_window, failed);
        return false;
    }
    QString name = m_window.fileName();
    if (name.isEmpty()) {
        const FileChoice choice =
            dialogService().saveFile(&m_window, QStringLiteral("保存"), templateFilters());
        if (!choice.chosen())
            return false;
        name = choice.path;
    }
    if (!name.endsWith(TemplateSuffix))
        name += TemplateSuffix;
    m_window.setFileName(name);

    QString error;
    const bool saved = document.SaveToFile(SaveAllShapes, name, &error);
    if (!saved) {
        refuse(&m_window, QStringLiteral("不能保存模板文件%1：\n%2").arg(quoted(name), error),
               MessageIcon::Critical);
        return false;
    }
    m_window.controller().History().MarkSaved();
    return true;
}

void FileCommands::SaveAs()
{
    const FileChoice choice =
        dialogService().saveFile(&m_window, QStringLiteral("另存为"), saveAsFilters());
    if (!choice.chosen())
        return;
    if (choice.filterIndex == TemplateFilter) {
        m_window.setFileName(choice.path);
        Save();
        return;
    }
    exportPicture(withEnding(choice.path, choice.filterIndex), choice.filterIndex);
}

void FileCommands::exportPicture(QString path, int filterIndex)
{
    ResolutionDialog& dialog = m_window.resolutionDialog();
    if (dialogService().exec(dialog) != QDialog::Accepted)
        return;
    const std::optional<int> resolution = dialog.resolution();
    if (!resolution || *resolution < 1 || *resolution > MaxExportDotsPerInch) {
        refuse(&m_window,
               QStringLiteral("分辨率必须是1到%1之间的整数！").arg(MaxExportDotsPerInch));
        return;
    }
    TVectorGraphics& document = m_window.document();
    QString error;
    const bool written = filterIndex == PdfFilter
                             ? ExportPdf(document, path, *resolution, &error)
                             : ExportImage(document, path, *resolution, &error);
    // The export clears the selection.
    m_window.repaintSurface();
    if (!written) {
        refuse(&m_window, QStringLiteral("不能保存图像文件%1：\n%2").arg(quoted(path), error),
               MessageIcon::Critical);
    }
}

// Printing ------------------------------------------------------------------

void FileCommands::Print()
{
    if (!m_printer && !m_defaultPrinter)
        m_defaultPrinter = std::make_unique<QtPrinter>();
    Printer& printer = m_printer ? *m_printer : *m_defaultPrinter;
    if (!printer.isAvailable()) {
        refuse(&m_window, NoPrinterMessage);
        return;
    }
    const std::optional<QString> chosen =
        dialogService().choosePrinter(&m_window, printer.printerName());
    if (!chosen)
        return;
    printer.selectPrinter(*chosen);

    QTabBar* tabs = m_window.tabBar();
    const QString pageName = tabs->tabText(tabs->currentIndex());
    QString message;
    const bool printed = PrintCurrentPage(m_window.document(), printer, &message);
    // Printing clears the active shape.
    m_window.repaintSurface();
    if (!printed) {
        refuse(&m_window, message);
        return;
    }
    m_window.showStatus(
        QStringLiteral("“%1”已送到打印机“%2”").arg(pageName, printer.printerName()));
}

// Deleting a page -----------------------------------------------------------

void FileCommands::DeletePage()
{
    if (!confirm(&m_window, DeletePageQuestion))
        return;
    QTabBar* tabs = m_window.tabBar();
    const int tab = tabs->currentIndex();
    if (tab < 0)
        return;
    if (tabs->count() <= 1 || !deletionAllowed(tab)) {
        m_window.showStatus(tabs->count() <= 1 ? OnlyPageStatus : OnlyPageOfPaperTypeStatus);
        return;
    }
    TVectorGraphics& document = m_window.document();
    m_window.controller().CancelTextEditor();
    document.CurrentPage = tab;
    document.DeleteCurrentPage();
    m_window.removeTab(tab);
    m_window.relabelTabs();
    m_window.controller().ResetHistory();
    m_window.controller().AddEntry(QStringLiteral("删除页面"));
}

// The only page of a paper type stays unless it is the last tab, so that the
// paper-type letters keep their sequence without gaps.
bool FileCommands::deletionAllowed(int tab) const
{
    const TVectorGraphics& document = m_window.document();
    const int last = document.PageCount() - 1;
    if (tab == last)
        return true;
    const auto letter = [&document](int i) { return document.PageAt(i)->PaperType; };
    if (tab == 0)
        return letter(1) == letter(0);
    return letter(tab - 1) == letter(tab) || letter(tab + 1) == letter(tab);
}

} // namespace sw
