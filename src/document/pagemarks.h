#pragma once

#include <QChar>
#include <QString>

namespace sw {

// The KeyText that makes a mark with the given FormatText ("12", "21",
// "1248" or "8421") show value in binary: the weight of every cell to fill,
// "0" for an empty cell. Values the mark cannot show (beyond its cells, or a
// FormatText that is none of the four codes) give an empty KeyText, so such a
// mark shows no filled cell rather than the code of some other page.
QString MarkPattern(int value, const QString& formatText);

// Position of a paper-type letter in A..Z counted from 1; 0 for any other.
int PaperTypeNumber(QChar letter);

} // namespace sw
