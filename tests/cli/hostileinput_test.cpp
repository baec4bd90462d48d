#include "cli/clirunner.h"
#include "document/vectorgraph.h"
#include "document/vectorgraphics.h"
#include "platform/picturecodec.h"
#include "shapes/rectgrid.h"
#include "shapes/rectkg.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace sw::test {

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool AddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool AddressSanitizer = true;
#else
constexpr bool AddressSanitizer = false;
#endif
#else
constexpr bool AddressSanitizer = false;
#endif

// Runs sheetwright-cli with its address space limited to `megabytes` (not
// under the address sanitizer, which reserves more than any such limit).
CliResult runCliWithin(int megabytes, const QStringList& args)
{
    if (AddressSanitizer)
        return runCli(args);
    QProcess p;
    p.setChildProcessModifier([megabytes] {
        const rlim_t bytes = rlim_t(megabytes) << 20;
        const rlimit limit{bytes, bytes};
        setrlimit(RLIMIT_AS, &limit);
    });
    p.start(QStringLiteral(SW_CLI_PATH), args);
    p.waitForFinished(300000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

class HostileInput : public ::testing::Test
{
protected:
    void SetUp() override
    {
        sw::TVectorGraphics document(96);
        ASSERT_TRUE(document.NewPage(-1, -1));
        document.RenumberPages();
        document.LayoutMarks();
        ASSERT_TRUE(document.SaveToFile(0, path("blank.exm")));
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    void write(const QString& name, const QByteArray& data) const
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(data);
    }
    QTemporaryDir dir;
};

TEST_F(HostileInput, NonFiniteNumbersAreWrongUsage)
{
    for (const char* number : {"nan", "NaN", "inf", "-inf", "infinity"}) {
        const QStringList commands[] = {
            {"trace", path("blank.exm"), "--zoom", number},
            {"export", path("blank.exm"), "-o", path("out.png"), "--dpi", number},
        };
        for (const QStringList& args : commands) {
            const CliResult r = runCli(args);
            EXPECT_EQ(r.exitCode, 64) << args.join(' ').toStdString() << r.err.toStdString();
            EXPECT_TRUE(r.out.isEmpty()) << args.join(' ').toStdString();
        }
    }
    EXPECT_FALSE(QFile::exists(path("out.png")));
}

TEST_F(HostileInput, EndlessSettingsFileIsRefusedAfterABoundedRead)
{
    const CliResult r =
        runCliWithin(1024, {"wizard", "--settings", "/dev/zero", "-o", path("sheet.exm")});
    EXPECT_EQ(r.exitCode, 64) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("/dev/zero")) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(path("sheet.exm")));
}

// A JPEG whose scan stops early at the end-of-image marker.
QByteArray cutJpeg()
{
    QImage noise(300, 300, QImage::Format_RGB32);
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x)
            noise.setPixel(x, y, qRgb(x * 7 % 256, y * 13 % 256, (x * y) % 256));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(sw::saveJpeg(noise, buffer, 95, 96));
    const QByteArray full = buffer.data();
    return full.left(full.size() / 2) + QByteArray("\xFF\xD9", 2);
}

TEST_F(HostileInput, DamagedScansAreFileErrorsNamingTheFile)
{
    write("cut.jpg", cutJpeg());
    const QStringList commands[] = {
        {"deskew", path("blank.exm"), path("cut.jpg"), "-o", path("out.jpg")},
        {"learn", path("blank.exm"), path("cut.jpg"), "-o", path("out.exm")},
    };
    for (const QStringList& args : commands) {
        const CliResult r = runCli(args);
        EXPECT_EQ(r.exitCode, 2) << args.first().toStdString() << r.err.toStdString();
        EXPECT_TRUE(QString::fromUtf8(r.err).contains(path("cut.jpg"))) << r.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(path("out.jpg")));
    EXPECT_FALSE(QFile::exists(path("out.exm")));
}

// Runs `command` (a shell command line) with a full disk mounted at `folder`,
// in a mount namespace of its own, and prints "left:" and the files it left
// there; exit 77 when that cannot be set up.
CliResult runOnFullDisk(const QString& folder, const QString& command)
{
    const QString script = QStringLiteral("mount -t tmpfs -o size=16k none \"$1\" || exit 77\n"
                                          "dd if=/dev/zero of=\"$1/filler\" bs=1k 2>/dev/null\n"
                                          "folder=$1; shift; \"$@\"; status=$?\n"
                                          "echo left: $(ls -A \"$folder\" | grep -v '^filler$')\n"
                                          "exit $status\n");
    QProcess p;
    p.start(QStringLiteral("unshare"),
            QStringList{"-m", "sh", "-c", script, "sh", folder} + QProcess::splitCommand(command));
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit)
        return {};
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

