#include "document/printing.h"
#include "document/vectorgraph.h"
#include "document/vectorgraphics.h"
#include "painting/pagebuilder.h"
#include "painting/pdffile.h"
#include "platform/widgets/qtprinter.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QThread>
#include <gtest/gtest.h>
#include <ostream>
#include <pwd.h>
#include <unistd.h>

namespace sw::test {
namespace {

// Where cups-pdf puts the PDFs of this user's jobs ("Out" in cups-pdf.conf).
QString cupsPdfFolder()
{
    const passwd* user = getpwuid(getuid());
    const QString home = user ? QString::fromLocal8Bit(user->pw_dir) : QDir::homePath();
    const QString name = user ? QString::fromLocal8Bit(user->pw_name) : QString();
    QString folder = QStringLiteral("/var/spool/cups-pdf/${USER}");
    QFile conf(QStringLiteral("/etc/cups/cups-pdf.conf"));
    if (conf.open(QIODevice::ReadOnly)) {
        const QRegularExpression out(QStringLiteral("^\\s*Out\\s+(\\S+)"),
                                     QRegularExpression::MultilineOption);
        const auto match = out.match(QString::fromLocal8Bit(conf.readAll()));
        if (match.hasMatch())
            folder = match.captured(1);
    }
    folder.replace(QStringLiteral("${HOME}"), home).replace(QStringLiteral("${USER}"), name);
    return folder;
}

// The queue's device URI, e.g. "cups-pdf:/", from lpstat.
QString deviceOf(const QString& queue)
{
    QProcess lpstat;
    lpstat.start(QStringLiteral("lpstat"), {QStringLiteral("-v"), queue});
    if (!lpstat.waitForFinished(10000))
        return {};
    const QString out = QString::fromLocal8Bit(lpstat.readAllStandardOutput());
    const int colon = out.indexOf(QLatin1String(": "));
    return colon < 0 ? QString() : out.mid(colon + 2).trimmed();
}

bool complete(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.readAll().trimmed().endsWith("%%EOF");
}

// The PDF of the job whose title holds "--<number>面": cups-pdf names it
// after the job title.
QString waitForJobPdf(const QString& folder, int number, int seconds)
{
    const QRegularExpression ours(QStringLiteral("--%1[^0-9].*\\.pdf$").arg(number));
    const QDateTime deadline = QDateTime::currentDateTime().addSecs(seconds);
    while (QDateTime::currentDateTime() < deadline) {
        const QStringList names = QDir(folder).entryList(QDir::Files);
        for (const QString& name : names) {
            const QString path = folder + QLatin1Char('/') + name;
            if (ours.match(name).hasMatch() && complete(path))
                return path;
        }
        QThread::msleep(200);
    }
    return {};
}

class CupsPdfPrinting : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
        if (printer.isNull())
            GTEST_SKIP() << "no default printer: cupsd is not running here or has no queue "
                            "(scripts/setup-printer.sh sets one up)";
        const QString device = deviceOf(printer.printerName());
        if (!device.startsWith(QLatin1String("cups-pdf:")))
            GTEST_SKIP() << "the default printer " << printer.printerName().toStdString()
                         << " is not a cups-pdf queue; not printing on it";
        m_folder = cupsPdfFolder();
    }

    QString m_folder;
};

struct PaperCase
{
    const char* name;
    TPageSize size;
    TPrinterOrientation orientation;
    double widthMm;
    double heightMm;
};

// Test names and failure messages show the case by its name.
void PrintTo(const PaperCase& c, std::ostream* os)
{
    *os << c.name;
}

class CupsPdfPaper : public CupsPdfPrinting, public ::testing::WithParamInterface<PaperCase>
{
};

TEST_P(CupsPdfPaper, PrintedPageArrivesAsPdfOfThePaperSize)
{
    const PaperCase& c = GetParam();
    auto document = test::newDocument();
    TVectorGraph& page = *document->ActivePage();
    test::addText(page, {100, 100, 400, 130}, QStringLiteral("考生须知"));
    page.PageSize = c.size;
    page.Orientation = c.orientation;
    page.Width = c.widthMm;
    page.Height = c.heightMm;
    // The number makes the job title, and so the PDF's name, unique.
    page.PageNumber = QRandomGenerator::global()->bounded(1000000, 9999999);

    QtPrinter printer;
    QString message;
    ASSERT_TRUE(PrintCurrentPage(*document, printer, &message)) << message.toStdString();
    EXPECT_DOUBLE_EQ(page.ScaleX, 1.0);

    const QString pdf = waitForJobPdf(m_folder, page.PageNumber, 60);
    ASSERT_FALSE(pdf.isEmpty()) << "no PDF arrived in " << m_folder.toStdString();
    const auto sizes = test::pdfPageSizes(pdf);
    ASSERT_EQ(sizes.size(), 1u);
    const QSizeF points = sizes.front();
    // cups-pdf writes landscape sheets upright and turns the content.
    const double shortSide = std::min(c.widthMm, c.heightMm) * test::PointsPerMm;
    const double longSide = std::max(c.widthMm, c.heightMm) * test::PointsPerMm;
    EXPECT_NEAR(std::min(points.width(), points.height()), shortSide, 1.5);
    EXPECT_NEAR(std::max(points.width(), points.height()), longSide, 1.5);
    QFile::remove(pdf);
}

INSTANTIATE_TEST_SUITE_P(Papers, CupsPdfPaper,
                         ::testing::Values(PaperCase{"A4", A4, poPortrait, 210, 297},
                                           PaperCase{"A3Landscape", A3, poLandscape, 420, 297},
                                           PaperCase{"Custom", Custom, poPortrait, 200, 300}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace sw::test
