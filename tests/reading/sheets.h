#pragma once

#include "document/vectorgraphics.h"

#include <memory>

namespace sw::test {

// A standard sheet from the wizard (two pages, exam number in bubbles) on
// the wizard's paper size choice.
std::unique_ptr<TVectorGraphics> wizardSheet(int wizardPaperSize);

// The wizard's sheet with exam-number bubbles on the wizard's paper size
// choice, made for personalised copies: its first page has a barcode area left
// of the title and a text box "{name} {exam_number} {room}" right of it.
std::unique_ptr<TVectorGraphics> personalisableSheet(int wizardPaperSize);

// One A4 page laid by hand in mode 0 with an answer box in every direction,
// an exam-number box, absent and cheating marks, an optional-question
// choice, a two-digit score box and the optional cut box they belong to.
std::unique_ptr<TVectorGraphics> handLaidSheet();

} // namespace sw::test
