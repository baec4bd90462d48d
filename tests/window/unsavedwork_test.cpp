#include "editor/filecommands.h"
#include "editor/propertypanel.h"
#include "editor/templatecommands.h"
#include "storage/templatelibrary.h"
#include "window/windowfixture.h"

#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>

namespace sw::test {
namespace {

// The commands that replace the document.
enum class Replacing
{
    OpenDialog,
    Drop,
    Wizard,
    Import
};

// A document worth keeping: two paper types, a rectangle on the first page,
// saved once and then changed.
class UnsavedWorkTest : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        draw("ToolRectAct", {150, 300}, {250, 400});
        addPage(true);
        selectTab(0);
        dialogs.files = {{path(QStringLiteral("kept.exm")), 1}};
        click("SaveAct");
        ASSERT_TRUE(QFile::exists(path(QStringLiteral("kept.exm"))));
        draw("ToolEllipseAct", {300, 300}, {400, 380});
        dialogs.shown.clear();
    }

    void selectTab(int index) { tabs().setCurrentIndex(index); }

    // What must survive a refused replacement.
    struct State
    {
        QStringList tabs;
        QString title;
        QStringList history;
        int shapes = 0;
        QString fileName;
        bool modified = false;

        bool operator==(const State&) const = default;
    };
    State state() const
    {
        return {tabTexts(),          window->windowTitle(), historyRows(),
                page().ShapeCount(), window->fileName(),    window->isWindowModified()};
    }

    QString writeFile(const QString& name, const QByteArray& bytes) const
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    void drop(const QString& file)
    {
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(file)});
        QDragEnterEvent enter(QPoint(300, 300), Qt::CopyAction, &mime, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(window.get(), &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent event(QPointF(300, 300), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &event);
    }
    void openThroughDialog(const QString& file)
    {
        dialogs.files.push_back({file, 1});
        click("OpenAct");
    }

    // Replaces the document with the template `file` by `command`; the wizard
    // generates its default sheet instead.
    void replaceWith(Replacing command, const QString& file)
    {
        switch (command) {
        case Replacing::OpenDialog:
            openThroughDialog(file);
            return;
        case Replacing::Drop:
            drop(file);
            return;
        case Replacing::Wizard:
            pressInNextDialog("OkButton");
            click("WizardAct");
            return;
        case Replacing::Import: {
            QFile stored(file);
            ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
            ASSERT_TRUE(storeTemplate(window->database(), QStringLiteral("其他"), stored.readAll(),
                                      QDateTime::currentDateTime()));
            pressInNextDialog("OpenTemplateButton");
            click("LibraryAct");
            return;
        }
        }
    }
    void pressInNextDialog(const char* button)
    {
        dialogs.handlers.push_back([button](QDialog& dialog) {
            auto* target = dialog.findChild<QPushButton*>(QString::fromLatin1(button));
            ASSERT_NE(target, nullptr) << button;
            QTest::mouseClick(target, Qt::LeftButton);
        });
    }
    static QString replacedCaption(Replacing command)
    {
        switch (command) {
        case Replacing::OpenDialog:
        case Replacing::Drop:
            return QStringLiteral("打开文件");
        case Replacing::Wizard:
            return QStringLiteral("新建页面");
        case Replacing::Import:
            return TemplateCommands::ImportedCaption;
        }
        return {};
    }
};

// Each way of opening, each kind of unreadable file.
struct FailedOpen
{
    const char* name;
    int path; // 0 dialog, 1 command line, 2 drop
    int file; // 0 not a template, 1 empty, 2 truncated
};

class FailedOpenTest : public UnsavedWorkTest, public ::testing::WithParamInterface<FailedOpen>
{
};

