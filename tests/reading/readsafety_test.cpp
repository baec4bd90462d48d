#include "cli/clirunner.h"
#include "reading/sheets.h"
#include "reading/simulatedscan.h"

#include "shapes/rectkg.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QtEndian>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace sw::test {
namespace {

// The hand-laid sheet with more answer rows below its cut box, as a sheet
// printed from a larger template.
std::unique_ptr<TVectorGraphics> largerSheet()
{
    auto document = handLaidSheet();
    for (const int left : {120, 420}) {
        auto box = std::make_unique<TRectKg>(TPoint{left, 930}, TPoint{left, 930}, 1.0, 1.0);
        box->TextType = RSResult;
        box->Aspect = ARight;
        box->FormatText = QStringLiteral("ABCDE");
        box->col = 5;
        box->Row = 8;
        box->Gridwidth = 18;
        box->GridHeight = 10;
        box->ColSpace = 7;
        box->RowSpace = 7;
        box->ShowType = SInner;
        box->ShowNumber = true;
        box->Font.Name = QStringLiteral("DejaVu Sans");
        box->Font.Height = -9;
        document->AddShape(std::move(box));
    }
    return document;
}

class ReadSafely : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        const auto document = handLaidSheet();
        ASSERT_TRUE(document->SaveToFile(0, path("sheet.exm")));
        ASSERT_TRUE(scanOf(*document, {}).save(path("scans/a.jpg")));
        ASSERT_TRUE(scanOf(*document, {}).save(path("scans/b.png")));
    }

    // A scan of the sheet with question 1 answered C.
    static QImage scanOf(TVectorGraphics& document, std::mt19937 rng)
    {
        QImage sheet = printedPage(document, 0, 150);
        const double s = 150 / 96.0;
        pencilFill(sheet, QRectF(120 * s, (380 + 2 * 17) * s, 18 * s, 10 * s), 0.9, false, rng);
        return scanned(sheet, {1, {}, 1, true, 6, 80}, rng);
    }

    QString path(const QString& name) const
    {
        const QString p = dir.filePath(name);
        QDir().mkpath(QFileInfo(p).absolutePath());
        return p;
    }

    static QByteArray digest(const QString& file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly)
                   ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256)
                   : QByteArray();
    }

    CliResult read(QStringList extra) const
    {
        return runCli(QStringList{QStringLiteral("read"), path("sheet.exm"), path("scans")} +
                      extra);
    }

    QTemporaryDir dir;
};

TEST_F(ReadSafely, AnOutputThatIsAnInputIsRefusedBeforeAnythingIsWritten)
{
    QFile::copy(path("scans/a.jpg"), path("scans/a.png"));
    const QByteArray before = digest(path("scans/a.png"));
    struct Case
    {
        const char* name;
        QStringList options;
        const char* named;
    };
    for (const Case& c : {
             Case{"the scan folder as --marked", {"--marked", path("scans")}, "b.png"},
             Case{"a scan as --csv", {"--csv", path("scans/b.png")}, "b.png"},
             Case{"the template as --csv", {"--csv", path("sheet.exm")}, "sheet.exm"},
         }) {
        const CliResult r = read(c.options);
        EXPECT_EQ(r.exitCode, 64) << c.name;
        EXPECT_TRUE(r.err.contains("would overwrite the input")) << c.name << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(c.named)) << c.name << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << c.name;
    }
    EXPECT_EQ(digest(path("scans/a.png")), before);
    EXPECT_TRUE(QImage(path("scans/b.png")).width() > 0);
}

TEST_F(ReadSafely, ScansWithOneBaseNameGetPicturesOfTheirOwn)
{
    QFile::copy(path("scans/a.jpg"), path("other/a.jpg"));
    QFile::copy(path("scans/b.png"), path("scans/a.png"));
    const CliResult r = runCli({QStringLiteral("read"), path("sheet.exm"), path("scans"),
                                path("other"), QStringLiteral("--marked"), path("marked"),
                                QStringLiteral("--cuts"), path("cuts")});
    EXPECT_EQ(r.exitCode, 1) << r.err.toStdString(); // the exam numbers are blank
    for (const char* name : {"a.jpg.png", "a.png.png", "a.jpg-2.png", "b.png"}) {
        EXPECT_TRUE(QImage(path(QStringLiteral("marked/") + QLatin1String(name))).width() > 0)
            << name;
        EXPECT_TRUE(QImage(path(QStringLiteral("cuts/16-1/") + QLatin1String(name))).width() > 0)
            << name;
    }
    EXPECT_EQ(QDir(path("marked")).entryList(QDir::Files).size(), 4);
}

