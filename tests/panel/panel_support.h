#pragma once

#include "document/vectorgraph.h"
#include "document/vectorgraphics.h"
#include "editor/propertypanel.h"
#include "platform/widgets/dialogservice.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <vector>

namespace sw::test {

constexpr int ScreenDpi = 96;

// Answers the panel's dialogs from a script and keeps what they were preset
// with. Messages, questions and modal dialogs are not expected.
class ScriptedDialogs : public DialogService
{
public:
    void message(QWidget*, const QString& text, const QString&, MessageIcon) override
    {
        ADD_FAILURE() << "unexpected message " << text.toStdString();
    }
    bool question(QWidget*, const QString& text, const QString&) override
    {
        ADD_FAILURE() << "unexpected question " << text.toStdString();
        return false;
    }
    Answer questionWithCancel(QWidget*, const QString& text, const QString&) override
    {
        ADD_FAILURE() << "unexpected question " << text.toStdString();
        return Answer::Cancel;
    }
    FileChoice openFile(QWidget*, const QString&, const QStringList& filters) override
    {
        ++fileDialogs;
        lastFilters = filters;
        return {nextFile.value_or(QString()), 1};
    }
    FileChoice saveFile(QWidget*, const QString&, const QStringList&) override
    {
        ADD_FAILURE() << "unexpected save dialog";
        return {};
    }
    std::optional<QColor> chooseColor(QWidget*, const QColor& initial) override
    {
        colorPresets.push_back(initial);
        return nextColor;
    }
    std::optional<QFont> chooseFont(QWidget*, const QFont& initial) override
    {
        fontPresets.push_back(initial);
        return nextFont;
    }
    int exec(QDialog&) override
    {
        ADD_FAILURE() << "unexpected modal dialog";
        return 0;
    }
    std::optional<PrintChoice> choosePrinter(QWidget*, const QString&, int) override
    {
        ADD_FAILURE() << "unexpected print dialog";
        return std::nullopt;
    }

    std::optional<QColor> nextColor;
    std::optional<QFont> nextFont;
    std::optional<QString> nextFile;
    std::vector<QColor> colorPresets;
    std::vector<QFont> fontPresets;
    int fileDialogs = 0;
    QStringList lastFilters;
};

// A shown panel on a document with one page (the six reserved shapes and an
// empty text box), with scripted dialogs and the history requests collected.
class PanelTest : public ::testing::Test
{
protected:
    struct Record
    {
        std::int32_t key;
        QString text;
    };

    void SetUp() override
    {
        document = std::make_unique<TVectorGraphics>(ScreenDpi);
        page = document->NewPage(-1, -1);
        ASSERT_NE(page, nullptr);
        panel = std::make_unique<PropertyPanel>(ScreenDpi);
        panel->SetDocument(document.get());
        previousDialogs = setDialogService(&dialogs);
        QObject::connect(panel.get(), &PropertyPanel::changeRecorded, panel.get(),
                         [this](std::int32_t key, const QString& text) {
                             records.push_back({key, text});
                         });
        QObject::connect(panel.get(), &PropertyPanel::shapesChanged, panel.get(),
                         [this] { ++repaints; });
        panel->show();
    }

    void TearDown() override { setDialogService(previousDialogs); }

    template <typename T> T* control(const char* name) const
    {
        T* widget = panel->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    // Appends a box with layout corners to the page.
    template <typename Box, typename... Extra> Box& add(TRect r, Extra... extra)
    {
        auto box = std::make_unique<Box>(TPoint{r.Left, r.Top}, TPoint{r.Right, r.Bottom}, 1.0, 1.0,
                                         extra...);
        Box& ref = *box;
        page->AddShape(std::move(box));
        return ref;
    }

    // Selects the shape and makes it current, as a press on it does.
    void makeCurrent(TGraphics& shape)
    {
        shape.Select();
        document->ActiveShape = &shape;
        page->LastHitIndex = page->IndexOf(&shape);
    }

    // The shape selected and loaded into the panel, as the controller does.
    void select(TGraphics& shape)
    {
        makeCurrent(shape);
        panel->LoadPanel(shape);
    }

    // Replaces the text of an edit, spin box or editable list by typing, as a
    // user does.
    static void typeInto(QWidget* widget, const QString& text)
    {
        widget->setFocus();
        if (auto* spin = qobject_cast<QAbstractSpinBox*>(widget))
            spin->selectAll();
        else if (auto* edit = qobject_cast<QLineEdit*>(widget))
            edit->selectAll();
        else if (auto* combo = qobject_cast<QComboBox*>(widget))
            combo->lineEdit()->selectAll();
        for (const QChar c : text) {
            if (c.unicode() < 0x80) {
                QTest::keyClick(widget, char(c.unicode()));
                continue;
            }
            // QTest types ASCII only; other characters arrive as text.
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(widget, &press);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(widget, &release);
        }
    }

    std::unique_ptr<TVectorGraphics> document;
    TVectorGraph* page = nullptr;
    std::unique_ptr<PropertyPanel> panel;

    ScriptedDialogs dialogs;
    DialogService* previousDialogs = nullptr;
    // Shorthands for the scripted answers.
    std::optional<QColor>& nextColor = dialogs.nextColor;
    std::optional<QFont>& nextFont = dialogs.nextFont;
    std::optional<QString>& nextPicture = dialogs.nextFile;
    std::vector<QColor>& colorPresets = dialogs.colorPresets;
    std::vector<QFont>& fontPresets = dialogs.fontPresets;

    std::vector<Record> records;
    int repaints = 0;
};

} // namespace sw::test
