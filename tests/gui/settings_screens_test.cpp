// The usable-group, common, DSC and ATIS screens used as a person would: what each control
// stores, the enable rules, the digit boxes' refusals and silent restores, the input check
// and the clear buttons.
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

class SettingsScreensTest : public EditorFixture {};

TEST_F(SettingsScreensTest, UsableBoxGovernsItsRowAndTheTree) {
    Make(true);
    ClickNode("Usable");
    UsableScreen* s = Screen<UsableScreen>();
    ASSERT_TRUE(s->isVisible());
    ASSERT_NE(Item("PC"), nullptr);
    ASSERT_NE(Item("PC 0"), nullptr);
    EXPECT_EQ(s->PriorityList(3), nullptr);  // the EXP group has no priority channel

    Click(s->UsableBox(2));
    EXPECT_FALSE(ws.Model.UsableGroups[2].Usable);
    EXPECT_EQ(panel->Session().UndoLabel(), "Group3 Enable");
    EXPECT_TRUE(ws.DataChanged);
    EXPECT_FALSE(s->PriorityList(2)->isEnabled());
    EXPECT_FALSE(s->PriorityLabel(2)->isEnabled());
    EXPECT_FALSE(s->StatusNameBox(2)->isEnabled());
    EXPECT_TRUE(s->StatusNameBox(1)->isEnabled());
    EXPECT_EQ(Item("PC"), nullptr);
    EXPECT_EQ(Item("PC 0"), nullptr);
    EXPECT_EQ(panel->ShownKey(), "Usable");
    EXPECT_EQ(TreeView()->currentItem(), Item("Usable"));

    // The ATIS screen follows: Group3's box is disabled.
    ClickNode("ATIS");
    EXPECT_FALSE(Screen<AtisScreen>()->GroupBox(2)->isEnabled());
    EXPECT_TRUE(Screen<AtisScreen>()->GroupBox(1)->isEnabled());

    ClickNode("Usable");
    Click(s->UsableBox(2));
    EXPECT_TRUE(ws.Model.UsableGroups[2].Usable);
    EXPECT_NE(Item("PC 0"), nullptr);
    EXPECT_TRUE(s->StatusNameBox(2)->isEnabled());
}

TEST_F(SettingsScreensTest, PriorityListOffersTheEnabledChannels) {
    Make(true, [](SettingsModel& m) {
        for (ChannelRec& ch : m.Usa) {
            ch.Enable = kOff;
        }
        m.Usa[1].Enable = kOn;   // 01A
        m.Usa[30].Enable = kOn;  // 16
        m.UsableGroups[0].PriorityCh = 30;
    });
    ClickNode("Usable");
    BoundList* list = Screen<UsableScreen>()->PriorityList(0);
    EXPECT_EQ(Items(list), (QStringList{"01A", "16"}));
    EXPECT_EQ(list->currentText(), "16");
    Choose(list, "01A");
    EXPECT_EQ(ws.Model.UsableGroups[0].PriorityCh, 1);
    EXPECT_TRUE(ws.DataChanged);
}

TEST_F(SettingsScreensTest, StatusNameIsCutToFourAndLabelsTheGroupNode) {
    Make(true);
    ClickNode("Usable");
    FieldEdit* box = Screen<UsableScreen>()->StatusNameBox(0);
    TypeInto(box, "HA_RBOR");
    EXPECT_EQ(box->text(), "HARB");                      // "_" is refused, the box holds four
    EXPECT_EQ(ws.Model.UsableGroups[0].StatusName, "");  // stored when left
    EXPECT_EQ(bar->currentMessage(), "max 4 charactors.");
    TabAway(box);
    EXPECT_EQ(ws.Model.UsableGroups[0].StatusName, "HARB");
    EXPECT_EQ(NodeText("PU"), "Group1(HARB)");

    TypeInto(box, "   ");
    TabAway(box);
    EXPECT_EQ(ws.Model.UsableGroups[0].StatusName, "");
    EXPECT_EQ(NodeText("PU"), "Group1");
}

