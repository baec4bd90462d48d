#include "editor/filecommands.h"
#include "editor/recovery.h"
#include "platform/widgets/designersettings.h"
#include "window/windowfixture.h"

#include <QDir>
#include <QFile>

namespace sw::test {
namespace {

// The real window with its own property panel, so that it can be replaced
// by a second window as the next start of the program would make it.
class RecoveryTest : public WindowTest
{
protected:
    bool useTestPanel() const override { return false; }

    void TearDown() override
    {
        designerSettings()->remove(RecoveryIntervalKey);
        WindowTest::TearDown();
    }

    QString recoveryFolder() const { return path(QStringLiteral("recovery")); }
    QStringList recoveryFiles() const
    {
        return QDir(recoveryFolder())
            .entryList({QStringLiteral("*.exm"), QStringLiteral("*.json")}, QDir::Files);
    }

    void drawRectangle() { draw("ToolRectAct", {150, 300}, {250, 400}); }

    // The program ends without a clean exit (the window goes without being
    // closed) and starts again; the offer of the next start is made.
    void crashAndRestart()
    {
        window.reset();
        window = std::make_unique<MainWindow>(
            MainWindowOptions{96, path(QStringLiteral("sheetwright.db")), recoveryFolder()});
        ASSERT_TRUE(window->openDatabase());
        window->resize(1280, 960);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        // The offer comes once the window shows.
        QCoreApplication::processEvents();
    }

