#pragma once

#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <vector>

namespace sw {

class Printer;
class TVectorGraph;
class TVectorGraphics;

// Shown when the default printer is missing or cannot take the job.
inline const QString NoPrinterMessage = QStringLiteral("没有默认打印机，或默认打印机不可用！");

// The paper a page is printed on, given upright, and its orientation: the
// standard paper its PageSize names, or for any other size a sheet of the
// page's width and height in whole millimetres.
QPageSize printerPaper(const TVectorGraph& page);
QPageLayout::Orientation printerOrientation(const TVectorGraph& page);

// Prints the current page as one sheet at the printer's resolution, a
// millimetre of the page on a millimetre of paper, without selection marks
// (the active shape is deselected and cleared). Returns false with the
// message to show in *message when nothing was printed.
bool PrintCurrentPage(TVectorGraphics& document, Printer& printer, QString* message = nullptr);

// Prints the pages of the given indices, in that order, as one job named
// `jobTitle`, one sheet each, every sheet of its own page's paper where the
// printer can change paper within a job; otherwise as PrintCurrentPage.
bool PrintPages(TVectorGraphics& document, Printer& printer, const std::vector<int>& pages,
                const QString& jobTitle, QString* message = nullptr);

} // namespace sw