TEST_F(SettingsScreensTest, InputCheckStoresTheFocusedStatusName) {
    Make(true);
    ClickNode("Usable");
    FieldEdit* box = Screen<UsableScreen>()->StatusNameBox(3);
    TypeInto(box, "EXP");
    ASSERT_TRUE(box->hasFocus());
    EXPECT_TRUE(panel->InputCheck());
    EXPECT_EQ(ws.Model.UsableGroups[3].StatusName, "EXP");
    EXPECT_EQ(NodeText("ExpChannel"), "EXP Channel(EXP)");

    // A click in the tree stores it before the screen changes.
    TypeInto(Screen<UsableScreen>()->StatusNameBox(1), "INT");
    ClickNode("Common");
    EXPECT_EQ(ws.Model.UsableGroups[1].StatusName, "INT");
    EXPECT_EQ(panel->ShownKey(), "Common");
}

TEST_F(SettingsScreensTest, ScanOffDisablesItsOptionsAndKeepsTheirValues) {
    Make(true, [](SettingsModel& m) {
        m.Common.Scan = kOn;
        m.Common.ResumeTime = 3;
        m.Common.PttScanClear = kOn;
        m.Common.OffsetTime = 11;
        m.Common.Weather = 2;
    });
    ClickNode("Common");
    CommonScreen* s = Screen<CommonScreen>();
    EXPECT_EQ(s->ResumeTime()->currentText(), "3Sec");
    EXPECT_EQ(s->OffsetTime()->currentText(), "+5:30");
    EXPECT_EQ(s->WeatherAlert()->currentText(), "On Scan");
    EXPECT_TRUE(s->ResumeTime()->isEnabled());
    Choose(s->Scan(), "Off");
    EXPECT_FALSE(ws.Model.Common.Scan);
    EXPECT_EQ(panel->Session().UndoLabel(), "SCAN");
    EXPECT_FALSE(s->ResumeTime()->isEnabled());
    EXPECT_FALSE(s->PttScanClear()->isEnabled());
    EXPECT_EQ(ws.Model.Common.ResumeTime, 3);
    EXPECT_TRUE(ws.Model.Common.PttScanClear);
    EXPECT_EQ(s->ResumeTime()->currentText(), "3Sec");
    Choose(s->Scan(), "On");
    EXPECT_EQ(ws.Model.Common.Scan, kOn);
    EXPECT_TRUE(s->PttScanClear()->isEnabled());

    const QStringList offsets = Items(s->OffsetTime());
    ASSERT_EQ(offsets.size(), 49);
    EXPECT_EQ(offsets.front(), "-12:00");
    EXPECT_EQ(offsets[24], " 0");
    EXPECT_EQ(offsets.back(), "+12:00");
    Choose(s->OffsetTime(), "-0:30");
    EXPECT_EQ(ws.Model.Common.OffsetTime, -1);
    Choose(s->TxPoDisplay(), "Last TX Po");
    EXPECT_EQ(ws.Model.Common.TxPoDisplay, 2);
    Choose(s->TimeDisplay(), "Local");
    EXPECT_TRUE(ws.Model.Common.TimeDisplay);
    Choose(s->WeatherAlert(), "Wx and Scan");
    EXPECT_EQ(ws.Model.Common.Weather, 3);
    // Showing the screen again shows what was stored.
    ClickNode("General");
    ClickNode("Common");
    EXPECT_EQ(s->OffsetTime()->currentText(), "-0:30");
    EXPECT_EQ(s->WeatherAlert()->currentText(), "Wx and Scan");
}

