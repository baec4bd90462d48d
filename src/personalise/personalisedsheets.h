#pragma once

#include "personalise/barcodesymbol.h"

#include <QString>

class QIODevice;

namespace sw {

class TVectorGraphics;
struct Roster;

// Printer resolution the sheets are laid out for unless told otherwise.
constexpr int DefaultPersonaliseDotsPerInch = 600;

struct PersonaliseOptions
{
    Symbology Kind = Symbology::Code128;
    bool FillExamNumber = true;
    // Bars and bubbles fall on whole dots of a printer of this resolution.
    int DotsPerInch = DefaultPersonaliseDotsPerInch;
};

// Whether every candidate's sheet can be printed: each exam number fits the
// exam-number block (and has a bubble for every digit when it is filled) and
// its barcode fits every barcode area. The reason, naming the roster line,
// in *error when not.
bool checkPersonalisation(TVectorGraphics& document, const Roster& roster,
                          const PersonaliseOptions& options, QString* error);

// Writes one copy of every page of the template per candidate, in roster
// order, as a vector PDF whose pages keep their paper sizes: the barcode
// areas hold the candidate's barcode, the exam-number block the number, text
// boxes the candidate's values. The active shape is deselected first, as for
// printing. Call checkPersonalisation first.
bool writePersonalisedPdf(TVectorGraphics& document, const Roster& roster,
                          const PersonaliseOptions& options, QIODevice& device, QString* error);

// checkPersonalisation, then writePersonalisedPdf to the file `path` (see
// saveOutputFile): nothing is written when either fails.
bool savePersonalisedPdf(TVectorGraphics& document, const Roster& roster,
                         const PersonaliseOptions& options, const QString& path, QString* error);

} // namespace sw