TEST_F(HostileInput, ExportToAFullDiskSaysSoAndLeavesNoFile)
{
    QDir(dir.path()).mkdir("full");
    for (const char* name : {"page.png", "page.svg", "page.pdf", "page.bmp", "page.jpg"}) {
        const QString out = path("full/") + QLatin1String(name);
        const CliResult r = runOnFullDisk(
            path("full"), QStringLiteral("%1 export %2 -o %3")
                              .arg(QStringLiteral(SW_CLI_PATH), path("blank.exm"), out));
        if (r.exitCode == 77)
            GTEST_SKIP() << "cannot mount a small file system here: " << r.err.toStdString();
        EXPECT_EQ(r.exitCode, 2) << name << r.err.toStdString();
        EXPECT_TRUE(r.err.contains("the disk is full")) << name << r.err.toStdString();
        EXPECT_EQ(r.out.trimmed(), "left:") << name;
    }
}

// Bubble boxes and grids of the largest size the property panel allows, with
// ordinary cells: far larger than the page, and each alone more cells than a
// drawing may keep in memory one by one.
TEST_F(HostileInput, HugeBoxesExportAndTraceWithinAMemoryLimit)
{
    if (AddressSanitizer)
        GTEST_SKIP() << "the address sanitizer reserves more address space than the limit";
    sw::TVectorGraphics document(96);
    ASSERT_TRUE(document.NewPage(-1, -1));
    sw::TVectorGraph& page = *document.ActivePage();
    for (int i = 0; i < 6; ++i) {
        auto box = std::make_unique<sw::TRectKg>(sw::TPoint{40 + i * 10, 60 + i * 10},
                                                 sw::TPoint{40, 60}, 1.0, 1.0);
        box->FormatText = QStringLiteral("ABCD");
        box->Row = box->col = sw::MaxGridCount;
        box->Gridwidth = 20;
        box->GridHeight = 12;
        box->ColSpace = box->RowSpace = 4;
        box->ShowNumber = true;
        page.AddShape(std::move(box));
    }
    auto grid = std::make_unique<sw::TRectGrid>(sw::TPoint{0, 0}, sw::TPoint{0, 0}, 1.0, 1.0);
    grid->Row = grid->col = sw::MaxGridCount;
    grid->Gridwidth = grid->GridHeight = 16;
    page.AddShape(std::move(grid));
    document.RenumberPages();
    document.LayoutMarks();
    ASSERT_TRUE(document.SaveToFile(0, path("huge.exm")));

    constexpr int LimitMb = 1024;
    for (const char* name : {"huge.pdf", "huge.svg", "huge.png"}) {
        const CliResult r = runCliWithin(LimitMb, {"export", path("huge.exm"), "-o", path(name)});
        EXPECT_EQ(r.exitCode, 0) << name << r.err.toStdString();
        EXPECT_GT(QFile(path(name)).size(), 0) << name;
    }
    const CliResult trace = runCliWithin(LimitMb, {"trace", path("huge.exm")});
    EXPECT_EQ(trace.exitCode, 0) << trace.err.toStdString();
    EXPECT_GT(trace.out.count("LineTo"), 10000);
}

// A grid of the largest size with cells of one pixel shows every cell: as an
// SVG, which is built in memory, that is refused with a message.
TEST_F(HostileInput, SvgOfMoreFiguresThanItCanHoldIsRefused)
{
    sw::TVectorGraphics document(96);
    ASSERT_TRUE(document.NewPage(-1, -1));
    auto grid = std::make_unique<sw::TRectGrid>(sw::TPoint{0, 0}, sw::TPoint{0, 0}, 1.0, 1.0);
    grid->Row = grid->col = sw::MaxGridCount;
    grid->Gridwidth = grid->GridHeight = 1;
    document.ActivePage()->AddShape(std::move(grid));
    document.RenumberPages();
    document.LayoutMarks();
    ASSERT_TRUE(document.SaveToFile(0, path("dense.exm")));

    const CliResult r = runCli({"export", path("dense.exm"), "-o", path("dense.svg")});
    EXPECT_EQ(r.exitCode, 2) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("export it as PNG or PDF")) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(path("dense.svg")));
}

} // namespace

} // namespace sw::test
