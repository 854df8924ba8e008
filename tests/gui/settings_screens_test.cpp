// The usable-group, common, DSC and ATIS screens used as a person would: that each control
// reaches the model and the undo history, that the enable rules reach the controls, and how
// the digit boxes refuse, restore and hold the focus. The lists and checks themselves are the
// rules' tests.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>

#include "editor/edit_session.h"
#include "editor_fixture.h"
#include "window/screens/atis_screen.h"
#include "window/screens/common_screen.h"
#include "window/screens/dsc_screen.h"
#include "window/screens/screen_parts.h"
#include "window/screens/usable_screen.h"

namespace tq530::testing {
namespace {

class SettingsScreensTest : public EditorFixture {
  protected:
    DscScreen* ShowDscTab(int tab) {
        ClickNode("DSC");
        DscScreen* s = Screen<DscScreen>();
        s->Tabs()->setCurrentIndex(tab);
        Settle();
        return s;
    }
};

TEST_F(SettingsScreensTest, UsableBoxGovernsItsRowTheTreeAndTheAtisScreen) {
    Make(true);
    ClickNode("Usable");
    UsableScreen* s = Screen<UsableScreen>();
    Click(s->UsableBox(2));
    EXPECT_FALSE(ws.Model.UsableGroups[2].Usable);
    EXPECT_EQ(panel->Session().UndoLabel(), "Group3 Enable");
    EXPECT_FALSE(s->PriorityList(2)->isEnabled());
    EXPECT_TRUE(s->StatusNameBox(1)->isEnabled());
    EXPECT_EQ(Item("PC 0"), nullptr);
    EXPECT_EQ(TreeView()->currentItem(), Item("Usable"));
    ClickNode("ATIS");
    EXPECT_FALSE(Screen<AtisScreen>()->GroupBox(2)->isEnabled());
}

TEST_F(SettingsScreensTest, ChoiceListsStoreWhatIsChosenAndShowWhatIsStored) {
    Make(true, [](SettingsModel& m) {
        m.Common.Scan = kOn;
        m.Common.ResumeTime = 3;
        m.UsableGroups[0].PriorityCh = 30;
    });
    ClickNode("Usable");
    BoundList* priority = Screen<UsableScreen>()->PriorityList(0);
    EXPECT_EQ(priority->currentText(), "16");
    Choose(priority, "01A");
    EXPECT_EQ(ws.Model.UsableGroups[0].PriorityCh, 1);

    ClickNode("Common");
    CommonScreen* s = Screen<CommonScreen>();
    EXPECT_EQ(s->ResumeTime()->currentText(), "3Sec");
    Choose(s->Scan(), "Off");
    EXPECT_FALSE(ws.Model.Common.Scan);
    EXPECT_EQ(panel->Session().UndoLabel(), "SCAN");
    EXPECT_FALSE(s->ResumeTime()->isEnabled());
    EXPECT_EQ(ws.Model.Common.ResumeTime, 3);  // a disabled option keeps its value
    Choose(s->OffsetTime(), "-0:30");
    EXPECT_EQ(ws.Model.Common.OffsetTime, -1);
    ClickNode("General");
    ClickNode("Common");
    EXPECT_EQ(s->OffsetTime()->currentText(), "-0:30");
}

TEST_F(SettingsScreensTest, StatusNameIsStoredWhenLeftAndLabelsTheGroupNode) {
    Make(true);
    ClickNode("Usable");
    FieldEdit* box = Screen<UsableScreen>()->StatusNameBox(0);
    TypeInto(box, "HA_RBOR");
    EXPECT_EQ(box->text(), "HARB");
    EXPECT_EQ(ws.Model.UsableGroups[0].StatusName, "");
    EXPECT_EQ(bar->currentMessage(), "max 4 charactors.");
    TabAway(box);
    EXPECT_EQ(NodeText("PU"), "Group1(HARB)");

    // The input check and a click in the tree store the focused box too.
    TypeInto(Screen<UsableScreen>()->StatusNameBox(3), "EXP");
    EXPECT_TRUE(panel->InputCheck());
    EXPECT_EQ(ws.Model.UsableGroups[3].StatusName, "EXP");
    TypeInto(Screen<UsableScreen>()->StatusNameBox(1), "INT");
    ClickNode("Common");
    EXPECT_EQ(ws.Model.UsableGroups[1].StatusName, "INT");
    EXPECT_EQ(panel->ShownKey(), "Common");
}

TEST_F(SettingsScreensTest, DscFlagsReachTheirOwnFieldAndEnableTheirTxLevel) {
    Make(true, [](SettingsModel& m) {
        m.DscBasic.PosRequest = {};
        m.DscAdvanced.GroupCall = {};
    });
    DscScreen* s = ShowDscTab(0);
    EXPECT_FALSE(s->PosRequestTx(2)->isEnabled());
    Choose(s->PosRequest(2), "On");
    EXPECT_TRUE(ws.Model.DscBasic.PosRequest[3]);  // Standby Mode has no control
    EXPECT_TRUE(s->PosRequestTx(2)->isEnabled());
    Choose(s->PosRequestTx(2), "Hi");
    EXPECT_EQ(panel->Session().UndoLabel(), "POS Reporting TX");

    s->Tabs()->setCurrentIndex(1);
    Choose(s->Call(1, 2), "On");
    EXPECT_TRUE(ws.Model.DscAdvanced.GroupCall[2]);
    Choose(s->CallTx(1, 2), "Hi");
    EXPECT_TRUE(ws.Model.DscAdvanced.GroupCallTx[2]);
    EXPECT_FALSE(ws.Model.DscAdvanced.IndividualCallTx[2]);
}

TEST_F(SettingsScreensTest, AWrongDigitBoxIsRefusedAndKeepsTheFocusAndItsTab) {
    Make(true, [](SettingsModel& m) { m.DscBasic.UserMmsi = "2111234560"; });
    ClickNode("DSC");
    DscScreen* s = Screen<DscScreen>();
    FieldEdit* box = s->UserMmsi();
    TypeInto(box, "21a112345");
    EXPECT_EQ(box->text(), "21112345");
    EXPECT_EQ(bar->currentMessage(), "Numeric Only. Indispensable 9 figures.");
    TabAway(box);
    EXPECT_EQ(host.Last(), "Data Error!!|User MMSI");
    EXPECT_EQ(host.Messages.back().Icon, MsgIcon::Exclamation);
    EXPECT_TRUE(box->hasFocus());
    EXPECT_EQ(ws.Model.DscBasic.UserMmsi, "2111234560");

    // Another tab of the screen is refused as well.
    s->Tabs()->setCurrentIndex(2);
    Settle();
    EXPECT_EQ(host.Messages.size(), 2u);
    EXPECT_EQ(s->Tabs()->currentIndex(), 0);
    EXPECT_TRUE(box->hasFocus());

    TypeInto(box, "366123456");
    TabAway(box);
    EXPECT_EQ(host.Messages.size(), 2u);
    EXPECT_EQ(ws.Model.DscBasic.UserMmsi, "3661234560");
    EXPECT_TRUE(ws.DataChanged);
}

TEST_F(SettingsScreensTest, ClearButtonsAskForTheirTransferAfterTheInputCheck) {
    Make(true);
    ws.Image[327] = 3;
    DscScreen* s = ShowDscTab(0);
    EXPECT_EQ(s->Count()->text(), "3");
    QSignalSpy spy(panel.get(), &EditorPanel::TransferRequested);
    Click(s->MmsiClear());
    EXPECT_EQ(bar->currentMessage(),
              "A Click Inicializes the number of User MMSI setting permission");
    Click(s->DscLogClear());
    Click(s->DistressLogClear());
    ASSERT_EQ(spy.size(), 3);
    EXPECT_EQ(spy[0][0].toInt(), 2);
    EXPECT_EQ(spy[1][0].toInt(), 3);
    EXPECT_EQ(spy[2][0].toInt(), 4);

    // A wrong MMSI typed before stops the button; on a slow click the box's own check answers
    // the press, and the release does nothing.
    TypeInto(s->UserMmsi(), "12");
    const QPoint inside(8, s->DscLogClear()->height() / 2);
    QTest::mousePress(s->DscLogClear(), Qt::LeftButton, {}, inside);
    Settle();
    QTest::mouseRelease(s->DscLogClear(), Qt::LeftButton, {}, inside);
    Settle();
    EXPECT_EQ(spy.size(), 3);
    EXPECT_EQ(host.Messages.size(), 1u);
    EXPECT_TRUE(s->UserMmsi()->hasFocus());

    // The main window reports the transfer; a success shows the new count.
    TypeInto(s->UserMmsi(), "");
    QTest::keyClick(s->UserMmsi(), Qt::Key_Backspace);
    ws.Image[327] = 0;
    panel->ClearTransferFinished(false);
    EXPECT_EQ(s->Count()->text(), "3");
    EXPECT_FALSE(ws.DataChanged);
    panel->ClearTransferFinished(true);
    EXPECT_EQ(s->Count()->text(), "0");
    EXPECT_TRUE(ws.DataChanged);
}

TEST_F(SettingsScreensTest, AutoPosFrameFollowsItsEnableBoxAndItsDirectoryName) {
    Make(true, [](SettingsModel& m) {
        m.AutoPos.Polling[1] = PollingEntry{};
        m.MemoryIds[0].TagName = "HARBOUR";
        m.MemoryIds[1].TagName = "PILOT";
        m.MemoryIds[1].Mmsid = "2322222220";
        m.GroupIds[0].TagName = "FLEET";
    });
    DscScreen* s = ShowDscTab(3);
    EXPECT_FALSE(s->AutoPosChannel()->isEnabled());
    Click(s->AutoPosEnable());
    EXPECT_TRUE(ws.Model.AutoPos.Polling[1].Enable);
    EXPECT_FALSE(ws.Model.AutoPos.Polling[0].Enable);
    EXPECT_TRUE(s->AutoPosChannel()->isEnabled());
    EXPECT_FALSE(s->AutoPosMmsi()->isEnabled());  // remote control is off
    Choose(s->AutoPosDirName(), "PILOT");
    EXPECT_EQ(ws.Model.AutoPos.Polling[1].LastAddress, 1);
    EXPECT_EQ(s->AutoPosMmsi()->text(), "232222222");
    Choose(s->AutoPosSelectCall(), "Group");
    EXPECT_EQ(Items(s->AutoPosDirName()), (QStringList{"FLEET"}));
}

TEST_F(SettingsScreensTest, AutoPosMmsiRefusesWithItsCaptionAndTheAtisCodeHasItsHint) {
    Make(true, [](SettingsModel& m) {
        m.AutoPos.Polling[1].Enable = kOn;
        m.AutoPos.Polling[1].RcEnable = kOn;
    });
    DscScreen* s = ShowDscTab(3);
    TypeInto(s->AutoPosMmsi(), "12345");
    TabAway(s->AutoPosMmsi());
    EXPECT_EQ(host.Last(), "Data Error!!|Auto POS MMSI");
    TypeInto(s->AutoPosMmsi(), "366999999");
    TabAway(s->AutoPosMmsi());
    EXPECT_EQ(ws.Model.AutoPos.Polling[1].Mmsi, "3669999990");

    // How the ATIS code refuses is the error-focus test's; here, its hint.
    ClickNode("ATIS");
    TypeInto(Screen<AtisScreen>()->Code(), "921112345");
    EXPECT_EQ(bar->currentMessage(), "Numeric Only. Indispensable 10 figures.");
}

// A wrong number left behind when another window takes the focus is put back without a word.
TEST_F(SettingsScreensTest, DigitBoxesAreRestoredSilentlyWhenTheWindowLosesFocus) {
    Make(true, [](SettingsModel& m) { m.DscBasic.UserMmsi = "2111234560"; });
    ClickNode("DSC");
    FieldEdit* mmsi = Screen<DscScreen>()->UserMmsi();
    TypeInto(mmsi, "123");
    FocusAnotherWindow();
    EXPECT_EQ(mmsi->text(), "211123456");
    ClickNode("ATIS");
    EXPECT_EQ(panel->ShownKey(), "ATIS");
    EXPECT_TRUE(host.Messages.empty());
    EXPECT_FALSE(ws.DataChanged);
}

TEST_F(SettingsScreensTest, AtisGroupBoxesStoreAndFollowTheUsableGroups) {
    Make(true, [](SettingsModel& m) {
        m.Atis.UsableAtisGroup = {};
        m.Atis.UsableAtisKikkerGroup = {};
    });
    ClickNode("ATIS");
    AtisScreen* s = Screen<AtisScreen>();
    Click(s->GroupBox(1));
    EXPECT_TRUE(ws.Model.Atis.UsableAtisGroup[1]);
    EXPECT_EQ(panel->Session().UndoLabel(), "Usable ATIS CH Group Group2");
    EXPECT_FALSE(ws.Model.Atis.UsableAtisKikkerGroup[1]);

    ClickNode("Usable");
    for (int g = 0; g < kGroupCount; ++g) {
        Click(Screen<UsableScreen>()->UsableBox(g));
    }
    ClickNode("ATIS");
    EXPECT_FALSE(s->Code()->isEnabled());
    EXPECT_FALSE(s->CodeLabel()->isEnabled());
}

TEST_F(SettingsScreensTest, TabWalksTheCommonScreenTopToBottom) {
    Make(true, [](SettingsModel& m) { m.Common.Scan = kOn; });
    ClickNode("Common");
    CommonScreen* s = Screen<CommonScreen>();
    QTest::keyClick(window.get(), Qt::Key_P, Qt::AltModifier);
    Settle();
    ASSERT_TRUE(s->TxPoDisplay()->hasFocus());
    EXPECT_EQ(bar->currentMessage(), "[Up]/[Down]:Change of a Selection item.");
    const std::vector<QWidget*> order = {s->Scan(),        s->ResumeTime(),  s->PttScanClear(),
                                         s->DualWatch(),   s->TimeDisplay(), s->OffsetTime(),
                                         s->WeatherAlert()};
    for (QWidget* next : order) {
        TabAway(QApplication::focusWidget());
        EXPECT_EQ(QApplication::focusWidget(), next);
    }
}

}  // namespace
}  // namespace tq530::testing
