#include "document/vectorgraphics.h"

#include "shapes/rectkg.h"
#include "shapes/rectzg.h"

#include <QList>
#include <QPair>
#include <algorithm>

namespace sw {

namespace {

// A subjective question of one paper type.
using QuestionKey = QPair<int, QChar>;

// The shapes of class Shape, whose kind is `kind`: the kind is compared first,
// as a cast on every shape of a large document costs more than the checks.
template <typename Shape, typename Visit>
void forEachShape(const TVectorGraphics& document, TGraphicsType kind, Visit visit)
{
    for (int p = 0; p < document.PageCount(); ++p) {
        const TVectorGraph& page = *document.PageAt(p);
        for (const auto& shape : page.Shapes()) {
            if (shape->Kind != kind)
                continue;
            if (const auto* typed = dynamic_cast<const Shape*>(shape.get()))
                visit(*typed, page.PaperType);
        }
    }
}

// Questions of the first parts of the cut boxes, optional ones only if asked.
QList<QuestionKey> firstParts(const TVectorGraphics& document, bool optionalOnly)
{
    QList<QuestionKey> keys;
    forEachShape<TRectZg>(document, GZg, [&](const TRectZg& box, QChar paperType) {
        if (box.Number == 1 && (!optionalOnly || box.XZT))
            keys << QuestionKey(box.Question, paperType);
    });
    return keys;
}

} // namespace

bool TVectorGraphics::CheckCutBoxNumbers() const
{
    QList<QPair<QuestionKey, int>> seen;
    bool passed = true;
    forEachShape<TRectZg>(*this, GZg, [&](const TRectZg& box, QChar paperType) {
        const QPair<QuestionKey, int> key(QuestionKey(box.Question, paperType), box.Number);
        if (seen.contains(key))
            passed = false;
        seen << key;
    });
    return passed;
}

bool TVectorGraphics::CheckScoreBoxes() const
{
    QList<QuestionKey> scores;
    bool passed = true;
    forEachShape<TRectKg>(*this, GKg, [&](const TRectKg& box, QChar paperType) {
        if (box.TextType != RSZGF)
            return;
        const QuestionKey key(box.GLZG, paperType);
        if (scores.contains(key))
            passed = false;
        scores << key;
    });
    if (!passed)
        return false;
    const QList<QuestionKey> questions = firstParts(*this, false);
    return std::all_of(scores.begin(), scores.end(),
                       [&](const QuestionKey& key) { return questions.contains(key); });
}

bool TVectorGraphics::CheckOptionalBoxes() const
{
    QList<QuestionKey> choices;
    bool passed = true;
    forEachShape<TRectKg>(*this, GKg, [&](const TRectKg& box, QChar paperType) {
        if (box.TextType != RSXZT)
            return;
        const QuestionKey key(box.GLZG, paperType);
        if (box.GLZG == 0 || choices.contains(key))
            passed = false;
        choices << key;
    });
    if (!passed)
        return false;
    const QList<QuestionKey> questions = firstParts(*this, true);
    const auto within = [](const QList<QuestionKey>& keys, const QList<QuestionKey>& other) {
        return std::all_of(keys.begin(), keys.end(),
                           [&](const QuestionKey& key) { return other.contains(key); });
    };
    return choices.size() == questions.size() && within(choices, questions) &&
           within(questions, choices);
}

QString TVectorGraphics::FirstFailedCheck() const
{
    if (!CheckCutBoxNumbers())
        return CutBoxNumbersMessage;
    if (!CheckScoreBoxes())
        return ScoreBoxesMessage;
    if (!CheckOptionalBoxes())
        return OptionalBoxesMessage;
    return {};
}

} // namespace sw
