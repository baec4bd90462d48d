#include "document/rulers.h"
#include "pagebuilder.h"
#include "platform/qpaintercanvas.h"
#include "platform/recordingcanvas.h"
#include "platform/rounding.h"

#include <QImage>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace sw::test {
namespace {

constexpr int Thickness = 25;

// Tick pixels of a ruler: position along the ruler -> pixels across it.
std::map<int, std::set<int>> ticks(const RecordingCanvas& ruler, bool horizontal)
{
    std::map<int, std::set<int>> out;
    for (const CanvasCall& call : ruler.calls()) {
        if (call.name != QLatin1String("Pixel"))
            continue;
        EXPECT_EQ(call.args[2], int(clBlack));
        if (horizontal)
            out[call.args[0]].insert(call.args[1]);
        else
            out[call.args[1]].insert(call.args[0]);
    }
    return out;
}

std::vector<CanvasCall> callsNamed(const RecordingCanvas& ruler, const char* name)
{
    std::vector<CanvasCall> out;
    for (const CanvasCall& call : ruler.calls()) {
        if (call.name == QLatin1String(name))
            out.push_back(call);
    }
    return out;
}

// The lines drawn on a ruler.
QStringList figures(const RecordingCanvas& ruler)
{
    return ruler.lines().filter(QRegularExpression(QStringLiteral("^(MoveTo|LineTo)")));
}

// Pixels across the ruler of a tick `length` pixels long on the page side.
std::set<int> across(int length)
{
    std::set<int> out;
    for (int d = 1; d <= length; ++d)
        out.insert(Thickness - d);
    return out;
}

class Rulers : public ::testing::Test
{
protected:
    std::unique_ptr<TVectorGraphics> document = newDocument();
    RecordingCanvas horz{ScreenDpi};
    RecordingCanvas vert{ScreenDpi};
};

TEST_F(Rulers, BackgroundAndFont)
{
    DrawRulers(*document, 0, 0, vert, horz, Thickness, 300, 400);
    const QStringList h = horz.lines();
    ASSERT_GE(h.size(), 3);
    EXPECT_EQ(h[0], QStringLiteral("Pen 000000 1 psSolid pmCopy"));
    EXPECT_EQ(h[1], QStringLiteral("Brush F0FBFF bsSolid"));
    EXPECT_EQ(h.filter(QStringLiteral("Rectangle")), QStringList{"Rectangle 0 0 400 25"});
    EXPECT_EQ(vert.lines().filter(QStringLiteral("Rectangle")),
              QStringList{"Rectangle 0 0 25 300"});
    EXPECT_EQ(horz.font().Name, QStringLiteral("Arial"));
    EXPECT_EQ(horz.font().size(ScreenDpi), 7);
    EXPECT_EQ(horz.brush().Style, bsClear);
    EXPECT_EQ(vert.font(), horz.font());
    EXPECT_EQ(vert.brush(), horz.brush());
}

TEST_F(Rulers, HorizontalTicksAndLabelsAtZoomOne)
{
    DrawRulers(*document, 0, 0, vert, horz, Thickness, 300, 400);
    const auto t = ticks(horz, true);
    // k = 96 / 25.4 pixels per millimetre; n = rnd(400 / k) = 106 ticks.
    EXPECT_EQ(t.size(), 106u);
    EXPECT_EQ(t.begin()->first, 4);
    EXPECT_EQ(t.at(4), across(2));  // 1 mm
    EXPECT_EQ(t.at(8), across(2));  // 2 mm
    EXPECT_EQ(t.at(19), across(4)); // 5 mm
    EXPECT_EQ(t.at(38), across(6)); // 10 mm
    EXPECT_EQ(t.at(57), across(4)); // 15 mm
    EXPECT_EQ(t.at(76), across(6)); // 20 mm
    EXPECT_EQ(t.count(0), 0u);

    const auto labels = callsNamed(horz, "TextOut");
    ASSERT_EQ(labels.size(), 10u);
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const QString text = QString::number(i + 1);
        const int tick = roundHalfEven((10 * (i + 1) - 1) * 96 / 25.4) + 4;
        EXPECT_EQ(labels[i].text, text);
        EXPECT_EQ(labels[i].args, (std::vector<int>{tick - horz.TextWidth(text) / 2, 8}));
    }
}

TEST_F(Rulers, VerticalRulerHasLabelsWithoutCentimetreTicks)
{
    DrawRulers(*document, 0, 0, vert, horz, Thickness, 300, 400);
    const auto t = ticks(vert, false);
    EXPECT_EQ(t.size(), 79u); // rnd(300 / k)
    EXPECT_EQ(t.at(4), across(2));
    EXPECT_EQ(t.at(19), across(4));
    EXPECT_EQ(t.at(38), across(4));
    EXPECT_EQ(t.at(76), across(4));

    const auto labels = callsNamed(vert, "TextOut");
    ASSERT_EQ(labels.size(), 7u);
    EXPECT_EQ(labels[0].text, QStringLiteral("1"));
    EXPECT_EQ(labels[0].args, (std::vector<int>{7, 38 - vert.TextHeight("1") / 2}));
    EXPECT_EQ(labels[1].args, (std::vector<int>{7, 76 - vert.TextHeight("2") / 2}));
}

