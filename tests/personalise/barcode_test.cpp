#include "personalise/barcodeplacement.h"
#include "personalise/barcodesymbol.h"
#include "platform/qpaintercanvas.h"
#include "reading/affinemap.h"
#include "reading/barcodereading.h"

#include <gtest/gtest.h>

namespace sw::test {
namespace {

BarcodeSymbol encoded(Symbology kind, const QString& text)
{
    QString error;
    const auto symbol = encodeBarcode(kind, text, &error);
    EXPECT_TRUE(symbol) << error.toStdString();
    return symbol.value_or(BarcodeSymbol{});
}

// The area drawn with its barcode on white paper, one pixel a dot.
QImage printed(const BarcodeSymbol& symbol, const BarcodePlacement& placement, QSize paper)
{
    QImage sheet(paper, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainterCanvas canvas(sheet, 96);
    drawBarcode(canvas, symbol, placement);
    canvas.end();
    return sheet;
}

TEST(Barcode, EncodesTheModulesOfEachSymbology)
{
    const BarcodeSymbol bars = encoded(Symbology::Code128, QStringLiteral("20260001"));
    EXPECT_TRUE(bars.isLinear());
    EXPECT_EQ(bars.Rows, 1);
    // Code 128 starts with a bar two modules wide and ends with one of two.
    ASSERT_GT(bars.Columns, 20);
    EXPECT_TRUE(bars.isDark(0, 0) && bars.isDark(1, 0) && !bars.isDark(2, 0));
    EXPECT_TRUE(bars.isDark(bars.Columns - 1, 0) && bars.isDark(bars.Columns - 2, 0));

    const BarcodeSymbol qr = encoded(
        Symbology::Qr, barcodeText(Symbology::Qr, QStringLiteral("1"), QStringLiteral("张三")));
    EXPECT_FALSE(qr.isLinear());
    EXPECT_EQ(qr.Columns, qr.Rows);
    EXPECT_EQ((qr.Columns - 17) % 4, 0); // a QR version's size
    EXPECT_TRUE(qr.isDark(0, 0) && qr.isDark(6, 6) && !qr.isDark(7, 7));

    QString error;
    EXPECT_FALSE(encodeBarcode(Symbology::Code128, QString(200, QLatin1Char('9')), &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(Barcode, ModulesAreWholeDotsAtThePrinterResolution)
{
    const BarcodeSymbol symbol = encoded(Symbology::Code128, QStringLiteral("20260001"));
    const struct
    {
        int dpi;
        int step;
    } cases[] = {{300, 1}, {600, 2}, {1200, 4}, {200, 1}};
    for (const auto& c : cases) {
        EXPECT_EQ(moduleStep(c.dpi), c.step);
        // A 60 x 25 mm area.
        const TRect area{100, 100, 100 + c.dpi * 60 * 10 / 254, 100 + c.dpi * 25 * 10 / 254};
        const auto placement = placeBarcode(symbol, area, c.dpi, nullptr);
        ASSERT_TRUE(placement) << c.dpi;
        EXPECT_EQ(placement->ModuleDots % c.step, 0);
        EXPECT_GE(placement->ModuleDots * 25.4 / c.dpi, MinLinearModuleMm);
        // The symbol and its quiet zone inside the area.
        EXPECT_GE(placement->Left - symbol.QuietZone * placement->ModuleDots, area.Left);
        EXPECT_LE(placement->Left + (symbol.Columns + symbol.QuietZone) * placement->ModuleDots,
                  area.Right);
        EXPECT_GE(placement->BarHeight * 25.4 / c.dpi, MinBarHeightMm);
    }
}

TEST(Barcode, DrawsOnlyWholeDotsThatDecode)
{
    for (const Symbology kind : {Symbology::Code128, Symbology::Qr}) {
        const QString text = barcodeText(kind, QStringLiteral("20260017"), QStringLiteral("李雷"));
        const BarcodeSymbol symbol = encoded(kind, text);
        const TRect area{40, 30, 40 + 700, 30 + 300};
        const auto placement = placeBarcode(symbol, area, 300, nullptr);
        ASSERT_TRUE(placement);
        const QImage sheet = printed(symbol, *placement, {800, 400});
        // No bar edge between two dots: every dot is black or white.
        for (int y = 0; y < sheet.height(); ++y)
            for (int x = 0; x < sheet.width(); ++x) {
                const int grey = qGray(sheet.pixel(x, y));
                ASSERT_TRUE(grey == 0 || grey == 255) << x << "," << y;
            }
        EXPECT_EQ(readBarcode(sheet, AffineMap{}, area), QStringLiteral("20260017"));
    }
}

TEST(Barcode, TooSmallAreaSaysWhatItNeeds)
{
    const BarcodeSymbol symbol = encoded(Symbology::Code128, QStringLiteral("2026000100"));
    BarcodeNeed need;
    // 20 x 20 mm at 600 dpi: too narrow for the bars and their quiet zone.
    EXPECT_FALSE(placeBarcode(symbol, {0, 0, 472, 472}, 600, &need));
    const double modules = symbol.Columns + 2 * symbol.QuietZone;
    EXPECT_GE(need.WidthMm, modules * MinLinearModuleMm);
    EXPECT_LT(need.WidthMm, modules * (MinLinearModuleMm + 2 * 25.4 / 600) + 1);
    EXPECT_GE(need.HeightMm, MinBarHeightMm);
    // Wide enough but too low for bars worth printing.
    EXPECT_FALSE(placeBarcode(symbol, {0, 0, 2400, 80}, 600, &need));
    EXPECT_TRUE(placeBarcode(symbol, {0, 0, 2400, 400}, 600, &need));

    const BarcodeSymbol qr = encoded(Symbology::Qr, QStringLiteral("2026000100\nname"));
    EXPECT_FALSE(placeBarcode(qr, {0, 0, 2400, 200}, 600, &need));
    EXPECT_NEAR(need.HeightMm, need.WidthMm, 0.01); // square modules
}

} // namespace
} // namespace sw::test
