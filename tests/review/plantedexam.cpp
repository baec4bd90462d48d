#include "review/plantedexam.h"

#include "exam/examsheets.h"
#include "reading/sheetgeometry.h"
#include "reading/sheetreader.h"
#include "reading/simulatedscan.h"
#include "storage/database.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <random>

namespace sw::test {

namespace {

int examNumberColumns(const TVectorGraphics& document)
{
    for (const BubbleBoxGeometry& box : pageGeometry(document, 0).BubbleBoxes)
        if (box.Purpose == RSExamCode)
            return int(box.Questions.size());
    return 0;
}

const QuestionGeometry* question(const PageGeometry& page, int number)
{
    for (const BubbleBoxGeometry& box : page.BubbleBoxes)
        if (box.Purpose == RSResult)
            for (const QuestionGeometry& q : box.Questions)
                if (q.Number == number)
                    return &q;
    return nullptr;
}

// Shades ever more of the question's first option until the reader is in
// doubt about it.
bool plantUncertainMark(const SheetReader& reader, int number, QImage& scan)
{
    const SheetReading clean = reader.read(scan);
    const QuestionGeometry* q = question(reader.pages()[0], number);
    if (!clean.isRead() || !q)
        return false;
    const TRect& cell = q->Cells.front().Rect;
    const QRectF onScan = QRectF(clean.Map.map(QPointF(cell.Left, cell.Top)),
                                 clean.Map.map(QPointF(cell.Right, cell.Bottom)))
                              .normalized();
    const QImage blank = scan.convertToFormat(QImage::Format_RGB32);
    for (int percent = 1; percent <= 100; ++percent) {
        QImage marked = blank;
        QPainter painter(&marked);
        painter.setCompositionMode(QPainter::CompositionMode_Darken);
        painter.fillRect(
            QRectF(onScan.topLeft(), QSizeF(onScan.width() * percent / 100, onScan.height())),
            QColor(60, 60, 60));
        painter.end();
        for (const QuestionAnswer& a : reader.read(marked).Answers)
            if (a.Number == number && a.Uncertain) {
                scan = marked;
                return true;
            }
    }
    return false;
}

bool fail(QString* error, const QString& why)
{
    *error = why;
    return false;
}

} // namespace

QString candidateNumber(int candidate)
{
    const auto document = examSheet();
    return QString::number(candidate).rightJustified(examNumberColumns(*document),
                                                     QLatin1Char('0'));
}

bool plantExam(const QString& location, const QTemporaryDir& folder, PlantedExam& planted,
               QString* error)
{
    auto document = examSheet();
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    if (!document->SaveToStream(SaveAllShapes, bytes, error))
        return false;
    Database database;
    if (!database.open(location, error))
        return false;
    const auto exam = Exam::create(database, planted.name, bytes.data(), 96, error);
    if (!exam)
        return false;

    const std::map<int, QString> options = pageQuestions(exam->document(), 0);
    AnswerKey key;
    std::vector<int> single;
    for (const auto& [type, paper] : exam->layout().papers)
        for (const auto& [number, q] : paper.objective) {
            key.push_back({type, number, q.options.left(1), 1, 0});
            if (!q.multiple)
                single.push_back(number);
        }
    planted.questions = int(key.size());
    if (single.size() < 2)
        return fail(error, QStringLiteral("the sheet has too few single-choice questions"));
    planted.doubleQuestion = single[0];
    planted.uncertainQuestion = single[1];
    Roster roster;
    for (int c = 1; c <= 4; ++c)
        roster.entries.push_back({candidateNumber(c), QStringLiteral("考生%1").arg(c), {}});
    if (!exam->storeKey(key, nullptr, error) || !exam->storeRoster(roster, error))
        return false;

    const SheetReader reader(exam->document());
    std::mt19937 rng(27);
    for (int c = 1; c <= 4; ++c) {
        Filling filling;
        filling.examNumber = candidateNumber(c);
        for (const KeyEntry& e : key)
            filling.answers[e.question] = e.answer;
        if (c == 2)
            filling.answers[planted.doubleQuestion] = options.at(planted.doubleQuestion).left(2);
        if (c == 3)
            filling.answers.erase(planted.uncertainQuestion);
        if (c == 4) {
            planted.fourthNumber = filling.examNumber;
            filling.examNumber[1] = QLatin1Char(' ');
        }
        QImage scan = filledScan(exam->document(), 0, filling, rng);
        if (c == 3 && !plantUncertainMark(reader, planted.uncertainQuestion, scan))
            return fail(error, QStringLiteral("no grey makes an uncertain mark"));
        const QString path = folder.filePath(QStringLiteral("scan%1.png").arg(c));
        if (!scan.save(path))
            return fail(error, QStringLiteral("cannot write ") + path);
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return fail(error, file.errorString());
        const QString hash = scanHash(file.readAll());
        if (!exam->storeScan(hash, path, reader.read(scan), {}, nullptr, error))
            return false;
        ExamScan stored;
        if (!exam->findScan(hash, stored, error))
            return false;
        planted.scans[c - 1] = stored.id;
    }
    return true;
}

} // namespace sw::test
