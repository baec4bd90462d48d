// The wizard's sheets keep every byte of their template through opening and
// saving again, as `resave` and the designer do.
#include "document/templatestream.h"
#include "wizard_support.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace sw::test {
namespace {

QByteArray saved(TVectorGraphics& document)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QString error;
    EXPECT_TRUE(document.SaveToStream(SaveAllShapes, buffer, &error)) << error.toStdString();
    return buffer.data();
}

struct SheetCase
{
    const char* name;
    int pagesize;
    int pagetype;
    int examcodetype;
    int pagecount;
};

class WizardTemplateBytes : public ::testing::TestWithParam<SheetCase>
{
};

TEST_P(WizardTemplateBytes, StayTheSameThroughOpeningAndSaving)
{
    WizardSettings settings;
    settings.pagesize = GetParam().pagesize;
    settings.pagetype = GetParam().pagetype;
    settings.examcodetype = GetParam().examcodetype;
    settings.pagecount = GetParam().pagecount;
    const auto sheet = generate(settings);
    ASSERT_TRUE(sheet->generated) << sheet->error.toStdString();
    QByteArray bytes = saved(*sheet->document);
    ASSERT_GT(bytes.size(), 10000);

    // The records read back write the same stream.
    StoredDocument records;
    QString error;
    ASSERT_TRUE(readTemplate(bytes, records, ScreenDpi, &error)) << error.toStdString();
    EXPECT_EQ(writeTemplate(records), bytes);

    // Opened as the designer opens a file, prepared as `resave` prepares it.
    TVectorGraphics reopened(ScreenDpi);
    QBuffer file(&bytes);
    file.open(QIODevice::ReadOnly);
    ASSERT_TRUE(reopened.LoadFromStream(file, &error)) << error.toStdString();
    reopened.RenumberPages();
    reopened.LayoutMarks();
    EXPECT_EQ(saved(reopened), bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Sheets, WizardTemplateBytes,
    ::testing::Values(SheetCase{"A4", WizardA4, WizardTwoColumns, WizardBubbles, 1},
                      SheetCase{"B4TwoColumns", WizardB4, WizardTwoColumns, WizardBarcode, 2},
                      SheetCase{"B4ThreeColumns", WizardB4, WizardThreeColumns, WizardBubbles, 2},
                      SheetCase{"A3TwoColumns", WizardA3, WizardTwoColumns, WizardBubbles, 4},
                      SheetCase{"A3ThreeColumns", WizardA3, WizardThreeColumns, WizardBarcode, 3}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace sw::test
