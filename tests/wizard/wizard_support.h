#pragma once

#include "document/vectorgraphics.h"
#include "platform/recordingcanvas.h"
#include "platform/rounding.h"
#include "shapes/rectkg.h"
#include "shapes/recttext.h"
#include "shapes/rectzg.h"
#include "wizard/settings.h"
#include "wizard/sheetgenerator.h"
#include "wizard/wizardhost.h"

#include <QStringList>
#include <memory>
#include <vector>

namespace sw::test {

constexpr int ScreenDpi = 96;
// Shapes every new page starts with (positioning boxes, marks, a text box).
constexpr int ReservedShapes = 7;

// Remembers what the generation asked of the window.
class RecordingHost : public WizardHost
{
public:
    void scrollToOrigin() override { calls << QStringLiteral("scroll"); }
    void clearTabs() override { calls << QStringLiteral("clearTabs"); }
    void forgetFileName() override { calls << QStringLiteral("forgetFileName"); }
    void resetBackground() override { calls << QStringLiteral("background"); }
    void addTab() override { calls << QStringLiteral("addTab"); }
    void relabelTabs() override { calls << QStringLiteral("relabel"); }
    void selectTab(int index) override { calls << QStringLiteral("select %1").arg(index); }
    void resetHistory(const QString& caption) override
    {
        calls << QStringLiteral("history ") + caption;
    }
    void repaint() override { calls << QStringLiteral("repaint"); }

    QStringList calls;
};

// Widths and heights of texts as the generation measures them.
class Metrics
{
public:
    int tw(int points, const QString& text) { return set(points).TextWidth(text); }
    int th(int points, const QString& text) { return set(points).TextHeight(text); }

private:
    RecordingCanvas& set(int points)
    {
        TFont font;
        font.Name = QStringLiteral("宋体");
        font.setSize(points, ScreenDpi);
        m_canvas.setFont(font);
        return m_canvas;
    }
    RecordingCanvas m_canvas{ScreenDpi};
};

struct Sheet
{
    std::unique_ptr<TVectorGraphics> document = std::make_unique<TVectorGraphics>(ScreenDpi);
    RecordingHost host;
    std::vector<WizardStepFailure> failures;
    bool generated = false;
    QString error;

    QStringList failureCodes() const
    {
        QStringList codes;
        for (const WizardStepFailure& f : failures)
            codes << f.code;
        return codes;
    }
    TVectorGraph& page(int i) const { return *document->PageAt(i); }
};

inline std::unique_ptr<Sheet> generate(const WizardSettings& settings)
{
    auto sheet = std::make_unique<Sheet>();
    RecordingCanvas canvas(ScreenDpi);
    sheet->generated = generateAnswerSheet(
        *sheet->document, settings, canvas, sheet->host,
        [&s = *sheet](const WizardStepFailure& f) { s.failures.push_back(f); }, &sheet->error);
    return sheet;
}

// The generated shapes of a page of one class, in list order.
template <class Shape> std::vector<Shape*> shapesOf(const TVectorGraph& page)
{
    std::vector<Shape*> out;
    for (int i = ReservedShapes; i < page.ShapeCount(); ++i) {
        if (auto* s = dynamic_cast<Shape*>(page.ShapeItem(i)); s && typeid(*s) == typeid(Shape))
            out.push_back(s);
    }
    return out;
}

inline QString textOf(const TRectText& t)
{
    return t.Lines.join(QLatin1Char('\n'));
}

// The generated text boxes whose text is exactly `text`.
inline std::vector<TRectText*> textsNamed(const TVectorGraph& page, const QString& text)
{
    std::vector<TRectText*> out;
    for (TRectText* t : shapesOf<TRectText>(page)) {
        if (textOf(*t) == text)
            out.push_back(t);
    }
    return out;
}

inline TRect rect(TPoint a, TPoint b)
{
    return {a.X, a.Y, b.X, b.Y};
}

inline std::vector<TRectKg*> answerGroups(const TVectorGraph& page)
{
    std::vector<TRectKg*> out;
    for (TRectKg* k : shapesOf<TRectKg>(page)) {
        if (k->TextType == RSResult)
            out.push_back(k);
    }
    return out;
}

inline int rnd(double v)
{
    return roundHalfEven(v);
}

// The layout quantities recomputed from the settings and the measured text.
struct Quantities
{
    explicit Quantities(const WizardSettings& s)
    {
        const bool a4 = s.pagesize == WizardA4;
        columns = a4 ? 1 : (s.pagetype == WizardThreeColumns ? 3 : 2);
        const double width = a4 ? 210.0 : (s.pagesize == WizardB4 ? 354.0 : 420.0);
        height = a4 ? 297.0 : (s.pagesize == WizardB4 ? 250.0 : 297.0);
        L = rnd(8 * P + 22);
        Ti = rnd(8 * P);
        Wc = rnd((width * P - 2 * L - 10 * (columns - 1)) / columns);
        int widest = 0;
        for (const QString& line : s.attention)
            widest = std::max(widest, m.tw(8, line));
        example = m.tw(10, QStringLiteral("正 确 填 涂  ")) + 25;
        N = std::max(widest + 30, example + 30);
        E = s.examcodetype == WizardBarcode ? 250 : s.examcodeleng * 25 + 2;
        I = Wc - N - E - 10;
        bottom = rnd(height * P - Ti) - 30;
        wh = m.th(10, s.warning);
        ww = m.tw(10, s.warning);
        // Cursor below the title.
        int y = rnd(10 * P);
        titleBottom = y;
        for (const QString& line : s.title) {
            y += m.th(18, line) + 2;
            titleBottom = y + m.th(18, line) + 2;
        }
    }

    Metrics m;
    const double P = ScreenDpi / 25.4;
    int columns = 0;
    double height = 0;
    int L = 0, Ti = 0, Wc = 0, N = 0, E = 0, I = 0, example = 0;
    int bottom = 0; // Ybot
    int wh = 0, ww = 0;
    int titleBottom = 0;
};

} // namespace sw::test
