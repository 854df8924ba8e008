// Where a refused entry leaves the operator: "Data Error!!" as it always reads, then the box
// at fault with its text selected and a status line that says what its rule wants.
#include "gui/editor_fixture.h"
#include "window/screens/atis_screen.h"
#include "window/screens/dsc_screen.h"

namespace tq530::testing {
namespace {

class ErrorFocusTest : public EditorFixture {
  protected:
    // An enabled EXP channel 1 with what setup leaves of a complete one.
    void MakeExp(const std::function<void(ChannelRec&)>& setup) {
        Make(true, [&setup](SettingsModel& m) {
            ChannelRec& ch = m.Exp[0];
            ch.Enable = kOn;
            ch.CHDisplayL = "12";
            ch.CHDisplayR = "A";
            ch.Rxfreq = 156.025;
            ch.Txfreq = 156.025;
            setup(ch);
        });
        ClickNode("E 1");
        ASSERT_EQ(panel->ShownKey(), "E 1");
    }

    // The box has the focus with all of its text selected, and the status bar says why.
    void ExpectAtFault(const QLineEdit* box, const std::string& status) {
        EXPECT_EQ(QApplication::focusWidget(), box);
        EXPECT_EQ(box->selectedText(), box->text());
        EXPECT_EQ(bar->currentMessage().toStdString(), status);
        EXPECT_EQ(bar->toolTip().toStdString(), status)
            << "a narrow window shows the rest as a tip";
    }
};

TEST_F(ErrorFocusTest, AnIncompleteExpChannelSendsTheOperatorToTheFirstBoxThatLacksSomething) {
    MakeExp([](ChannelRec& ch) {
        ch.Rxfreq = 0;
        ch.CHDisplayL = "1";
    });
    ClickNode("Common");
    EXPECT_EQ(panel->ShownKey(), "E 1");
    EXPECT_EQ(host.Last(), "Data Error!!\nPlease input correct data.|PC Program for NR6120");
    ExpectAtFault(Channel()->RxFrequency(),
                  "Rx Frequency: an enabled EXP channel needs an RX frequency");

    // With the frequency given, the display is what is left.
    TypeInto(Channel()->RxFrequency(), "156.05");
    TabAway(Channel()->RxFrequency());
    ASSERT_DOUBLE_EQ(ws.Model.Exp[0].Rxfreq, 156.05);
    ClickNode("Common");
    EXPECT_EQ(panel->ShownKey(), "E 1");
    ExpectAtFault(Channel()->DisplayFirst(),
                  "CH Display: an enabled EXP channel needs two display characters");
}

TEST_F(ErrorFocusTest, ACommandRefusedWhileTheFocusIsInAnotherBoxMovesItToTheBoxAtFault) {
    MakeExp([](ChannelRec& ch) { ch.CHDisplayL = ""; });
    Click(Channel()->ChName());
    ASSERT_EQ(QApplication::focusWidget(), Channel()->ChName());
    EXPECT_FALSE(panel->InputCheck());
    ExpectAtFault(Channel()->DisplayFirst(),
                  "CH Display: an enabled EXP channel needs two display characters");
    // The note lasts while the box keeps the focus; the next field shows its own hint.
    TypeInto(Channel()->DisplayFirst(), "15");
    TabAway(Channel()->DisplayFirst());
    EXPECT_EQ(bar->currentMessage().toStdString(), hint::kChDisplaySecond);
    EXPECT_TRUE(panel->InputCheck());
}

TEST_F(ErrorFocusTest, ARefusedFrequencyKeepsWhatWasTypedSelectedAndNamesTheRange) {
    MakeExp([](ChannelRec&) {});
    FieldEdit* tx = Channel()->TxFrequency();
    TypeInto(tx, "174.025");
    TabAway(tx);
    EXPECT_EQ(host.Last(), "Data Error!!|Tx frequency");
    ExpectAtFault(tx,
                  "Tx Frequency: \"174.025\" is not a frequency from 137 to 174 MHz in 25 kHz "
                  "steps");
    // Leaving through the tree is refused the same way.
    ClickNode("Common");
    EXPECT_EQ(panel->ShownKey(), "E 1");
    EXPECT_EQ(tx->text(), QStringLiteral("174.025"));
    ExpectAtFault(tx,
                  "Tx Frequency: \"174.025\" is not a frequency from 137 to 174 MHz in 25 kHz "
                  "steps");
}

TEST_F(ErrorFocusTest, TheDigitBoxesOfTheDscAndAtisScreensSayHowManyDigitsTheyWant) {
    Make(true);
    ClickNode("DSC");
    FieldEdit* mmsi = Screen<DscScreen>()->UserMmsi();
    TypeInto(mmsi, "2111");
    ClickNode("Common");
    EXPECT_EQ(host.Last(), "Data Error!!|User MMSI");
    EXPECT_EQ(panel->ShownKey(), "DSC");
    ExpectAtFault(mmsi, "UserMMSI: nine digits, or none");

    TypeInto(mmsi, "211123456");
    ClickNode("ATIS");
    ASSERT_EQ(panel->ShownKey(), "ATIS");
    FieldEdit* code = Screen<AtisScreen>()->Code();
    TypeInto(code, "92111");
    EXPECT_FALSE(panel->InputCheck());
    EXPECT_EQ(host.Last(), "Data Error!!|ATISNo");
    ExpectAtFault(code, "ATIS Code: ten digits, or none");
}

}  // namespace
}  // namespace tq530::testing
