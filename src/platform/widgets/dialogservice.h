#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>
#include <optional>

class QDialog;
class QWidget;

namespace sw {

// The application's title: the caption of confirmations and refusals.
inline const QString ApplicationTitle = QStringLiteral("模板设计");

// The file a file dialog returned. filterIndex counts the filters from 1.
struct FileChoice
{
    QString path;
    int filterIndex = 0;

    bool chosen() const { return !path.isEmpty(); }
};

enum class MessageIcon
{
    Information,
    Warning,
    Critical
};

enum class Answer
{
    Yes,
    No,
    Cancel
};

// What the print dialog chose: the printer and which pages. Pages count
// from 1 over the whole document.
struct PrintChoice
{
    enum class Range
    {
        AllPages,
        CurrentPage,
        PageRange
    };

    QString printer;
    Range range = Range::CurrentPage;
    int firstPage = 1;
    int lastPage = 1;
};

// Every message box, question box, standard dialog and modal dialog of the
// designer goes through this service, so that tests can answer them without
// blocking. The designer uses QtDialogService; a test installs its own.
class DialogService
{
public:
    virtual ~DialogService() = default;

    // A message with an OK button.
    virtual void message(QWidget* parent, const QString& text, const QString& caption,
                         MessageIcon icon) = 0;
    // A Yes/No question with No as the default button; true for Yes.
    virtual bool question(QWidget* parent, const QString& text, const QString& caption) = 0;
    // A Yes/No/Cancel question with Cancel as the default and escape button.
    virtual Answer questionWithCancel(QWidget* parent, const QString& text,
                                      const QString& caption) = 0;
    // Filters in Qt form ("模板文件 (*.exm)"); an empty path when cancelled.
    virtual FileChoice openFile(QWidget* parent, const QString& caption,
                                const QStringList& filters) = 0;
    virtual FileChoice saveFile(QWidget* parent, const QString& caption,
                                const QStringList& filters) = 0;
    virtual std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) = 0;
    virtual std::optional<QFont> chooseFont(QWidget* parent, const QFont& initial) = 0;
    // Shows the dialog modally; QDialog::Accepted or QDialog::Rejected.
    virtual int exec(QDialog& dialog) = 0;
    // A one-line input box; nothing when cancelled. A service that cannot
    // ask answers as if cancelled.
    virtual std::optional<QString> inputText(QWidget* parent, const QString& caption,
                                             const QString& prompt, const QString& initial)
    {
        Q_UNUSED(parent)
        Q_UNUSED(caption)
        Q_UNUSED(prompt)
        Q_UNUSED(initial)
        return std::nullopt;
    }
    // The print dialog, opened on the named printer with the current page as
    // the print range, offering every page, the current one or a range of
    // the document's `pageCount` pages: what was chosen, nothing when
    // cancelled.
    virtual std::optional<PrintChoice> choosePrinter(QWidget* parent, const QString& printerName,
                                                     int pageCount) = 0;
    // A question with two buttons of its own captions, the first the
    // default; true for the first. A service that has no such buttons asks
    // it as a Yes/No question, Yes for the first.
    virtual bool offer(QWidget* parent, const QString& text, const QString& caption,
                       const QString& acceptText, const QString& declineText)
    {
        Q_UNUSED(acceptText)
        Q_UNUSED(declineText)
        return question(parent, text, caption);
    }
};

// The standard Qt dialogs.
class QtDialogService : public DialogService
{
public:
    void message(QWidget* parent, const QString& text, const QString& caption,
                 MessageIcon icon) override;
    bool question(QWidget* parent, const QString& text, const QString& caption) override;
    Answer questionWithCancel(QWidget* parent, const QString& text,
                              const QString& caption) override;
    FileChoice openFile(QWidget* parent, const QString& caption,
                        const QStringList& filters) override;
    FileChoice saveFile(QWidget* parent, const QString& caption,
                        const QStringList& filters) override;
    std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) override;
    std::optional<QFont> chooseFont(QWidget* parent, const QFont& initial) override;
    int exec(QDialog& dialog) override;
    std::optional<QString> inputText(QWidget* parent, const QString& caption, const QString& prompt,
                                     const QString& initial) override;
    std::optional<PrintChoice> choosePrinter(QWidget* parent, const QString& printerName,
                                             int pageCount) override;
    bool offer(QWidget* parent, const QString& text, const QString& caption,
               const QString& acceptText, const QString& declineText) override;
};

// The service in use: the installed one, else a process-wide QtDialogService.
DialogService& dialogService();
// Installs a service (not owned; nullptr restores the Qt dialogs) and returns
// the one installed before.
DialogService* setDialogService(DialogService* service);

// A Yes/No confirmation captioned with the application's title.
bool confirm(QWidget* parent, const QString& text);
// A Yes/No/Cancel question captioned with the application's title.
Answer ask(QWidget* parent, const QString& text);
// A one-line refusal with OK, captioned with the application's title.
void refuse(QWidget* parent, const QString& text, MessageIcon icon = MessageIcon::Warning);

} // namespace sw
