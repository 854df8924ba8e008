// Undo and redo in the editor panel, used as a person would: edits on several screens are
// taken back one by one, each on the screen where it was made, and made again.
#include <QCheckBox>

#include "editor/edit_session.h"
#include "editor/screen_tree.h"
#include "editor_fixture.h"
#include "window/screens/common_screen.h"
#include "window/screens/directory_screen.h"
#include "window/screens/screen_parts.h"
#include "window/screens/usable_screen.h"

namespace tq530::testing {
namespace {

class UndoPanelTest : public EditorFixture {
  protected:
    // Picks the next item of a choice list; returns the value it showed before.
    int ChooseNext(BoundList* list) {
        const int before = list->Value();
        Choose(list, list->itemText((list->currentIndex() + 1) % list->count()));
        return before;
    }
};

TEST_F(UndoPanelTest, ThreeEditsOnThreeScreensAreTakenBackEachOnItsScreen) {
    Make(true);
    const SettingsModel start = ws.Model;
    const std::string enableKey = ChannelKey(PlanId::Usa, 16);
    const std::string nameKey = ChannelKey(PlanId::International, 20);
    const std::string enableText = NodeText(enableKey);

    ClickNode(enableKey);
    Click(Channel()->ChEnable());
    ASSERT_NE(ws.Model.Usa[16].Enable, start.Usa[16].Enable);
    ClickNode("Common");
    const int resume = ChooseNext(Screen<CommonScreen>()->ResumeTime());
    ASSERT_NE(ws.Model.Common.ResumeTime, resume);
    ClickNode(nameKey);
    TypeInto(Channel()->ChName(), "PILOT");
    TabAway(Channel()->ChName());
    ASSERT_EQ(ws.Model.International[20].ChTag, "PILOT");
    ClickNode("General");

    // The typing is one step: the name goes back whole, on its channel's screen.
    ASSERT_TRUE(panel->Undo());
    EXPECT_EQ(panel->ShownKey(), nameKey);
    EXPECT_EQ(Channel()->ChName()->Latin1Text(), start.International[20].ChTag);

    ASSERT_TRUE(panel->Undo());
    EXPECT_EQ(panel->ShownKey(), "Common");
    EXPECT_EQ(Screen<CommonScreen>()->ResumeTime()->Value(), resume);

    ASSERT_TRUE(panel->Undo());
    EXPECT_EQ(panel->ShownKey(), enableKey);
    EXPECT_EQ(Channel()->ChEnable()->isChecked(), start.Usa[16].Enable != 0);
    EXPECT_EQ(NodeText(enableKey), enableText);
    EXPECT_TRUE(TreeView()->currentItem()->parent()->isExpanded());
    EXPECT_EQ(ws.Model, start);
    EXPECT_FALSE(panel->Undo());

    // Redo and its screens are the undo menu test's. Screens shown by undo are live: the next
    // edit is a new step and ends the redos.
    Click(Channel()->ScanMemory());
    EXPECT_FALSE(panel->Session().CanRedo());
    EXPECT_EQ(panel->Session().UndoLabel(), "Scan Memory");
}

TEST_F(UndoPanelTest, TypingTheSameBoxAgainLaterIsAStepOfItsOwn) {
    Make(true, [](SettingsModel& m) { m.Usa[5].Enable = kOn; });
    const std::string key = ChannelKey(PlanId::Usa, 5);
    ClickNode(key);
    TypeInto(Channel()->ChName(), "ONE");
    TabAway(Channel()->ChName());
    TypeInto(Channel()->ChName(), "TWO");
    TabAway(Channel()->ChName());
    ASSERT_TRUE(panel->Undo());
    EXPECT_EQ(ws.Model.Usa[5].ChTag, "ONE");
    EXPECT_EQ(Channel()->ChName()->text(), "ONE");
}

TEST_F(UndoPanelTest, DirectoryAddAndDeleteAreUndoneWithTheirMarks) {
    Make(true, [](SettingsModel& m) {
        for (int k = 1; k <= 3; ++k) {
            DirectoryEntry& e = m.MemoryIds[static_cast<size_t>(k - 1)];
            e.Enable = kOn;
            e.TagName = "SHIP" + std::to_string(k);
            e.Mmsid = std::string(9, static_cast<char>('0' + k)) + "0";
        }
    });
    auto* entry = Screen<DirectoryScreen>();
    ClickNode("SM 2");
    host.Answers = {Answer::Yes};
    Click(entry->Delete());
    ASSERT_EQ(ws.Model.MemoryIds[1].TagName, "SHIP3");
    ClickNode("SM 3");
    Click(entry->Add());
    ASSERT_TRUE(ws.Model.MemoryIds[2].Enable);
    ClickNode("SM 1");

    ASSERT_TRUE(panel->Undo());  // the Add
    EXPECT_EQ(panel->ShownKey(), "SM 3");
    EXPECT_TRUE(entry->Add()->isEnabled());
    EXPECT_EQ(NodeText("SM 3"), "Memory ID3");

    ASSERT_TRUE(panel->Undo());  // the Delete
    EXPECT_EQ(panel->ShownKey(), "SM 2");
    EXPECT_EQ(entry->Name()->text(), "SHIP2");
    EXPECT_EQ(NodeText("SM 3"), "Memory ID3[Enable]");
    EXPECT_EQ(host.Questions.size(), 1u);  // undo asks nothing
}

TEST_F(UndoPanelTest, UndoFirstChecksWhatWasTyped) {
    Make(true);
    ClickNode(ChannelKey(PlanId::Exp, 1));
    Click(Channel()->ChEnable());
    TypeInto(Channel()->RxFrequency(), "1");  // not a frequency of the band
    host.Messages.clear();
    EXPECT_FALSE(panel->Undo());
    EXPECT_EQ(host.Messages.size(), 1u);
    EXPECT_TRUE(ws.Model.Exp[0].Enable);
}

TEST_F(UndoPanelTest, NothingIsUndoneWhileTheProgramFillsTheModel) {
    Make(true);
    ClickNode(ChannelKey(PlanId::Usa, 16));
    Click(Channel()->ChEnable());
    const SettingsModel edited = ws.Model;
    {
        const EditSession::BusyGuard busy(panel->Session());
        EXPECT_FALSE(panel->Undo());
    }
    EXPECT_EQ(ws.Model, edited);
    EXPECT_TRUE(panel->Undo());
}

TEST_F(UndoPanelTest, UndoingAGroupSwitchRebuildsTheTree) {
    Make(true);
    ClickNode("Usable");
    ASSERT_NE(Item(ChannelKey(PlanId::Canada, 0)), nullptr);
    QCheckBox* canada = Screen<UsableScreen>()->UsableBox(2);
    ASSERT_TRUE(canada->isChecked());
    Click(canada);
    ASSERT_EQ(ws.Model.UsableGroups[2].Usable, kOff);
    ASSERT_EQ(Item(ChannelKey(PlanId::Canada, 0)), nullptr);
    ASSERT_TRUE(panel->Undo());
    EXPECT_EQ(panel->ShownKey(), "Usable");
    EXPECT_NE(Item(ChannelKey(PlanId::Canada, 0)), nullptr);
}

}  // namespace
}  // namespace tq530::testing
