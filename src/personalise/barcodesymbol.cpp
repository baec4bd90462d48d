#include "personalise/barcodesymbol.h"

#include <zint.h>

#include <memory>

namespace sw {

namespace {

// Light margins the symbologies require, in modules.
constexpr int Code128QuietZone = 10;
constexpr int QrQuietZone = 4;

struct SymbolDeleter
{
    void operator()(zint_symbol* symbol) const { ZBarcode_Delete(symbol); }
};

} // namespace

QString barcodeText(Symbology kind, const QString& examNumber, const QString& name)
{
    return kind == Symbology::Qr ? examNumber + QLatin1Char('\n') + name : examNumber;
}

std::optional<BarcodeSymbol> encodeBarcode(Symbology kind, const QString& text, QString* error)
{
    const std::unique_ptr<zint_symbol, SymbolDeleter> symbol(ZBarcode_Create());
    if (!symbol) {
        if (error)
            *error = QStringLiteral("not enough memory for the barcode");
        return std::nullopt;
    }
    symbol->symbology = kind == Symbology::Qr ? BARCODE_QRCODE : BARCODE_CODE128;
    symbol->input_mode = UNICODE_MODE;
    symbol->show_hrt = 0;
    // The raster at half scale has one pixel a module: the module grid, read
    // back from the encoder's own picture.
    symbol->scale = 0.5f;
    const QByteArray utf8 = text.toUtf8();
    const int status = ZBarcode_Encode_and_Buffer(
        symbol.get(), reinterpret_cast<const unsigned char*>(utf8.constData()), int(utf8.size()),
        0);
    if (status >= ZINT_ERROR || !symbol->bitmap) {
        if (error)
            *error = QString::fromUtf8(symbol->errtxt);
        return std::nullopt;
    }
    BarcodeSymbol result;
    result.Kind = kind;
    result.Columns = symbol->bitmap_width;
    result.QuietZone = kind == Symbology::Qr ? QrQuietZone : Code128QuietZone;
    // Bars run the whole height: one row of the raster is the symbol.
    const int firstRow = kind == Symbology::Qr ? 0 : symbol->bitmap_height / 2;
    const int rows = kind == Symbology::Qr ? symbol->bitmap_height : 1;
    result.Rows = rows;
    result.Dark.reserve(std::size_t(rows) * result.Columns);
    for (int y = firstRow; y < firstRow + rows; ++y) {
        const unsigned char* row = symbol->bitmap + std::size_t(y) * symbol->bitmap_width * 3;
        for (int x = 0; x < result.Columns; ++x)
            result.Dark.push_back(row[3 * x] < 128);
    }
    return result;
}

QString symbologyName(Symbology kind)
{
    return kind == Symbology::Qr ? QStringLiteral("qr") : QStringLiteral("code128");
}

std::optional<Symbology> symbologyByName(const QString& name)
{
    for (const Symbology kind : {Symbology::Code128, Symbology::Qr})
        if (name == symbologyName(kind))
            return kind;
    return std::nullopt;
}

} // namespace sw
