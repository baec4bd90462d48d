#pragma once

#include <QString>
#include <optional>
#include <vector>

namespace sw {

enum class Symbology
{
    Code128,
    Qr,
};

// The modules of an encoded barcode. A linear symbol has one row whose dark
// modules are bars running the symbol's whole height.
struct BarcodeSymbol
{
    Symbology Kind = Symbology::Code128;
    int Columns = 0;
    int Rows = 0;
    int QuietZone = 0;      // light modules required on every side (left and right for bars)
    std::vector<bool> Dark; // row by row

    bool isLinear() const { return Kind == Symbology::Code128; }
    bool isDark(int column, int row) const { return Dark[std::size_t(row) * Columns + column]; }
};

// The text a candidate's barcode holds: the exam number, and for a QR code
// the exam number and the name on two lines.
QString barcodeText(Symbology kind, const QString& examNumber, const QString& name);

// Encodes `text` (UTF-8 for QR codes). Nothing, with the encoder's reason in
// *error, when the symbology cannot hold it.
std::optional<BarcodeSymbol> encodeBarcode(Symbology kind, const QString& text, QString* error);

// The name the command line and messages use: "code128" or "qr".
QString symbologyName(Symbology kind);
std::optional<Symbology> symbologyByName(const QString& name);

} // namespace sw