TEST_F(SettingsScreensTest, DscListsStoreTheirFlagsAndTxLevelsFollowTheirCall) {
    Make(true, [](SettingsModel& m) {
        m.DscBasic.PosRequest = {};
        m.DscBasic.PosRequestTx = {};
        m.DscAdvanced.GroupCall = {};
        m.DscBasic.BeepOut = {};
    });
    ClickNode("DSC");
    DscScreen* s = Screen<DscScreen>();
    EXPECT_EQ(Items(s->PosRequest(1)), (QStringList{"Off", "On"}));
    EXPECT_EQ(Items(s->PosRequestTx(1)), (QStringList{"Low", "Hi"}));
    EXPECT_EQ(s->PosRequestTx(0), nullptr);
    EXPECT_FALSE(s->PosRequestTx(2)->isEnabled());
    Choose(s->PosRequest(2), "On");
    EXPECT_TRUE(ws.Model.DscBasic.PosRequest[3]);
    EXPECT_TRUE(s->PosRequestTx(2)->isEnabled());
    EXPECT_FALSE(s->PosRequestTx(1)->isEnabled());
    Choose(s->PosRequestTx(2), "Hi");
    EXPECT_TRUE(ws.Model.DscBasic.PosRequestTx[3]);
    EXPECT_EQ(panel->Session().UndoLabel(), "POS Reporting TX");
    EXPECT_FALSE(ws.Model.DscBasic.PosRequestTx[2]);
    Choose(s->PosRequest(0), "On");
    EXPECT_TRUE(ws.Model.DscBasic.PosRequest[0]);
    EXPECT_FALSE(ws.Model.DscBasic.PosRequest[1]);  // Standby Mode has no control

    Choose(s->BeepOut(6), "On");
    EXPECT_TRUE(ws.Model.DscBasic.BeepOut[6]);
    EXPECT_FALSE(ws.Model.DscBasic.BeepOut[5]);
    Choose(s->DscGroup(3), "Off");
    EXPECT_FALSE(ws.Model.DscBasic.Group[3]);

    s->Tabs()->setCurrentIndex(1);
    EXPECT_FALSE(s->CallTx(1, 2)->isEnabled());
    Choose(s->Call(1, 2), "On");
    EXPECT_TRUE(ws.Model.DscAdvanced.GroupCall[2]);
    EXPECT_TRUE(s->CallTx(1, 2)->isEnabled());
    Choose(s->CallTx(1, 2), "Hi");
    EXPECT_TRUE(ws.Model.DscAdvanced.GroupCallTx[2]);
    EXPECT_FALSE(ws.Model.DscAdvanced.AllShipsCallTx[2]);
    EXPECT_FALSE(ws.Model.DscAdvanced.IndividualCallTx[2]);

    s->Tabs()->setCurrentIndex(2);
    Choose(s->DisplayMenu(1), "On");
    EXPECT_TRUE(ws.Model.DscDisplay.IndividualAckMessageMenu);
}

TEST_F(SettingsScreensTest, UserMmsiRefusesWrongLengthsWithItsCaption) {
    Make(true, [](SettingsModel& m) { m.DscBasic.UserMmsi = "2111234560"; });
    ClickNode("DSC");
    FieldEdit* box = Screen<DscScreen>()->UserMmsi();
    EXPECT_EQ(box->text(), "211123456");
    TypeInto(box, "21a112345");  // the letter is refused: eight digits
    EXPECT_EQ(box->text(), "21112345");
    EXPECT_EQ(bar->currentMessage(), "Numeric Only. Indispensable 9 figures.");
    TabAway(box);
    EXPECT_EQ(host.Last(), "Data Error!!|User MMSI");
    EXPECT_EQ(host.Messages.back().Icon, MsgIcon::Exclamation);
    EXPECT_TRUE(box->hasFocus());
    EXPECT_EQ(ws.Model.DscBasic.UserMmsi, "2111234560");
    EXPECT_FALSE(ws.DataChanged);

    TypeInto(box, "366123456");
    TabAway(box);
    EXPECT_EQ(host.Messages.size(), 1u);
    EXPECT_EQ(ws.Model.DscBasic.UserMmsi, "3661234560");
    EXPECT_TRUE(ws.DataChanged);

    TypeInto(box, "");
    QTest::keyClick(box, Qt::Key_Backspace);
    TabAway(box);
    EXPECT_EQ(ws.Model.DscBasic.UserMmsi, "");
    EXPECT_EQ(host.Messages.size(), 1u);
}

