// sheetwright-bench-tool: makes the inputs of the comparison scripts and
// times our side of them in-process.

#include "benchsupport.h"

#include "document/analysis/blobs.h"
#include "document/analysis/darkmask.h"
#include "platform/fonts.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QTextStream>
#include <algorithm>
#include <functional>
#include <vector>

using namespace sw;
using namespace sw::bench;

namespace {

constexpr int ExitOk = 0;
constexpr int ExitFailed = 1;
constexpr int ExitUsage = 64;

const char* const Usage =
    "Usage: sheetwright-bench-tool COMMAND ...\n"
    "  dense OUT.exm [--shapes N]     one A4 page of N mixed shapes (default 1000);\n"
    "                                 writes the picture it shows beside OUT.exm\n"
    "  sheet OUT.exm [--pages N] [--paper A3|A4] [--modal M]\n"
    "                                 an answer sheet from the wizard (1 to 4 pages,\n"
    "                                 A4 by default) in sheet mode M (default 0)\n"
    "  pages OUT.exm --pages N        the four-page answer sheet copied to N pages\n"
    "  skewscan PAGE.png OUT.jpg [--angle DEG] [--colour 0|1]\n"
    "                                 turns the page by DEG degrees (default 0.5) and\n"
    "                                 writes it as a grey (default) or colour JPEG\n"
    "  scan PAGE.png OUT.png [--angle DEG] [--threshold T]\n"
    "                                 turns the page by DEG degrees (default 0.5),\n"
    "                                 binarizes its upper half (default threshold 200)\n"
    "                                 and writes that region as a black-and-white PNG\n"
    "  blobs REGION.png [--repeat N] [--minimum M]\n"
    "                                 times FindBlobs on the black pixels N times\n"
    "  rotate PAGE.png OUT.png [--angle DEG] [--repeat N]\n"
    "                                 times RotatePicture in-process and PNG-to-PNG\n";

struct UsageError
{
    QString message;
};

// A command that could not do its work.
struct Failure
{
    QString message;
};

// Positional arguments and "--name value" options of one command.
class Arguments
{
public:
    Arguments(QStringList args, int positionals, const QStringList& options)
    {
        while (!args.isEmpty()) {
            const QString arg = args.takeFirst();
            if (!arg.startsWith(QLatin1String("--"))) {
                m_positional << arg;
                continue;
            }
            if (!options.contains(arg))
                throw UsageError{QStringLiteral("unknown option %1").arg(arg)};
            if (args.isEmpty())
                throw UsageError{QStringLiteral("%1 needs a value").arg(arg)};
            m_options.insert(arg, args.takeFirst());
        }
        if (m_positional.size() != positionals)
            throw UsageError{QStringLiteral("expected %1 file arguments").arg(positionals)};
    }

    QString positional(int i) const { return m_positional.at(i); }

    QString text(const QString& name, const QString& fallback) const
    {
        return m_options.value(name, fallback);
    }

    int integer(const QString& name, int fallback, int low, int high) const
    {
        if (!m_options.contains(name))
            return fallback;
        bool ok = false;
        const int v = m_options.value(name).toInt(&ok);
        if (!ok || v < low || v > high)
            throw UsageError{QStringLiteral("%1 takes a whole number from %2 to %3")
                                 .arg(name)
                                 .arg(low)
                                 .arg(high)};
        return v;
    }

