#include "editor/recentfiles.h"
#include "platform/widgets/designersettings.h"
#include "window/windowfixture.h"

#include <QDir>
#include <QFile>
#include <QMenu>

namespace sw::test {
namespace {

class RecentFilesTest : public WindowTest
{
protected:
    void SetUp() override
    {
        designerSettings()->remove(QStringLiteral("recentFiles"));
        WindowTest::SetUp();
    }

    void saveAs(const QString& name)
    {
        dialogs.files.push_back({path(name), 1});
        dialogs.handlers.clear();
        click("SaveAsAct");
    }

    RecentFiles& recent() const { return window->recentFiles(); }

    QStringList menuEntries() const
    {
        QStringList entries;
        for (QAction* entry : recent().menu()->actions())
            entries << entry->data().toString();
        return entries;
    }
};

TEST_F(RecentFilesTest, SavedAndOpenedTemplatesComeFirst)
{
    saveAs(QStringLiteral("a.exm"));
    saveAs(QStringLiteral("b.exm"));
    const QString a = path(QStringLiteral("a.exm"));
    const QString b = path(QStringLiteral("b.exm"));
    EXPECT_EQ(recent().files(), (QStringList{b, a}));

    dialogs.files.push_back({a, 1});
    click("OpenAct");
    EXPECT_EQ(window->fileName(), a);
    EXPECT_EQ(recent().files(), (QStringList{a, b}));
    EXPECT_EQ(menuEntries(), (QStringList{a, b}));
    EXPECT_TRUE(recent().menu()->isEnabled());
    EXPECT_EQ(recent().menu()->title(), QStringLiteral("最近打开的文件"));
}

TEST_F(RecentFilesTest, EntryOpensItsTemplate)
{
    saveAs(QStringLiteral("a.exm"));
    draw("ToolRectAct", {150, 300}, {250, 400});
    saveAs(QStringLiteral("b.exm"));
    const int shapesOfB = page().ShapeCount();
    saveAs(QStringLiteral("a.exm")); // a holds the rectangle too now, and comes first
    ASSERT_EQ(menuEntries().value(1), path(QStringLiteral("b.exm")));

    recent().menu()->actions().at(1)->trigger();
    EXPECT_EQ(window->fileName(), path(QStringLiteral("b.exm")));
    EXPECT_EQ(page().ShapeCount(), shapesOfB);
    EXPECT_EQ(menuEntries().value(0), path(QStringLiteral("b.exm")));
}

TEST_F(RecentFilesTest, MissingFileIsRemovedWithAMessage)
{
    saveAs(QStringLiteral("a.exm"));
    saveAs(QStringLiteral("gone.exm"));
    const QString gone = path(QStringLiteral("gone.exm"));
    ASSERT_TRUE(QFile::remove(gone));

    recent().menu()->actions().at(0)->trigger();
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_TRUE(dialogs.messages()[0].text.contains(QDir::toNativeSeparators(gone)));
    EXPECT_EQ(recent().files(), QStringList{path(QStringLiteral("a.exm"))});
    EXPECT_EQ(menuEntries(), QStringList{path(QStringLiteral("a.exm"))});
}

TEST_F(RecentFilesTest, KeepsTheTenNewest)
{
    EXPECT_FALSE(recent().menu()->isEnabled());
    QStringList added;
    for (int i = 1; i <= MaxRecentFiles + 2; ++i) {
        added.prepend(path(QStringLiteral("t%1.exm").arg(i)));
        recent().add(added.front());
    }
    EXPECT_EQ(recent().files(), added.mid(0, MaxRecentFiles));
    EXPECT_EQ(recent().menu()->actions().size(), MaxRecentFiles);
    EXPECT_TRUE(recent().menu()->actions().constLast()->text().startsWith(QStringLiteral("1&0 ")));
}

TEST_F(RecentFilesTest, ListOutlivesTheWindow)
{
    saveAs(QStringLiteral("a.exm"));
    window.reset();
    window = std::make_unique<MainWindow>(
        MainWindowOptions{96, path(QStringLiteral("sheetwright.db")), path(QStringLiteral("r"))});
    EXPECT_EQ(menuEntries(), QStringList{path(QStringLiteral("a.exm"))});
}

} // namespace
} // namespace sw::test