TEST_F(SettingsScreensTest, InputCheckKeepsTheDscScreenWhileItsMmsiIsWrong) {
    Make(true);
    ClickNode("DSC");
    TypeInto(Screen<DscScreen>()->UserMmsi(), "1234");
    ClickNode("Common");
    EXPECT_EQ(host.Last(), "Data Error!!|User MMSI");
    EXPECT_EQ(panel->ShownKey(), "DSC");
    EXPECT_EQ(host.Messages.size(), 1u);  // the box's own focus loss does not ask again
    EXPECT_FALSE(panel->InputCheck());
    EXPECT_EQ(host.Messages.size(), 2u);

    // Another tab of the screen brings the box's tab back.
    DscScreen* s = Screen<DscScreen>();
    s->Tabs()->setCurrentIndex(2);
    Settle();
    EXPECT_EQ(host.Messages.size(), 3u);
    EXPECT_EQ(s->Tabs()->currentIndex(), 0);
    EXPECT_TRUE(s->UserMmsi()->hasFocus());
}

TEST_F(SettingsScreensTest, ClearButtonsAskForTheirTransferAfterTheInputCheck) {
    Make(true);
    ws.Image[327] = 3;
    ClickNode("DSC");
    DscScreen* s = Screen<DscScreen>();
    EXPECT_EQ(s->Count()->text(), "3");
    QSignalSpy spy(panel.get(), &EditorPanel::TransferRequested);
    Click(s->MmsiClear());
    EXPECT_EQ(bar->currentMessage(),
              "A Click Inicializes the number of User MMSI setting permission");
    Click(s->DscLogClear());
    Click(s->DistressLogClear());
    EXPECT_EQ(bar->currentMessage(), "A Click Inicializes the log");
    ASSERT_EQ(spy.size(), 3);
    EXPECT_EQ(spy[0][0].toInt(), 2);
    EXPECT_EQ(spy[1][0].toInt(), 3);
    EXPECT_EQ(spy[2][0].toInt(), 4);
    EXPECT_FALSE(ws.DataChanged);

    // A wrong MMSI typed before stops the button.
    TypeInto(s->UserMmsi(), "12");
    Click(s->MmsiClear());
    EXPECT_EQ(spy.size(), 3);
    EXPECT_EQ(host.Last(), "Data Error!!|User MMSI");
    EXPECT_EQ(host.Messages.size(), 1u);
    // A slow click: the box's own check answers the press, and the release does nothing.
    const QPoint inside(8, s->DscLogClear()->height() / 2);
    QTest::mousePress(s->DscLogClear(), Qt::LeftButton, {}, inside);
    Settle();
    QTest::mouseRelease(s->DscLogClear(), Qt::LeftButton, {}, inside);
    Settle();
    EXPECT_EQ(spy.size(), 3);
    EXPECT_EQ(host.Messages.size(), 2u);
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

TEST_F(SettingsScreensTest, AutoPosReportFrameFollowsItsEnableBox) {
    Make(true, [](SettingsModel& m) {
        m.AutoPos.Polling[0].Enable = kOn;
        m.AutoPos.Polling[1] = PollingEntry{};
        m.AutoPos.PosPollOnCch = kOff;
        m.MemoryIds[0].TagName = "HARBOUR";
        m.MemoryIds[0].Mmsid = "2111234560";
        m.MemoryIds[1].TagName = "PILOT";
        m.MemoryIds[1].Mmsid = "2322222220";
        m.GroupIds[0].TagName = "FLEET";
        m.GroupIds[0].Mmsid = "0211123450";
        m.Exp[0].Enable = kOn;
        m.Exp[0].CHDisplayL = "12";
        m.Exp[0].CHDisplayR = "A";
    });
    ClickNode("DSC");
    DscScreen* s = Screen<DscScreen>();
    s->Tabs()->setCurrentIndex(3);
    Settle();
    EXPECT_FALSE(s->AutoPosChannel()->isEnabled());
    EXPECT_FALSE(s->AutoPosMmsi()->isEnabled());
    EXPECT_EQ(s->AutoPosChannel()->itemText(s->AutoPosChannel()->count() - 1), "12A");
    EXPECT_EQ(Items(s->AutoPosDirName()), (QStringList{"HARBOUR", "PILOT"}));

    Click(s->AutoPosEnable());
    EXPECT_TRUE(ws.Model.AutoPos.Polling[1].Enable);
    EXPECT_FALSE(ws.Model.AutoPos.Polling[0].Enable);
    EXPECT_TRUE(s->AutoPosChannel()->isEnabled());
    EXPECT_TRUE(s->AutoPosDirName()->isEnabled());
    EXPECT_FALSE(s->AutoPosMmsi()->isEnabled());  // remote control is off

    Choose(s->AutoPosChannel(), "12A");
    EXPECT_EQ(ws.Model.AutoPos.Polling[1].Channel, 160);
    Choose(s->AutoPosInterval(), "2 min");
    EXPECT_EQ(ws.Model.AutoPos.Polling[1].Interval, 4);
    Choose(s->AutoPosDirName(), "PILOT");
    EXPECT_EQ(ws.Model.AutoPos.Polling[1].LastAddress, 1);
    EXPECT_EQ(s->AutoPosMmsi()->text(), "232222222");
    Choose(s->AutoPosSelectCall(), "Group");
    EXPECT_EQ(ws.Model.AutoPos.Polling[1].SelectCall, 1);
    EXPECT_EQ(Items(s->AutoPosDirName()), (QStringList{"FLEET"}));
    Click(s->PosPollOnCch());
    EXPECT_TRUE(ws.Model.AutoPos.PosPollOnCch);

    Click(s->AutoPosEnable());
    EXPECT_FALSE(ws.Model.AutoPos.Polling[1].Enable);
    EXPECT_FALSE(s->AutoPosInterval()->isEnabled());
}

TEST_F(SettingsScreensTest, AutoPosMmsiRefusesWithItsCaptionWhenRemoteControlIsOn) {
    Make(true, [](SettingsModel& m) {
        m.AutoPos.Polling[1].Enable = kOn;
        m.AutoPos.Polling[1].RcEnable = kOn;
        m.AutoPos.Polling[1].Mmsi = "";
    });
    ClickNode("DSC");
    DscScreen* s = Screen<DscScreen>();
    s->Tabs()->setCurrentIndex(3);
    Settle();
    ASSERT_TRUE(s->AutoPosMmsi()->isEnabled());
    TypeInto(s->AutoPosMmsi(), "12345");
    TabAway(s->AutoPosMmsi());
    EXPECT_EQ(host.Last(), "Data Error!!|Auto POS MMSI");
    EXPECT_TRUE(s->AutoPosMmsi()->hasFocus());
    TypeInto(s->AutoPosMmsi(), "366999999");
    TabAway(s->AutoPosMmsi());
    EXPECT_EQ(ws.Model.AutoPos.Polling[1].Mmsi, "3669999990");
    EXPECT_EQ(host.Messages.size(), 1u);
}

TEST_F(SettingsScreensTest, AtisCodeRefusesNineDigitsAndAcceptsAnEmptyCode) {
    Make(true, [](SettingsModel& m) { m.Atis.AtisCode = "9211123456"; });
    ClickNode("ATIS");
    AtisScreen* s = Screen<AtisScreen>();
    EXPECT_EQ(s->Code()->text(), "9211123456");
    TypeInto(s->Code(), "921112345");
    EXPECT_EQ(bar->currentMessage(), "Numeric Only. Indispensable 10 figures.");
    TabAway(s->Code());
    EXPECT_EQ(host.Last(), "Data Error!!|ATISNo");
    EXPECT_TRUE(s->Code()->hasFocus());
    EXPECT_EQ(ws.Model.Atis.AtisCode, "9211123456");

    // The tree cannot be left with it either.
    ClickNode("General");
    EXPECT_EQ(panel->ShownKey(), "ATIS");
    EXPECT_EQ(host.Messages.size(), 2u);

    TypeInto(s->Code(), "");
    QTest::keyClick(s->Code(), Qt::Key_Backspace);
    ClickNode("General");
    EXPECT_EQ(panel->ShownKey(), "General");
    EXPECT_EQ(ws.Model.Atis.AtisCode, "");
    EXPECT_TRUE(ws.DataChanged);
}

// A wrong number left behind when another window takes the focus is put back without a word.
TEST_F(SettingsScreensTest, DigitBoxesAreRestoredSilentlyWhenTheWindowLosesFocus) {
    Make(true, [](SettingsModel& m) {
        m.DscBasic.UserMmsi = "2111234560";
        m.Atis.AtisCode = "9211123456";
    });
    ClickNode("DSC");
    FieldEdit* mmsi = Screen<DscScreen>()->UserMmsi();
    TypeInto(mmsi, "123");
    FocusAnotherWindow();
    EXPECT_EQ(mmsi->text(), "211123456");
    ClickNode("ATIS");
    EXPECT_EQ(panel->ShownKey(), "ATIS");
    FieldEdit* code = Screen<AtisScreen>()->Code();
    TypeInto(code, "1");
    FocusAnotherWindow();
    EXPECT_EQ(code->text(), "9211123456");
    EXPECT_TRUE(host.Messages.empty());
    EXPECT_EQ(ws.Model.DscBasic.UserMmsi, "2111234560");
    EXPECT_FALSE(ws.DataChanged);
}

TEST_F(SettingsScreensTest, AtisBoxesFollowTheUsableGroups) {
    Make(true, [](SettingsModel& m) {
        m.UsableGroups[1].StatusName = "INT";
        m.Atis.UsableAtisGroup = {};
        m.Atis.UsableAtisKikkerGroup = {kOn, kOff, kOn, kOff};
    });
    ClickNode("ATIS");
    AtisScreen* s = Screen<AtisScreen>();
    EXPECT_EQ(s->GroupBox(1)->text(), "Group2[INT]");
    EXPECT_EQ(s->GroupBox(3)->text(), "EXP CH Group");
    Click(s->GroupBox(1));
    EXPECT_TRUE(ws.Model.Atis.UsableAtisGroup[1]);
    EXPECT_EQ(panel->Session().UndoLabel(), "Usable ATIS CH Group Group2");
    EXPECT_FALSE(ws.Model.Atis.UsableAtisGroup[0]);
    EXPECT_EQ(ws.Model.Atis.UsableAtisKikkerGroup, (Flags4{kOn, kOff, kOn, kOff}));

    ClickNode("Usable");
    for (int g = 0; g < kGroupCount; ++g) {
        Click(Screen<UsableScreen>()->UsableBox(g));
    }
    ClickNode("ATIS");
    for (int g = 0; g < kGroupCount; ++g) {
        EXPECT_FALSE(s->GroupBox(g)->isEnabled()) << g;
    }
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
    ClickNode("DSC");
    QTest::keyClick(window.get(), Qt::Key_U, Qt::AltModifier);
    Settle();
    EXPECT_TRUE(Screen<DscScreen>()->UserMmsi()->hasFocus());
    EXPECT_FALSE(ws.DataChanged);
}

}  // namespace
}  // namespace tq530::testing