TEST_F(ReadSafely, PlantedLinksAreRefusedAndNothingOutsideIsWritten)
{
    QFile outside(path("outside/victim.png"));
    ASSERT_TRUE(outside.open(QIODevice::WriteOnly));
    outside.write("keep me");
    outside.close();
    struct Case
    {
        const char* name;
        QString link;
        QString target;
        QStringList options;
    };
    for (const Case& c : {
             Case{"a link as the marked picture",
                  path("marked/a.png"),
                  path("outside/victim.png"),
                  {"--marked", path("marked")}},
             Case{"a link as a cut folder",
                  path("cuts/16-1"),
                  path("outside"),
                  {"--cuts", path("cuts")}},
             Case{"a link as the CSV file",
                  path("out/rows.csv"),
                  path("outside/victim.png"),
                  {"--csv", path("out/rows.csv")}},
         }) {
        QDir().mkpath(QFileInfo(c.link).path());
        ASSERT_TRUE(QFile::link(c.target, c.link)) << c.name;
        const CliResult r = read(c.options);
        EXPECT_EQ(r.exitCode, 2) << c.name;
        EXPECT_TRUE(r.err.contains("symbolic link")) << c.name << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QFileInfo(c.link).fileName().toUtf8())) << c.name;
        QFile::remove(c.link);
    }
    ASSERT_TRUE(outside.open(QIODevice::ReadOnly));
    EXPECT_EQ(outside.readAll(), "keep me");
    EXPECT_EQ(QDir(path("outside")).entryList(QDir::Files).size(), 1);
}

TEST_F(ReadSafely, ACsvIsWholeAndAFailedOneKeepsThePreviousFile)
{
    QFile previous(path("rows.csv"));
    ASSERT_TRUE(previous.open(QIODevice::WriteOnly));
    previous.write("previous\n");
    previous.close();
    const CliResult r = read({QStringLiteral("--csv"), path("rows.csv")});
    EXPECT_EQ(r.exitCode, 1) << r.err.toStdString();
    ASSERT_TRUE(previous.open(QIODevice::ReadOnly));
    EXPECT_EQ(previous.readAll().count('\n'), 3);
    previous.close();
    EXPECT_FALSE(QFile::exists(path("rows.csv.part")));

    // A folder that cannot be written to: the old file stays.
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    const bool privileged = access(QFile::encodeName(dir.path()).constData(), W_OK) == 0;
    const CliResult refused = read({QStringLiteral("--csv"), path("rows.csv")});
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (privileged)
        GTEST_SKIP() << "running with the right to write anywhere";
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_TRUE(refused.err.contains("rows.csv")) << refused.err.toStdString();
    ASSERT_TRUE(previous.open(QIODevice::ReadOnly));
    EXPECT_EQ(previous.readAll().count('\n'), 3);
}

TEST_F(ReadSafely, AFullDiskIsAFailureThatKeepsThePreviousFile)
{
    // A small file system of its own needs a private mount namespace.
    ASSERT_TRUE(QDir().mkpath(path("full")));
    QProcess probe;
    probe.start(
        QStringLiteral("unshare"),
        {QStringLiteral("-rm"), QStringLiteral("sh"), QStringLiteral("-c"),
         QStringLiteral("mount -t tmpfs -o size=64k none \"$0\"") + QStringLiteral(" && echo ok"),
         path("full")});
    probe.waitForFinished(20000);
    if (!probe.readAllStandardOutput().contains("ok"))
        GTEST_SKIP() << "mounting a small tmpfs is not allowed here";
    // The disk is filled up after the previous file is written.
    const QString script = QStringLiteral(
        "mount -t tmpfs -o size=64k none \"$1\" && printf 'previous\\n' > \"$1/rows.csv\" && "
        "{ head -c 200000 /dev/zero > \"$1/filler\" 2>/dev/null; true; } && "
        "\"$0\" read \"$2\" \"$3\" --csv \"$1/rows.csv\"; echo \"exit $?\"; "
        "cat \"$1/rows.csv\"");
    QProcess p;
    p.start(QStringLiteral("unshare"),
            {QStringLiteral("-rm"), QStringLiteral("sh"), QStringLiteral("-c"), script,
             QStringLiteral(SW_CLI_PATH), path("full"), path("sheet.exm"), path("scans")});
    p.waitForFinished(120000);
    const QByteArray out = p.readAllStandardOutput();
    const QByteArray err = p.readAllStandardError();
    EXPECT_TRUE(out.contains("exit 2")) << out.toStdString() << err.toStdString();
    EXPECT_TRUE(err.contains("the disk is full")) << err.toStdString();
    EXPECT_TRUE(out.endsWith("previous\n")) << out.toStdString();
}

