#include "benchsupport.h"

#include "document/analysis/darkmask.h"
#include "document/analysis/rotation.h"
#include "document/export.h"
#include "platform/recordingcanvas.h"
#include "shapes/ellipse.h"
#include "shapes/line.h"
#include "shapes/linelist.h"
#include "shapes/mhsb.h"
#include "shapes/posrect.h"
#include "shapes/rectbarcode.h"
#include "shapes/rectgrid.h"
#include "shapes/rectkg.h"
#include "shapes/recttext.h"
#include "shapes/rectzg.h"
#include "shapes/rimage.h"
#include "shapes/roundrect.h"
#include "shapes/triangle.h"
#include "wizard/settings.h"
#include "wizard/sheetgenerator.h"
#include "wizard/wizardhost.h"

#include <QBuffer>
#include <QDir>
#include <QLinearGradient>
#include <QPainter>
#include <QTemporaryDir>
#include <functional>
#include <random>
#include <vector>

namespace sw::bench {

namespace {

constexpr double DegreesPerRadian = 57.29578;

TFont songti(int height)
{
    TFont font;
    font.Name = QStringLiteral("宋体");
    font.Height = height;
    return font;
}

// Where a shape goes and how large it is, layout pixels.
struct Spot
{
    TPoint from;
    TPoint to;
    int serial; // counts the shapes of one class, from 0
};

using ShapeMaker = std::function<std::unique_ptr<TGraphics>(const Spot&, const QString&)>;

template <class Shape> std::unique_ptr<Shape> box(const Spot& s)
{
    return std::make_unique<Shape>(s.from, s.to, 1.0, 1.0);
}

// One maker per shape class, in the order of the shape kinds.
const std::vector<ShapeMaker>& shapeMakers()
{
    static const std::vector<ShapeMaker> makers{
        [](const Spot& s, const QString&) {
            return std::make_unique<TLine>(s.from, s.to, 1.0, 1.0);
        },
        [](const Spot& s, const QString&) { return box<TRectangle>(s); },
        [](const Spot& s, const QString&) {
            return std::make_unique<TRoundRect>(s.from, s.to, 1.0, 1.0, 12);
        },
        [](const Spot& s, const QString&) {
            auto text = box<TRectText>(s);
            text->SetFont(songti(-14));
            text->SetText(QStringLiteral("第%1题\r\n答题区 ABC").arg(s.serial + 1));
            return text;
        },
        [](const Spot& s, const QString&) { return box<TEllipse>(s); },
        [](const Spot& s, const QString&) {
            auto grid = box<TRectGrid>(s);
            grid->Gridwidth = 12;
            grid->GridHeight = 8;
            grid->Row = 3;
            grid->col = 4;
            return grid;
        },
        [](const Spot& s, const QString&) {
            auto bubbles = box<TRectKg>(s);
            bubbles->TextType = RSResult;
            bubbles->FormatText = QStringLiteral("ABCD");
            bubbles->Aspect = ADown;
            bubbles->col = 5;
            bubbles->Row = 4;
            bubbles->Gridwidth = 10;
            bubbles->GridHeight = 6;
            bubbles->ColSpace = 4;
            bubbles->RowSpace = 3;
            bubbles->ShowNumber = true;
            bubbles->SetFont(songti(-8));
            bubbles->SetNumberFont(songti(-9));
            return bubbles;
        },
        [](const Spot& s, const QString&) {
            auto triangle = box<TTriangle>(s);
            triangle->Aspect = TAspect(s.serial % 4);
            return triangle;
        },
        [](const Spot& s, const QString&) {
            auto cut = box<TRectZg>(s);
            cut->Question = s.serial + 1;
            return cut;
        },
        [](const Spot& s, const QString&) { return box<TPosRect>(s); },
        [](const Spot& s, const QString&) { return box<TRectbarcode>(s); },
        [](const Spot& s, const QString& pictureFolder) {
            auto picture = box<TRImage>(s);
            picture->PicturePath = DensePictureName;
            picture->SetPictureFolder(pictureFolder);
            return picture;
        },
        [](const Spot& s, const QString&) {
            return std::make_unique<THLine>(s.from, TPoint{s.to.X, s.from.Y}, 1.0, 1.0);
        },
        [](const Spot& s, const QString&) {
            return std::make_unique<TVLine>(s.from, TPoint{s.from.X, s.to.Y}, 1.0, 1.0);
        },
        [](const Spot& s, const QString&) {
            auto fuzzy = box<TMHSB>(s);
            fuzzy->Number = s.serial % 3 + 1;
            return fuzzy;
        },
        [](const Spot& s, const QString&) {
            auto lines = std::make_unique<TLinelist>(s.from, s.to, 1.0, 1.0, ScreenPpi);
            lines->SetFont(songti(-12));
            lines->SetText(QStringLiteral("姓名\t\t1|班级\t\t1\r\n考号\t\t2\r\n"));
            lines->Row = 2;
            return lines;
        },
    };
    return makers;
}

} // namespace

bool writeDensePicture(const QString& folder, QString* error)
{
    QImage picture(160, 120, QImage::Format_RGB32);
    QPainter painter(&picture);
    QLinearGradient gradient(0, 0, 160, 120);
    gradient.setColorAt(0, Qt::darkBlue);
    gradient.setColorAt(1, Qt::yellow);
    painter.fillRect(picture.rect(), gradient);
    painter.setPen(QPen(Qt::black, 6));
    painter.drawEllipse(QRect(30, 20, 100, 80));
    painter.end();
    const QString file = QDir(folder).filePath(DensePictureName);
    if (picture.save(file))
        return true;
    if (error)
        *error = QStringLiteral("Cannot write %1").arg(file);
    return false;
}

std::unique_ptr<TVectorGraphics> denseDocument(int count, const QString& pictureFolder)
{
    auto document = std::make_unique<TVectorGraphics>(ScreenPpi);
    TVectorGraph& page = *document->NewPage(-1, -1);
    const int margin = document->toPixels(page.LeftMargin);
    const int right = document->toPixels(page.Width) - margin;
    const int bottom = document->toPixels(page.Height) - margin;

    std::mt19937 random(20240611);
    auto between = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const auto& makers = shapeMakers();
    const int kinds = int(makers.size());
    for (int i = 0; i < count; ++i) {
        const int width = between(20, 120);
        const int height = between(12, 80);
        const TPoint from{between(margin, right - width), between(margin, bottom - height)};
        const Spot spot{from, {from.X + width, from.Y + height}, i / kinds};
        page.AddShape(makers[std::size_t(i % kinds)](spot, pictureFolder));
    }
    document->RenumberPages();
    document->LayoutMarks();
    // The marks' layout points pictures at the template's folder; this
    // document has no file yet.
    for (const auto& shape : page.Shapes()) {
        if (auto* picture = dynamic_cast<TRImage*>(shape.get()))
            picture->SetPictureFolder(pictureFolder);
    }
    return document;
}

std::unique_ptr<TVectorGraphics> answerSheet(int pages, QString* error, bool a3)
{
    WizardSettings settings;
    settings.pagecount = pages;
    settings.pagesize = a3 ? WizardA3 : WizardA4;
    settings.pagetype = WizardTwoColumns;
    settings.examcodetype = WizardBubbles;
    settings.examcodeleng = 12;
    settings.kgcount = 60;
    settings.groupnumber = 5;

    auto document = std::make_unique<TVectorGraphics>(ScreenPpi);
    RecordingCanvas metrics(ScreenPpi);
    NullWizardHost host;
    QStringList failures;
    const auto report = [&failures](const WizardStepFailure& f) {
        failures << QStringLiteral("step %1: %2").arg(f.code, f.reason);
    };
    if (!generateAnswerSheet(*document, settings, metrics, host, report, error))
        return nullptr;
    if (!failures.isEmpty()) {
        if (error)
            *error = failures.join(QStringLiteral("; "));
        return nullptr;
    }
    document->CurrentPage = 0;
    return document;
}

std::unique_ptr<TVectorGraphics> twentyPageDocument(QString* error)
{
    constexpr int PagesPerType = 4;
    constexpr int PaperTypes = 5;
    auto document = answerSheet(PagesPerType, error);
    if (!document)
        return nullptr;
    for (int type = 1; type < PaperTypes; ++type) {
        document->NewPage(0, -1);
        for (int p = 1; p < PagesPerType; ++p)
            document->NewPage(p, document->PageCount() - 1);
    }
    document->RenumberPages();
    document->LayoutMarks();
    document->CurrentPage = 0;
    return document;
}

bool writeManyPageTemplate(int pages, const QString& file, QString* error)
{
    auto document = answerSheet(4, error);
    if (!document)
        return false;
    QBuffer records;
    records.open(QIODevice::WriteOnly);
    if (!document->SaveToStream(SaveAllShapes, records, error))
        return false;
    const std::vector<TPaper> sheetPages = document->Papers;
    const std::vector<TGPS> sheetShapes = document->GPList;
    document->Papers.clear();
    document->GPList.clear();
    for (int page = 0; page < pages; ++page) {
        const int source = page % int(sheetPages.size());
        document->Papers.push_back(sheetPages[std::size_t(source)]);
        for (const TGPS& shape : sheetShapes) {
            if (shape.VGIndex != source)
                continue;
            TGPS& copy = document->GPList.emplace_back(shape);
            copy.VGIndex = page;
            // Each copy of the sheet asks its own subjective questions, so
            // the checks before saving pass.
            const int offset = page / int(sheetPages.size()) * 1000;
            if (copy.GType == GZg)
                copy.Question += offset;
            else if (copy.GType == GKg && (copy.TextType == RSZGF || copy.TextType == RSXZT))
                copy.GLZG += offset;
        }
    }
    return document->SaveToFile(SaveRecordsAsTheyAre, file, error);
}

QImage renderPage(TVectorGraphics& document, double dpi, QString* error)
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("page.png"));
    if (!folder.isValid() || !ExportImage(document, file, dpi, error))
        return {};
    QImage page(file);
    if (page.isNull() && error)
        *error = QStringLiteral("Cannot read back %1").arg(file);
    return page;
}

QImage turnPicture(const QImage& picture, double degrees)
{
    return RotatePicture(picture, picture.size(), -degrees / DegreesPerRadian);
}

QRect scanRegion(const QSize& scan)
{
    return QRect(0, 0, scan.width(), scan.height() / 2);
}

QImage binarizedRegion(const QImage& scan, const QRect& region, int threshold)
{
    QImage part = scan.copy(region);
    Binarize(part, threshold);
    return part;
}

} // namespace sw::bench
