#include "editor/personalisecommand.h"
#include "painting/pagebuilder.h"
#include "painting/pdffile.h"
#include "window/windowfixture.h"

#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

namespace sw::test {
namespace {

class PersonaliseWindowTest : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        nameBox = &addText(page(), {100, 100, 500, 130}, QStringLiteral("姓名：{name}"));
    }

    QString writeRoster(const QByteArray& csv) const
    {
        QFile file(path(QStringLiteral("roster.csv")));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(csv);
        return file.fileName();
    }

    void personalise() { window->action(QStringLiteral("PersonaliseAct"))->trigger(); }

    TRectText* nameBox = nullptr;
};

TEST_F(PersonaliseWindowTest, TheFileMenuWritesOneCopyPerCandidate)
{
    QAction* action = window->action(QStringLiteral("PersonaliseAct"));
    ASSERT_NE(action, nullptr);
    bool inFileMenu = false;
    for (QAction* menu : window->menuBar()->actions())
        if (menu->text() == QStringLiteral("文件(&F)"))
            inFileMenu = menu->menu()->actions().contains(action);
    EXPECT_TRUE(inFileMenu);
    EXPECT_EQ(action->text(), QStringLiteral("生成个人答题卡…"));

    dialogs.files.push_back({writeRoster("exam_number,name\n1,韩梅梅\n2,李雷\n"), 1});
    dialogs.files.push_back({path(QStringLiteral("sheets")), 1});
    personalise();
    const QString pdf = path(QStringLiteral("sheets.pdf"));
    ASSERT_TRUE(QFile::exists(pdf)) << window->statusBar()->currentMessage().toStdString();
    EXPECT_EQ(pdfPageCount(pdf), 2 * document().PageCount());
    EXPECT_TRUE(window->statusBar()->currentMessage().contains(QStringLiteral("2名考生")));
    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("姓名：李雷"))) << text.toStdString();
    EXPECT_TRUE(dialogs.messages().empty());
    // The template keeps its own text.
    EXPECT_EQ(nameBox->Lines, QStringList{QStringLiteral("姓名：{name}")});
}

TEST_F(PersonaliseWindowTest, ABadRosterIsRefusedBeforeThePdfIsAskedFor)
{
    dialogs.files.push_back({writeRoster("exam_number,name\n1,a\n1,b\n"), 1});
    personalise();
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_TRUE(dialogs.messages()[0].text.contains(QStringLiteral("名单第 3 行")));
    for (const ScriptedDialogs::Shown& shown : dialogs.shown)
        EXPECT_NE(shown.kind, QStringLiteral("save"));
}

} // namespace
} // namespace sw::test
