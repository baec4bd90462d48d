#include "dialogs/databasebreaker.h"
#include "dialogs/wizarddialog.h"
#include "editor/templatecommands.h"
#include "platform/rounding.h"
#include "shapes/recttext.h"
#include "storage/database.h"
#include "storage/wizardsettingsstore.h"
#include "support/fieldtips_check.h"
#include "window/windowfixture.h"

#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>

namespace sw::test {
namespace {

class WizardTest : public WindowTest
{
protected:
    WizardDialog& wizard() const { return window->templateCommands().wizardDialog(); }

    // "向导" with the dialog worked by `work`.
    void runWizard(std::function<void(WizardDialog&)> work)
    {
        dialogs.handlers.push_back([work = std::move(work)](QDialog& dialog) {
            work(static_cast<WizardDialog&>(dialog));
        });
        click("WizardAct");
    }

    static void pressOk(WizardDialog& dialog)
    {
        auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("OkButton"));
        ASSERT_NE(ok, nullptr);
        QTest::mouseClick(ok, Qt::LeftButton);
    }

    // Replaces the text of a spin box as typed; what the box refuses stays out.
    static void type(QSpinBox* spin, const QString& text)
    {
        spin->setFocus();
        spin->selectAll();
        QTest::keyClicks(spin, text);
    }

    std::optional<WizardSettings> stored() const
    {
        WizardSettings settings;
        bool found = false;
        QString error;
        EXPECT_TRUE(loadWizardSettings(window->database(), settings, &error, &found))
            << error.toStdString();
        if (!found)
            return std::nullopt;
        return settings;
    }

    QStringList messageTexts() const
    {
        QStringList texts;
        for (const auto& m : dialogs.messages())
            texts << m.text;
        return texts;
    }
};

TEST_F(WizardTest, EmptyTableShowsTheDefaultsAndCancelStoresNothing)
{
    const int pages = document().PageCount();
    bool shown = false;
    runWizard([&](WizardDialog& dialog) {
        shown = true;
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("向导"));
        EXPECT_EQ(dialog.settings(), WizardSettings());
        EXPECT_EQ(dialog.sizeList()->currentText(), QStringLiteral("A3"));
        EXPECT_EQ(dialog.styleList()->currentText(), QStringLiteral("两幅"));
        EXPECT_EQ(dialog.styleList()->itemData(1).toString(), QStringLiteral("3"));
        EXPECT_EQ(dialog.examCodeTypeList()->currentText(), QStringLiteral("填涂"));
        EXPECT_EQ(dialog.infoEdit()->toPlainText(), QStringLiteral("院系\n专业\n年级\n姓名"));
        auto* cancel = dialog.findChild<QPushButton*>(QStringLiteral("CancelButton"));
        ASSERT_NE(cancel, nullptr);
        QTest::mouseClick(cancel, Qt::LeftButton);
    });
    EXPECT_TRUE(shown);
    EXPECT_FALSE(stored().has_value());
    EXPECT_EQ(document().PageCount(), pages);
}

TEST_F(WizardTest, EveryInputIsNamedAfterItsLabel)
{
    const std::pair<QWidget*, const char*> inputs[] = {
        {wizard().pageCountSpin(), "页数"},
        {wizard().sizeList(), "尺寸"},
        {wizard().styleList(), "样式"},
        {wizard().examCodeTypeList(), "准考证类型"},
        {wizard().examCodeLengthSpin(), "准考证位数"},
        {wizard().questionCountSpin(), "客观题数量"},
        {wizard().groupSizeSpin(), "每组数量"},
        {wizard().attentionEdit(), "注意事项"},
        {wizard().titleEdit(), "标题"},
        {wizard().infoEdit(), "信息"},
        {wizard().warningEdit(), "警告内容"}};
    const QList<QLabel*> labels = wizard().findChildren<QLabel*>();
    for (const auto& [input, label] : inputs) {
        EXPECT_EQ(input->accessibleName(), QString::fromUtf8(label));
        const bool hasBuddy = std::any_of(labels.begin(), labels.end(), [&](QLabel* l) {
            return l->buddy() == input && l->text() == QString::fromUtf8(label);
        });
        EXPECT_TRUE(hasBuddy) << label;
    }
}

struct SpinCase
{
    QSpinBox* (WizardDialog::*spin)() const;
    const char* typed;
    int expected;
};

TEST_F(WizardTest, SpinBoxesKeepTheirRanges)
{
    const SpinCase cases[] = {
        {&WizardDialog::pageCountSpin, "4", 4},
        {&WizardDialog::pageCountSpin, "5", 2},
        {&WizardDialog::pageCountSpin, "0", 2},
        {&WizardDialog::examCodeLengthSpin, "20", 20},
        {&WizardDialog::examCodeLengthSpin, "21", 2},
        {&WizardDialog::questionCountSpin, "200", 200},
        {&WizardDialog::questionCountSpin, "201", 20},
        {&WizardDialog::groupSizeSpin, "201", 20},
        {&WizardDialog::groupSizeSpin, "x", 5},
    };
    wizard().show();
    for (const SpinCase& c : cases) {
        QSpinBox* spin = (wizard().*c.spin)();
        const int before = spin->value();
        type(spin, QString::fromUtf8(c.typed));
        spin->interpretText();
        // A refused keystroke leaves the value the accepted ones made.
        EXPECT_EQ(spin->value(), c.expected) << c.typed;
        spin->setValue(before);
    }
    wizard().hide();
}

