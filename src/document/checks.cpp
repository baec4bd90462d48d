#include "document/vectorgraphics.h"

#include "shapes/rectkg.h"
#include "shapes/rectzg.h"

#include <QHash>
#include <QList>
#include <QPair>

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

// The shapes of class Shape, whose kind is `kind`: the kind is compared first,
// as a cast on every shape of a large document costs more than the checks.
template <typename Shape, typename Visit>
void forEachShape(const TVectorGraphics& document, TGraphicsType kind, Visit visit)
{
    for (int p = 0; p < document.PageCount(); ++p) {
        const TVectorGraph& page = *document.PageAt(p);
        for (int i = 0; i < page.ShapeCount(); ++i) {
            const TGraphics* shape = page.ShapeItem(i);
            if (shape->Kind != kind)
                continue;
            if (const auto* typed = dynamic_cast<const Shape*>(shape))
                visit(*typed, page.PaperType, ShapePlace{p, i});
        }
    }
}

// How often each key occurs among the shapes.
template <typename Key> QHash<Key, int> keyCounts(const QList<Checked<Key>>& shapes)
{
    QHash<Key, int> counts;
    for (const Checked<Key>& shape : shapes)
        ++counts[shape.key];
    return counts;
}

// The first parts of the cut boxes, optional ones only if asked.
QList<Checked<QuestionKey>> firstParts(const TVectorGraphics& document, bool optionalOnly)
{
    QList<Checked<QuestionKey>> parts;
    forEachShape<TRectZg>(document, GZg,
                          [&](const TRectZg& box, QChar paperType, ShapePlace place) {
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
    forEachShape<TRectKg>(document, GKg,
                          [&](const TRectKg& box, QChar paperType, ShapePlace place) {
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
    forEachShape<TRectZg>(*this, GZg, [&](const TRectZg& box, QChar paperType, ShapePlace place) {
        boxes.append({PartKey(QuestionKey(box.Question, paperType), box.Number), place});
    });
    const QHash<PartKey, int> counts = keyCounts(boxes);
    QList<ShapePlace> conflicts;
    for (const auto& box : boxes) {
        if (counts.value(box.key) > 1)
            conflicts << box.place;
    }
    return conflicts;
}

QList<ShapePlace> TVectorGraphics::ScoreBoxConflicts() const
{
    const QList<Checked<QuestionKey>> scores = linkedBoxes(*this, RSZGF);
    const QHash<QuestionKey, int> scoreCounts = keyCounts(scores);
    const QHash<QuestionKey, int> questions = keyCounts(firstParts(*this, false));
    QList<ShapePlace> conflicts;
    for (const auto& score : scores) {
        if (scoreCounts.value(score.key) > 1 || !questions.contains(score.key))
            conflicts << score.place;
    }
    return conflicts;
}

QList<ShapePlace> TVectorGraphics::OptionalBoxConflicts() const
{
    const QList<Checked<QuestionKey>> choices = linkedBoxes(*this, RSXZT);
    const QList<Checked<QuestionKey>> questions = firstParts(*this, true);
    const QHash<QuestionKey, int> choiceCounts = keyCounts(choices);
    const QHash<QuestionKey, int> questionCounts = keyCounts(questions);
    QList<ShapePlace> conflicts;
    for (const auto& choice : choices) {
        if (choice.key.first == 0 || choiceCounts.value(choice.key) > 1 ||
            !questionCounts.contains(choice.key))
            conflicts << choice.place;
    }
    for (const auto& question : questions) {
        if (questionCounts.value(question.key) > 1 || !choiceCounts.contains(question.key))
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
