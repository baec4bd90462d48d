// review-e2e-exam: writes what the keyboard run of the review window works
// on, for review_keyboard.sh.
//
// Usage: review-e2e-exam FOLDER
// Writes into FOLDER the exam sheet as sheet.exm, key.png (every question
// filled with its first option), roster.csv (three candidates) and
// scans/1.png … scans/3.png: candidate 1 with a double mark on the second
// single-choice question, candidate 2 with one on the first, candidate 3
// with an exam-number column left blank; everything else as the key. Prints
// what the run needs as shell assignments: the two questions, candidate 3's
// number and the number of objective questions.

#include "exam/examsheets.h"
#include "reading/sheetgeometry.h"

#include <QBuffer>
#include <QDir>
#include <QGuiApplication>
#include <QSaveFile>
#include <QTextStream>
#include <random>

using namespace sw;

namespace {

int fail(const QString& message)
{
    QTextStream(stderr) << message << '\n';
    return 1;
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

QString candidateNumber(int candidate, int columns)
{
    return QString::number(candidate).rightJustified(columns, QLatin1Char('0'));
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() != 1)
        return fail(QStringLiteral("usage: review-e2e-exam FOLDER"));
    const QDir folder(args[0]);
    if (!folder.mkpath(QStringLiteral("scans")))
        return fail(QStringLiteral("cannot make ") + folder.filePath(QStringLiteral("scans")));

    auto document = test::examSheet();
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    QString error;
    if (!document->SaveToStream(SaveAllShapes, bytes, &error))
        return fail(error);
    if (!writeFile(folder.filePath(QStringLiteral("sheet.exm")), bytes.data()))
        return fail(QStringLiteral("cannot write sheet.exm"));

    int columns = 0;
    std::vector<int> single;
    for (const BubbleBoxGeometry& box : pageGeometry(*document, 0).BubbleBoxes) {
        if (box.Purpose == RSExamCode)
            columns = int(box.Questions.size());
        if (box.Purpose == RSResult && box.Choice == Single)
            for (const QuestionGeometry& q : box.Questions)
                single.push_back(q.Number);
    }
    const std::map<int, QString> options = test::pageQuestions(*document, 0);
    if (columns < 2 || single.size() < 2)
        return fail(QStringLiteral("the exam sheet has too few exam-number columns or questions"));

    test::Filling key;
    for (const auto& [number, choices] : options)
        key.answers[number] = choices.left(1);
    std::mt19937 rng(27);
    if (!test::filledScan(*document, 0, key, rng).save(folder.filePath(QStringLiteral("key.png"))))
        return fail(QStringLiteral("cannot write key.png"));

    QByteArray roster = "exam_number,name\n";
    for (int c = 1; c <= 3; ++c) {
        const QString number = candidateNumber(c, columns);
        roster += QStringLiteral("%1,考生%2\n").arg(number).arg(c).toUtf8();
        test::Filling filling = key;
        filling.examNumber = number;
        if (c < 3) {
            const int doubled = single[std::size_t(2 - c)];
            filling.answers[doubled] = options.at(doubled).left(2);
        } else {
            filling.examNumber[1] = QLatin1Char(' ');
        }
        const QString path = folder.filePath(QStringLiteral("scans/%1.png").arg(c));
        if (!test::filledScan(*document, 0, filling, rng).save(path))
            return fail(QStringLiteral("cannot write ") + path);
    }
    if (!writeFile(folder.filePath(QStringLiteral("roster.csv")), roster))
        return fail(QStringLiteral("cannot write roster.csv"));

    QTextStream(stdout) << "first_double=" << single[0] << "\nsecond_double=" << single[1]
                        << "\nthird_number=" << candidateNumber(3, columns)
                        << "\nquestions=" << options.size() << '\n';
    return 0;
}
