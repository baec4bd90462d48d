#include "dialogs/linelistdialog.h"
#include "editor/propertypanel.h"
#include "shapes/linelist.h"
#include "window/windowfixture.h"

#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QToolButton>

namespace sw::test {
namespace {

QStringList texts(const LineListDialog& dialog, int row)
{
    QStringList result;
    for (const QLineEdit* edit : dialog.textEdits(row))
        result << edit->text();
    return result;
}

QList<int> weights(const LineListDialog& dialog, int row)
{
    QList<int> result;
    for (const QSpinBox* spin : dialog.weightSpins(row))
        result << spin->value();
    return result;
}

void pressButton(LineListDialog& dialog, const char* name)
{
    auto* button = dialog.findChild<QPushButton*>(QString::fromLatin1(name));
    ASSERT_NE(button, nullptr) << name;
    QTest::mouseClick(button, Qt::LeftButton);
}

// Text as an input method commits it (Chinese included).
void typeText(QWidget* widget, const QString& text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(widget, &event);
}

// Steps a column-count spin with its arrow keys, as the user does.
void step(QSpinBox* spin, int by)
{
    for (int i = 0; i < std::abs(by); ++i)
        QTest::keyClick(spin, by > 0 ? Qt::Key_Up : Qt::Key_Down);
}

QString twelveSegments()
{
    QStringList segments;
    for (int s = 1; s <= 12; ++s)
        segments << QStringLiteral("a%1\\b%1\\%2").arg(s).arg(s % 10 + 1);
    return segments.join(QLatin1Char('|'));
}

TEST(DelimitedSegments, CountLikeTheRowList)
{
    const std::pair<const char*, int> cases[] = {
        {"", 0},      {"\\\\1", 1}, {"a|b", 2},       {"a||b", 3},        {"a|", 2},   {"|", 2},
        {"a b|c", 3}, {"  a", 1},   {"\"a|b\"|c", 2}, {"\"a\"\"|b\"", 1}, {"a\tb", 2}, {"a | b", 2},
    };
    for (const auto& [row, count] : cases)
        EXPECT_EQ(countDelimitedSegments(QString::fromUtf8(row)), count) << row;
}

struct RowCase
{
    const char* name;
    QString stored;
    int columns;
    QStringList texts;
    QList<int> weights;
};

class StoredRow : public ::testing::TestWithParam<RowCase>
{
};

TEST_P(StoredRow, OpensWithoutFailing)
{
    const RowCase& c = GetParam();
    LineListDialog dialog({c.stored});
    dialog.show();
    ASSERT_EQ(dialog.rowCount(), 1);
    EXPECT_EQ(dialog.columnSpin(0)->value(), c.columns);
    EXPECT_EQ(texts(dialog, 0), c.texts);
    EXPECT_EQ(weights(dialog, 0), c.weights);
}

QStringList blanks(int n)
{
    QStringList list;
    for (int i = 0; i < n; ++i)
        list << QString();
    return list;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StoredRow,
    ::testing::Values(
        RowCase{"Default", QStringLiteral("\\\\1"), 1, blanks(2), {1}},
        RowCase{"Name", QStringLiteral("姓名\\\\3"), 1, {QStringLiteral("姓名"), QString()}, {3}},
        RowCase{"TwoSegments", QStringLiteral("A\\B\\1|C\\D\\3"), 2, {"A", "B", "C", "D"}, {1, 3}},
        RowCase{"Empty", QString(), 1, blanks(2), {1}},
        RowCase{"MissingParts", QStringLiteral("a\\b"), 1, blanks(2), {1}},
        RowCase{"WeightNotANumber", QStringLiteral("a\\b\\x"), 1, {"a", "b"}, {1}},
        RowCase{"WeightTooLarge", QStringLiteral("a\\b\\15"), 1, {"a", "b"}, {10}},
        RowCase{"WeightZero", QStringLiteral("a\\b\\0"), 1, {"a", "b"}, {1}},
        RowCase{"TwelveSegments",
                twelveSegments(),
                10,
                QStringList({"a1", "b1", "a2", "b2", "a3", "b3", "a4", "b4", "a5",  "b5",
                             "a6", "b6", "a7", "b7", "a8", "b8", "a9", "b9", "a10", "b10"}),
                {2, 3, 4, 5, 6, 7, 8, 9, 10, 1}}),
    [](const ::testing::TestParamInfo<RowCase>& info) { return std::string(info.param.name); });

TEST(LineSetDialog, RowsArePlacedAsLaidOut)
{
    LineListDialog dialog({QStringLiteral("\\\\1"), twelveSegments()});
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("线段设置"));
    ASSERT_EQ(dialog.rowCount(), 2);
    for (int row = 0; row < 2; ++row) {
        EXPECT_EQ(dialog.rowPanel(row)->text(), QStringLiteral("    %1.").arg(row + 1));
        EXPECT_EQ(dialog.rowPanel(row)->geometry().topLeft(), QPoint(1, 30 * row + 1));
        EXPECT_EQ(dialog.rowPanel(row)->height(), 30);
        QSpinBox* columns = dialog.columnSpin(row);
        EXPECT_EQ(columns->x(), 60);
        EXPECT_EQ(columns->width(), 40);
        EXPECT_EQ(columns->minimum(), 1);
        EXPECT_EQ(columns->maximum(), 10);
        EXPECT_EQ(columns->accessibleName(), QStringLiteral("第%1行列数").arg(row + 1));
    }
    const QList<QLineEdit*> edits = dialog.textEdits(1);
    const QList<QSpinBox*> spins = dialog.weightSpins(1);
    for (int s = 0; s < 10; ++s) {
        EXPECT_EQ(edits[2 * s]->x(), 130 * s + 110);
        EXPECT_EQ(edits[2 * s + 1]->x(), 130 * s + 150);
        EXPECT_EQ(spins[s]->x(), 130 * s + 190);
        EXPECT_EQ(edits[2 * s]->width(), 40);
        EXPECT_FALSE(edits[2 * s]->accessibleName().isEmpty());
        EXPECT_EQ(spins[s]->minimum(), 1);
        EXPECT_EQ(spins[s]->maximum(), 10);
    }
    // The tenth segment widened its row, and the first row with it.
    EXPECT_EQ(dialog.rowPanel(1)->width(), 130 * 9 + 110 + 125);
    EXPECT_EQ(dialog.rowPanel(0)->width(), dialog.rowPanel(1)->width());
}

TEST(LineSetDialog, ChangingTheCountRefillsFromTheStoredRow)
{
    LineListDialog dialog({QStringLiteral("姓名\\\\3")});
    QSignalSpy saves(&dialog, &LineListDialog::saved);
    dialog.show();
    QTest::keyClicks(dialog.textEdits(0)[1], QStringLiteral("typed"));

    step(dialog.columnSpin(0), 2);
    EXPECT_EQ(texts(dialog, 0), QStringList({QStringLiteral("姓名"), "", "", "", "", ""}));
    EXPECT_EQ(weights(dialog, 0), (QList<int>{3, 1, 1}));
    EXPECT_EQ(dialog.textEdits(0)[4]->x(), 240 + 130);

    typeText(dialog.textEdits(0)[2], QStringLiteral(" 班级 "));
    step(dialog.weightSpins(0)[1], 1);
    pressButton(dialog, "SaveButton");
    step(dialog.columnSpin(0), -1);
    EXPECT_EQ(dialog.textEdits(0).size(), 4);
    EXPECT_EQ(dialog.weightSpins(0).size(), 2);
    pressButton(dialog, "SaveButton");

    ASSERT_EQ(saves.count(), 2);
    EXPECT_EQ(saves[0][0].toStringList(), QStringList{QStringLiteral("姓名\\\\3|班级\\\\2|\\\\1")});
    EXPECT_EQ(saves[1][0].toStringList(), QStringList{QStringLiteral("姓名\\\\3|班级\\\\2")});
    EXPECT_TRUE(dialog.isVisible());
}

TEST(LineSetDialog, TwelveSegmentsSaveAsTen)
{
    LineListDialog dialog({twelveSegments()});
    QSignalSpy saves(&dialog, &LineListDialog::saved);
    dialog.show();
    pressButton(dialog, "SaveButton");
    ASSERT_EQ(saves.count(), 1);
    const QStringList segments = twelveSegments().split(QLatin1Char('|')).mid(0, 10);
    EXPECT_EQ(saves[0][0].toStringList(), QStringList{segments.join(QLatin1Char('|'))});
}

TEST(LineSetDialog, ExitWritesNothing)
{
    LineListDialog dialog({QStringLiteral("\\\\1")});
    QSignalSpy saves(&dialog, &LineListDialog::saved);
    dialog.show();
    QTest::keyClicks(dialog.textEdits(0)[0], QStringLiteral("x"));
    pressButton(dialog, "CloseButton");
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(saves.count(), 0);
}

class LineListButtonTest : public WindowTest
{
protected:
    bool useTestPanel() const override { return false; }
};

TEST_F(LineListButtonTest, SaveAppliesToTheLineListAndIsRecorded)
{
    draw("linelistact", {150, 300}, {450, 360});
    auto* lines = dynamic_cast<TLinelist*>(lastShape());
    ASSERT_NE(lines, nullptr);
    ASSERT_EQ(lines->Lines, QStringList{QStringLiteral("\\\\1")});

    dialogs.handlers.push_back([](QDialog& shown) {
        auto& dialog = static_cast<LineListDialog&>(shown);
        ASSERT_EQ(dialog.rowCount(), 1);
        typeText(dialog.textEdits(0)[0], QStringLiteral("姓名"));
        pressButton(dialog, "SaveButton");
        pressButton(dialog, "CloseButton");
    });
    auto* button =
        window->propertyPanel()->findChild<QToolButton*>(QStringLiteral("LineEditorButton"));
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);

    EXPECT_EQ(lines->Lines, QStringList{QStringLiteral("姓名\\\\1")});
    EXPECT_EQ(window->propertyPanel()->LineListRows(), QStringList{QStringLiteral("姓名\\\\1")});
    EXPECT_EQ(historyRows().last(), PropertyPanel::ChangeText);
}

} // namespace
} // namespace sw::test
