// The channel and weather screens clicked and typed as a person would: enable rules, the
// Duplex switch, the EXP entries with their refusals, and what reaches the model.
#include <QCheckBox>

#include "editor_fixture.h"
#include "model/channel_number_table.h"

namespace tq530::testing {
namespace {

class ChannelScreenTest : public EditorFixture {
  protected:
    // USA channel 01 (index 0): duplex-capable; index 1 (01A) is not.
    void MakeUsa(const std::function<void(ChannelRec&)>& ch01) {
        Make(true, [&ch01](SettingsModel& m) {
            for (ChannelRec* ch : {&m.Usa[0], &m.Usa[1]}) {
                ch->Enable = kOn;
                ch->TxEnable = kOn;
                ch->LowPower = kOn;
                ch->PowUp = kOn;
                ch->Duplex = kOff;
                ch->RxOnly = kOff;
            }
            m.Usa[0].DuplexAllowed = kOn;
            m.Usa[1].DuplexAllowed = kOff;
            ch01(m.Usa[0]);
        });
    }

    void MakeExp() {
        Make(true, [](SettingsModel& m) {
            m.Exp[0] = ChannelRec{};
            m.Exp[0].Enable = kOn;
            m.Exp[0].TxEnable = kOn;
            m.Exp[0].CHDisplayL = "12";
            m.Exp[0].Rxfreq = 150.0;
            m.Exp[0].Txfreq = 150.0;
        });
        ClickNode("E 1");
    }
};

TEST_F(ChannelScreenTest, PresetChannelShowsTheTableAndLocksItsBoxes) {
    MakeUsa([](ChannelRec&) {});
    ClickNode("PU 0");
    ChannelScreen* s = Channel();
    EXPECT_EQ(s->TxFrequency()->text(), "156.050");
    EXPECT_TRUE(s->DisplayFirst()->isReadOnly());
    EXPECT_TRUE(s->Duplex()->isVisible());
    EXPECT_FALSE(s->Scrambler()->isVisible());  // the scrambler feature is off
    TypeInto(s->RxFrequency(), "160");
    EXPECT_EQ(s->RxFrequency()->text(), "156.050");
    EXPECT_FALSE(ws.DataChanged);
}

TEST_F(ChannelScreenTest, ChEnableGovernsEveryFieldAndTheNodeText) {
    MakeUsa([](ChannelRec&) {});
    ClickNode("PU 0");
    ChannelScreen* s = Channel();
    ASSERT_EQ(NodeText("PU 0"), "CH01[Enable]");
    int edits = 0;
    QObject::connect(panel.get(), &EditorPanel::DataEdited, [&edits] { ++edits; });

    Click(s->ChEnable());
    EXPECT_FALSE(ws.Model.Usa[0].Enable);
    EXPECT_TRUE(ws.DataChanged);
    EXPECT_EQ(edits, 1);
    EXPECT_EQ(NodeText("PU 0"), "CH01");
    EXPECT_TRUE(s->ChEnable()->hasFocus());
    for (QWidget* w : std::initializer_list<QWidget*>{
             s->RxFrequency(), s->TxFrequency(), s->DisplayFirst(), s->TxEnable(), s->LowPower(),
             s->PowerUp(), s->Duplex(), s->ScanMemory(), s->ChName()}) {
        EXPECT_FALSE(w->isEnabled()) << w->metaObject()->className();
    }
    EXPECT_TRUE(s->LowPower()->isChecked());  // disabled boxes keep their values

    // Each flag box stores its own flag and its followers follow at once.
    Click(s->ChEnable());
    Click(s->PowerUp());
    EXPECT_FALSE(ws.Model.Usa[0].PowUp);
    Click(s->TxEnable());
    EXPECT_FALSE(ws.Model.Usa[0].TxEnable);
    EXPECT_TRUE(ws.Model.Usa[0].LowPower);
    EXPECT_FALSE(s->LowPower()->isEnabled());
    Click(s->ScanMemory());
    EXPECT_EQ(ws.Model.Usa[0].ScanMemory != 0, s->ScanMemory()->isChecked());
}

TEST_F(ChannelScreenTest, DuplexSwitchesTheRxFrequency) {
    MakeUsa([](ChannelRec&) {});
    ClickNode("PU 0");
    ChannelScreen* s = Channel();
    Click(s->Duplex());
    EXPECT_TRUE(ws.Model.Usa[0].Duplex);
    EXPECT_EQ(s->RxFrequency()->text(), "160.650");

    // Not duplex-capable: stays disabled when CH Enable comes back.
    ClickNode("PU 1");
    EXPECT_FALSE(s->Duplex()->isEnabled());
    Click(s->ChEnable());
    Click(s->ChEnable());
    EXPECT_FALSE(s->Duplex()->isEnabled());
}

TEST_F(ChannelScreenTest, ExpChannelHidesPresetRowsAndStoresTyping) {
    MakeExp();
    ChannelScreen* s = Channel();
    EXPECT_FALSE(s->Duplex()->isVisible());
    EXPECT_FALSE(s->RxFrequency()->isReadOnly());

    TypeInto(s->ChName(), "Harbour 2!");                   // "!" is refused
    TypeChar(s->ChName(), QString::fromUtf8("\xc3\xa9"));  // so are letters beyond ASCII
    EXPECT_EQ(ws.Model.Exp[0].ChTag, "Harbour 2");
    QTest::keyClicks(s->ChName(), "ABCDEF");
    EXPECT_EQ(ws.Model.Exp[0].ChTag, "Harbour 2ABC");  // 12 characters at most
    TypeInto(s->DisplayFirst(), "aBb79");
    EXPECT_EQ(ws.Model.Exp[0].CHDisplayL, "b7");
    TypeInto(s->DisplaySecond(), "qy");
    EXPECT_EQ(ws.Model.Exp[0].CHDisplayR, "q");
}

TEST_F(ChannelScreenTest, ExpFrequencyIsStoredAndShownWhenTabbingOut) {
    MakeExp();
    ChannelScreen* s = Channel();
    FieldEdit* rx = s->RxFrequency();
    TypeInto(rx, "137");
    QTest::keyClick(rx, Qt::Key_Tab);
    Settle();
    EXPECT_EQ(rx->text(), "137.0000");
    EXPECT_EQ(ws.Model.Exp[0].Rxfreq, 137.0);
    EXPECT_TRUE(s->TxFrequency()->hasFocus());

    // An empty box stores "not set".
    TypeInto(rx, "\b");
    QTest::keyClick(rx, Qt::Key_Tab);
    Settle();
    EXPECT_EQ(ws.Model.Exp[0].Rxfreq, 0.0);
    EXPECT_EQ(rx->text(), "---.----");
}

TEST_F(ChannelScreenTest, ExpFrequencyRestoredSilentlyWhenTheWindowLosesFocus) {
    MakeExp();
    FieldEdit* tx = Channel()->TxFrequency();
    TypeInto(tx, "999");
    FocusAnotherWindow();
    EXPECT_TRUE(host.Messages.empty());
    EXPECT_EQ(tx->text(), "150.0000");
    // Nothing is pending: the next move is not refused.
    ClickNode("General");
    EXPECT_EQ(panel->ShownKey(), "General");
    EXPECT_TRUE(host.Messages.empty());
}

TEST_F(ChannelScreenTest, Latin1TextsShowAndSaveUnchanged) {
    MakeUsa([](ChannelRec& ch) { ch.ChTag = "CAF\xc9"; });  // one Latin-1 byte: E acute
    ClickNode("PU 0");
    EXPECT_EQ(Channel()->ChName()->text(), QString::fromUtf8("CAF\xc3\x89"));
    Click(Channel()->ChName());
    QTest::keyClick(Channel()->ChName(), Qt::Key_End);
    QTest::keyClicks(Channel()->ChName(), "S");
    EXPECT_EQ(ws.Model.Usa[0].ChTag, "CAF\xc9S");
}

TEST_F(ChannelScreenTest, WeatherRowsFollowTheirEnableBox) {
    Make(true, [](SettingsModel& m) {
        m.Wx[2].Enable = kOn;
        m.Wx[2].ScanMemory = kOff;
    });
    ClickNode("PW");
    auto* weather = Screens()->currentWidget();
    ASSERT_NE(weather, nullptr);
    auto boxes = weather->findChildren<QCheckBox*>();
    ASSERT_EQ(boxes.size(), 20);
    QCheckBox* enable = boxes[4];
    QCheckBox* scan = boxes[5];
    EXPECT_TRUE(scan->isEnabled());
    Click(scan);
    EXPECT_TRUE(ws.Model.Wx[2].ScanMemory);
    EXPECT_EQ(bar->currentMessage(), "[Space]:An effective and invalid change.");
    Click(enable);
    EXPECT_EQ(enable->text(), ">");
    EXPECT_FALSE(ws.Model.Wx[2].Enable);
    EXPECT_FALSE(scan->isEnabled());
}

TEST_F(ChannelScreenTest, ScramblerListWhileTheFeatureIsOn) {
    ws.ScrambleFeature = true;
    MakeUsa([](ChannelRec& ch) { ch.Scramble = 6; });
    ClickNode("PU 0");
    QComboBox* list = Channel()->Scrambler();
    ASSERT_TRUE(list->isVisible());
    EXPECT_EQ(list->currentIndex(), 3);  // code 6 is scrambler 2
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    Settle();
    EXPECT_EQ(ws.Model.Usa[0].Scramble, 7);

    // The channel at table position 32 keeps its scrambler locked.
    panel.reset();
    window.reset();
    Make(true, [](SettingsModel& m) { m.Usa[32].Enable = kOn; });
    ws.ScrambleFeature = true;
    ClickNode("PU 32");
    EXPECT_TRUE(Channel()->Scrambler()->isVisible());
    EXPECT_FALSE(Channel()->Scrambler()->isEnabled());
}

TEST_F(ChannelScreenTest, RefreshAndRebuildShowTheModelAsItIsNow) {
    MakeUsa([](ChannelRec&) {});
    ClickNode("PU 0");
    ws.Model.Usa[0].ChTag = "CHANGED";
    ws.Model.Usa[0].Enable = kOff;
    panel->RefreshCurrentScreen();
    EXPECT_EQ(panel->ShownKey(), "PU 0");
    EXPECT_EQ(Channel()->ChName()->text(), "CHANGED");
    EXPECT_FALSE(Channel()->ChName()->isEnabled());

    ws.Model.MemoryIds[4].Enable = kOn;
    ws.Model.UsableGroups[2].Usable = kOff;
    panel->RebuildTree();
    EXPECT_EQ(panel->ShownKey(), "General");
    EXPECT_EQ(Item("PC"), nullptr);
    EXPECT_EQ(NodeText("SM 5"), "Memory ID5[Enable]");
    EXPECT_FALSE(ws.DataChanged);

    // A directory entry switched off loses its mark when the directory is opened again.
    ws.Model.MemoryIds[4].Enable = kOff;
    Item("SM")->setExpanded(false);
    Item("SM")->setExpanded(true);
    EXPECT_EQ(NodeText("SM 5"), "Memory ID5");
}

}  // namespace
}  // namespace tq530::testing