    double real(const QString& name, double fallback, double low, double high) const
    {
        if (!m_options.contains(name))
            return fallback;
        bool ok = false;
        const double v = m_options.value(name).toDouble(&ok);
        if (!ok || v < low || v > high)
            throw UsageError{
                QStringLiteral("%1 takes a number from %2 to %3").arg(name).arg(low).arg(high)};
        return v;
    }

private:
    QStringList m_positional;
    QHash<QString, QString> m_options;
};

QTextStream& out()
{
    static QTextStream stream(stdout);
    return stream;
}

int fail(const QString& message)
{
    QTextStream(stderr) << message << "\n";
    return ExitFailed;
}

// Milliseconds of `runs` calls of `work`: median and fastest.
struct Timing
{
    double medianMs = 0;
    double minMs = 0;
};

Timing timeRuns(int runs, const std::function<void()>& work)
{
    std::vector<double> ms;
    QElapsedTimer timer;
    for (int i = 0; i < runs; ++i) {
        timer.start();
        work();
        ms.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    const std::size_t n = ms.size();
    const double median = n % 2 ? ms[n / 2] : (ms[n / 2 - 1] + ms[n / 2]) / 2;
    return {median, ms.front()};
}

void printTiming(const char* what, int runs, const Timing& t, const QString& extra = {})
{
    out() << what << " runs=" << runs << " median_ms=" << QString::number(t.medianMs, 'f', 3)
          << " min_ms=" << QString::number(t.minMs, 'f', 3);
    if (!extra.isEmpty())
        out() << " " << extra;
    out() << Qt::endl;
}

QImage loadImage(const QString& file)
{
    QImage image(file);
    if (image.isNull())
        throw Failure{QStringLiteral("cannot read the picture %1").arg(file)};
    return image.convertToFormat(QImage::Format_RGB32);
}

int save(TVectorGraphics& document, const QString& file)
{
    QString error;
    if (!document.SaveToFile(SaveAllShapes, file, &error))
        return fail(QStringLiteral("%1: %2").arg(file, error));
    return ExitOk;
}

int runDense(const QStringList& args)
{
    const Arguments a(args, 1, {QStringLiteral("--shapes")});
    const int shapes = a.integer(QStringLiteral("--shapes"), DenseShapeCount, 0, 100000);
    const QString file = a.positional(0);
    const QString folder = QFileInfo(file).absolutePath();
    QString error;
    if (!writeDensePicture(folder, &error))
        return fail(error);
    auto document = denseDocument(shapes, folder);
    return save(*document, file);
}

int runSheet(const QStringList& args)
{
    const Arguments a(
        args, 1, {QStringLiteral("--pages"), QStringLiteral("--paper"), QStringLiteral("--modal")});
    const QString paper = a.text(QStringLiteral("--paper"), QStringLiteral("A4"));
    if (paper != QLatin1String("A4") && paper != QLatin1String("A3"))
        throw UsageError{QStringLiteral("--paper takes A3 or A4")};
    QString error;
    auto document = answerSheet(a.integer(QStringLiteral("--pages"), 1, 1, 4), &error,
                                paper == QLatin1String("A3"));
    if (!document)
        return fail(QStringLiteral("wizard: %1").arg(error));
    document->Modal = a.integer(QStringLiteral("--modal"), 0, 0, 4);
    return save(*document, a.positional(0));
}

int runPages(const QStringList& args)
{
    const Arguments a(args, 1, {QStringLiteral("--pages")});
    QString error;
    if (!writeManyPageTemplate(a.integer(QStringLiteral("--pages"), 4, 1, 100000), a.positional(0),
                               &error))
        return fail(QStringLiteral("%1: %2").arg(a.positional(0), error));
    return ExitOk;
}

int runSkewScan(const QStringList& args)
{
    const Arguments a(args, 2, {QStringLiteral("--angle"), QStringLiteral("--colour")});
    const double angle = a.real(QStringLiteral("--angle"), ScanSkewDegrees, -45, 45);
    const bool colour = a.integer(QStringLiteral("--colour"), 0, 0, 1) == 1;
    const QImage turned = turnPicture(loadImage(a.positional(0)), angle);
    const QImage scan = colour ? turned : turned.convertToFormat(QImage::Format_Grayscale8);
    if (!scan.save(a.positional(1), "jpg", 90))
        return fail(QStringLiteral("cannot write %1").arg(a.positional(1)));
    return ExitOk;
}

int runScan(const QStringList& args)
{
    const Arguments a(args, 2, {QStringLiteral("--angle"), QStringLiteral("--threshold")});
    const double angle = a.real(QStringLiteral("--angle"), ScanSkewDegrees, -45, 45);
    const int threshold = a.integer(QStringLiteral("--threshold"), ScanThreshold, 0, 255);
    const QImage turned = turnPicture(loadImage(a.positional(0)), angle);
    const QImage region = binarizedRegion(turned, scanRegion(turned.size()), threshold)
                              .convertToFormat(QImage::Format_Grayscale8);
    if (!region.save(a.positional(1)))
        return fail(QStringLiteral("cannot write %1").arg(a.positional(1)));
    return ExitOk;
}

int runBlobs(const QStringList& args)
{
    const Arguments a(args, 1, {QStringLiteral("--repeat"), QStringLiteral("--minimum")});
    const int runs = a.integer(QStringLiteral("--repeat"), 10, 1, 10000);
    const int minimum = a.integer(QStringLiteral("--minimum"), 1, 1, 1 << 30);
    const QImage image = loadImage(a.positional(0));
    const DarkMask mask = blackPixels(image);

    std::size_t blobs = 0;
    const Timing onMask = timeRuns(runs, [&] { blobs = FindBlobs(mask, minimum).size(); });
    printTiming("findblobs_mask", runs, onMask,
                QStringLiteral("blobs=%1 width=%2 height=%3 minimum=%4")
                    .arg(blobs)
                    .arg(image.width())
                    .arg(image.height())
                    .arg(minimum));
    const Timing onImage = timeRuns(runs, [&] { blobs = FindBlobs(image, minimum).size(); });
    printTiming("findblobs_image", runs, onImage, QStringLiteral("blobs=%1").arg(blobs));
    return ExitOk;
}

int runRotate(const QStringList& args)
{
    const Arguments a(args, 2, {QStringLiteral("--angle"), QStringLiteral("--repeat")});
    const double angle = a.real(QStringLiteral("--angle"), ScanSkewDegrees, -45, 45);
    const int runs = a.integer(QStringLiteral("--repeat"), 5, 1, 10000);
    const QString input = a.positional(0);
    const QString output = a.positional(1);
    const QImage page = loadImage(input);

    QImage turned;
    const Timing inProcess = timeRuns(runs, [&] { turned = turnPicture(page, angle); });
    printTiming("rotate_call", runs, inProcess,
                QStringLiteral("width=%1 height=%2").arg(turned.width()).arg(turned.height()));

    bool written = true;
    const Timing fileToFile = timeRuns(
        runs, [&] { written = turnPicture(loadImage(input), angle).save(output) && written; });
    if (!written)
        return fail(QStringLiteral("cannot write %1").arg(output));
    printTiming("rotate_png_to_png", runs, fileToFile);
    return ExitOk;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    registerFontSubstitutions();

    QStringList args = QGuiApplication::arguments().mid(1);
    if (args.isEmpty()) {
        QTextStream(stderr) << Usage;
        return ExitUsage;
    }
    const QString command = args.takeFirst();
    const QHash<QString, int (*)(const QStringList&)> commands{
        {QStringLiteral("dense"), runDense},       {QStringLiteral("sheet"), runSheet},
        {QStringLiteral("scan"), runScan},         {QStringLiteral("blobs"), runBlobs},
        {QStringLiteral("rotate"), runRotate},     {QStringLiteral("pages"), runPages},
        {QStringLiteral("skewscan"), runSkewScan},
    };
    const auto run = commands.value(command);
    if (!run) {
        QTextStream(stderr) << "unknown command " << command << "\n" << Usage;
        return ExitUsage;
    }
    try {
        return run(args);
    } catch (const UsageError& e) {
        QTextStream(stderr) << e.message << "\n" << Usage;
        return ExitUsage;
    } catch (const Failure& e) {
        return fail(e.message);
    }
}
