#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace sw {

class Printer;
struct ShapePlace;
struct PrintChoice;
class MainWindow;

inline const QString DeletePageQuestion = QStringLiteral("您确信要删除当前页吗？");
inline const QString SaveTemplateQuestion = QStringLiteral("是否保存模板？");
inline const QString NoPagesInTemplateText = QStringLiteral("模板中没有页面");
// Status-bar notes for page deletions refused without a message box.
inline const QString OnlyPageStatus = QStringLiteral("只有一页，不能删除");
inline const QString OnlyPageOfPaperTypeStatus =
    QStringLiteral("这是该卷型唯一的一页，只有最后一页可以这样删除");

// The file commands of the main window: open and save templates (saving
// only documents that pass the checks before saving), export the current
// page as a picture or the whole document as PDF, print the current page and
// delete the current page.
class FileCommands
{
public:
    explicit FileCommands(MainWindow& window);
    ~FileCommands();

    // "打开": asks for a template and opens it, after offering to save the
    // changes of the document it replaces.
    void Open();
    // Opens the template. When it cannot be read, says why and keeps the
    // document, its tabs, file name and history as they were. True when the
    // template was opened.
    bool OpenFile(const QString& path);
    // Opens a recovery file as the document, under the name of the file it
    // was recovered from (empty for a document never saved), marked unsaved.
    // False, with the reason in *error, when it cannot be read; the document
    // is then kept.
    bool OpenRecovered(const QString& path, const QString& originalFileName, QString* error);
    // Before the document is replaced (open, drop, wizard, template import):
    // when it has unsaved changes, asks "是否保存模板？" with Yes, No and
    // Cancel. Yes saves it, with the checks and, for a new document, the
    // file dialog. True when the replacement may go on: No, or Yes with the
    // document saved, or nothing to save.
    bool confirmReplacingDocument();
    // "保存": checks the document and writes it to the current file, asking
    // for a name first when there is none. True when the file was written.
    bool Save();
    // "另存为...": a template under a new name, or the current page as a
    // picture, or every page as PDF.
    void SaveAs();
    // "打印": the print dialog, then the pages it chose (every page, the
    // current one or a range) on the printer chosen there (the default
    // printer at first), as one job named after the template file.
    void Print();
    // "打印预览": every page as it will print, in Qt's preview dialog, from
    // which it can also be printed.
    void PrintPreview();
    // "删除页面": after a confirmation, the current page, unless it is the
    // only page or the only page of its paper type between others.
    void DeletePage();

    // The printer Print uses; the system's default printer unless set (not
    // owned).
    void setPrinter(Printer* printer) { m_printer = printer; }

    // The filters of the dialogs.
    static QStringList templateFilters();
    static QStringList saveAsFilters();

private:
    // Replaces the document by the template, with its tabs and an empty
    // history; the document is kept when the template cannot be shown.
    bool loadTemplate(const QString& path, QString* error);
    Printer& printer();
    QString printJobTitle() const;
    // Indices of the pages the choice covers, in order; empty when its range
    // lies beyond the document.
    std::vector<int> pagesToPrint(const PrintChoice& choice) const;
    bool deletionAllowed(int tab) const;
    // Shows the page of the first shape a check before saving refused, with
    // the refused shapes of that page selected.
    void showShapesAtFault(const QList<ShapePlace>& shapes);

    MainWindow& m_window;
    Printer* m_printer = nullptr;
    std::unique_ptr<Printer> m_defaultPrinter;
};

} // namespace sw
