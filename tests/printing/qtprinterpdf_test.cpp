#include "document/printing.h"
#include "document/vectorgraph.h"
#include "document/vectorgraphics.h"
#include "painting/pagebuilder.h"
#include "painting/pdffile.h"
#include "platform/widgets/qtprinter.h"

#include <QPrinter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace sw::test {
namespace {

// A QPrinter writing a PDF stands for a print system that takes another
// paper within a job, as CUPS does.
TEST(QtPrinterJob, EverySheetTakesThePaperOfItsPage)
{
    auto document = newDocument();
    document->NewPage(0, -1);
    document->RenumberPages();
    document->LayoutMarks();
    TVectorGraph& second = *document->PageAt(1);
    second.PageSize = A3;
    second.Orientation = poLandscape;

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("job.pdf"));
    QPrinter target(QPrinter::HighResolution);
    target.setOutputFormat(QPrinter::PdfFormat);
    target.setOutputFileName(file);
    QtPrinter printer(target);
    QString message;
    ASSERT_TRUE(PrintPages(*document, printer, {0, 1, 0}, QStringLiteral("job.exm"), &message))
        << message.toStdString();

    const std::vector<QSizeF> sizes = pdfPageSizes(file);
    ASSERT_EQ(sizes.size(), 3u);
    EXPECT_NEAR(sizes[0].width(), 210 * PointsPerMm, 1.5);
    EXPECT_NEAR(sizes[0].height(), 297 * PointsPerMm, 1.5);
    EXPECT_NEAR(sizes[1].width(), 420 * PointsPerMm, 1.5);
    EXPECT_NEAR(sizes[1].height(), 297 * PointsPerMm, 1.5);
    EXPECT_NEAR(sizes[2].width(), 210 * PointsPerMm, 1.5);
}

} // namespace
} // namespace sw::test