TEST_F(Rulers, ScrolledAndZoomedScaleStartsAtTheFirstWholeMillimetre)
{
    document->ActivePage()->SetScaleX(2.0);
    document->ActivePage()->SetScaleY(2.0);
    // k = 7.559...; 50 pixels in is 6.61 mm: the first tick is 7 mm at
    // rnd(0.386 * k) = 3, 10 mm at rnd(3k) + 3 = 26.
    DrawRulers(*document, 50, 50, vert, horz, Thickness, 300, 400);
    const auto t = ticks(horz, true);
    EXPECT_EQ(t.begin()->first, 3);
    EXPECT_EQ(t.at(26), across(6));
    const auto labels = callsNamed(horz, "TextOut");
    ASSERT_FALSE(labels.empty());
    EXPECT_EQ(labels[0].text, QStringLiteral("1"));
    EXPECT_EQ(labels[0].args[0], 26 - horz.TextWidth("1") / 2);
    EXPECT_EQ(ticks(vert, false).at(26), across(4));
}

TEST_F(Rulers, NothingWithoutAPage)
{
    TVectorGraphics empty(ScreenDpi);
    DrawRulers(empty, 0, 0, vert, horz, Thickness, 300, 400);
    EXPECT_TRUE(horz.calls().empty());
    EXPECT_TRUE(vert.calls().empty());
}

TEST_F(Rulers, CursorMarkersAreDrawnInvertingAndMoved)
{
    DrawRulerCursor(*document, 30, 40, vert, horz, Thickness);
    EXPECT_EQ(figures(horz), (QStringList{"MoveTo 30 0", "LineTo 30 25"}));
    EXPECT_EQ(horz.pen(), (TPen{clRed, 1, psDot, pmNotXor}));
    EXPECT_EQ(vert.pen(), horz.pen());
    EXPECT_EQ(figures(vert), (QStringList{"MoveTo 0 40", "LineTo 25 40"}));
    EXPECT_EQ(document->RulerMarkX, 30);
    EXPECT_EQ(document->RulerMarkY, 40);

    horz.clear();
    vert.clear();
    DrawRulerCursor(*document, 31, 0, vert, horz, Thickness);
    EXPECT_EQ(figures(horz),
              (QStringList{"MoveTo 30 0", "LineTo 30 25", "MoveTo 31 0", "LineTo 31 25"}));
    EXPECT_EQ(figures(vert), (QStringList{"MoveTo 0 40", "LineTo 25 40"}));
    EXPECT_EQ(document->RulerMarkY, 0);
}

TEST_F(Rulers, SecondCursorCallAtTheSamePlaceRedrawsTheMarkerOverItsErasure)
{
    DrawRulerCursor(*document, 30, 40, vert, horz, Thickness);
    horz.clear();
    DrawRulerCursor(*document, 30, 40, vert, horz, Thickness);
    EXPECT_EQ(figures(horz),
              (QStringList{"MoveTo 30 0", "LineTo 30 25", "MoveTo 30 0", "LineTo 30 25"}));
}

// On real pixels: the marker stays while the mouse rests, and removing it
// restores the ruler exactly.
TEST_F(Rulers, CursorMarkerPixels)
{
    QImage hImage(200, Thickness, QImage::Format_RGB32);
    QImage vImage(Thickness, 200, QImage::Format_RGB32);
    hImage.fill(Qt::white);
    vImage.fill(Qt::white);
    QPainterCanvas h(hImage, ScreenDpi);
    QPainterCanvas v(vImage, ScreenDpi);
    DrawRulers(*document, 0, 0, v, h, Thickness, 200, 200);
    const QImage ruler = hImage.copy();

    DrawRulerCursor(*document, 50, 60, v, h, Thickness);
    const QImage marked = hImage.copy();
    EXPECT_NE(marked, ruler);
    DrawRulerCursor(*document, 50, 60, v, h, Thickness);
    EXPECT_EQ(hImage, marked);
    DrawRulerCursor(*document, 0, 0, v, h, Thickness);
    EXPECT_EQ(hImage, ruler);
}

TEST_F(Rulers, SelectionEdgesOfTheActiveShape)
{
    TVectorGraph& page = *document->ActivePage();
    TRectangle& shape = test::addRectangle(page, {41, 61, 141, 91});
    page.SetScaleX(1.5);
    page.SetScaleY(1.5);
    document->ActiveShape = &shape;
    DrawRulerSelection(*document, 10, 20, vert, horz, Thickness);
    // Halves round to even: rnd(61.5) - 10 = 52 and rnd(211.5) - 10 - 1 = 201.
    EXPECT_EQ(figures(horz),
              (QStringList{"MoveTo 52 0", "LineTo 52 25", "MoveTo 201 0", "LineTo 201 25"}));
    EXPECT_EQ(horz.pen(), (TPen{clBlack, 1, psDot, pmCopy}));
    // rnd(91.5) - 20 = 72 and rnd(136.5) - 20 - 1 = 115.
    EXPECT_EQ(figures(vert),
              (QStringList{"MoveTo 0 72", "LineTo 25 72", "MoveTo 0 115", "LineTo 25 115"}));
    EXPECT_EQ(vert.pen(), horz.pen());
}

TEST_F(Rulers, NoSelectionMarksWithoutActiveShape)
{
    DrawRulerSelection(*document, 0, 0, vert, horz, Thickness);
    EXPECT_TRUE(horz.calls().empty());
    EXPECT_TRUE(vert.calls().empty());
}

TEST_F(Rulers, DrawRulersEndsWithTheSelection)
{
    document->ActiveShape = &test::addRectangle(*document->ActivePage(), {40, 60, 140, 90});
    DrawRulers(*document, 0, 0, vert, horz, Thickness, 300, 400);
    EXPECT_EQ(figures(horz),
              (QStringList{"MoveTo 40 0", "LineTo 40 25", "MoveTo 139 0", "LineTo 139 25"}));
}

} // namespace
} // namespace sw::test
