#include "dialogs/databasebreaker.h"
#include "dialogs/templatelibrarydialog.h"
#include "editor/templatecommands.h"
#include "storage/database.h"
#include "storage/templatelibrary.h"
#include "window/windowfixture.h"

#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>

namespace sw::test {
namespace {

class LibraryTest : public WindowTest
{
protected:
    // "模板库" with the dialog worked by `work`.
    void runLibrary(std::function<void(TemplateLibraryDialog&)> work)
    {
        dialogs.handlers.push_back([work = std::move(work)](QDialog& dialog) {
            work(static_cast<TemplateLibraryDialog&>(dialog));
        });
        click("LibraryAct");
    }

    static void press(TemplateLibraryDialog& dialog, const char* name)
    {
        auto* button = dialog.findChild<QPushButton*>(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr) << name;
        QTest::mouseClick(button, Qt::LeftButton);
    }

    static QStringList names(const TemplateLibraryDialog& dialog)
    {
        QStringList result;
        for (int row = 0; row < dialog.grid()->rowCount(); ++row)
            result << dialog.grid()->item(row, 0)->text();
        return result;
    }

    QList<TemplateEntry> storedTemplates() const
    {
        QList<TemplateEntry> entries;
        QString error;
        EXPECT_TRUE(listTemplates(window->database(), entries, &error)) << error.toStdString();
        return entries;
    }

