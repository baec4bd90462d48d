#include "painting/pdffile.h"
#include "reports/candidatesheet.h"
#include "reports/pdfpages.h"
#include "reports/sampleexam.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

namespace sw::test {
namespace {

constexpr int RenderDotsPerInch = 144;
constexpr QSize PictureSize(800, 1100);

// Question q's cells on a white page picture: a row of four, 40 by 24 pixels.
QRectF cellRect(int question, int option)
{
    return QRectF(100 + option * 60, 200 + question * 100, 40, 24);
}

// The sample exam, each scored candidate with one page picture and the cells
// of every question on it.
ReportData examWithPictures()
{
    ReportData data = sampleExam();
    QImage picture(PictureSize, QImage::Format_Grayscale8);
    picture.fill(255);
    for (ReportCandidate& candidate : data.candidates) {
        if (candidate.status != CandidateStatus::Ok)
            continue;
        candidate.pictures = {picture};
        for (int q = 0; q < 4; ++q) {
            for (int o = 0; o < 4; ++o)
                candidate.answers[std::size_t(q)].cells.push_back(
                    {0, cellRect(q, o), QChar(char16_t(u'A' + o))});
        }
    }
    return data;
}

enum class Seen
{
    Green,
    Red,
    Grey,
    White,
};

Seen colourAt(const QImage& page, QPointF points)
{
    const double scale = RenderDotsPerInch / 72.0;
    const QRgb c = page.pixel(int(points.x() * scale), int(points.y() * scale));
    const int r = qRed(c), g = qGreen(c), b = qBlue(c);
    if (r > 235 && g > 235 && b > 235)
        return Seen::White;
    if (g > 100 && r < 90 && b < 90)
        return Seen::Green;
    if (r > 150 && g < 90 && b < 90)
        return Seen::Red;
    if (std::abs(r - g) < 20 && std::abs(g - b) < 20 && r > 90 && r < 235)
        return Seen::Grey;
    ADD_FAILURE() << "unexpected colour " << r << "," << g << "," << b;
    return Seen::White;
}

QString sheetPath(const QTemporaryDir& folder, const QString& examNumber)
{
    return folder.filePath(examNumber + QStringLiteral("-考生") + examNumber +
                           QStringLiteral(".pdf"));
}

TEST(CandidateSheet, OutlinesSitOnTheCells)
{
    QTemporaryDir folder;
    const ReportData data = examWithPictures();
    QString error;
    ASSERT_TRUE(writeCandidateSheets(data, folder.path(), {}, nullptr, &error))
        << error.toStdString();
    // E1: A, B, C right and A wrong in Q4; E2 left Q3 blank; E5 marked B in Q1.
    struct Case
    {
        const char* examNumber;
        int question;
        int option;
        Seen outline;
    };
    const Case cases[] = {
        {"E1", 0, 0, Seen::Green}, {"E1", 0, 1, Seen::White}, {"E1", 1, 1, Seen::Green},
        {"E1", 3, 0, Seen::Red},   {"E1", 3, 3, Seen::White}, {"E2", 2, 0, Seen::Grey},
        {"E2", 2, 3, Seen::Grey},  {"E5", 0, 1, Seen::Red},   {"E5", 0, 0, Seen::White},
    };
    const QRectF placement = candidatePicturePlacement(PictureSize);
    const double scale = placement.width() / PictureSize.width();
    std::map<QString, std::vector<QImage>> rendered;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.examNumber << " Q" << c.question + 1 << " option " << c.option);
        const QString examNumber = QString::fromLatin1(c.examNumber);
        if (!rendered.count(examNumber))
            rendered[examNumber] = renderPdfPages(sheetPath(folder, examNumber), RenderDotsPerInch);
        const std::vector<QImage>& pages = rendered[examNumber];
        ASSERT_EQ(pages.size(), 2u); // the picture and the answer list
        const QRectF cell = cellRect(c.question, c.option);
        const QRectF onPage(placement.topLeft() + cell.topLeft() * scale, cell.size() * scale);
        EXPECT_EQ(colourAt(pages[0], QPointF(onPage.center().x(), onPage.top())), c.outline);
        EXPECT_EQ(colourAt(pages[0], QPointF(onPage.left(), onPage.center().y())), c.outline);
        EXPECT_EQ(colourAt(pages[0], onPage.center()), Seen::White);
    }
}

TEST(CandidateSheet, TheSheetGivesPointsKeyAndTotal)
{
    QTemporaryDir folder;
    QStringList written;
    QString error;
    ASSERT_TRUE(writeCandidateSheets(examWithPictures(), folder.path(), {}, &written, &error))
        << error.toStdString();
    // Every candidate but the missing one, the absent and reviewed ones without pictures.
    EXPECT_EQ(written.size(), 7);
    EXPECT_FALSE(QFile::exists(sheetPath(folder, QStringLiteral("E7"))));
    const QString text = pdfText(sheetPath(folder, QStringLiteral("E1")));
    EXPECT_TRUE(text.contains(QStringLiteral("答案 D"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("总分 4"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("2分"))) << text.toStdString();
    EXPECT_EQ(int(renderPdfPages(sheetPath(folder, QStringLiteral("E6")), 30).size()), 1);
}

TEST(CandidateSheet, FileNamesAreSafeAndUnique)
{
    ReportData data = sampleExam();
    data.candidates.resize(3);
    data.candidates[0].examNumber = QStringLiteral("../01");
    data.candidates[0].name = QStringLiteral("王 小/明");
    data.candidates[1].examNumber = QStringLiteral("02");
    data.candidates[1].name = QStringLiteral("李*");
    data.candidates[2].examNumber = QStringLiteral("02");
    data.candidates[2].name = QStringLiteral("李?");
    QTemporaryDir folder;
    QStringList written;
    QString error;
    ASSERT_TRUE(
        writeCandidateSheets(data, folder.filePath(QStringLiteral("sheets")), {}, &written, &error))
        << error.toStdString();
    QStringList names;
    for (const QString& path : written)
        names.append(QFileInfo(path).fileName());
    EXPECT_EQ(names, QStringList({QStringLiteral("_01-王_小_明.pdf"), QStringLiteral("02-李_.pdf"),
                                  QStringLiteral("02-李_-2.pdf")}));
    for (const QString& path : written)
        EXPECT_TRUE(QFileInfo(path).absolutePath().endsWith(QStringLiteral("/sheets")));
}

TEST(CandidateSheet, NeitherAnInputNorALinkIsWrittenOver)
{
    QTemporaryDir folder;
    const QString input = sheetPath(folder, QStringLiteral("E1"));
    {
        QFile file(input);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("scan");
    }
    QString error;
    EXPECT_FALSE(writeCandidateSheets(sampleExam(), folder.path(), {input}, nullptr, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("input"))) << error.toStdString();
    EXPECT_EQ(readFile(input), QByteArray("scan"));

    QTemporaryDir outside;
    QDir(folder.path()).mkdir(QStringLiteral("sheets"));
    const QString planted = folder.filePath(QStringLiteral("sheets/E1-考生E1.pdf"));
    ASSERT_TRUE(QFile::link(outside.filePath(QStringLiteral("taken.pdf")), planted));
    EXPECT_FALSE(writeCandidateSheets(sampleExam(), folder.filePath(QStringLiteral("sheets")), {},
                                      nullptr, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("symbolic link"))) << error.toStdString();
    EXPECT_FALSE(QFile::exists(outside.filePath(QStringLiteral("taken.pdf"))));
}

} // namespace
} // namespace sw::test
