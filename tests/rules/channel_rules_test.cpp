// The channel screen's rules without a widget: key filters, display texts, the EXP
// frequency check and the enable rules.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/workspace.h"
#include "rules/channel_rules.h"

namespace tq530 {
namespace {

std::string Admitted(bool (*filter)(char)) {
    std::string out;
    for (int c = 1; c < 256; ++c) {
        if (filter(static_cast<char>(c))) {
            out += static_cast<char>(c);
        }
    }
    return out;
}

TEST(ChannelRulesTest, KeyFiltersAdmitExactlyTheirCharacters) {
    EXPECT_EQ(Admitted(FrequencyKey), ".0123456789");
    EXPECT_EQ(Admitted(ChDisplayKey), "0123456789ACEFGHIJLMPSUbdnoqrty");
    EXPECT_EQ(Admitted(ChannelNameKey),
              " ()*+,-./0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    EXPECT_EQ(Admitted(StatusNameKey),
              " ()*+-./0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    EXPECT_EQ(Admitted(DigitKey), "0123456789");
}

TEST(ChannelRulesTest, ChannelDisplayTextOfNumberTexts) {
    const auto text = [](const std::string& n) {
        const ChDisplay d = ChannelDisplayText(n);
        return d.First + "|" + d.Second;
    };
    EXPECT_EQ(text("118"), "'8|");
    EXPECT_EQ(text("110"), "'0|");
    EXPECT_EQ(text("101"), "o1|");
    EXPECT_EQ(text("109"), "o9|");
    EXPECT_EQ(text("100"), "o0|");
    EXPECT_EQ(text("07A"), "07|A");
    EXPECT_EQ(text("7a"), "07|A");
    EXPECT_EQ(text("88"), "88|");
}

std::optional<double> Rx(const std::string& text) {
    return CheckExpFrequency(RuleField::RxFrequency, text).Stored();
}

TEST(ChannelRulesTest, ExpFrequencyRangeAndRaster) {
    EXPECT_EQ(Rx("137"), 137.0);
    EXPECT_EQ(Rx("174"), 174.0);
    EXPECT_EQ(Rx("156.025"), 156.025);
    EXPECT_EQ(Rx(""), 0.0);
    EXPECT_FALSE(Rx("174.025"));
    EXPECT_FALSE(Rx("136.975"));
    EXPECT_FALSE(Rx("156.0125"));
    EXPECT_FALSE(Rx("."));
    // The leading number counts; a second point ends it.
    EXPECT_EQ(Rx("156.05.1"), 156.05);
}

TEST(ChannelRulesTest, ScreenTextsOfPresetAndExpChannels) {
    Workspace ws;
    NewData(ws);
    ChannelRec ch = ws.Model.Usa[0];  // CH01: 156.050, duplex 160.650
    ch.Duplex = kOff;
    ch.RxOnly = kOff;
    ChannelTexts t = ChannelScreenTexts(ch, false);
    EXPECT_EQ(t.DisplayFirst + "|" + t.DisplaySecond, "01|");
    EXPECT_EQ(t.Rx, "156.050");
    EXPECT_EQ(t.Tx, "156.050");
    ch.Duplex = kOn;
    EXPECT_EQ(ChannelScreenTexts(ch, false).Rx, "160.650");
    EXPECT_EQ(ChannelScreenTexts(ch, false).Tx, "156.050");
    ch.RxOnly = kOn;
    EXPECT_EQ(ChannelScreenTexts(ch, false).Tx, "---.---");

    ChannelRec exp;
    exp.CHDisplayL = "12";
    exp.CHDisplayR = "xA";
    exp.Rxfreq = 161.6;
    t = ChannelScreenTexts(exp, true);
    EXPECT_EQ(t.DisplayFirst + "|" + t.DisplaySecond, "12|A");
    EXPECT_EQ(t.Rx, "161.6000");
    EXPECT_EQ(t.Tx, "---.----");
}

TEST(ChannelRulesTest, EnableRulesChainFromChEnable) {
    ChannelEnableInput in;
    in.ChEnable = true;
    in.TxEnableChecked = true;
    in.LowPowerChecked = true;
    in.DuplexAllowed = true;
    ChannelEnables e = ChannelEnableRules(in);
    EXPECT_TRUE(e.Fields && e.TxEnable && e.LowPower && e.PowerUp && e.Duplex && e.Scrambler);

    in.TxEnableChecked = false;  // Low Power and, through it, Power Up go grey
    e = ChannelEnableRules(in);
    EXPECT_TRUE(e.TxEnable);
    EXPECT_FALSE(e.LowPower);
    EXPECT_FALSE(e.PowerUp);

    in.TxEnableChecked = true;
    in.LowPowerChecked = false;
    e = ChannelEnableRules(in);
    EXPECT_TRUE(e.LowPower);
    EXPECT_FALSE(e.PowerUp);

    in.RxOnly = true;  // a receive-only preset cannot transmit at all
    e = ChannelEnableRules(in);
    EXPECT_FALSE(e.TxEnable);
    EXPECT_FALSE(e.LowPower);

    in = {};
    in.ChEnable = true;
    in.DuplexAllowed = false;
    EXPECT_FALSE(ChannelEnableRules(in).Duplex);
    in.ScramblerLocked = true;
    EXPECT_FALSE(ChannelEnableRules(in).Scrambler);
    in.Exp = true;  // the lock belongs to a preset channel
    EXPECT_TRUE(ChannelEnableRules(in).Scrambler);

    in = {};
    in.ChEnable = false;
    in.TxEnableChecked = in.LowPowerChecked = in.DuplexAllowed = true;
    e = ChannelEnableRules(in);
    EXPECT_FALSE(e.Fields || e.TxEnable || e.LowPower || e.PowerUp || e.Duplex || e.Scrambler);
}

TEST(ChannelRulesTest, ScramblerCodesAndIndexes) {
    EXPECT_EQ(ScramblerIndex(0), 0);
    EXPECT_EQ(ScramblerIndex(3), 0);  // without bit value 4 the scrambler is off
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(ScramblerIndex(ScramblerCode(i)), i);
    }
    EXPECT_EQ(ScramblerCode(0), 0);
    EXPECT_EQ(ScramblerCode(1), 4);
    EXPECT_EQ(ScramblerCode(4), 7);
}

TEST(ChannelRulesTest, ExpCompleteness) {
    EXPECT_TRUE(ExpChannelComplete("156.0500", "12"));
    EXPECT_FALSE(ExpChannelComplete("---.----", "12"));
    EXPECT_FALSE(ExpChannelComplete("156.0500", "1"));
}

struct FlagCase {
    const char* Name;
    bool Exp;
    std::function<void(ChannelRec&)> Setup;
    ChannelFlag Flag;
    bool On;
    const char* Refused;  // nullptr: stored
};

TEST(ChannelRulesTest, FlagsSwitchOnOnlyWhereTheScreenEnablesTheirBox) {
    const auto txOff = [](ChannelRec& ch) { ch.TxEnable = kOff; };
    const auto rxOnly = [](ChannelRec& ch) { ch.RxOnly = kOn; };  // TxEnable left on
    const auto builtRxOnly = [](ChannelRec& ch) {
        ch.RxOnly = kOn;
        ch.TxEnable = kOff;
    };
    const auto lowOn = [](ChannelRec& ch) { ch.LowPower = kOn; };
    const auto lowOnTxOff = [](ChannelRec& ch) {
        ch.LowPower = kOn;
        ch.TxEnable = kOff;
    };
    const auto noDuplex = [](ChannelRec& ch) { ch.DuplexAllowed = kOff; };
    const char* const transmit = "can be set only on a channel that may transmit";
    const char* const low = "can be set only on a channel set to \"LOW\"";
    const FlagCase cases[] = {
        {"TX", false, txOff, ChannelFlag::TxEnable, true, nullptr},
        {"TX on receive-only", false, builtRxOnly, ChannelFlag::TxEnable, true,
         "channel 16 is receive-only"},
        {"TX off on receive-only", false, rxOnly, ChannelFlag::TxEnable, false, nullptr},
        {"LOW", false, {}, ChannelFlag::LowPower, true, nullptr},
        {"LOW without TX", false, txOff, ChannelFlag::LowPower, true, transmit},
        {"LOW on receive-only", false, rxOnly, ChannelFlag::LowPower, true, transmit},
        {"LOW on a receive-only EXP channel", true, rxOnly, ChannelFlag::LowPower, true, transmit},
        {"LOW on an EXP channel", true, {}, ChannelFlag::LowPower, true, nullptr},
        {"LOW kept without TX", false, txOff, ChannelFlag::LowPower, false, nullptr},
        {"UP with LOW", false, lowOn, ChannelFlag::PowUp, true, nullptr},
        {"UP without LOW", false, {}, ChannelFlag::PowUp, true, low},
        {"UP with LOW but no TX", false, lowOnTxOff, ChannelFlag::PowUp, true, low},
        {"DUP", false, {}, ChannelFlag::Duplex, true, nullptr},
        {"DUP without duplex", false, noDuplex, ChannelFlag::Duplex, true,
         "channel 16 has no duplex"},
    };
    for (const FlagCase& c : cases) {
        ChannelRec ch;
        ch.Position = 30;  // channel 16
        ch.Enable = kOn;
        ch.TxEnable = kOn;
        ch.DuplexAllowed = kOn;
        if (c.Setup) {
            c.Setup(ch);
        }
        const ChannelRec before = ch;
        const Verdict v = SetChannelFlag(ch, c.Exp, c.Flag, c.On);
        if (c.Refused == nullptr) {
            EXPECT_FALSE(v) << c.Name << ": " << v->Text;
            Flag* const fields[] = {&ch.TxEnable, &ch.LowPower, &ch.PowUp, &ch.Duplex};
            EXPECT_EQ(*fields[static_cast<int>(c.Flag)] != 0, c.On) << c.Name;
        } else {
            ASSERT_TRUE(v) << c.Name;
            EXPECT_EQ(v->Text, c.Refused) << c.Name;
            EXPECT_EQ(ch, before) << c.Name;
        }
    }
}

TEST(ChannelRulesTest, DuplexOnlyWhereTheChannelHasIt) {
    ChannelRec ch;
    EXPECT_FALSE(DuplexPossible(ch));
    ch.DuplexAllowed = kOn;
    EXPECT_TRUE(DuplexPossible(ch));
}

TEST(ChannelRulesTest, ExpRefusalsNameTheirBox) {
    const Ruled<double> tx = CheckExpFrequency(RuleField::TxFrequency, "156.0125");
    ASSERT_FALSE(tx);
    EXPECT_EQ(tx.Why(), (Refusal{RuleField::TxFrequency,
                                 "\"156.0125\" is not a frequency from 137 to 174 MHz in 25 "
                                 "kHz steps"}));
    EXPECT_FALSE(CheckExpFrequency(RuleField::RxFrequency, "156,050"));    // a key the box drops
    EXPECT_FALSE(CheckExpFrequency(RuleField::RxFrequency, "156.05000"));  // nine characters

    const Ruled<ChDisplay> display = CheckExpDisplay("9bA");
    ASSERT_TRUE(display);
    EXPECT_EQ((*display).First, "9b");
    EXPECT_EQ((*display).Second, "A");
    EXPECT_EQ(CheckExpDisplay("9B").Why().Text, "the channel display cannot show \"B\"");
    EXPECT_EQ(CheckExpDisplay("12AB").Why().Text, "has more than 3 characters");
    EXPECT_EQ(CheckChannelName("HARBOUR 2!").Why().Text, "the radio cannot show \"!\"");

    ChannelRec ch;
    ch.CHDisplayL = "1";
    EXPECT_TRUE(ExpChannelGaps(ch).empty());  // not enabled
    ch.Enable = kOn;
    ASSERT_EQ(ExpChannelGaps(ch).size(), 2u);
    EXPECT_EQ(ExpChannelGaps(ch)[0].Field, RuleField::RxFrequency);
    EXPECT_EQ(ExpChannelGaps(ch)[1].Field, RuleField::ChDisplay);
    ch.Rxfreq = 156.05;
    ch.CHDisplayL = "12";
    EXPECT_TRUE(ExpChannelGaps(ch).empty());
}

}  // namespace
}  // namespace tq530