TEST_F(ReadSafely, AScanNamedInAnotherEncodingIsReadAndNamedAsSpelt)
{
    // "你好" in GBK, which is no UTF-8.
    const QByteArray name = QFile::encodeName(dir.path()) + "/scans/\xc4\xe3\xba\xc3.jpg";
    QFile good(path("scans/a.jpg"));
    ASSERT_TRUE(good.open(QIODevice::ReadOnly));
    const QByteArray bytes = good.readAll();
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, bytes.constData(), std::size_t(bytes.size())), bytes.size());
    ::close(fd);
    const CliResult r = read({QStringLiteral("--marked"), path("marked")});
    // Qt cannot name the file to remove it with the folder.
    ::unlink(name.constData());
    EXPECT_EQ(r.exitCode, 1) << r.err.toStdString();
    EXPECT_EQ(r.out.count('\n'), 3) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("scans/\\xc4\\xe3\\xba\\xc3.jpg: ok")) << r.out.toStdString();
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("marked/\\xc4\\xe3\\xba\\xc3.png"))));
}

TEST_F(ReadSafely, ASheetPrintedFromALargerTemplateIsNotOk)
{
    const auto larger = largerSheet();
    ASSERT_TRUE(scanOf(*larger, {}).save(path("larger/c.jpg")));
    const CliResult r = runCli(
        {QStringLiteral("read"), path("sheet.exm"), path("larger/c.jpg"), path("scans/a.jpg")});
    EXPECT_EQ(r.exitCode, 1) << r.err.toStdString();
    const QList<QByteArray> lines = r.out.trimmed().split('\n');
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].contains("printed from another template?")) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].contains("a.jpg: ok")) << lines[1].toStdString();
}