    // Stores the document under each name through the dialog.
    void storeAs(const QStringList& templateNames)
    {
        runLibrary([&](TemplateLibraryDialog& dialog) {
            for (const QString& name : templateNames) {
                dialogs.inputs.push_back(name);
                press(dialog, "SaveTemplateButton");
            }
        });
    }
};

TEST_F(LibraryTest, GridShowsNameAndDateByWholeRows)
{
    runLibrary([](TemplateLibraryDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("模板库"));
        QTableWidget* grid = dialog.grid();
        EXPECT_EQ(grid->horizontalHeaderItem(0)->text(), QStringLiteral("模板名称"));
        EXPECT_EQ(grid->horizontalHeaderItem(1)->text(), QStringLiteral("保存日期"));
        EXPECT_EQ(grid->columnWidth(0), 190);
        EXPECT_EQ(grid->columnWidth(1), 121);
        EXPECT_EQ(grid->selectionBehavior(), QAbstractItemView::SelectRows);
        for (const char* caption : {"保存为模板", "打开模板", "删除模板", "退出"}) {
            const auto buttons = dialog.findChildren<QPushButton*>();
            EXPECT_TRUE(std::any_of(buttons.begin(), buttons.end(), [&](QPushButton* b) {
                return b->text() == QString::fromUtf8(caption) && b->accessibleName() == b->text();
            })) << caption;
        }
    });
}

TEST_F(LibraryTest, StoredRowHoldsTheBytesOfASavedFile)
{
    draw("ToolRectAct", {150, 300}, {250, 400});
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    runLibrary([&](TemplateLibraryDialog& dialog) {
        dialogs.inputs.push_back(QStringLiteral("期中\n考试"));
        press(dialog, "SaveTemplateButton");
        EXPECT_EQ(names(dialog), QStringList{QStringLiteral("期中\n考试")});
        EXPECT_EQ(dialog.grid()->currentRow(), 0);
        EXPECT_TRUE(dialog.isVisible());
    });
    ASSERT_EQ(dialogs.shown.front().kind, QStringLiteral("input"));
    EXPECT_EQ(dialogs.shown.front().caption, QStringLiteral("保存木板"));
    EXPECT_EQ(dialogs.shown.front().text, QStringLiteral("请输入要保存的模板名称"));

    const QList<TemplateEntry> entries = storedTemplates();
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0].name, QStringLiteral("期中\n考试"));
    EXPECT_GE(entries[0].date, before);
    QByteArray bytes;
    ASSERT_TRUE(fetchTemplate(window->database(), entries[0].id, bytes));

    dialogs.files = {{path(QStringLiteral("same.exm")), 1}};
    click("SaveAct");
    QFile file(path(QStringLiteral("same.exm")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(bytes, file.readAll());
}

TEST_F(LibraryTest, CancelledOrEmptyNameStoresNothing)
{
    const std::optional<QString> answers[] = {std::nullopt, QString()};
    for (const std::optional<QString>& answer : answers) {
        runLibrary([&](TemplateLibraryDialog& dialog) {
            dialogs.inputs.push_back(answer);
            press(dialog, "SaveTemplateButton");
            EXPECT_EQ(dialog.grid()->rowCount(), 0);
        });
    }
    EXPECT_TRUE(storedTemplates().isEmpty());
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(LibraryTest, SameNameTwiceKeepsBothSortedByName)
{
    storeAs({QStringLiteral("b"), QStringLiteral("a"), QStringLiteral("b")});
    runLibrary([&](TemplateLibraryDialog& dialog) {
        EXPECT_EQ(names(dialog), (QStringList{"a", "b", "b"}));
    });
    EXPECT_EQ(storedTemplates().size(), 3);
}

TEST_F(LibraryTest, EmptyListRefusesOpeningAndDeleting)
{
    for (const char* button : {"DeleteTemplateButton", "OpenTemplateButton"}) {
        runLibrary([&](TemplateLibraryDialog& dialog) { press(dialog, button); });
    }
    ASSERT_EQ(dialogs.messages().size(), 2u);
    for (const auto& message : dialogs.messages())
        EXPECT_EQ(message.text, QStringLiteral("没有模板"));
    EXPECT_TRUE(dialogs.questions().empty());
}

TEST_F(LibraryTest, DeletionAsksWithNoAsTheSafeAnswer)
{
    storeAs({QStringLiteral("二"), QStringLiteral("一")});
    struct Case
    {
        bool answer;
        QStringList left;
    };
    const Case cases[] = {{false, {"一", "二"}}, {true, {"二"}}};
    for (const Case& c : cases) {
        dialogs.answers = {c.answer};
        runLibrary([&](TemplateLibraryDialog& dialog) {
            dialog.grid()->setCurrentCell(0, 0);
            press(dialog, "DeleteTemplateButton");
            EXPECT_EQ(names(dialog), c.left);
        });
        ASSERT_FALSE(dialogs.questions().empty());
        EXPECT_EQ(dialogs.questions().back().text, QStringLiteral("您确信要删除 '一' 吗？"));
        EXPECT_EQ(dialogs.questions().back().caption, QStringLiteral("模板设计"));
        QStringList stored;
        for (const TemplateEntry& entry : storedTemplates())
            stored << entry.name;
        EXPECT_EQ(stored, c.left);
    }
}

TEST_F(LibraryTest, OpeningRestoresModeLockAndPicture)
{
    const QString picture = path(QStringLiteral("scan.bmp"));
    QImage scan(200, 100, QImage::Format_RGB32);
    scan.fill(Qt::white);
    ASSERT_TRUE(scan.save(picture));
    document().Modal = 2;
    document().Locked = true;
    page().PicturePath = picture;
    storeAs({QStringLiteral("套制")});

    // Something else in the window, under a file name the template must not take.
    document().Modal = 0;
    document().Locked = false;
    window->syncDocumentButtons();
    addPage(true);
    window->setFileName(path(QStringLiteral("current.exm")));

    QSignalSpy pageChanges(window.get(), &MainWindow::currentPageChanged);
    dialogs.threeWayAnswers = {Answer::No}; // the edits above are not kept
    bool accepted = false;
    runLibrary([&](TemplateLibraryDialog& dialog) {
        press(dialog, "OpenTemplateButton");
        accepted = dialog.result() == QDialog::Accepted;
    });
    EXPECT_TRUE(accepted);
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_EQ(document().Modal, 2);
    EXPECT_TRUE(document().Locked);
    EXPECT_EQ(tabTexts(), QStringList{QStringLiteral("A卷--1面")});
    EXPECT_EQ(page().PicturePath, picture);
    EXPECT_TRUE(window->action(QStringLiteral("LockAct"))->isChecked());
    EXPECT_TRUE(window->action(QStringLiteral("MoveBackgroundLeftAct"))->isVisible());
    auto* image = window->findChild<QLabel*>(QStringLiteral("BackgroundPicture"));
    ASSERT_NE(image, nullptr);
    EXPECT_FALSE(image->pixmap().isNull());
    EXPECT_TRUE(image->isVisible());
    EXPECT_EQ(historyRows(), QStringList{TemplateCommands::ImportedCaption});
    EXPECT_GT(pageChanges.count(), 0);
    EXPECT_TRUE(window->fileName().isEmpty());
    EXPECT_TRUE(window->isWindowModified());
}

TEST_F(LibraryTest, UnreadableTemplateLeavesTheDocument)
{
    ASSERT_TRUE(storeTemplate(window->database(), QStringLiteral("坏"),
                              QByteArray("not a template"), QDateTime::currentDateTime()));
    draw("ToolRectAct", {150, 300}, {250, 400});
    const int shapes = page().ShapeCount();
    const QStringList history = historyRows();
    dialogs.threeWayAnswers = {Answer::No};
    bool stillOpen = false;
    runLibrary([&](TemplateLibraryDialog& dialog) {
        press(dialog, "OpenTemplateButton");
        stillOpen = dialog.isVisible() && dialog.result() != QDialog::Accepted;
    });
    EXPECT_TRUE(stillOpen);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_TRUE(dialogs.messages()[0].text.contains(QStringLiteral("坏")));
    EXPECT_TRUE(dialogs.messages()[0].text.contains(
        QDir::toNativeSeparators(path(QStringLiteral("sheetwright.db")))));
    EXPECT_EQ(document().PageCount(), 1);
    EXPECT_EQ(page().ShapeCount(), shapes);
    EXPECT_EQ(historyRows(), history);
}

TEST_F(LibraryTest, DatabaseErrorsNameTheDatabaseFile)
{
    ASSERT_TRUE(dropTable(path(QStringLiteral("sheetwright.db")), QStringLiteral("templet")));
    runLibrary([&](TemplateLibraryDialog& dialog) {
        dialogs.inputs.push_back(QStringLiteral("甲"));
        press(dialog, "SaveTemplateButton");
        EXPECT_EQ(dialog.grid()->rowCount(), 0);
    });
    // Listing on showing, then storing.
    ASSERT_EQ(dialogs.messages().size(), 2u);
    for (const auto& message : dialogs.messages())
        EXPECT_TRUE(
            message.text.contains(QDir::toNativeSeparators(path(QStringLiteral("sheetwright.db")))))
            << message.text.toStdString();
}

} // namespace
} // namespace sw::test