TEST_P(FailedOpenTest, KeepsTheDocument)
{
    QByteArray bytes;
    switch (GetParam().file) {
    case 0:
        bytes = "TPF0 this is no template";
        break;
    case 1:
        break;
    case 2: {
        QFile saved(path(QStringLiteral("kept.exm")));
        ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
        bytes = saved.readAll();
        bytes.truncate(bytes.size() / 2);
        break;
    }
    }
    const QString bad = writeFile(QStringLiteral("bad.exm"), bytes);
    const State before = state();
    ASSERT_TRUE(before.modified);

    // The document has unsaved changes: keep them ("No" to saving).
    dialogs.threeWayAnswers = {Answer::No};
    switch (GetParam().path) {
    case 0:
        openThroughDialog(bad);
        break;
    case 1:
        EXPECT_FALSE(window->openFile(bad));
        break;
    case 2:
        drop(bad);
        break;
    }

    ASSERT_EQ(dialogs.messages().size(), 1u);
    const QString message = dialogs.messages()[0].text;
    EXPECT_TRUE(message.startsWith(QStringLiteral("不能打开模板文件“"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("bad.exm")));
    EXPECT_FALSE(message.section(QLatin1Char('\n'), 1).isEmpty());
    EXPECT_EQ(state(), before);
    EXPECT_EQ(document().PageCount(), 2);
    EXPECT_EQ(lastShape()->Kind, GEllipse);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("试卷制作 - kept.exm[*]"));
}