    int userShapes() const { return page().ShapeCount(); }
};

TEST_F(RecoveryTest, ModifiedDocumentIsOfferedAndRestoredAfterACrash)
{
    drawRectangle();
    const int shapes = userShapes();
    EXPECT_TRUE(window->recovery().saveNow());
    EXPECT_TRUE(QFile::exists(window->recovery().templatePath()));
    EXPECT_EQ(recoveryFiles().size(), 2);

    dialogs.answers = {true};
    crashAndRestart();
    ASSERT_EQ(dialogs.questions().size(), 1u);
    const QString question = dialogs.questions()[0].text;
    EXPECT_TRUE(question.contains(QStringLiteral("从未保存过的模板"))) << question.toStdString();
    // Names when it was saved, to the second.
    EXPECT_TRUE(question.contains(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"))))
        << question.toStdString();
    EXPECT_EQ(userShapes(), shapes);
    EXPECT_TRUE(window->fileName().isEmpty());
    EXPECT_TRUE(window->isWindowModified());
    EXPECT_TRUE(window->controller().History().IsModified());
    // The files of the ended session are gone; nothing else is offered.
    EXPECT_TRUE(recoveryFiles().isEmpty());
}

TEST_F(RecoveryTest, RecoveredDocumentKeepsItsFileNameAndIsUnsaved)
{
    const QString file = path(QStringLiteral("期末.exm"));
    dialogs.files.push_back({file, 1});
    click("SaveAct");
    QFile saved(file);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray before = saved.readAll();
    saved.close();
    drawRectangle();
    const int shapes = userShapes();
    ASSERT_TRUE(window->recovery().saveNow());

    dialogs.answers = {true};
    crashAndRestart();
    ASSERT_EQ(dialogs.questions().size(), 1u);
    EXPECT_TRUE(dialogs.questions()[0].text.contains(QStringLiteral("期末.exm")));
    EXPECT_EQ(window->fileName(), file);
    EXPECT_EQ(userShapes(), shapes);
    EXPECT_TRUE(window->isWindowModified());
    // The user's file was never written by the recovery.
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), before);
}

TEST_F(RecoveryTest, CleanSaveRemovesTheRecoveryFile)
{
    drawRectangle();
    ASSERT_TRUE(window->recovery().saveNow());
    dialogs.files.push_back({path(QStringLiteral("saved.exm")), 1});
    click("SaveAct");
    EXPECT_TRUE(recoveryFiles().isEmpty());
    // Nothing new to save.
    EXPECT_FALSE(window->recovery().saveNow());
    EXPECT_TRUE(recoveryFiles().isEmpty());
}

TEST_F(RecoveryTest, RestoredDocumentIsSavedForRecoveryAgainAndRemovedOnSave)
{
    drawRectangle();
    ASSERT_TRUE(window->recovery().saveNow());
    dialogs.answers = {true};
    crashAndRestart();
    ASSERT_TRUE(window->isWindowModified());
    EXPECT_TRUE(window->recovery().saveNow());
    EXPECT_EQ(recoveryFiles().size(), 2);
    dialogs.files.push_back({path(QStringLiteral("saved.exm")), 1});
    click("SaveAct");
    EXPECT_TRUE(recoveryFiles().isEmpty());
}

TEST_F(RecoveryTest, CleanExitRemovesTheRecoveryFile)
{
    drawRectangle();
    ASSERT_TRUE(window->recovery().saveNow());
    dialogs.answers = {true, false}; // exit, do not save
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(recoveryFiles().isEmpty());
}

TEST_F(RecoveryTest, UnmodifiedDocumentIsNotSaved)
{
    EXPECT_FALSE(window->recovery().saveNow());
    EXPECT_TRUE(recoveryFiles().isEmpty());
}

TEST_F(RecoveryTest, DiscardRemovesTheOfferedFiles)
{
    drawRectangle();
    ASSERT_TRUE(window->recovery().saveNow());
    dialogs.answers = {false};
    crashAndRestart();
    EXPECT_EQ(dialogs.questions().size(), 1u);
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_TRUE(recoveryFiles().isEmpty());
}

TEST_F(RecoveryTest, FilesOfARunningWindowAreNotOffered)
{
    drawRectangle();
    ASSERT_TRUE(window->recovery().saveNow());
    // A second window while the first still runs.
    MainWindow other(MainWindowOptions{96, path(QStringLiteral("other.db")), recoveryFolder()});
    ASSERT_TRUE(other.openDatabase());
    other.show();
    QCoreApplication::processEvents();
    EXPECT_TRUE(dialogs.questions().empty());
    EXPECT_TRUE(other.recovery().abandonedFiles().empty());
    EXPECT_EQ(recoveryFiles().size(), 2);
}

struct Damage
{
    const char* name;
    const char* ending;
};

class DamagedRecoveryTest : public RecoveryTest, public ::testing::WithParamInterface<Damage>
{
};

TEST_P(DamagedRecoveryTest, DamagedFileIsReportedAndLeftAlone)
{
    drawRectangle();
    ASSERT_TRUE(window->recovery().saveNow());
    const QString damaged =
        window->recovery().templatePath().chopped(4) + QString::fromUtf8(GetParam().ending);
    {
        QFile file(damaged);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("\x01\x02 not a template");
    }
    dialogs.answers = {true};
    crashAndRestart();
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_TRUE(dialogs.messages()[0].text.contains(QDir::toNativeSeparators(damaged)))
        << dialogs.messages()[0].text.toStdString();
    EXPECT_EQ(recoveryFiles().size(), 2);
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_EQ(document().PageCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(Files, DamagedRecoveryTest,
                         ::testing::Values(Damage{"Template", ".exm"}, Damage{"Note", ".json"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RecoveryTest, IntervalComesFromTheSettings)
{
    const struct
    {
        QVariant value;
        int seconds;
    } cases[] = {{QVariant(), DefaultRecoveryIntervalSeconds},
                 {5, 5},
                 {0, DefaultRecoveryIntervalSeconds},
                 {QStringLiteral("soon"), DefaultRecoveryIntervalSeconds}};
    for (const auto& c : cases) {
        if (c.value.isValid())
            designerSettings()->setValue(RecoveryIntervalKey, c.value);
        else
            designerSettings()->remove(RecoveryIntervalKey);
        EXPECT_EQ(Recovery::intervalSeconds(), c.seconds) << c.value.toString().toStdString();
    }
    EXPECT_EQ(DefaultRecoveryIntervalSeconds, 120);
}

} // namespace
} // namespace sw::test
