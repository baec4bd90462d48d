#include "editor/filecommands.h"

#include "dialogs/fblfrm.h"
#include "dialogs/setpagefrm.h"
#include "document/export.h"
#include "document/printing.h"
#include "document/vectorgraphics.h"
#include "editor/mainwindow.h"
#include "editor/vcortrols.h"
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

FileCommands::FileCommands(TPaintForm& window) : m_window(window) {}

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
    const FileChoice choice =
        dialogService().openFile(&m_window, QStringLiteral("打开"), templateFilters());
    if (choice.chosen())
        OpenFile(choice.path);
}

bool FileCommands::OpenFile(const QString& path)
{
    TVectorGraphics& document = m_window.document();
    m_window.controller().CancelTextEditor();
    QString error;
    const bool loaded = document.LoadFromFile(path, &error);
    if (!loaded || document.PageCount() == 0) {
        if (loaded)
            error = QStringLiteral("模板中没有页面");
        refuse(&m_window, QStringLiteral("不能打开模板文件%1：\n%2").arg(quoted(path), error),
               MessageIcon::Critical);
        startNewDocument();
        return false;
    }

    m_window.setFileName(path);
    m_window.syncDocumentButtons();
    m_window.rebuildTabs(0);
    document.LayoutMarks();
    m_window.scrollToOrigin();
    m_window.loadBackgroundPicture();
    m_window.controller().ResetHistory();
    m_window.controller().AddEntry(QStringLiteral("打开文件"));
    m_window.repaintSurface();
    return true;
}

// A new document with paper type A, as at start.
void FileCommands::startNewDocument()
{
    TVectorGraphics& document = m_window.document();
    document.Clear();
    static_cast<StoredDocument&>(document) = StoredDocument{};
    document.FileName.clear();
    m_window.setFileName({});
    m_window.syncDocumentButtons();
    m_window.rebuildTabs(-1);
    m_window.paperDialog().prepareFirstPage();
    m_window.paperDialog().Button1Click();
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
    // Saving drops bubble boxes without bubbles from the pages.
    m_window.repaintSurface();
    if (!saved) {
        refuse(&m_window, QStringLiteral("不能保存模板文件%1：\n%2").arg(quoted(name), error),
               MessageIcon::Critical);
    }
    return saved;
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
    Tfblfrm& dialog = m_window.resolutionDialog();
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
    QString message;
    const bool printed = PrintCurrentPage(m_window.document(), printer, &message);
    // Printing clears the active shape.
    m_window.repaintSurface();
    if (!printed)
        refuse(&m_window, message);
}

// Deleting a page -----------------------------------------------------------

void FileCommands::DeletePage()
{
    if (!confirm(&m_window, DeletePageQuestion))
        return;
    QTabBar* tabs = m_window.tabBar();
    const int tab = tabs->currentIndex();
    if (tabs->count() <= 1 || tab < 0 || !deletionAllowed(tab))
        return;
    TVectorGraphics& document = m_window.document();
    m_window.controller().CancelTextEditor();
    document.CurrentPage = tab;
    document.DeleteCurrentPage();
    m_window.removeTab(tab);
    m_window.settabs();
    m_window.controller().ResetHistory();
    m_window.controller().AddEntry(QStringLiteral("删除页面"));
    m_window.repaintSurface();
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