TEST_F(WizardTest, StyleFollowsTheChosenSizeOnly)
{
    struct Case
    {
        Qt::Key key;
        const char* size;
        bool styleEnabled;
    };
    const Case cases[] = {{Qt::Key_Up, "B4", true},
                          {Qt::Key_Up, "A4", false},
                          {Qt::Key_Down, "B4", true},
                          {Qt::Key_Down, "A3", true}};
    wizard().show();
    for (const Case& c : cases) {
        QTest::keyClick(wizard().sizeList(), c.key);
        EXPECT_EQ(wizard().sizeList()->currentText(), QString::fromUtf8(c.size));
        EXPECT_EQ(wizard().styleList()->isEnabled(), c.styleEnabled) << c.size;
    }
    wizard().hide();
}

TEST_F(WizardTest, OkGeneratesTheSheetAndStoresTheSettings)
{
    // The document came from a file, which must survive the next save.
    const QString old = path(QStringLiteral("old.exm"));
    dialogs.files = {{old, 1}};
    click("SaveAct");
    ASSERT_TRUE(QFile::exists(old));
    QFile oldFile(old);
    ASSERT_TRUE(oldFile.open(QIODevice::ReadOnly));
    const QByteArray oldBytes = oldFile.readAll();
    oldFile.close();

    QSignalSpy pageChanges(window.get(), &MainWindow::currentPageChanged);
    bool accepted = false;
    runWizard([&](WizardDialog& dialog) {
        QTest::keyClick(dialog.styleList(), Qt::Key_Down);
        QTest::keyClick(dialog.sizeList(), Qt::Key_Up);
        QTest::keyClick(dialog.sizeList(), Qt::Key_Up); // A4
        type(dialog.pageCountSpin(), QStringLiteral("1"));
        dialog.titleEdit()->setPlainText(QStringLiteral("第一中学\n《数学》答题纸"));
        pressOk(dialog);
        accepted = dialog.result() == QDialog::Accepted;
    });
    EXPECT_TRUE(accepted);
    EXPECT_TRUE(dialogs.messages().empty()) << messageTexts().join(' ').toStdString();

    ASSERT_EQ(document().PageCount(), 1);
    EXPECT_EQ(document().PageAt(0)->PageSize, A4);
    EXPECT_EQ(tabTexts(), QStringList{QStringLiteral("A卷--1面")});
    EXPECT_EQ(historyRows(), QStringList{QStringLiteral("新建页面")});
    EXPECT_GT(page().ShapeCount(), 7);
    EXPECT_GT(pageChanges.count(), 0);
    EXPECT_TRUE(window->fileName().isEmpty());

    const std::optional<WizardSettings> settings = stored();
    ASSERT_TRUE(settings.has_value());
    EXPECT_EQ(settings->pagecount, 1);
    EXPECT_EQ(settings->pagesize, int(WizardA4));
    EXPECT_EQ(settings->pagetype, int(WizardThreeColumns)); // kept though A4 ignores it
    EXPECT_EQ(settings->title,
              (QStringList{QStringLiteral("第一中学"), QStringLiteral("《数学》答题纸")}));

    // The next save asks for a name and leaves the old file alone.
    const QString fresh = path(QStringLiteral("fresh.exm"));
    dialogs.files = {{fresh, 1}};
    click("SaveAct");
    EXPECT_EQ(dialogs.shown.back().kind, QStringLiteral("save"));
    EXPECT_TRUE(QFile::exists(fresh));
    ASSERT_TRUE(oldFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(oldFile.readAll(), oldBytes);
}

// The title of an A4 sheet is centred on the page's width. The surface
// still showed the previous page, zoomed, while the sheet was made; drawn
// again it is exactly as wide as the page, and the title centred on it.
TEST_F(WizardTest, A4TitleIsCentredOnTheSurfaceThatShowsIt)
{
    key(Qt::Key_Equal, Qt::ControlModifier);
    const int zoomedWidth = surface().width();
    dialogs.threeWayAnswers = {Answer::No};
    runWizard([&](WizardDialog& dialog) {
        QTest::keyClick(dialog.sizeList(), Qt::Key_Up);
        QTest::keyClick(dialog.sizeList(), Qt::Key_Up); // A4
        pressOk(dialog);
    });
    ASSERT_EQ(document().PageAt(0)->PageSize, A4);
    const int width = surface().width();
    EXPECT_NE(width, zoomedWidth);
    EXPECT_EQ(width, roundHalfEven(page().Width * document().PixelsPerMm));
    int titles = 0;
    for (int i = 0; i < page().ShapeCount(); ++i) {
        const auto* text = dynamic_cast<const TRectText*>(page().ShapeItem(i));
        if (!text || text->Group != 1)
            continue;
        ++titles;
        const TRect box = text->GetBounds();
        EXPECT_EQ(box.Left, roundHalfEven((width - box.width()) / 2.0))
            << text->Lines.join(QLatin1Char(' ')).toStdString();
    }
    EXPECT_EQ(titles, int(WizardSettings().title.size()));
}

TEST_F(WizardTest, ReopeningShowsTheLastSettingsWithTheirLineBreaks)
{
    WizardSettings last;
    last.pagesize = WizardA4;
    last.pagetype = WizardThreeColumns;
    last.examcodetype = WizardBarcode;
    last.attention = {QStringLiteral("一"), QString(), QStringLiteral("  三  ")};
    last.info = {QStringLiteral("姓名|班级"), QStringLiteral("学号")};
    last.warning = QStringLiteral("请勿折叠");
    ASSERT_TRUE(storeWizardSettings(window->database(), last));

    runWizard([&](WizardDialog& dialog) {
        EXPECT_EQ(dialog.settings(), last);
        EXPECT_EQ(dialog.sizeList()->currentText(), QStringLiteral("A4"));
        EXPECT_EQ(dialog.styleList()->currentText(), QStringLiteral("三幅"));
        EXPECT_EQ(dialog.attentionEdit()->toPlainText(), QStringLiteral("一\n\n  三  "));
        pressOk(dialog);
    });
    const std::optional<WizardSettings> again = stored();
    ASSERT_TRUE(again.has_value());
    EXPECT_EQ(*again, last);
}

TEST_F(WizardTest, FailedStepsShowTheirCodes)
{
    runWizard([&](WizardDialog& dialog) {
        // More questions than one A4 page holds: the objective step fails.
        QTest::keyClick(dialog.sizeList(), Qt::Key_Up);
        QTest::keyClick(dialog.sizeList(), Qt::Key_Up);
        type(dialog.pageCountSpin(), QStringLiteral("1"));
        type(dialog.questionCountSpin(), QStringLiteral("200"));
        pressOk(dialog);
    });
    EXPECT_EQ(messageTexts(), QStringList{QStringLiteral("5")});
    // The rest of the sheet is there, and the settings that made it are kept.
    EXPECT_EQ(document().PageCount(), 1);
    EXPECT_EQ(historyRows(), QStringList{QStringLiteral("新建页面")});
    const std::optional<WizardSettings> settings = stored();
    ASSERT_TRUE(settings.has_value());
    EXPECT_EQ(settings->kgcount, 200);
}

TEST_F(WizardTest, RefusedSettingsKeepTheDocumentAndTheDialog)
{
    draw("ToolRectAct", {150, 300}, {250, 400});
    const int shapes = page().ShapeCount();
    dialogs.threeWayAnswers = {Answer::No};
    bool stillOpen = false;
    runWizard([&](WizardDialog& dialog) {
        QTest::keyClick(dialog.styleList(), Qt::Key_Down); // A3 in three narrow columns
        type(dialog.examCodeLengthSpin(), QStringLiteral("20"));
        pressOk(dialog);
        stillOpen = dialog.isVisible() && dialog.result() != QDialog::Accepted;
    });
    EXPECT_TRUE(stillOpen);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    const QString message = dialogs.messages()[0].text;
    EXPECT_TRUE(message.startsWith(QStringLiteral("不能生成答题卡"))) << message.toStdString();
    // Three columns of A3 hold an exam number of 19 digits at most.
    EXPECT_TRUE(message.contains(QStringLiteral("最多放得下 19 位"))) << message.toStdString();
    EXPECT_EQ(page().ShapeCount(), shapes);
    EXPECT_FALSE(stored().has_value());
}

TEST_F(WizardTest, UnwritableDatabaseIsNamedAndTheSheetStays)
{
    bool stillOpen = false;
    runWizard([&](WizardDialog& dialog) {
        ASSERT_TRUE(dropTable(path(QStringLiteral("sheetwright.db")), QStringLiteral("pageset")));
        type(dialog.pageCountSpin(), QStringLiteral("3"));
        pressOk(dialog);
        stillOpen = dialog.isVisible() && dialog.result() != QDialog::Accepted;
    });
    EXPECT_TRUE(stillOpen);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_TRUE(dialogs.messages()[0].text.contains(
        QDir::toNativeSeparators(path(QStringLiteral("sheetwright.db")))));
    EXPECT_EQ(document().PageCount(), 3);
    EXPECT_EQ(historyRows(), QStringList{QStringLiteral("新建页面")});
}

TEST_F(WizardTest, EveryFieldHasATip)
{
    EXPECT_EQ(inputsWithoutTips(wizard()), QStringList());
}

} // namespace
} // namespace sw::test
