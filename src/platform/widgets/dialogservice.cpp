#include "platform/widgets/dialogservice.h"

#include "platform/widgets/designersettings.h"

#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QFontInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <algorithm>

namespace sw {

namespace {

DialogService* installedService = nullptr;

QMessageBox::Icon toBoxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

int filterPosition(const QStringList& filters, const QString& selected)
{
    const qsizetype index = filters.indexOf(selected);
    return index < 0 ? 1 : int(index) + 1;
}

FileChoice runFileDialog(QWidget* parent, const QString& caption, const QStringList& filters,
                         QFileDialog::AcceptMode mode)
{
    // Each dialog, known by its caption, opens in the folder it was last
    // left in.
    QFileDialog dialog(parent, caption, lastFileDialogFolder(caption));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString path = dialog.selectedFiles().constFirst();
    rememberFileDialogFolder(caption, path);
    return {path, filterPosition(filters, dialog.selectedNameFilter())};
}

} // namespace

void QtDialogService::message(QWidget* parent, const QString& text, const QString& caption,
                              MessageIcon icon)
{
    QMessageBox box(toBoxIcon(icon), caption, text, QMessageBox::Ok, parent);
    box.exec();
}

bool QtDialogService::question(QWidget* parent, const QString& text, const QString& caption)
{
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No,
                    parent);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

Answer QtDialogService::questionWithCancel(QWidget* parent, const QString& text,
                                           const QString& caption)
{
    QMessageBox box(QMessageBox::Question, caption, text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

FileChoice QtDialogService::openFile(QWidget* parent, const QString& caption,
                                     const QStringList& filters)
{
    return runFileDialog(parent, caption, filters, QFileDialog::AcceptOpen);
}

FileChoice QtDialogService::saveFile(QWidget* parent, const QString& caption,
                                     const QStringList& filters)
{
    return runFileDialog(parent, caption, filters, QFileDialog::AcceptSave);
}

std::optional<QColor> QtDialogService::chooseColor(QWidget* parent, const QColor& initial)
{
    const QColor color = QColorDialog::getColor(initial, parent);
    if (!color.isValid())
        return std::nullopt;
    return color;
}

std::optional<QFont> QtDialogService::chooseFont(QWidget* parent, const QFont& initial)
{
    // The dialog lists installed families only: a substituted family (宋体
    // drawn with another font) opens on the family that actually draws it.
    QFont shown = initial;
    shown.setFamily(QFontInfo(initial).family());
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, shown, parent);
    if (!ok)
        return std::nullopt;
    return font;
}

int QtDialogService::exec(QDialog& dialog)
{
    return dialog.exec();
}

std::optional<QString> QtDialogService::inputText(QWidget* parent, const QString& caption,
                                                  const QString& prompt, const QString& initial)
{
    bool ok = false;
    const QString text =
        QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, initial, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

std::optional<PrintChoice> QtDialogService::choosePrinter(QWidget* parent,
                                                          const QString& printerName, int pageCount)
{
    QPrinter printer(QPrinterInfo::printerInfo(printerName));
    printer.setPrintRange(QPrinter::CurrentPage);
    QPrintDialog dialog(&printer, parent);
    dialog.setOptions(QAbstractPrintDialog::PrintCurrentPage |
                      QAbstractPrintDialog::PrintPageRange);
    dialog.setMinMax(1, std::max(pageCount, 1));
    dialog.setFromTo(1, std::max(pageCount, 1));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    PrintChoice choice;
    choice.printer = printer.printerName();
    switch (printer.printRange()) {
    case QPrinter::AllPages:
    case QPrinter::Selection:
        choice.range = PrintChoice::Range::AllPages;
        break;
    case QPrinter::CurrentPage:
        choice.range = PrintChoice::Range::CurrentPage;
        break;
    case QPrinter::PageRange:
        choice.range = PrintChoice::Range::PageRange;
        choice.firstPage = printer.fromPage();
        choice.lastPage = printer.toPage();
        break;
    }
    return choice;
}

bool QtDialogService::offer(QWidget* parent, const QString& text, const QString& caption,
                            const QString& acceptText, const QString& declineText)
{
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::NoButton, parent);
    QPushButton* accept = box.addButton(acceptText, QMessageBox::AcceptRole);
    QPushButton* decline = box.addButton(declineText, QMessageBox::RejectRole);
    box.setDefaultButton(accept);
    box.setEscapeButton(decline);
    box.exec();
    return box.clickedButton() == accept;
}

DialogService& dialogService()
{
    static QtDialogService standard;
    return installedService ? *installedService : standard;
}

DialogService* setDialogService(DialogService* service)
{
    DialogService* previous = installedService ? installedService : &dialogService();
    installedService = service;
    return previous;
}

bool confirm(QWidget* parent, const QString& text)
{
    return dialogService().question(parent, text, ApplicationTitle);
}

Answer ask(QWidget* parent, const QString& text)
{
    return dialogService().questionWithCancel(parent, text, ApplicationTitle);
}

void refuse(QWidget* parent, const QString& text, MessageIcon icon)
{
    dialogService().message(parent, text, ApplicationTitle, icon);
}

} // namespace sw
