#include "editor/windowsettings.h"
#include "platform/widgets/designersettings.h"
#include "platform/widgets/dialogservice.h"
#include "window/windowfixture.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QSplitter>
#include <QTimer>

namespace sw::test {
namespace {

class WindowSettingsTest : public WindowTest
{
protected:
    void SetUp() override
    {
        designerSettings()->remove(QStringLiteral("window"));
        WindowTest::SetUp();
    }

    QSplitter* splitter(const MainWindow& w) const
    {
        return w.findChild<QSplitter*>(QStringLiteral("Splitter"));
    }
};

TEST_F(WindowSettingsTest, NothingToRestoreAtTheFirstStart)
{
    MainWindow other(
        MainWindowOptions{96, path(QStringLiteral("o.db")), path(QStringLiteral("r"))});
    EXPECT_FALSE(restoreWindowSettings(other));
}

TEST_F(WindowSettingsTest, CleanExitKeepsSizeAndSideBarForTheNextStart)
{
    window->resize(1100, 800);
    window->move(40, 30);
    const QPoint position = window->pos();
    splitter(*window)->setSizes({700, 400});
    const QList<int> sizes = splitter(*window)->sizes();
    dialogs.answers = {true, false}; // exit, do not save
    ASSERT_TRUE(window->close());

    MainWindow next(MainWindowOptions{96, path(QStringLiteral("o.db")), path(QStringLiteral("r"))});
    ASSERT_TRUE(restoreWindowSettings(next));
    next.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&next));
    EXPECT_EQ(next.size(), QSize(1100, 800));
    EXPECT_EQ(next.pos(), position);
    EXPECT_EQ(splitter(next)->sizes(), sizes);
}

// Works the modal dialog that the next call opens, once it shows.
void whenShown(std::function<void(QWidget&)> work)
{
    QTimer::singleShot(0, qApp, [work] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        work(*dialog);
    });
}

TEST(FileDialogFolders, EachDialogOpensWhereItWasLeft)
{
    QTemporaryDir first;
    QTemporaryDir second;
    const QString caption = QStringLiteral("导出");
    rememberFileDialogFolder(caption, first.filePath(QStringLiteral("a.png")));
    rememberFileDialogFolder(QStringLiteral("打开"), second.filePath(QStringLiteral("b.exm")));
    EXPECT_EQ(lastFileDialogFolder(caption), QDir(first.path()).absolutePath());

    QString openedIn;
    whenShown([&](QWidget& dialog) {
        auto& files = static_cast<QFileDialog&>(dialog);
        openedIn = files.directory().absolutePath();
        files.selectFile(second.filePath(QStringLiteral("c.png")));
        static_cast<QDialog&>(files).accept();
    });
    QtDialogService service;
    const FileChoice choice = service.saveFile(nullptr, caption, {QStringLiteral("PNG (*.png)")});
    EXPECT_EQ(openedIn, QDir(first.path()).absolutePath());
    EXPECT_EQ(choice.path, second.filePath(QStringLiteral("c.png")));
    EXPECT_EQ(lastFileDialogFolder(caption), QDir(second.path()).absolutePath());
}

TEST(QtOffer, AsksWithItsOwnButtonsTheFirstTheDefault)
{
    QtDialogService service;
    for (const bool restore : {true, false}) {
        whenShown([restore](QWidget& dialog) {
            auto& box = static_cast<QMessageBox&>(dialog);
            QStringList captions;
            for (QAbstractButton* button : box.buttons())
                captions << button->text();
            EXPECT_TRUE(captions.contains(QStringLiteral("恢复")));
            EXPECT_TRUE(captions.contains(QStringLiteral("放弃")));
            EXPECT_EQ(box.defaultButton()->text(), QStringLiteral("恢复"));
            for (QAbstractButton* button : box.buttons()) {
                if (button->text() == (restore ? QStringLiteral("恢复") : QStringLiteral("放弃")))
                    button->click();
            }
        });
        EXPECT_EQ(service.offer(nullptr, QStringLiteral("是否恢复？"), ApplicationTitle,
                                QStringLiteral("恢复"), QStringLiteral("放弃")),
                  restore);
    }
}

} // namespace
} // namespace sw::test