quint32 crc32(const QByteArray& data)
{
    quint32 crc = 0xFFFFFFFFu;
    for (const char byte : data) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// A PNG whose header claims the size, with made-up data long enough that it
// could hold the pixels.
QByteArray claimingPng(quint32 width, quint32 height, qsizetype size)
{
    QByteArray ihdr("IHDR");
    ihdr += QByteArray(13, '\0');
    qToBigEndian(width, ihdr.data() + 4);
    qToBigEndian(height, ihdr.data() + 8);
    ihdr[12] = 8; // bits per sample
    ihdr[13] = 2; // RGB
    QByteArray crc(4, '\0');
    qToBigEndian(crc32(ihdr), crc.data());
    QByteArray data = QByteArray("\x89PNG\r\n\x1a\n\0\0\0\x0d", 12) + ihdr + crc;
    QByteArray idat(8, '\0');
    qToBigEndian(quint32(size - data.size() - 12), idat.data());
    idat.replace(4, 4, "IDAT");
    data += idat;
    data += QByteArray(size - data.size(), '\0');
    return data;
}

// An uncompressed RGB TIFF whose directory claims the size over a few bytes
// of strip.
QByteArray claimingTiff(quint32 width, quint32 height)
{
    struct Entry
    {
        quint16 tag;
        quint16 type; // 3 SHORT, 4 LONG
        quint32 value;
    };
    const Entry entries[] = {{256, 4, width}, {257, 4, height}, {258, 3, 8},
                             {259, 3, 1},     {262, 3, 2},      {273, 4, 0},
                             {277, 3, 3},     {278, 4, height}, {279, 4, 64}};
    const int count = int(std::size(entries));
    const int stripAt = 8 + 2 + count * 12 + 4;
    QByteArray data(stripAt + 64, '\0');
    auto* d = reinterpret_cast<uchar*>(data.data());
    data.replace(0, 4, QByteArray("II*\0", 4));
    qToLittleEndian<quint32>(8, d + 4);
    qToLittleEndian<quint16>(quint16(count), d + 8);
    for (int i = 0; i < count; ++i) {
        uchar* e = d + 10 + i * 12;
        qToLittleEndian<quint16>(entries[i].tag, e);
        qToLittleEndian<quint16>(entries[i].type, e + 2);
        qToLittleEndian<quint32>(1, e + 4);
        const quint32 value = entries[i].tag == 273 ? quint32(stripAt) : entries[i].value;
        if (entries[i].type == 3)
            qToLittleEndian<quint16>(quint16(value), e + 8);
        else
            qToLittleEndian<quint32>(value, e + 8);
    }
    return data;
}

// A run-length coded BMP: a few bytes claim the size.
QByteArray claimingBmp(qint32 width, qint32 height)
{
    QByteArray data(14 + 40 + 4 + 2, '\0');
    auto* h = reinterpret_cast<uchar*>(data.data());
    h[0] = 'B';
    h[1] = 'M';
    qToLittleEndian<quint32>(quint32(data.size()), h + 2);
    qToLittleEndian<quint32>(14 + 40 + 4, h + 10);
    qToLittleEndian<quint32>(40, h + 14);
    qToLittleEndian<qint32>(width, h + 18);
    qToLittleEndian<qint32>(height, h + 22);
    qToLittleEndian<quint16>(1, h + 26);
    qToLittleEndian<quint16>(8, h + 28);
    qToLittleEndian<quint32>(1, h + 30); // RLE8
    qToLittleEndian<quint32>(1, h + 46); // one colour
    h[14 + 40 + 4 + 1] = 1;              // the end of the picture
    return data;
}

TEST_F(ReadSafely, PictureBombsAreRefusedFromTheirHeader)
{
    struct Case
    {
        const char* name;
        QByteArray bytes;
        const char* reason;
    };
    for (const Case& c :
         {Case{"bomb.png", claimingPng(20000, 20000, 1200 * 1024),
               "picture too large: 20000 x 20000 pixels need 1525 MB"},
          Case{"bomb.tif", claimingTiff(20000, 20000),
               "picture too large: 20000 x 20000 pixels need 1525 MB"},
          Case{"bomb.bmp", claimingBmp(12000, 12500), "bytes cannot hold 12000 x 12500 pixels"}}) {
        QFile file(path(QStringLiteral("bombs/") + QLatin1String(c.name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.bytes);
        file.close();
        const CliResult r = runCli({QStringLiteral("read"), path("sheet.exm"), file.fileName(),
                                    QStringLiteral("--jobs"), QStringLiteral("4")});
        EXPECT_EQ(r.exitCode, 2) << c.name;
        EXPECT_TRUE(r.out.contains(c.reason)) << c.name << r.out.toStdString();
    }
}

TEST_F(ReadSafely, CommasInLabelsStayInTheirField)
{
    auto document = handLaidSheet();
    // The exam number's first option, filled in every column, reads ",".
    for (int i = 0; i < document->ActivePage()->ShapeCount(); ++i)
        if (auto* box = dynamic_cast<TRectKg*>(document->ActivePage()->ShapeItem(i));
            box && box->TextType == RSExamCode)
            box->FormatText = QStringLiteral(",123456789");
    ASSERT_TRUE(document->SaveToFile(0, path("comma.exm")));
    std::mt19937 rng(3);
    QImage sheet = printedPage(*document, 0, 150);
    const double s = 150 / 96.0;
    for (int column = 0; column < 6; ++column)
        pencilFill(sheet, QRectF((120 + 25 * column) * s, 120 * s, 18 * s, 10 * s), 0.9, false,
                   rng);
    ASSERT_TRUE(scanned(sheet, {1, {}, 1, true, 6, 80}, rng).save(path("comma/a,b.jpg")));
    const CliResult r = runCli({QStringLiteral("read"), path("comma.exm"), path("comma"),
                                QStringLiteral("--csv"), path("comma.csv")});
    ASSERT_NE(r.exitCode, 2) << r.err.toStdString();
    QFile csv(path("comma.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QList<QByteArray> rows = csv.readAll().trimmed().split('\n');
    ASSERT_EQ(rows.size(), 2);
    EXPECT_TRUE(rows[1].contains("a,b.jpg\",")) << rows[1].toStdString();
    EXPECT_TRUE(rows[1].contains(",A,1,\",,,,,,\",")) << rows[1].toStdString();
}

TEST_F(ReadSafely, DoubleDashEndsTheOptions)
{
    QFile::copy(path("scans/a.jpg"), path("--json"));
    QProcess p;
    p.setWorkingDirectory(dir.path());
    p.start(QStringLiteral(SW_CLI_PATH), {QStringLiteral("read"), QStringLiteral("--"),
                                          path("sheet.exm"), QStringLiteral("--json")});
    p.waitForFinished(120000);
    EXPECT_EQ(p.exitCode(), 1) << p.readAllStandardError().toStdString();
    EXPECT_TRUE(p.readAllStandardOutput().startsWith("--json: ok"));
}

} // namespace
} // namespace sw::test
