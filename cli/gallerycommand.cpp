// gallery: one page with every kind of shape, drawn as the designer shows it.

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/documentio.h"
#include "document/painting.h"
#include "platform/qpaintercanvas.h"
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

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTextStream>

namespace sw::cli {

namespace {

template <class Shape, class... Extra>
Shape& place(TVectorGraph& page, int left, int top, int right, int bottom, Extra... extra)
{
    auto shape =
        std::make_unique<Shape>(TPoint{left, top}, TPoint{right, bottom}, 1.0, 1.0, extra...);
    Shape& ref = *shape;
    page.AddShape(std::move(shape));
    return ref;
}

TFont font(const char* name, int height, TColor color = clBlack)
{
    TFont f;
    f.Name = QString::fromUtf8(name);
    f.Height = height;
    f.Color = color;
    return f;
}

// One bubble box of each direction and label mode, and a code-mode mark.
void addBubbleBoxes(TVectorGraph& page)
{
    const TShowType modes[] = {SInner, SOuter, SDeny};
    const TAspect aspects[] = {ADown, ARight, AUp, ALeft};
    for (int a = 0; a < 4; ++a) {
        for (int m = 0; m < 3; ++m) {
            const int x = 30 + m * 170;
            const int y = 30 + a * 110;
            auto& kg = place<TRectKg>(page, x, y, x + 150, y + 90);
            kg.FormatText = QStringLiteral("ABCD");
            kg.Aspect = aspects[a];
            kg.ShowType = modes[m];
            kg.TextType = RSResult;
            kg.ShowNumber = true;
            kg.Gridwidth = 18;
            kg.GridHeight = 10;
            kg.RowSpace = 6;
            kg.ColSpace = 6;
            const bool alongRows = aspects[a] == ADown || aspects[a] == AUp;
            kg.col = alongRows ? 3 : 4;
            kg.Row = alongRows ? 4 : 3;
            kg.Font = font("新宋体", -10);
            kg.NumberFont = font("Arial", -12);
        }
    }
    auto& mark = place<TRectKg>(page, 540, 30, 700, 50);
    mark.FormatText = QStringLiteral("1248");
    mark.KeyText = QStringLiteral("14");
    mark.Spread = true;
    mark.Aspect = ARight;
    mark.ShowType = SDeny;
    mark.TextType = RSPageNumber;
    mark.Gridwidth = 11;
    mark.GridHeight = 15;
    mark.ColSpace = 8;
    mark.Row = 1;
    mark.col = 4;
    mark.Brush.Color = clBlack;
}

void addFurniture(TVectorGraph& page, const QFileInfo& picture)
{
    auto& zg = place<TRectZg>(page, 540, 80, 760, 200);
    zg.Question = 13;
    zg.Number = 2;
    zg.Pen.Color = clRed;
    zg.Brush.Style = bsClear; // as the panel sets it, so the frame leaves the label visible

    auto& text = place<TRectText>(page, 30, 480, 300, 540);
    text.Lines = {QStringLiteral("考生须知"), QStringLiteral("Answer sheet 答题纸")};
    text.Font = font("宋体", -16);

    auto& list = place<TLinelist>(page, 320, 480, 760, 560);
    list.Lines = {QStringLiteral("姓名\\\\1|班级\\\\1"), QStringLiteral("准考证号\\\\2")};
    list.Row = 2;

    auto& grid = place<TRectGrid>(page, 30, 560, 300, 660);
    grid.Gridwidth = 20;
    grid.GridHeight = 20;
    grid.RowSpace = 4;
    grid.col = 10;
    grid.Row = 4;

    place<TRoundRect>(page, 320, 580, 440, 660, 20);
    place<TEllipse>(page, 460, 580, 580, 660);
    const TAspect aspects[] = {ADown, ARight, AUp, ALeft};
    for (int i = 0; i < 4; ++i)
        place<TTriangle>(page, 600 + (i % 2) * 80, 580 + (i / 2) * 45, 660 + (i % 2) * 80,
                         620 + (i / 2) * 45)
            .Aspect = aspects[i];

    // Named without its folder, as a template names a picture stored beside it.
    auto& image = place<TRImage>(page, 30, 690, 190, 790);
    image.PicturePath = picture.fileName();
    image.SetPictureFolder(picture.absolutePath());
    place<TRImage>(page, 210, 690, 370, 790).PicturePath = QStringLiteral("C:\\scans\\missing.jpg");
    place<TRectbarcode>(page, 390, 690, 600, 790);
    place<TMHSB>(page, 620, 720, 760, 790).Number = 1;

    place<TPosRect>(page, 30, 820, 60, 840);
    auto& frame = place<TPosRect>(page, 80, 820, 110, 840);
    frame.Brush.Style = bsClear;
    place<TLine>(page, 140, 830, 300, 870);
    place<THLine>(page, 320, 830, 500, 830);
    place<TVLine>(page, 520, 810, 520, 880);
    place<TRectangle>(page, 560, 810, 760, 880).Select();
}

// A small picture for the picture shape.
bool writeSamplePicture(const QString& path)
{
    QImage image(160, 100, QImage::Format_RGB32);
    image.fill(QColor(230, 240, 255));
    QPainter p(&image);
    p.setPen(QPen(Qt::darkBlue, 3));
    p.drawEllipse(20, 10, 120, 80);
    p.end();
    return image.save(path);
}

} // namespace

int runGallery(const QStringList& args)
{
    Arguments a(args, {}, {QStringLiteral("-o"), QStringLiteral("--template")});
    a.expectPositional(0, 0);
    const auto out = a.value(QStringLiteral("-o"));
    if (!out)
        throw UsageError{QStringLiteral("缺少 -o OUT.png")};

    const auto templatePath = a.value(QStringLiteral("--template"));

    // A template keeps its picture beside it; the drawing alone needs it only for a while.
    QTemporaryDir scratch;
    const QFileInfo picture = templatePath
                                  ? QFileInfo(QFileInfo(*templatePath).absolutePath(),
                                              QFileInfo(*templatePath).completeBaseName() +
                                                  QStringLiteral("-picture.png"))
                                  : QFileInfo(scratch.filePath(QStringLiteral("sample.png")));
    if (!writeSamplePicture(picture.absoluteFilePath())) {
        printError(QStringLiteral("不能创建文件 %1").arg(picture.absoluteFilePath()));
        return ExitFileError;
    }
    auto document = newDocument();
    auto owned = std::make_unique<TVectorGraph>();
    TVectorGraph* page = owned.get();
    page->PaperType = QLatin1Char('A');
    addBubbleBoxes(*page);
    addFurniture(*page, picture);
    document->AddPage(std::move(owned));
    if (templatePath && !saveTemplate(*document, *templatePath))
        return ExitFileError;

    QImage image(800, 900, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainterCanvas canvas(image, screenPpi());
        Paint(*page, canvas, OutputScreen);
    }
    QSaveFile file(*out);
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) {
        printError(QStringLiteral("不能创建文件 %1").arg(*out));
        return ExitFileError;
    }
    QTextStream(stdout) << QDir(*out).absolutePath() << '\n';
    return ExitOk;
}

} // namespace sw::cli
