#include "editor/filecommands.h"

#include "document/printing.h"
#include "document/selection.h"
#include "document/vectorgraphics.h"
#include "editor/editingcontroller.h"
#include "editor/exportcommands.h"
#include "editor/mainwindow.h"
#include "editor/recentfiles.h"
#include "platform/widgets/dialogservice.h"
#include "platform/widgets/qtprinter.h"

#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTabBar>
#include <algorithm>
#include <numeric>

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
    QString error;
    if (!loadTemplate(path, &error)) {
        refuse(&m_window, QStringLiteral("不能打开模板文件%1：\n%2").arg(quoted(path), error),
               MessageIcon::Critical);
        return false;
    }
    m_window.setFileName(path);
    EditingController& controller = m_window.controller();
    controller.AddEntry(QStringLiteral("打开文件"));
    controller.History().MarkSaved();
    m_window.recentFiles().add(path);
    return true;
}

bool FileCommands::OpenRecovered(const QString& path, const QString& originalFileName,
                                 QString* error)
{
    if (!loadTemplate(path, error))
        return false;
    // Picture shapes are looked for beside the template they came from.
    TVectorGraphics& document = m_window.document();
    document.FileName = originalFileName;
    document.LayoutMarks();
    m_window.setFileName(originalFileName);
    // Not marked saved: the file on disk lacks what was recovered.
    m_window.controller().AddEntry(QStringLiteral("恢复自动保存的模板"));
    return true;
}

bool FileCommands::loadTemplate(const QString& path, QString* error)
{
    // The template is read once aside to see that it holds pages: the
    // document is replaced only by a template that can be shown.
    TVectorGraphics& document = m_window.document();
    TVectorGraphics probe(document.PixelsPerInch);
    if (!probe.LoadFromFile(path, error))
        return false;
    if (probe.PageCount() == 0) {
        if (error)
            *error = NoPagesInTemplateText;
        return false;
    }
    m_window.controller().CancelTextEditor();
    if (!document.LoadFromFile(path, error))
        return false;

    m_window.syncDocumentButtons();
    // The tab change scrolls to the origin and loads the background picture.
    m_window.rebuildTabs(0);
    document.LayoutMarks();
    m_window.controller().ResetHistory();
    return true;
}

bool FileCommands::confirmReplacingDocument()
{
    // Text typed into a new or edited text box is part of the work to keep.
    m_window.controller().CommitTextEditor();
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
    m_window.controller().CommitTextEditor();
    TVectorGraphics& document = m_window.document();
    const FailedCheck failed = document.FirstFailedCheckWithShapes();
    if (!failed.Message.isEmpty()) {
        showShapesAtFault(failed.Shapes);
        refuse(&m_window, failed.Message);
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
    m_window.recentFiles().add(name);
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
    // A PDF holds every page.
    m_window.exportCommands().exportTo(withEnding(choice.path, choice.filterIndex),
                                       choice.filterIndex == PdfFilter);
}

// Printing ------------------------------------------------------------------

Printer& FileCommands::printer()
{
    if (!m_printer && !m_defaultPrinter)
        m_defaultPrinter = std::make_unique<QtPrinter>();
    return m_printer ? *m_printer : *m_defaultPrinter;
}

QString FileCommands::printJobTitle() const
{
    const QString& name = m_window.fileName();
    return name.isEmpty() ? MainWindowCaption : QFileInfo(name).fileName();
}

std::vector<int> FileCommands::pagesToPrint(const PrintChoice& choice) const
{
    const TVectorGraphics& document = m_window.document();
    int first = 0;
    int last = document.PageCount() - 1;
    switch (choice.range) {
    case PrintChoice::Range::AllPages:
        break;
    case PrintChoice::Range::CurrentPage:
        first = last = document.CurrentPage;
        break;
    case PrintChoice::Range::PageRange:
        first = std::max(first, choice.firstPage - 1);
        last = std::min(last, choice.lastPage - 1);
        break;
    }
    std::vector<int> pages;
    for (int i = first; i <= last; ++i)
        pages.push_back(i);
    return pages;
}

void FileCommands::Print()
{
    Printer& target = printer();
    if (!target.isAvailable()) {
        refuse(&m_window, NoPrinterMessage);
        return;
    }
    TVectorGraphics& document = m_window.document();
    const std::optional<PrintChoice> chosen =
        dialogService().choosePrinter(&m_window, target.printerName(), document.PageCount());
    if (!chosen)
        return;
    target.selectPrinter(chosen->printer);
    const std::vector<int> pages = pagesToPrint(*chosen);
    if (pages.empty()) {
        refuse(&m_window,
               QStringLiteral("所选范围内没有页面，模板共%1页。").arg(document.PageCount()));
        return;
    }

    QString message;
    const bool printed = PrintPages(document, target, pages, printJobTitle(), &message);
    // Printing clears the active shape.
    m_window.repaintSurface();
    if (!printed) {
        refuse(&m_window, message);
        return;
    }
    QTabBar* tabs = m_window.tabBar();
    const QString what = pages.size() == 1
                             ? QStringLiteral("“%1”").arg(tabs->tabText(pages.front()))
                             : QStringLiteral("%1页").arg(pages.size());
    m_window.showStatus(QStringLiteral("%1已送到打印机“%2”").arg(what, target.printerName()));
}

void FileCommands::PrintPreview()
{
    TVectorGraphics& document = m_window.document();
    if (document.PageCount() == 0)
        return;
    QPrinter preview(QPrinter::HighResolution);
    const TVectorGraph& first = *document.PageAt(0);
    preview.setFullPage(true);
    preview.setPageLayout(QPageLayout(printerPaper(first), printerOrientation(first), QMarginsF()));
    preview.setDocName(printJobTitle());
    QPrintPreviewDialog dialog(&preview, &m_window);
    dialog.setObjectName(QStringLiteral("PrintPreviewDialog"));
    dialog.setWindowTitle(QStringLiteral("打印预览"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [this, &document](QPrinter* target) {
                         QtPrinter sheets(*target);
                         std::vector<int> pages(std::size_t(document.PageCount()));
                         std::iota(pages.begin(), pages.end(), 0);
                         PrintPages(document, sheets, pages, printJobTitle());
                     });
    dialogService().exec(dialog);
    // Printing clears the active shape.
    m_window.repaintSurface();
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

void FileCommands::showShapesAtFault(const QList<ShapePlace>& shapes)
{
    if (shapes.isEmpty())
        return;
    const int pageIndex = shapes.first().Page;
    m_window.selectTab(pageIndex);
    TVectorGraphics& document = m_window.document();
    TVectorGraph& page = *document.PageAt(pageIndex);
    bool first = true;
    for (const ShapePlace& place : shapes) {
        if (place.Page != pageIndex)
            continue;
        if (SelectShape(document, *page.ShapeItem(place.Index), !first, false))
            first = false;
    }
    if (document.ActiveShape)
        m_window.loadPanel(*document.ActiveShape);
    m_window.repaintSurface();
}

} // namespace sw
