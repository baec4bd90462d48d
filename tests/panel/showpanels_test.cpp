#include "panel_support.h"

#include <QFrame>
#include <QLayout>
#include <QSet>

namespace sw::test {
namespace {

const QStringList SubjectPanels = {"rp1", "rp2", "rp3",  "rp4",  "rp5",  "rp6", "rp7",
                                   "rp8", "rp9", "rp10", "rp11", "rp12", "RP13"};

const QMap<QString, int> PanelHeights = {{"MarkPanel", 26}, {"rp11", 32}, {"rp10", 75}, {"rp2", 50},
                                         {"rp3", 34},       {"rp1", 232}, {"rp6", 27},  {"rp9", 71},
                                         {"rp4", 26},       {"rp5", 26},  {"rp7", 26},  {"rp8", 26},
                                         {"RP13", 32},      {"rp12", 26}};

class ShowPanelsTest : public PanelTest
{
protected:
    QSet<QString> visiblePanels() const
    {
        QSet<QString> shown;
        for (const QString& name : SubjectPanels)
            if (!panel->findChild<QFrame*>(name)->isHidden())
                shown.insert(name);
        return shown;
    }

    void setAllPanels(bool visible)
    {
        for (const QString& name : SubjectPanels)
            panel->findChild<QFrame*>(name)->setVisible(visible);
    }

    int expectedHeight() const
    {
        int height = 0;
        for (const QString& name : visiblePanels())
            height += PanelHeights[name];
        return height;
    }
};

TEST_F(ShowPanelsTest, PanelsAreLaidOutInOrderWithTheirSizes)
{
    int previous = -1;
    const QStringList order = {"MarkPanel", "rp11", "rp10", "rp2", "rp3", "rp1",  "rp6",
                               "rp9",       "rp4",  "rp5",  "rp7", "rp8", "RP13", "rp12"};
    for (const QString& name : order) {
        auto* frame = control<QFrame>(name.toLatin1().constData());
        ASSERT_NE(frame, nullptr);
        EXPECT_GE(frame->width(), PropertyPanel::PanelWidth) << name.toStdString();
        EXPECT_EQ(frame->width(), panel->width()) << name.toStdString();
        EXPECT_EQ(frame->height(), PanelHeights[name]) << name.toStdString();
        const int index = panel->layout()->indexOf(frame);
        EXPECT_GT(index, previous) << name.toStdString();
        previous = index;
    }
}

TEST_F(ShowPanelsTest, OnlyTheTagRowAndTheLineListStartVisible)
{
    EXPECT_FALSE(control<QFrame>("MarkPanel")->isHidden());
    EXPECT_EQ(visiblePanels(), QSet<QString>{"RP13"});
    EXPECT_EQ(panel->GroupHeight(), 32);
    EXPECT_EQ(panel->height(), 26 + 32);
    EXPECT_GE(panel->width(), PropertyPanel::PanelWidth);
}

struct PanelRow
{
    int tool;
    QSet<QString> shown;
    bool keepsLine;
};

TEST_F(ShowPanelsTest, EveryToolShowsItsPanelsAndHidesTheOthers)
{
    const PanelRow rows[] = {
        {1, {"rp3", "rp4"}, false},
        {2, {"rp3", "rp4", "rp5"}, false},
        {3, {"rp3", "rp4", "rp5", "rp7"}, false},
        {4, {"rp3", "rp4", "rp5"}, false},
        {5, {"rp5", "rp6"}, false},
        {6, {"rp3", "rp4", "rp9"}, false},
        {7, {"rp1", "rp2", "rp4"}, false},
        {8, {"rp3", "rp4", "rp5", "rp8"}, false},
        {9, {"rp3", "rp10"}, false},
        {13, {"rp4"}, true},
        {14, {"rp11"}, true},
        {15, {"rp3", "rp4"}, false},
        {16, {"rp3", "rp4"}, false},
        {17, {"rp12"}, false},
        {18, {"rp3", "rp4", "RP13"}, false},
    };
    for (const PanelRow& row : rows) {
        for (const bool before : {false, true}) {
            setAllPanels(before);
            int crosses = 0;
            const auto connection =
                QObject::connect(panel.get(), &PropertyPanel::surfaceCursorRequested,
                                 [&](TCursor cursor) { crosses += cursor == TCursor::Cross; });
            panel->ShowPanels(row.tool);
            QObject::disconnect(connection);

            QSet<QString> expected = row.shown;
            if (row.keepsLine && before)
                expected.insert("rp3");
            EXPECT_EQ(visiblePanels(), expected) << "tool " << row.tool;
            EXPECT_EQ(crosses, 1) << "tool " << row.tool;
            EXPECT_EQ(panel->GroupHeight(), expectedHeight()) << "tool " << row.tool;
            EXPECT_EQ(panel->height(), 26 + panel->GroupHeight()) << "tool " << row.tool;
            EXPECT_FALSE(control<QFrame>("MarkPanel")->isHidden());
        }
    }
}

TEST_F(ShowPanelsTest, SelectToolAndUnassignedToolsKeepThePanels)
{
    panel->ShowPanels(7);
    const QSet<QString> shown = visiblePanels();
    for (const int tool : {0, 10, 11, 12, 19, -1}) {
        panel->ShowPanels(tool);
        EXPECT_EQ(visiblePanels(), shown) << "tool " << tool;
        EXPECT_EQ(panel->GroupHeight(), 232 + 50 + 26);
    }
}

} // namespace
} // namespace sw::test
