#include "document/analysis/correction.h"
#include "document/export.h"
#include "pagesetup/pagesetupfixture.h"
#include "pagesetup/scanfixture.h"
#include "platform/picturecodec.h"
#include "shapes/mhsb.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <cmath>

namespace sw::test {
namespace {

using F = PageSetupDialog;

class BackgroundTest : public PageSetupTest
{
protected:
    QString writeScan(const QString& name, const QImage& scan, const char* format = "PNG")
    {
        const QString file = path(name);
        EXPECT_TRUE(writeFile(file, encoded(scan, format)));
        return file;
    }
    void insert(const QString& file)
    {
        dialogs.files.push_back({file, 1});
        click("InsertBackgroundAct");
    }
    QString skewedScan(const char* format = "PNG")
    {
        return writeScan(QStringLiteral("scan.") + QString::fromLatin1(format).toLower(),
                         markedScan(1100, 1600, FirstMark, SecondMark), format);
    }
    QLabel& image() const { return *window->backgroundImage(); }
};

TEST_F(BackgroundTest, InsertSizesThePageAfterThePicture)
{
    chooseMode(1);
    const QString file = writeScan(QStringLiteral("a4at300.png"), markedScan(2480, 3508, {}, {}));
    window->scrollArea()->verticalScrollBar()->setValue(50);
    page().SetScaleX(1.5);
    page().SetScaleY(1.5);
    page().Left = 7;
    insert(file);

    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, QStringLiteral("open"));
    EXPECT_TRUE(dialogs.lastFilters.first().contains(QStringLiteral("*.bmp *.jpg *.jpeg *.png")));
    EXPECT_EQ(field(F::WidthField)->text(), QStringLiteral("656.2"));
    EXPECT_EQ(field(F::HeightField)->text(), QStringLiteral("928.2"));
    EXPECT_EQ(page().Width, 656.2);
    EXPECT_EQ(page().Height, 928.2);
    EXPECT_EQ(page().PicturePath, file);
    EXPECT_EQ(page().ScaleX, 1.0);
    EXPECT_EQ(window->scrollArea()->verticalScrollBar()->value(), 0);
    EXPECT_TRUE(image().isVisible());
    EXPECT_EQ(image().geometry(), QRect(0, 0, 2480, 3508));
    // The stored offset waits for the next showing of the page.
    EXPECT_EQ(page().Left, 7);
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(BackgroundTest, OkShowsThePictureOfTheCurrentPage)
{
    chooseMode(2);
    page().PicturePath = skewedScan();
    EXPECT_FALSE(image().isVisible());
    pressOk();
    EXPECT_FALSE(setup().isVisible());
    EXPECT_TRUE(image().isVisible());
    EXPECT_EQ(backgrounds().picture().size(), QSize(1100, 1600));
}

TEST_F(BackgroundTest, OpeningATemplateBringsItsModeAndPicture)
{
    chooseMode(1);
    const QString scan = skewedScan();
    insert(scan);
    const QString file = path(QStringLiteral("overlay.exm"));
    QString error;
    ASSERT_TRUE(document().SaveToFile(SaveAllShapes, file, &error)) << error.toStdString();
    chooseMode(0);
    ASSERT_FALSE(image().isVisible());

    ASSERT_TRUE(window->openFile(file));
    settle();
    EXPECT_EQ(page().PicturePath, scan);
    EXPECT_TRUE(image().isVisible());
    EXPECT_EQ(setup().modeList()->currentText(), QStringLiteral("套制"));
    EXPECT_FALSE(setup().sizeList()->isEnabled());
    EXPECT_EQ(field(F::WidthField)->text(), QStringLiteral("291"));
    EXPECT_TRUE(window->action(QStringLiteral("MoveBackgroundLeftAct"))->isVisible());
}

TEST_F(BackgroundTest, InsertNeedsAnOverlayMode)
{
    insert(skewedScan());
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(page().PicturePath.isEmpty());
    EXPECT_FALSE(image().isVisible());
}

struct BadPicture
{
    const char* name;
    const char* file;
    QByteArray (*bytes)(); // nullptr: the file does not exist
    bool reportedWhenShown;
};

QByteArray halfOf(QByteArray data)
{
    return data.left(data.size() / 2);
}

class BadPictureTest : public BackgroundTest, public ::testing::WithParamInterface<BadPicture>
{
protected:
    QString badFile()
    {
        const QString file = path(QString::fromUtf8(GetParam().file));
        if (GetParam().bytes) {
            EXPECT_TRUE(writeFile(file, GetParam().bytes()));
        }
        return file;
    }
    void expectNamed(const ScriptedDialogs::Shown& message, const QString& file)
    {
        EXPECT_TRUE(message.text.contains(QDir::toNativeSeparators(file)))
            << message.text.toStdString();
    }
};

TEST_P(BadPictureTest, InsertChangesNothing)
{
    chooseMode(1);
    const QString good = skewedScan();
    insert(good);
    const QString file = badFile();
    insert(file);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    expectNamed(dialogs.messages()[0], file);
    EXPECT_EQ(page().PicturePath, good);
    EXPECT_EQ(page().Width, 291.0);
    EXPECT_EQ(backgrounds().picture().size(), QSize(1100, 1600));
}

TEST_P(BadPictureTest, ShowingKeepsThePath)
{
    chooseMode(1);
    const QString file = badFile();
    page().PicturePath = file;
    addPage(false);
    tabs().setCurrentIndex(0);
    EXPECT_EQ(dialogs.messages().size(), GetParam().reportedWhenShown ? 1u : 0u);
    if (GetParam().reportedWhenShown)
        expectNamed(dialogs.messages()[0], file);
    EXPECT_EQ(page().PicturePath, file);
    EXPECT_TRUE(backgrounds().picture().isNull());
    EXPECT_FALSE(image().isVisible());

    // Correcting it says why it cannot.
    dialogs.shown.clear();
    click("CorrectBackgroundAct");
    ASSERT_EQ(dialogs.messages().size(), 1u);
    expectNamed(dialogs.messages()[0], file);
    EXPECT_TRUE(dialogs.questions().empty());
    EXPECT_EQ(page().PicturePath, file);
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadPictureTest,
    ::testing::Values(
        BadPicture{"Missing", "missing.png", nullptr, false},
        BadPicture{"NotAPicture", "notes.jpg", [] { return QByteArray("not a picture\n"); }, true},
        BadPicture{"Empty", "empty.bmp", [] { return QByteArray(); }, true},
        BadPicture{"TruncatedJpeg", "cut.jpg",
                   [] {
                       return halfOf(encoded(markedScan(300, 300, {9, 9}, {99, 9}), "JPG"));
                   },
                   true},
        BadPicture{"TruncatedPng", "cut.png",
                   [] {
                       return halfOf(encoded(markedScan(300, 300, {9, 9}, {99, 9}), "PNG"));
                   },
                   true}),
    [](const auto& info) { return std::string(info.param.name); });

struct MoveCase
{
    const char* name;
    bool locked;
    const char* button;
    int dx;
    int dy;
};

class MoveTest : public BackgroundTest, public ::testing::WithParamInterface<MoveCase>
{
};

TEST_P(MoveTest, MoveButtonsFollowTheLock)
{
    const MoveCase c = GetParam();
    chooseMode(1);
    insert(skewedScan());
    page().Left = 5;
    page().Top = 6;
    window->loadBackgroundPicture();
    if (c.locked)
        click("LockAct");
    ASSERT_EQ(document().Locked, c.locked);
    click(c.button);
    EXPECT_EQ(page().Left, 5 + c.dx);
    EXPECT_EQ(page().Top, 6 + c.dy);
    EXPECT_EQ(image().pos(), QPoint(5 + c.dx, 6 + c.dy));

    // The page shows its picture there the next time.
    addPage(false);
    tabs().setCurrentIndex(0);
    EXPECT_EQ(image().pos(), QPoint(5 + c.dx, 6 + c.dy));
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, MoveTest,
    ::testing::Values(MoveCase{"Left", false, "MoveBackgroundLeftAct", -1, 0},
                      MoveCase{"Right", false, "MoveBackgroundRightAct", 1, 0},
                      MoveCase{"Up", false, "MoveBackgroundUpAct", 0, -1},
                      MoveCase{"Down", false, "MoveBackgroundDownAct", 0, 1},
                      MoveCase{"LeftLocked", true, "MoveBackgroundLeftAct", -1, 0},
                      MoveCase{"RightLocked", true, "MoveBackgroundRightAct", 0, 0},
                      MoveCase{"UpLocked", true, "MoveBackgroundUpAct", 0, 0},
                      MoveCase{"DownLocked", true, "MoveBackgroundDownAct", 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(BackgroundTest, MoveButtonsShowOnlyInOverlayModes)
{
    const char* names[] = {"MoveBackgroundLeftAct", "MoveBackgroundRightAct", "MoveBackgroundUpAct",
                           "MoveBackgroundDownAct"};
    for (const char* name : names)
        EXPECT_FALSE(window->action(QString::fromUtf8(name))->isVisible()) << name;
    chooseMode(4);
    for (const char* name : names)
        EXPECT_TRUE(window->action(QString::fromUtf8(name))->isVisible()) << name;
    // Locked in "自制", even "左移" stays put.
    chooseMode(0);
    click("LockAct");
    window->action(QStringLiteral("MoveBackgroundLeftAct"))->trigger();
    EXPECT_EQ(page().Left, 0);
}

TEST_F(BackgroundTest, MovesAreStoredIndependentOfScrolling)
{
    chooseMode(1);
    insert(skewedScan());
    window->scrollArea()->horizontalScrollBar()->setValue(100);
    click("MoveBackgroundRightAct");
    EXPECT_EQ(page().Left, 1);
    EXPECT_EQ(image().pos(), QPoint(1, 0));
}

TEST_F(BackgroundTest, CorrectionAnsweredNoKeepsTheFile)
{
    chooseMode(1);
    const QString file = skewedScan();
    insert(file);
    const QByteArray before = readFile(file);
    click("CorrectBackgroundAct");

    EXPECT_DOUBLE_EQ(page().SkewAngle, std::atan(0.01));
    EXPECT_NEAR(page().SkewAngle, 0.0099997, 1e-7);
    ASSERT_EQ(dialogs.questions().size(), 1u);
    const QString straight = dir.filePath(QStringLiteral("scan-校正.jpg"));
    EXPECT_EQ(dialogs.questions()[0].text,
              QStringLiteral("是否保存底图？\n校正后的底图将另存为“%1”，原图“%2”保留不变。")
                  .arg(QDir::toNativeSeparators(straight), QDir::toNativeSeparators(file)));
    EXPECT_EQ(dialogs.questions()[0].caption, QStringLiteral("模板设计"));
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_EQ(readFile(file), before);
    EXPECT_FALSE(QFileInfo::exists(straight));
    EXPECT_EQ(page().PicturePath, file);
    // Shown again as the file has it, unrotated.
    EXPECT_EQ(backgrounds().picture(), loadPicture(file));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(StraightPicturePath, NeverNamesAnExistingFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString scan = dir.filePath(QStringLiteral("scan.png"));
    const QString first = dir.filePath(QStringLiteral("scan-校正.jpg"));
    EXPECT_EQ(straightPicturePath(scan), first);
    ASSERT_TRUE(writeFile(first, "x"));
    const QString second = dir.filePath(QStringLiteral("scan-校正2.jpg"));
    EXPECT_EQ(straightPicturePath(scan), second);
    // A corrected copy corrected again counts on from the scan's name.
    EXPECT_EQ(straightPicturePath(first), second);
    // A dangling link is a file too.
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("gone")), second));
    EXPECT_EQ(straightPicturePath(scan), dir.filePath(QStringLiteral("scan-校正3.jpg")));
}

TEST_F(BackgroundTest, CorrectionAnsweredYesKeepsTheScanAndWritesTheStraightPictureBesideIt)
{
    chooseMode(1);
    for (const char* format : {"PNG", "BMP"}) {
        SCOPED_TRACE(format);
        const QString file = skewedScan(format);
        const QByteArray original = readFile(file);
        insert(file);
        dialogs.answers.push_back(true);
        click("CorrectBackgroundAct");
        ASSERT_EQ(dialogs.questions().size(), 1u);
        EXPECT_EQ(readFile(file), original);
        const QString straight = dir.filePath(QStringLiteral("scan-校正.jpg"));
        EXPECT_EQ(page().PicturePath, straight);
        const QByteArray bytes = readFile(straight);
        EXPECT_TRUE(bytes.startsWith("\xFF\xD8\xFF"));
        const QImage saved = decodeJpeg(bytes);
        EXPECT_EQ(saved.size(), QSize(1100, 1600));
        EXPECT_NE(backgrounds().picture(), markedScan(1100, 1600, FirstMark, SecondMark));
        // The scan and its straight copy, no half-written leftovers.
        EXPECT_EQ(QDir(dir.path()).entryList({QStringLiteral("scan*")}, QDir::Files).size(), 2);
        EXPECT_TRUE(window->isWindowModified());

        // Straight now: a second correction measures next to nothing.
        dialogs.shown.clear();
        click("CorrectBackgroundAct");
        EXPECT_LT(std::abs(page().SkewAngle), 0.002);
        EXPECT_EQ(readFile(straight), bytes);

        // Undo goes back to the scan as inserted, picture and all.
        click("UndoAct");
        click("UndoAct");
        EXPECT_EQ(page().PicturePath, file);
        EXPECT_EQ(backgrounds().picture(), loadPicture(file));
        for (const QString& name :
             QDir(dir.path()).entryList({QStringLiteral("scan*")}, QDir::Files))
            QFile::remove(dir.filePath(name));
        dialogs.shown.clear();
    }
}

TEST_F(BackgroundTest, CorrectionMeasuresATurnedPrintOfThePage)
{
    // The page as printed (solid positioning boxes in "自制"), scanned at the
    // screen's resolution half a degree clockwise about its middle.
    const QString print = path(QStringLiteral("print.png"));
    QString error;
    ASSERT_TRUE(ExportImage(document(), print, 96, &error)) << error.toStdString();
    const QImage straight = loadPicture(print);
    ASSERT_EQ(straight.size(), QSize(794, 1123));
    constexpr double Degrees = 0.5;
    QImage turned(straight.size(), QImage::Format_RGB32);
    turned.fill(Qt::white);
    {
        QPainter painter(&turned);
        painter.translate(turned.width() / 2.0, turned.height() / 2.0);
        painter.rotate(Degrees);
        painter.translate(-turned.width() / 2.0, -turned.height() / 2.0);
        painter.drawImage(0, 0, straight);
    }
    chooseMode(1);
    insert(writeScan(QStringLiteral("turned.png"), turned));
    EXPECT_EQ(field(F::WidthField)->text(), QStringLiteral("210.1"));
    click("CorrectBackgroundAct");
    // A pixel of the marks' 695 apart is about 0.0014 radians.
    EXPECT_NEAR(page().SkewAngle, Degrees * M_PI / 180, 0.002);
    EXPECT_EQ(dialogs.questions().size(), 1u);
}

struct ModeCase
{
    const char* name;
    int modal;
    bool withScan;
    bool marked;
    const char* message; // nullptr: none
};

class CorrectionModeTest : public BackgroundTest, public ::testing::WithParamInterface<ModeCase>
{
};

TEST_P(CorrectionModeTest, ReportsAsTheModeSays)
{
    const ModeCase c = GetParam();
    chooseMode(c.modal == 0 ? 1 : c.modal);
    if (c.withScan) {
        const QPoint second = c.marked ? QPoint(1038, 38) : QPoint(5000, 5000);
        insert(
            writeScan(QStringLiteral("level.png"),
                      markedScan(1100, 1600, c.marked ? FirstMark : QPoint(5000, 5000), second)));
    }
    chooseMode(c.modal);
    click("CorrectBackgroundAct");
    EXPECT_TRUE(dialogs.questions().empty());
    if (!c.message) {
        EXPECT_TRUE(dialogs.messages().empty());
    } else {
        ASSERT_EQ(dialogs.messages().size(), 1u);
        EXPECT_EQ(dialogs.messages()[0].text, QString::fromUtf8(c.message));
    }
    EXPECT_EQ(page().SkewAngle, 0.0);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, CorrectionModeTest,
    ::testing::Values(ModeCase{"SelfMade", 0, true, true, "检测成功！"},
                      ModeCase{"Level", 1, true, true, "检测成功！"},
                      ModeCase{"NoMarks", 2, true, false, nullptr},
                      ModeCase{"NoPicture", 3, false, false, nullptr},
                      ModeCase{"FuzzyWithoutBoxes", 4, true, true, "检测失败!"},
                      ModeCase{"FuzzyWithoutPicture", 4, false, false, "检测失败!"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(BackgroundTest, ReplacingWritesJpegOrLeavesTheFileAlone)
{
    const QImage picture = markedScan(64, 48, {1, 1}, {30, 1});
    const QString file = path(QStringLiteral("old.bmp"));
    ASSERT_TRUE(writeFile(file, "old"));
    QString error;
    ASSERT_TRUE(replaceWithJpeg(file, picture, 300, &error)) << error.toStdString();
    EXPECT_EQ(decodeJpeg(readFile(file)).size(), QSize(64, 48));
    EXPECT_EQ(decodeJpeg(readFile(file)).dotsPerMeterX(), 11811); // 300 per inch

    const QString nowhere = path(QStringLiteral("gone/old.bmp"));
    EXPECT_FALSE(replaceWithJpeg(nowhere, picture, 96, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(nowhere));
    // A picture that cannot be encoded leaves the old file whole.
    EXPECT_FALSE(replaceWithJpeg(file, QImage(), 96, &error));
    EXPECT_EQ(decodeJpeg(readFile(file)).size(), QSize(64, 48));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).filter(QStringLiteral("old")).size(), 1);
}

class PositionCheckTest : public BackgroundTest
{
protected:
    bool useTestPanel() const override { return false; }

    void addFuzzyBox(int number, QPoint centre, int half)
    {
        auto box = std::make_unique<TMHSB>(TPoint{centre.x() - half, centre.y() - half},
                                           TPoint{centre.x() + half, centre.y() + half}, 1.0, 1.0);
        box->Number = number;
        document().AddShape(std::move(box));
    }
    QColor surfaceAt(QPoint p) const { return window->controller().SurfaceImage().pixelColor(p); }
};

TEST_F(PositionCheckTest, PaintsWhatTheFuzzyBoxesFindUntilTheNextRepaint)
{
    chooseMode(4);
    QImage scan = markedScan(1200, 600, {5000, 0}, {5000, 0});
    {
        QPainter painter(&scan);
        painter.fillRect(188, 188, 25, 25, Qt::black);
        painter.fillRect(988, 218, 25, 25, Qt::black);
    }
    insert(writeScan(QStringLiteral("fuzzy.png"), scan));
    addFuzzyBox(1, {200, 200}, 30);
    addFuzzyBox(2, {1020, 220}, 60);
    window->repaintSurface();
    EXPECT_NE(surfaceAt({200, 200}), QColor(Qt::red));

    auto* check = window->findChild<QToolButton*>(QStringLiteral("PositionCheckButton"));
    ASSERT_NE(check, nullptr);
    check->click();
    EXPECT_EQ(surfaceAt({200, 200}), QColor(Qt::red));
    EXPECT_EQ(surfaceAt({1000, 230}), QColor(0, 128, 0));

    window->repaintSurface();
    EXPECT_NE(surfaceAt({200, 200}), QColor(Qt::red));
}

} // namespace
} // namespace sw::test
