#pragma once

#include "platform/widgets/dialogservice.h"

#include <QDialog>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace sw::test {

// Answers every dialog of the designer from a script and records what was
// shown. Questions without a scripted answer are answered No (Cancel where
// there is one), file and print dialogs without a scripted choice are
// cancelled, modal dialogs without a handler are cancelled, input boxes
// without a scripted answer are cancelled.
class ScriptedDialogs : public DialogService
{
public:
    struct Shown
    {
        QString kind; // "message", "question", "open", "save", "input", "print"
        QString text;
        QString caption;
    };

    void message(QWidget*, const QString& text, const QString& caption, MessageIcon) override
    {
        shown.push_back({QStringLiteral("message"), text, caption});
    }

    bool question(QWidget*, const QString& text, const QString& caption) override
    {
        shown.push_back({QStringLiteral("question"), text, caption});
        if (answers.empty())
            return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }

    Answer questionWithCancel(QWidget*, const QString& text, const QString& caption) override
    {
        shown.push_back({QStringLiteral("question"), text, caption});
        if (threeWayAnswers.empty())
            return Answer::Cancel;
        const Answer answer = threeWayAnswers.front();
        threeWayAnswers.pop_front();
        return answer;
    }

    FileChoice openFile(QWidget*, const QString& caption, const QStringList& filters) override
    {
        return nextFile(QStringLiteral("open"), caption, filters);
    }

    FileChoice saveFile(QWidget*, const QString& caption, const QStringList& filters) override
    {
        return nextFile(QStringLiteral("save"), caption, filters);
    }

    std::optional<QColor> chooseColor(QWidget*, const QColor&) override { return std::nullopt; }
    std::optional<QFont> chooseFont(QWidget*, const QFont&) override { return std::nullopt; }

    // Shows the dialog (so it prepares itself as on screen), lets the next
    // handler work it, and returns its result.
    int exec(QDialog& dialog) override
    {
        dialog.setResult(QDialog::Rejected);
        dialog.show();
        if (!handlers.empty()) {
            auto handler = std::move(handlers.front());
            handlers.pop_front();
            handler(dialog);
        }
        dialog.hide();
        return dialog.result();
    }

    std::optional<QString> inputText(QWidget*, const QString& caption, const QString& prompt,
                                     const QString&) override
    {
        shown.push_back({QStringLiteral("input"), prompt, caption});
        if (inputs.empty())
            return std::nullopt;
        std::optional<QString> answer = inputs.front();
        inputs.pop_front();
        return answer;
    }

    std::optional<PrintChoice> choosePrinter(QWidget*, const QString& printerName,
                                             int pageCount) override
    {
        shown.push_back({QStringLiteral("print"), printerName, {}});
        printPageCount = pageCount;
        if (printers.empty())
            return std::nullopt;
        const std::optional<PrintChoice> choice = printers.front();
        printers.pop_front();
        return choice;
    }

    std::vector<Shown> messages() const { return only(QStringLiteral("message")); }
    std::vector<Shown> questions() const { return only(QStringLiteral("question")); }

    std::vector<Shown> shown;
    std::deque<bool> answers;
    std::deque<Answer> threeWayAnswers;
    // Print dialogs: the printer and pages chosen, or nullopt to cancel.
    std::deque<std::optional<PrintChoice>> printers;
    // The page count the last print dialog offered.
    int printPageCount = 0;
    std::deque<FileChoice> files;
    std::deque<std::optional<QString>> inputs;
    std::deque<std::function<void(QDialog&)>> handlers;
    QStringList lastFilters;

private:
    FileChoice nextFile(const QString& kind, const QString& caption, const QStringList& filters)
    {
        shown.push_back({kind, {}, caption});
        lastFilters = filters;
        if (files.empty())
            return {};
        FileChoice choice = files.front();
        files.pop_front();
        return choice;
    }

    std::vector<Shown> only(const QString& kind) const
    {
        std::vector<Shown> result;
        for (const Shown& s : shown) {
            if (s.kind == kind)
                result.push_back(s);
        }
        return result;
    }
};

} // namespace sw::test
