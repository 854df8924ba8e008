// The overview grids: what they list and the jump to a row's screen by double click and
// Enter, through the tree's input check.
#include <QAbstractItemView>
#include <QElapsedTimer>
#include <QHeaderView>
#include <iostream>

#include "editor_fixture.h"
#include "window/screens/channel_grid.h"

namespace tq530::testing {
namespace {

class ChannelGridTest : public EditorFixture {
  protected:
    ChannelGrid* Grid() const { return panel->ScreenArea()->findChild<ChannelGrid*>(); }

    void DoubleClickRow(int row) {
        ChannelGrid* grid = Grid();
        const QRect rect = grid->visualRect(grid->model()->index(row, 0));
        // A person's double click: press, release, then the second click.
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, rect.center());
        Settle();
    }

    void EnterOnRow(int row) {
        ChannelGrid* grid = Grid();
        grid->setFocus();
        grid->setCurrentIndex(grid->model()->index(row, 0));
        QTest::keyClick(grid, Qt::Key_Return);
        Settle();
    }
};

TEST_F(ChannelGridTest, PresetGridListsEnabledChannelsAndJumps) {
    Make(true, [](SettingsModel& m) {
        for (ChannelRec& ch : m.Canada) {
            ch.Enable = kOff;
        }
        m.Canada[30].Enable = kOn;  // 16
        m.Canada[31].Enable = kOn;  // 16A
        m.Canada[31].RxOnly = kOn;
    });
    ClickNode("PC");
    ASSERT_EQ(Screens()->currentWidget(), Grid());
    EXPECT_EQ(Grid()->model()->index(1, 0).data().toString(), "16A");
    DoubleClickRow(1);
    EXPECT_EQ(panel->ShownKey(), "PC 31");
    EXPECT_EQ(TreeView()->currentItem(), Item("PC 31"));

    ClickNode("PC");
    EnterOnRow(0);
    EXPECT_EQ(panel->ShownKey(), "PC 30");

    // The header row is not a channel: nothing happens.
    ClickNode("PC");
    QHeaderView* header = Grid()->horizontalHeader();
    QTest::mouseDClick(header->viewport(), Qt::LeftButton, {}, QPoint(10, header->height() / 2));
    Settle();
    EXPECT_EQ(panel->ShownKey(), "PC");
}

TEST_F(ChannelGridTest, SelectingANodeByKeyIsGuardedByTheInputCheck) {
    Make(true, [](SettingsModel& m) {
        m.Exp[0] = ChannelRec{};
        m.Exp[0].Enable = kOn;  // no frequency, no display: cannot be left
    });
    ClickNode("E 1");
    // A jump and the main window's select take the same road as a click.
    panel->SelectNode("ExpChannel");
    EXPECT_EQ(panel->ShownKey(), "E 1");
    EXPECT_EQ(host.MessageTexts(),
              std::vector<std::string>{"Data Error!!\nPlease input correct data."});
}

TEST_F(ChannelGridTest, SwitchingBetweenAFullGridAndAChannelIsQuick) {
    Make(true, [](SettingsModel& m) {
        for (ChannelRec& ch : m.Usa) {
            ch.Enable = kOn;
        }
    });
    ClickNode("PU 30");
    ClickNode("PU");
    ASSERT_EQ(Grid()->model()->rowCount(), 114);
    constexpr int kSwitches = 20;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < kSwitches; ++i) {
        panel->SelectNode(i % 2 == 0 ? "PU 30" : "PU");
        panel->ScreenArea()->repaint();
    }
    const double perSwitch = static_cast<double>(timer.nsecsElapsed()) / 1e6 / kSwitches;
    std::cout << "switch grid <-> channel screen: " << perSwitch << " ms\n";
    EXPECT_EQ(panel->ShownKey(), "PU");
    // Generous: the machine is shared; the aim is far below this.
    EXPECT_LT(perSwitch, 250.0);
}

}  // namespace
}  // namespace tq530::testing
