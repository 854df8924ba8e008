// The screen tree as a person uses it: which nodes a model shows, where a click leads, the
// input check that can refuse a move, and the hints in the status bar.
#include <QAbstractScrollArea>
#include <QLabel>

#include "editor_fixture.h"

namespace tq530::testing {
namespace {

class EditorTreeTest : public EditorFixture {};

TEST_F(EditorTreeTest, TreeFollowsAtisAndTheUsableGroups) {
    Make(true);
    EXPECT_EQ(panel->ShownKey(), "General");
    ASSERT_NE(Item("ATIS"), nullptr);
    panel.reset();
    window.reset();

    Make(false, [](SettingsModel& m) {
        m.UsableGroups[1].Usable = kOff;
        m.UsableGroups[3].Usable = kOff;
        m.UsableGroups[0].StatusName = "HOME";
    });
    EXPECT_EQ(Item("ATIS"), nullptr);
    EXPECT_EQ(Item("PI 0"), nullptr);
    EXPECT_EQ(NodeText("PU"), "Group1(HOME)");
    // A key whose node is not there leads nowhere.
    panel->SelectNode("PI 5");
    EXPECT_EQ(panel->ShownKey(), "General");
}

TEST_F(EditorTreeTest, ClicksShowTheScreenOfEachKind) {
    Make(true);
    ClickNode("Common");
    EXPECT_EQ(panel->ShownKey(), "Common");
    ClickNode("PU 30");
    EXPECT_EQ(Screens()->currentWidget(), Channel());
    ClickNode("E 40");
    EXPECT_EQ(Channel()->Plan(), PlanId::Exp);
    EXPECT_EQ(Channel()->Index(), 39);
    ClickNode("SG 3");
    EXPECT_TRUE(Screens()->currentWidget()->findChild<QLabel*>() != nullptr);
    EXPECT_EQ(Screens()->currentWidget()->findChild<QLabel*>()->text().toStdString(), "Group ID3");
    // Keyboard: Up from "SG 3" is "SG 2".
    TreeView()->setFocus();
    QTest::keyClick(TreeView(), Qt::Key_Up);
    EXPECT_EQ(panel->ShownKey(), "SG 2");
    EXPECT_TRUE(host.Messages.empty());
}

TEST_F(EditorTreeTest, AnIncompleteExpChannelCannotBeLeft) {
    Make(true, [](SettingsModel& m) {
        m.Exp[0] = ChannelRec{};
        m.Exp[0].Enable = kOn;
        m.Exp[0].CHDisplayL = "12";
    });
    ClickNode("E 1");
    ASSERT_EQ(panel->ShownKey(), "E 1");
    ClickNode("PU");
    EXPECT_EQ(host.Last(), "Data Error!!\nPlease input correct data.|PC Program for NR6120");
    EXPECT_EQ(panel->ShownKey(), "E 1");
    EXPECT_EQ(TreeView()->selectedItems(), QList<QTreeWidgetItem*>{Item("E 1")});

    // Clicking the node already shown runs no check.
    host.Messages.clear();
    ClickNode("E 1");
    EXPECT_TRUE(host.Messages.empty());

    // Not enabled, it may be left empty.
    Click(Channel()->ChEnable());
    EXPECT_FALSE(ws.Model.Exp[0].Enable);
    ClickNode("PU");
    EXPECT_EQ(panel->ShownKey(), "PU");
    EXPECT_TRUE(host.Messages.empty());
}

TEST_F(EditorTreeTest, FocusedFieldsPutTheirHintsInTheStatusBar) {
    Make(true, [](SettingsModel& m) {
        m.Exp[1].Enable = kOn;
        m.Exp[1].CHDisplayL = "21";
        m.Exp[1].Rxfreq = 156.05;
    });
    ClickNode("E 2");
    const auto hintAfterClick = [this](QWidget* w) {
        Click(w);
        return bar->currentMessage().toStdString();
    };
    EXPECT_EQ(hintAfterClick(Channel()->DisplaySecond()), "Indispensable 1 figures.");
    EXPECT_EQ(hintAfterClick(Channel()->TxFrequency()), "Tx frequency");
    EXPECT_EQ(hintAfterClick(Channel()->ChName()), "A maximum of 12 characters");
    ClickNode("PU");
    auto* grid = qobject_cast<QAbstractScrollArea*>(Screens()->currentWidget());
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(hintAfterClick(grid->viewport()), "[Double click],[Enter]:Jump the Setting screen.");
}

}  // namespace
}  // namespace tq530::testing
