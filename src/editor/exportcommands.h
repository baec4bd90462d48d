#pragma once

#include <QString>
#include <QStringList>

namespace sw {

class MainWindow;

// The question of the export command when the document has more than one
// page; its buttons are ExportAllPagesText and ExportCurrentPageText.
inline const QString ExportScopeQuestion =
    QStringLiteral("导出全部%1页，还是只导出当前页？\n"
                   "全部页面导出为PDF时是一个多页文件，其他格式每页一个编号文件。");
inline const QString ExportAllPagesText = QStringLiteral("全部页面");
inline const QString ExportCurrentPageText = QStringLiteral("当前页");

// Export of pages as pictures or PDF: the "导出…" command and the picture
// types of "另存为". An output is refused where it would replace a
// background picture or a picture shape's file, or write through a link into
// another folder.
class ExportCommands
{
public:
    explicit ExportCommands(MainWindow& window);

    // "导出…": asks for the file and its type (PNG, JPEG, BMP, PDF, SVG),
    // then, for a document of several pages, whether every page or the
    // current one, then the resolution, and writes the pages.
    void Export();
    // Asks for the resolution and writes the current page, or every page,
    // to `path`: every page of a PDF into one file, of another type into
    // numbered files (numberedFileName). Says what failed, naming the file.
    // True when everything was written.
    bool exportTo(const QString& path, bool allPages);

    // The filters of the export dialog, in the order of their positions.
    static QStringList exportFilters();
    // The file of page `number` (from 1) in an export of every page:
    // "sheet.png" becomes "sheet-1.png".
    static QString numberedFileName(const QString& path, int number);

private:
    // The reason `path` must not be written, empty when it may.
    QString refusalToWrite(const QString& path) const;
    bool write(int pageIndex, const QString& path, int resolution);

    MainWindow& m_window;
};

} // namespace sw
