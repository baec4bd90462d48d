#include "platform/rounding.h"
#include "shapes/rectzg.h"
#include "test_recog_support.h"

#include <gtest/gtest.h>

namespace sw::test {
namespace {

TEST(RecogZg, ConstructorDefaultsAndClone)
{
    TRectZg box({10, 20}, {110, 70}, 1.0, 1.0);
    EXPECT_EQ(box.Kind, GZg);
    EXPECT_EQ(box.KindName, QStringLiteral("主观题"));
    EXPECT_EQ(box.Question, 1);
    EXPECT_EQ(box.Number, 1);
    EXPECT_FALSE(box.XZT);
    EXPECT_TRUE(box.Caption.isEmpty());

    box.Caption = QStringLiteral("作文");
    box.XZT = true;
    box.XZTH = QStringLiteral("5,6");
    const auto copy = box.clone();
    const auto& c = dynamic_cast<const TRectZg&>(*copy);
    EXPECT_EQ(c.Caption, QStringLiteral("作文"));
    EXPECT_TRUE(c.XZT);
    EXPECT_EQ(c.XZTH, QStringLiteral("5,6"));
}

struct LabelCase
{
    int question;
    int number;
    bool optional;
    const char* alternatives;
    const char* label;

    friend void PrintTo(const LabelCase& c, std::ostream* os)
    {
        *os << c.question << '-' << c.number;
    }
};

class RecogZgLabel : public ::testing::TestWithParam<LabelCase>
{
};

TEST_P(RecogZgLabel, Case)
{
    TRectZg box({0, 0}, {10, 10}, 1.0, 1.0);
    box.Question = GetParam().question;
    box.Number = GetParam().number;
    box.XZT = GetParam().optional;
    box.XZTH = QString::fromUtf8(GetParam().alternatives);
    EXPECT_EQ(box.Label(), QString::fromUtf8(GetParam().label));
}

INSTANTIATE_TEST_SUITE_P(RecogZg, RecogZgLabel,
                         ::testing::Values(LabelCase{1, 1, false, "", "1-1"},
                                           LabelCase{12, 2, true, "12,13", "12-2(选做题：12,13)"},
                                           LabelCase{5, 2, true, "5,6", "5-2(选做题：5,6)"},
                                           LabelCase{7, 3, false, "ignored", "7-3"}),
                         [](const auto& info) {
                             return "Q" + std::to_string(info.param.question) + "N" +
                                    std::to_string(info.param.number);
                         });

// On screen the label is centred in the box in red 40-point Arial scaled by
// the zoom, written on a clear brush before the frame.
struct CentreCase
{
    const char* name;
    double scale;
    TPoint p1;
    TPoint p2;

    friend void PrintTo(const CentreCase& c, std::ostream* os) { *os << c.name; }
};

class RecogZgCentredLabel : public ::testing::TestWithParam<CentreCase>
{
};

TEST_P(RecogZgCentredLabel, Case)
{
    const CentreCase& c = GetParam();
    TRectZg box(c.p1, c.p2, c.scale, c.scale);
    box.Question = 12;
    box.Number = 2;
    box.Brush.Style = bsClear;
    RecordingCanvas canvas(96);
    box.Draw(canvas);

    const TFont& font = canvas.font();
    EXPECT_EQ(font.Name, QStringLiteral("Arial"));
    EXPECT_EQ(font.Color, clRed);
    EXPECT_EQ(font.size(96), roundHalfEven(40 * c.scale));
    const int tw = canvas.TextWidth(QStringLiteral("12-2"));
    const int th = canvas.TextHeight(QStringLiteral("12-2"));
    const TRect r = box.deviceBounds();
    const std::vector<Written> expected = {{r.Left + roundHalfEven((r.width() - tw) / 2.0),
                                            r.Top + roundHalfEven((r.height() - th) / 2.0),
                                            QStringLiteral("12-2")}};
    EXPECT_EQ(textsOut(canvas), expected);

    const QStringList lines = canvas.lines();
    const auto firstLine = [&lines](const char* prefix) {
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (lines[i].startsWith(QLatin1String(prefix)))
                return i;
        }
        return qsizetype(-1);
    };
    const qsizetype text = firstLine("TextOut ");
    const qsizetype frame = firstLine("Rectangle ");
    ASSERT_GE(text, 0);
    EXPECT_GT(frame, text);
    EXPECT_TRUE(lines.mid(0, text).contains(QStringLiteral("Brush FFFFFF bsClear")));
    EXPECT_EQ(callsNamed(canvas, "Rectangle").front().args,
              (std::vector<int>{r.Left, r.Top, r.Right, r.Bottom}));
}

INSTANTIATE_TEST_SUITE_P(RecogZg, RecogZgCentredLabel,
                         ::testing::Values(CentreCase{"Zoom1", 1.0, {40, 30}, {440, 231}},
                                           CentreCase{"Zoom2", 2.0, {80, 60}, {880, 462}},
                                           CentreCase{"OddZoom", 1.25, {41, 33}, {567, 301}},
                                           CentreCase{
                                               "NarrowerThanLabel", 1.0, {100, 100}, {105, 103}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RecogZg, NarrowBoxLetsTheLabelOverflowBothSides)
{
    TRectZg box({100, 100}, {106, 104}, 1.0, 1.0);
    RecordingCanvas canvas(96);
    box.Draw(canvas);
    const auto texts = textsOut(canvas);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_LT(texts[0].x, 100);
    EXPECT_GT(texts[0].x + canvas.TextWidth(texts[0].text), 106);
}

TEST(RecogZg, PrintAndExportDrawOnlyTheFrame)
{
    TRectZg box({10, 10}, {60, 40}, 1.0, 1.0);
    box.OutputMode = 1;
    box.Pen = {clBlack, 2, psSolid, pmCopy};
    RecordingCanvas canvas(96);
    box.Draw(canvas);
    EXPECT_TRUE(textsOut(canvas).empty());
    const QStringList expected = {QStringLiteral("Pen 000000 2 psSolid pmCopy"),
                                  QStringLiteral("Brush FFFFFF bsSolid"),
                                  QStringLiteral("Rectangle 10 10 60 40")};
    QStringList drawn = canvas.lines();
    drawn.removeIf([](const QString& l) { return l.startsWith(QLatin1String("Font")); });
    EXPECT_EQ(drawn, expected);
}

TEST(RecogZg, OptionalQuestionShowsItsAlternatives)
{
    TRectZg box({0, 0}, {800, 300}, 1.0, 1.0);
    box.Question = 5;
    box.Number = 2;
    box.XZT = true;
    box.XZTH = QStringLiteral("5,6");
    RecordingCanvas canvas(96);
    box.Draw(canvas);
    const auto texts = textsOut(canvas);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, QStringLiteral("5-2(选做题：5,6)"));
}

} // namespace
} // namespace sw::test
