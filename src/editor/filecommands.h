#pragma once

#include <QString>
#include <QStringList>
#include <memory>

namespace sw {

class Printer;
class TPaintForm;

inline const QString DeletePageQuestion = QStringLiteral("您确信要删除当前页吗？");

// The file commands of the main window: open and save templates (saving
// only documents that pass the checks before saving), export the current
// page as a picture or the whole document as PDF, print the current page and
// delete the current page.
class FileCommands
{
public:
    explicit FileCommands(TPaintForm& window);
    ~FileCommands();

    // "打开": asks for a template and opens it.
    void Open();
    // Opens the template. When it cannot be read, says why and leaves a new
    // document with one page. True when the template was opened.
    bool OpenFile(const QString& path);
    // "保存": checks the document and writes it to the current file, asking
    // for a name first when there is none. True when the file was written.
    bool Save();
    // "另存为...": a template under a new name, or the current page as a
    // picture, or every page as PDF.
    void SaveAs();
    // "打印": the current page on the default printer.
    void Print();
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
    void exportPicture(QString path, int filterIndex);
    bool deletionAllowed(int tab) const;
    void startNewDocument();

    TPaintForm& m_window;
    Printer* m_printer = nullptr;
    std::unique_ptr<Printer> m_defaultPrinter;
};

} // namespace sw
