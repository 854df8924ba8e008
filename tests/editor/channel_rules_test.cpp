// The channel screen's rules without a widget: key filters, display texts, the EXP
// frequency check and the enable rules.
#include <gtest/gtest.h>

#include <string>

#include "core/workspace.h"
#include "editor/channel_rules.h"

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

TEST(ChannelRulesTest, ExpFrequencyRangeAndRaster) {
    EXPECT_EQ(CheckExpFrequency("137"), 137.0);
    EXPECT_EQ(CheckExpFrequency("174"), 174.0);
    EXPECT_EQ(CheckExpFrequency("156.025"), 156.025);
    EXPECT_EQ(CheckExpFrequency(""), 0.0);
    EXPECT_FALSE(CheckExpFrequency("174.025"));
    EXPECT_FALSE(CheckExpFrequency("136.975"));
    EXPECT_FALSE(CheckExpFrequency("156.0125"));
    EXPECT_FALSE(CheckExpFrequency("."));
    // The leading number counts; a second point ends it.
    EXPECT_EQ(CheckExpFrequency("156.05.1"), 156.05);
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

}  // namespace
}  // namespace tq530
