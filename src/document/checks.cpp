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

// A shape the check looked at, with the key it checks it by.
template <typename Key> struct Checked
{
    Key key;
    ShapePlace place;
};

template <typename Shape, typename Visit>
void forEachShape(const TVectorGraphics& document, Visit visit)
{
    for (int p = 0; p < document.PageCount(); ++p) {
        const TVectorGraph& page = *document.PageAt(p);
        for (int i = 0; i < page.ShapeCount(); ++i) {
            if (const auto* typed = dynamic_cast<const Shape*>(page.ShapeItem(i)))
                visit(*typed, page.PaperType, ShapePlace{p, i});
        }
    }
}

template <typename Key> bool occursTwice(const QList<Checked<Key>>& shapes, const Key& key)
{
    return std::count_if(shapes.begin(), shapes.end(),
                         [&](const Checked<Key>& s) { return s.key == key; }) > 1;
}

template <typename Key> bool holds(const QList<Checked<Key>>& shapes, const Key& key)
{
    return std::any_of(shapes.begin(), shapes.end(),
                       [&](const Checked<Key>& s) { return s.key == key; });
}

// The first parts of the cut boxes, optional ones only if asked.
QList<Checked<QuestionKey>> firstParts(const TVectorGraphics& document, bool optionalOnly)
{
    QList<Checked<QuestionKey>> parts;
    forEachShape<TRectZg>(document, [&](const TRectZg& box, QChar paperType, ShapePlace place) {
        if (box.Number == 1 && (!optionalOnly || box.XZT))
            parts.append({QuestionKey(box.Question, paperType), place});
    });
    return parts;
}

// The question boxes of one kind (score or optional-choice boxes) with the
// question they belong to.
QList<Checked<QuestionKey>> linkedBoxes(const TVectorGraphics& document, TTextType kind)
{
    QList<Checked<QuestionKey>> boxes;
    forEachShape<TRectKg>(document, [&](const TRectKg& box, QChar paperType, ShapePlace place) {
        if (box.TextType == kind)
            boxes.append({QuestionKey(box.GLZG, paperType), place});
    });
    return boxes;
}

} // namespace

QList<ShapePlace> TVectorGraphics::CutBoxNumberConflicts() const
{
    using PartKey = QPair<QuestionKey, int>;
    QList<Checked<PartKey>> boxes;
    forEachShape<TRectZg>(*this, [&](const TRectZg& box, QChar paperType, ShapePlace place) {
        boxes.append({PartKey(QuestionKey(box.Question, paperType), box.Number), place});
    });
    QList<ShapePlace> conflicts;
    for (const auto& box : boxes) {
        if (occursTwice(boxes, box.key))
            conflicts << box.place;
    }
    return conflicts;
}

QList<ShapePlace> TVectorGraphics::ScoreBoxConflicts() const
{
    const QList<Checked<QuestionKey>> scores = linkedBoxes(*this, RSZGF);
    const QList<Checked<QuestionKey>> questions = firstParts(*this, false);
    QList<ShapePlace> conflicts;
    for (const auto& score : scores) {
        if (occursTwice(scores, score.key) || !holds(questions, score.key))
            conflicts << score.place;
    }
    return conflicts;
}

QList<ShapePlace> TVectorGraphics::OptionalBoxConflicts() const
{
    const QList<Checked<QuestionKey>> choices = linkedBoxes(*this, RSXZT);
    const QList<Checked<QuestionKey>> questions = firstParts(*this, true);
    QList<ShapePlace> conflicts;
    for (const auto& choice : choices) {
        if (choice.key.first == 0 || occursTwice(choices, choice.key) ||
            !holds(questions, choice.key))
            conflicts << choice.place;
    }
    for (const auto& question : questions) {
        if (occursTwice(questions, question.key) || !holds(choices, question.key))
            conflicts << question.place;
    }
    return conflicts;
}

bool TVectorGraphics::CheckCutBoxNumbers() const
{
    return CutBoxNumberConflicts().isEmpty();
}

bool TVectorGraphics::CheckScoreBoxes() const
{
    return ScoreBoxConflicts().isEmpty();
}

bool TVectorGraphics::CheckOptionalBoxes() const
{
    return OptionalBoxConflicts().isEmpty();
}

FailedCheck TVectorGraphics::FirstFailedCheckWithShapes() const
{
    if (QList<ShapePlace> shapes = CutBoxNumberConflicts(); !shapes.isEmpty())
        return {CutBoxNumbersMessage, shapes};
    if (QList<ShapePlace> shapes = ScoreBoxConflicts(); !shapes.isEmpty())
        return {ScoreBoxesMessage, shapes};
    if (QList<ShapePlace> shapes = OptionalBoxConflicts(); !shapes.isEmpty())
        return {OptionalBoxesMessage, shapes};
    return {};
}

QString TVectorGraphics::FirstFailedCheck() const
{
    return FirstFailedCheckWithShapes().Message;
}

} // namespace sw
