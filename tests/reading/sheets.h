#pragma once

#include "document/vectorgraphics.h"

#include <memory>

namespace sw::test {

// A standard sheet from the wizard (two pages, exam number in bubbles) on
// the wizard's paper size choice.
std::unique_ptr<TVectorGraphics> wizardSheet(int wizardPaperSize);

// One A4 page laid by hand in mode 0 with an answer box in every direction,
// an exam-number box, an absent mark and a cut box.
std::unique_ptr<TVectorGraphics> handLaidSheet();

} // namespace sw::test
