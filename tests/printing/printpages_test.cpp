#include "document/painting.h"
#include "document/printing.h"
#include "document/vectorgraph.h"
#include "document/vectorgraphics.h"
#include "painting/fakeprinter.h"
#include "painting/pagebuilder.h"

#include <gtest/gtest.h>
#include <vector>

namespace sw::test {
namespace {

// A document of three pages, each with a text naming it, the second on A3.
class PrintPagesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        document->NewPage(0, -1);
        document->NewPage(0, -1);
        document->RenumberPages();
        document->LayoutMarks();
        for (int i = 0; i < document->PageCount(); ++i)
            addText(*document->PageAt(i), {100, 100, 400, 130}, marker(i));
        document->PageAt(1)->PageSize = A3;
    }

    static QString marker(int index) { return QStringLiteral("第%1页内容").arg(index + 1); }

    // The pages whose text the job drew, in the order drawn.
    std::vector<int> pagesDrawn() const
    {
        std::vector<int> drawn;
        for (const QString& line : printer.canvas->lines()) {
            for (int i = 0; i < document->PageCount(); ++i) {
                if (line.contains(marker(i)))
                    drawn.push_back(i);
            }
        }
        return drawn;
    }

    std::unique_ptr<TVectorGraphics> document = newDocument();
    FakePrinter printer;
};

TEST_F(PrintPagesTest, PrintsTheGivenPagesInOrderAsOneJob)
{
    const struct
    {
        std::vector<int> pages;
    } cases[] = {{{0, 1, 2}}, {{1}}, {{1, 2}}, {{2, 0}}};
    for (const auto& c : cases) {
        QString message;
        ASSERT_TRUE(PrintPages(*document, printer, c.pages, QStringLiteral("exam.exm"), &message))
            << message.toStdString();
        EXPECT_EQ(pagesDrawn(), c.pages);
        EXPECT_EQ(printer.pages, int(c.pages.size()));
        EXPECT_EQ(printer.title, QStringLiteral("exam.exm"));
        ASSERT_EQ(printer.sheetPapers.size(), c.pages.size());
        for (std::size_t i = 0; i < c.pages.size(); ++i) {
            const QPageSize::PageSizeId expected = c.pages[i] == 1 ? QPageSize::A3 : QPageSize::A4;
            EXPECT_EQ(printer.sheetPapers[i].id(), expected) << "sheet " << i;
        }
        for (int i = 0; i < document->PageCount(); ++i)
            EXPECT_DOUBLE_EQ(document->PageAt(i)->ScaleX, 1.0);
    }
    EXPECT_EQ(printer.jobs, 4);
}

TEST_F(PrintPagesTest, PagesOutsideTheDocumentPrintNothing)
{
    for (const std::vector<int>& pages : {std::vector<int>{}, {3}, {0, -1}}) {
        QString message;
        EXPECT_FALSE(PrintPages(*document, printer, pages, QStringLiteral("exam.exm"), &message));
        EXPECT_FALSE(message.isEmpty());
    }
    EXPECT_EQ(printer.jobs, 0);
}

TEST_F(PrintPagesTest, CurrentPageKeepsItsPageTitle)
{
    document->CurrentPage = 2;
    ASSERT_TRUE(PrintCurrentPage(*document, printer));
    EXPECT_EQ(pagesDrawn(), std::vector<int>{2});
    EXPECT_EQ(printer.title, outputTitle(*document->PageAt(2)));
}

} // namespace
} // namespace sw::test
