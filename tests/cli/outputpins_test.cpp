// Pins what the gallery page and a wizard sheet turn into: the template's
// bytes, the drawing trace and the exported pixels. Restructuring the code
// must leave every one of them as it is. When a change to the output is
// intended, the failure message prints the new digest to paste here.
#include "cli/clirunner.h"

#include <QCryptographicHash>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace sw::test {
namespace {

QByteArray digest(const QByteArray& bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex().left(16);
}

QByteArray fileDigest(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? digest(file.readAll()) : QByteArray("unreadable");
}

// Digest of the pixels alone, so a change in how the file is encoded does not count.
QByteArray pixelDigest(const QString& path)
{
    const QImage image = QImage(path).convertToFormat(QImage::Format_ARGB32);
    if (image.isNull())
        return "unreadable";
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (int y = 0; y < image.height(); ++y)
        hash.addData(QByteArrayView(image.constScanLine(y), image.width() * 4));
    return hash.result().toHex().left(16);
}

class OutputPins : public ::testing::Test
{
protected:
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    QByteArray run(const QStringList& args)
    {
        const CliResult r = runCli(args);
        EXPECT_EQ(r.exitCode, 0) << args.join(' ').toStdString() << ": " << r.err.toStdString();
        return r.out;
    }

    QTemporaryDir dir;
};

TEST_F(OutputPins, GalleryAndWizardSheetStayByteAndPixelIdentical)
{
    run({"gallery", "-o", path("gallery.png"), "--template", path("gallery.exm")});
    run({"wizard", "-o", path("wizard.exm")});
    // The first page of each, at the screen's and at a printer's resolution.
    const auto exported = [&](const char* name, const char* dpi) {
        const QString out = path(name) + QStringLiteral("-%1.png").arg(QString::fromLatin1(dpi));
        run({"export", path(name) + QStringLiteral(".exm"), "-o", out, "--dpi",
             QString::fromLatin1(dpi)});
        return pixelDigest(out);
    };
    // The encoders' own bytes, colour and grey.
    const auto exportedFile = [&](const char* name, const char* suffix) {
        const QString out = path(name) + QString::fromLatin1(suffix);
        run({"export", path(name) + QStringLiteral(".exm"), "-o", out, "--dpi", "150"});
        return fileDigest(out);
    };

    struct Pin
    {
        const char* what;
        QByteArray actual;
        const char* expected;
    };
    const Pin pins[] = {
        {"gallery screen drawing", pixelDigest(path("gallery.png")), "bdd57386d90f8c81"},
        {"gallery template", fileDigest(path("gallery.exm")), "c74dd5b918f6395e"},
        {"gallery trace", digest(run({"trace", path("gallery.exm")})), "fc1738cd6465b4f8"},
        {"gallery printed trace", digest(run({"trace", path("gallery.exm"), "--mode", "1"})),
         "753035dea03db336"},
        {"gallery export at 96 dpi", exported("gallery", "96"), "caebe38a2476d4d7"},
        {"gallery export at 150 dpi", exported("gallery", "150"), "43a05c406cb50c7a"},
        {"wizard template", fileDigest(path("wizard.exm")), "c81ee135c87a4f5a"},
        {"wizard trace", digest(run({"trace", path("wizard.exm")})), "80d53c5e577420cd"},
        {"wizard printed trace", digest(run({"trace", path("wizard.exm"), "--mode", "1"})),
         "b267732a7c01f737"},
        {"wizard export at 96 dpi", exported("wizard", "96"), "9ccf0a3dc414b7c6"},
        {"wizard export at 150 dpi", exported("wizard", "150"), "c6b3681b9fc019e0"},
        {"gallery JPEG", exportedFile("gallery", ".jpg"), "8cc5efb747a99c67"},
        {"gallery BMP", exportedFile("gallery", ".bmp"), "26fb1bb7ab77943e"},
        {"wizard JPEG", exportedFile("wizard", ".jpg"), "7f0c5a41a73790ce"},
    };
    for (const Pin& pin : pins)
        EXPECT_EQ(pin.actual.toStdString(), pin.expected) << pin.what;
}

} // namespace
} // namespace sw::test
