// The Memory ID and Group ID entry screens used as a person would: which entries offer Add,
// the refusal behind an incomplete entry, Delete with its question, the packing, the MMSI
// check and the name box.
#include <QCheckBox>
#include <QLabel>

#include "editor/edit_session.h"
#include "editor_fixture.h"
#include "window/screens/directory_screen.h"

namespace tq530::testing {
namespace {

class DirectoryScreenTest : public EditorFixture {
  protected:
    // The first `used` Memory ID entries in use, named "SHIP<k>" with MMSI "<k>" x9 + "0".
    void MakeUsed(int used, const std::function<void(SettingsModel&)>& more = {}) {
        Make(true, [used, &more](SettingsModel& m) {
            for (int k = 1; k <= used; ++k) {
                DirectoryEntry& e = m.MemoryIds[static_cast<size_t>(k - 1)];
                e.Enable = kOn;
                e.TagName = "SHIP" + std::to_string(k);
                e.Mmsid = std::string(9, static_cast<char>('0' + k)) + "0";
            }
            if (more) {
                more(m);
            }
        });
    }
    DirectoryScreen* Entry() const { return Screen<DirectoryScreen>(); }
};

TEST_F(DirectoryScreenTest, OnlyTheFirstFreePlaceOffersAdd) {
    MakeUsed(3);
    ClickNode("SM 2");
    DirectoryScreen* s = Entry();
    EXPECT_FALSE(s->Add()->isEnabled());
    EXPECT_TRUE(s->Delete()->isEnabled());
    EXPECT_EQ(s->Mmsi()->text(), "222222222");
    EXPECT_FALSE(s->MmsiPrefix()->isVisible());

    ClickNode("SM 4");
    EXPECT_TRUE(s->Add()->isEnabled());
    EXPECT_TRUE(s->Delete()->isChecked());
    EXPECT_FALSE(s->Name()->isEnabled());

    ClickNode("SM 5");
    for (QWidget* w : std::initializer_list<QWidget*>{s->Add(), s->Delete(), s->Name(), s->Mmsi(),
                                                      s->NameLabel(), s->MmsiLabel()}) {
        EXPECT_FALSE(w->isEnabled());
    }
    EXPECT_TRUE(s->Delete()->isChecked());
    EXPECT_TRUE(host.Messages.empty());
}

TEST_F(DirectoryScreenTest, AddPutsTheEntryInUse) {
    MakeUsed(1);
    ClickNode("SM 2");
    DirectoryScreen* s = Entry();
    Click(s->Add());
    EXPECT_TRUE(ws.Model.MemoryIds[1].Enable);
    EXPECT_EQ(panel->Session().UndoLabel(), "Add");
    EXPECT_EQ(NodeText("SM 2"), "Memory ID2[Enable]");
    EXPECT_TRUE(s->Name()->isEnabled());

    // The new entry has neither name nor MMSI yet: the next place refuses Add.
    ClickNode("SM 3");
    EXPECT_EQ(host.Last(), "Data Error!!|Individual Directory");
    EXPECT_EQ(host.Messages.back().Icon, MsgIcon::Exclamation);
    EXPECT_FALSE(Entry()->Add()->isEnabled());
}

TEST_F(DirectoryScreenTest, DeleteMovesTheLaterEntriesUpAndTheMarksFollow) {
    MakeUsed(5);
    ClickNode("SM 2");
    host.Answers = {Answer::Yes};
    Click(Entry()->Delete());
    ASSERT_EQ(host.Questions, (std::vector<std::string>{"Are you sure ?"}));
    EXPECT_EQ(host.QuestionButtons.back(), Buttons::YesNo);
    // The screen shows the entry that moved into place 2.
    EXPECT_EQ(Entry()->Name()->text(), "SHIP3");
    EXPECT_EQ(NodeText("SM 5"), "Memory ID5");
}

TEST_F(DirectoryScreenTest, AnsweringNoKeepsTheEntryAndAsksOnce) {
    MakeUsed(3);
    ClickNode("SG 1");  // nothing in use there
    ClickNode("SM 3");
    host.Answers = {Answer::No};
    Click(Entry()->Delete());
    EXPECT_EQ(host.Questions.size(), 1u);
    EXPECT_FALSE(Entry()->Delete()->isChecked());
    EXPECT_TRUE(ws.Model.MemoryIds[2].Enable);
}

TEST_F(DirectoryScreenTest, EmptyingTheMmsiDeletesTheEntryWithoutAQuestion) {
    MakeUsed(3);
    ClickNode("SM 1");
    TypeInto(Entry()->Mmsi(), "");
    QTest::keyClick(Entry()->Mmsi(), Qt::Key_Backspace);
    TabAway(Entry()->Mmsi());
    EXPECT_TRUE(host.Questions.empty());
    EXPECT_EQ(Entry()->Mmsi()->text(), "222222222");
    EXPECT_EQ(NodeText("SM 3"), "Memory ID3");
}

TEST_F(DirectoryScreenTest, MmsiOfTheRightLengthIsStoredAndAWrongOneSilentlyIsNot) {
    MakeUsed(2);
    ClickNode("SM 2");
    FieldEdit* mmsi = Entry()->Mmsi();
    // A wrong length never holds the tree: the move goes on and nothing is stored.
    TypeInto(mmsi, "3661234");
    EXPECT_EQ(bar->currentMessage(), "Numeric Only. Indispensable 9 figures.");
    ClickNode("SM 1");
    EXPECT_EQ(panel->ShownKey(), "SM 1");
    EXPECT_EQ(ws.Model.MemoryIds[1].Mmsid, "2222222220");

    ClickNode("SM 2");
    TypeInto(mmsi, "366123456");
    ClickNode("SM 1");  // the input check stores it before the screen changes
    EXPECT_EQ(ws.Model.MemoryIds[1].Mmsid, "3661234560");
    EXPECT_TRUE(host.Messages.empty());
}

TEST_F(DirectoryScreenTest, GroupMmsiSitsBehindAFixedZero) {
    Make(true, [](SettingsModel& m) {
        m.GroupIds[0].Enable = kOn;
        m.GroupIds[0].TagName = "FLEET";
        m.GroupIds[0].Mmsid = "0211123450";
    });
    ClickNode("SG 1");
    DirectoryScreen* s = Entry();
    EXPECT_TRUE(s->MmsiPrefix()->isVisible());
    EXPECT_EQ(s->Mmsi()->text(), "21112345");
    TypeInto(s->Mmsi(), "987654321");  // the ninth digit does not fit
    TabAway(s->Mmsi());
    EXPECT_EQ(ws.Model.GroupIds[0].Mmsid, "0987654320");
}

TEST_F(DirectoryScreenTest, NameIsStoredWhenLeftUnlessItIsBlank) {
    MakeUsed(1);
    ClickNode("SM 1");
    FieldEdit* name = Entry()->Name();
    TypeInto(name, "PILOT_BOAT 1");
    EXPECT_EQ(bar->currentMessage(), "A maximum of 10 characters.");
    TabAway(name);
    EXPECT_EQ(ws.Model.MemoryIds[0].TagName, "PILOTBOAT 1");
    EXPECT_EQ(panel->Session().UndoLabel(), "Station Name");

    // A name typed and saved at once, without leaving the box, is not lost.
    TypeInto(name, "TUG");
    EXPECT_TRUE(panel->InputCheck());
    EXPECT_EQ(ws.Model.MemoryIds[0].TagName, "TUG");
}

TEST_F(DirectoryScreenTest, TabOrderAndAccessKeysFollowTheCaptions) {
    MakeUsed(1);
    ClickNode("SM 1");
    DirectoryScreen* s = Entry();
    QTest::keyClick(window.get(), Qt::Key_N, Qt::AltModifier);
    Settle();
    EXPECT_TRUE(s->Name()->hasFocus());
    TabAway(s->Name());
    EXPECT_TRUE(s->Mmsi()->hasFocus());
    QTest::keyClick(window.get(), Qt::Key_D, Qt::AltModifier);
    Settle();
    EXPECT_TRUE(s->Delete()->hasFocus());
    TabAway(s->Delete());
    EXPECT_TRUE(s->Name()->hasFocus());
    EXPECT_TRUE(host.Questions.empty());  // a key that only moves the focus asks nothing
}

}  // namespace
}  // namespace tq530::testing
