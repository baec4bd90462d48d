#pragma once

#include "document/vectorgraphics.h"

#include <QImage>
#include <QString>
#include <map>
#include <memory>
#include <random>

namespace sw::test {

// The hand-laid sheet of the reading tests with its second answer box (five
// options, right of each question) made multiple choice: single and multiple
// choice, an exam number, absence and cheating marks, an optional question
// with its choice box and a two-digit score box.
std::unique_ptr<TVectorGraphics> examSheet();

// What a candidate fills in on one page.
struct Filling
{
    QString examNumber;             // one digit per exam-number column; empty: left blank
    std::map<int, QString> answers; // question -> options filled
    bool absent = false;
    bool cheating = false;
    bool optionalChosen = false; // the first option of every optional-choice box
    QString score;               // digits written into the score box; empty: left blank
};

// The page filled in with pencil and scanned at 150 dpi, slightly turned.
QImage filledScan(TVectorGraphics& document, int pageIndex, const Filling& filling,
                  std::mt19937& rng);

// Every objective question of the page with its options, by number.
std::map<int, QString> pageQuestions(const TVectorGraphics& document, int pageIndex);

} // namespace sw::test