INSTANTIATE_TEST_SUITE_P(
    Paths, FailedOpenTest,
    ::testing::Values(FailedOpen{"DialogNoTemplate", 0, 0}, FailedOpen{"DialogEmpty", 0, 1},
                      FailedOpen{"DialogTruncated", 0, 2},
                      FailedOpen{"CommandLineNoTemplate", 1, 0},
                      FailedOpen{"CommandLineEmpty", 1, 1},
                      FailedOpen{"CommandLineTruncated", 1, 2}, FailedOpen{"DropNoTemplate", 2, 0},
                      FailedOpen{"DropEmpty", 2, 1}, FailedOpen{"DropTruncated", 2, 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(UnsavedWorkTest, TemplateWithoutPagesKeepsTheDocument)
{
    // A template whose pages were all removed: readable but nothing to show.
    TVectorGraphics empty(96);
    ASSERT_TRUE(empty.SaveToFile(SaveAllShapes, path(QStringLiteral("nopages.exm"))));
    const State before = state();
    EXPECT_FALSE(window->openFile(path(QStringLiteral("nopages.exm"))));
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_TRUE(dialogs.messages()[0].text.endsWith(NoPagesInTemplateText));
    EXPECT_EQ(state(), before);
}

// Each replacing command with each answer to "是否保存模板？".
struct Replacement
{
    const char* name;
    Replacing command;
    Answer answer;
    // Yes, then the save fails: a failed check or a cancelled file dialog.
    int saveFails; // 0 no, 1 check, 2 dialog
    bool replaced;
    bool savedFirst;
};

class SaveQuestionTest : public UnsavedWorkTest, public ::testing::WithParamInterface<Replacement>
{
};

TEST_P(SaveQuestionTest, AsksBeforeReplacing)
{
    const Replacement r = GetParam();
    // Another template to open.
    TVectorGraphics other(96);
    other.NewPage(-1, -1);
    ASSERT_TRUE(other.SaveToFile(SaveAllShapes, path(QStringLiteral("other.exm"))));
    const QByteArray keptBefore = [&] {
        QFile f(path(QStringLiteral("kept.exm")));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    if (r.saveFails == 1) {
        draw("Zgact", {150, 500}, {300, 600});
        draw("Zgact", {350, 500}, {500, 600}); // question 1, part 1 twice
    } else if (r.saveFails == 2) {
        window->setFileName({});
        dialogs.files.push_back({}); // the save dialog is cancelled
    }
    const State before = state();

    dialogs.threeWayAnswers = {r.answer};
    replaceWith(r.command, path(QStringLiteral("other.exm")));

    ASSERT_FALSE(dialogs.questions().empty());
    EXPECT_EQ(dialogs.questions()[0].text, QStringLiteral("是否保存模板？"));
    EXPECT_EQ(dialogs.questions()[0].caption, QStringLiteral("模板设计"));
    QFile kept(path(QStringLiteral("kept.exm")));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll() != keptBefore, r.savedFirst);
    if (r.replaced) {
        EXPECT_EQ(historyRows().first(), replacedCaption(r.command));
        if (r.command == Replacing::OpenDialog || r.command == Replacing::Drop) {
            EXPECT_EQ(window->fileName(), path(QStringLiteral("other.exm")));
            EXPECT_FALSE(window->isWindowModified());
        }
    } else {
        EXPECT_EQ(state(), before);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, SaveQuestionTest,
    ::testing::Values(
        Replacement{"OpenYes", Replacing::OpenDialog, Answer::Yes, 0, true, true},
        Replacement{"OpenNo", Replacing::OpenDialog, Answer::No, 0, true, false},
        Replacement{"OpenCancel", Replacing::OpenDialog, Answer::Cancel, 0, false, false},
        Replacement{"OpenYesFailedCheck", Replacing::OpenDialog, Answer::Yes, 1, false, false},
        Replacement{"OpenYesCancelledDialog", Replacing::OpenDialog, Answer::Yes, 2, false, false},
        Replacement{"DropYes", Replacing::Drop, Answer::Yes, 0, true, true},
        Replacement{"DropNo", Replacing::Drop, Answer::No, 0, true, false},
        Replacement{"DropCancel", Replacing::Drop, Answer::Cancel, 0, false, false},
        Replacement{"DropYesFailedCheck", Replacing::Drop, Answer::Yes, 1, false, false},
        Replacement{"WizardYes", Replacing::Wizard, Answer::Yes, 0, true, true},
        Replacement{"WizardNo", Replacing::Wizard, Answer::No, 0, true, false},
        Replacement{"WizardCancel", Replacing::Wizard, Answer::Cancel, 0, false, false},
        Replacement{"WizardYesFailedCheck", Replacing::Wizard, Answer::Yes, 1, false, false},
        Replacement{"ImportYes", Replacing::Import, Answer::Yes, 0, true, true},
        Replacement{"ImportNo", Replacing::Import, Answer::No, 0, true, false},
        Replacement{"ImportCancel", Replacing::Import, Answer::Cancel, 0, false, false},
        Replacement{"ImportYesCancelledDialog", Replacing::Import, Answer::Yes, 2, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(UnsavedWorkTest, NoQuestionWithoutChanges)
{
    click("SaveAct");
    ASSERT_FALSE(window->isWindowModified());
    EXPECT_TRUE(window->fileCommands().confirmReplacingDocument());
    openThroughDialog(path(QStringLiteral("kept.exm")));
    EXPECT_TRUE(dialogs.questions().empty());
    EXPECT_EQ(historyRows(), QStringList{QStringLiteral("打开文件")});
}

// The window's own property panel.
class PanelEditTest : public WindowTest
{
protected:
    bool useTestPanel() const override { return false; }
};

TEST_F(PanelEditTest, EmptiedOptionCharactersKeepTheBubbleBox)
{
    auto* characters =
        window->propertyPanel()->findChild<QComboBox*>(QStringLiteral("OptionCharactersList"));
    ASSERT_NE(characters, nullptr);
    characters->setEditText(QStringLiteral("ABCD"));
    draw("kgact", {150, 300}, {150, 300});
    auto* box = dynamic_cast<TRectKg*>(lastShape());
    ASSERT_NE(box, nullptr);
    const int shapes = page().ShapeCount();

    characters->setEditText(QString());
    EXPECT_EQ(historyRows().last(), QStringLiteral("修改参数"));
    ASSERT_EQ(page().ShapeCount(), shapes);
    EXPECT_EQ(lastShape(), box);
    EXPECT_EQ(document().ActiveShape, box);
    EXPECT_TRUE(box->FormatText.isEmpty());
    // Drawn as an empty box, without trouble.
    window->repaintSurface();

    // The characters come back through the panel, and undo finds the box too.
    characters->setEditText(QStringLiteral("AB"));
    EXPECT_EQ(box->FormatText, QStringLiteral("AB"));
    ASSERT_EQ(page().ShapeCount(), shapes);

    // Saving still leaves it out of the file.
    characters->setEditText(QString());
    dialogs.files = {{path(QStringLiteral("saved.exm")), 1}};
    click("SaveAct");
    TVectorGraphics saved(96);
    ASSERT_TRUE(saved.LoadFromFile(path(QStringLiteral("saved.exm"))));
    EXPECT_EQ(saved.PageAt(0)->ShapeCount(), shapes - 1);
}

} // namespace
} // namespace sw::test
