#include "platform/fontconversion.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <gtest/gtest.h>
#include <limits>

namespace sw::test {
namespace {

struct SubstitutionCase
{
    const char* family;
    QStringList expected; // any of these, when installed
};

void PrintTo(const SubstitutionCase& c, std::ostream* os)
{
    *os << c.family;
}

class FontSubstitution : public ::testing::TestWithParam<SubstitutionCase>
{
};

TEST_P(FontSubstitution, TemplateFamilyResolvesToAnInstalledFont)
{
    const QStringList installed = QFontDatabase::families();
    QStringList available;
    for (const QString& family : GetParam().expected) {
        if (installed.contains(family, Qt::CaseInsensitive))
            available << family;
    }
    if (available.isEmpty())
        GTEST_SKIP() << "none of the substitute fonts is installed";
    TFont font;
    font.Name = QString::fromUtf8(GetParam().family);
    const QString resolved = QFontInfo(toQFont(font)).family();
    EXPECT_TRUE(available.contains(resolved, Qt::CaseInsensitive)) << resolved.toStdString();
}

const QStringList song = {QStringLiteral("AR PL UMing CN"), QStringLiteral("Noto Serif CJK SC")};

INSTANTIATE_TEST_SUITE_P(
    Families, FontSubstitution,
    ::testing::Values(SubstitutionCase{"宋体", song}, SubstitutionCase{"新宋体", song},
                      SubstitutionCase{"SimSun", song}, SubstitutionCase{"NSimSun", song},
                      SubstitutionCase{"Arial", {QStringLiteral("Liberation Sans")}},
                      SubstitutionCase{"MS Sans Serif", {QStringLiteral("DejaVu Sans")}}));

TEST(FontConversion, StylesAndSizes)
{
    TFont font;
    font.Name = QStringLiteral("Arial");
    font.Height = -17;
    font.Style = fontStyleBit(fsBold) | fontStyleBit(fsItalic) | fontStyleBit(fsUnderline) |
                 fontStyleBit(fsStrikeOut);
    const QFont q = toQFont(font);
    EXPECT_EQ(q.pixelSize(), 17);
    EXPECT_TRUE(q.bold());
    EXPECT_TRUE(q.italic());
    EXPECT_TRUE(q.underline());
    EXPECT_TRUE(q.strikeOut());
    // Absurd heights from damaged templates stay bounded.
    font.Height = std::numeric_limits<int>::min();
    EXPECT_LE(toQFont(font).pixelSize(), 10000);
    font.Height = 2000000000;
    EXPECT_LE(toQFont(font).pixelSize(), 10000);
}

} // namespace
} // namespace sw::test
