#include "rules/channel_rules.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "model/channel_number_table.h"
#include "model/display_texts.h"

namespace tq530 {

namespace {

bool OneOf(char c, const char* set) {
    return c != '\0' && std::strchr(set, c) != nullptr;
}

bool AsciiAlnum(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

const ChannelNumberEntry* EntryOf(const ChannelRec& rec) {
    const ChannelNumberTable& table = Channels();
    if (rec.Position < 0 || rec.Position >= static_cast<int>(table.size())) {
        return nullptr;
    }
    return &table[static_cast<size_t>(rec.Position)];
}

constexpr int16_t kScrambleOn = 4;

std::string Quote(const std::string& text) {
    return "\"" + text + "\"";
}

std::string Characters(size_t n) {
    return std::to_string(n) + (n == 1 ? " character" : " characters");
}

// How a refusal names a preset channel: "channel 16".
std::string ChannelCalled(const ChannelRec& rec) {
    const ChannelNumberEntry* entry = EntryOf(rec);
    return entry != nullptr ? "channel " + entry->Name : std::string("the channel");
}

}  // namespace

bool FrequencyKey(char c) {
    return (c >= '0' && c <= '9') || c == '.';
}

bool ChDisplayKey(char c) {
    return (c >= '0' && c <= '9') || OneOf(c, "AbCdEFGHIJLMnoPqrStUy");
}

bool ChannelNameKey(char c) {
    return AsciiAlnum(c) || OneOf(c, "-/*()+., ");
}

bool StatusNameKey(char c) {
    return AsciiAlnum(c) || OneOf(c, "-+().*/ ");
}

bool DigitKey(char c) {
    return c >= '0' && c <= '9';
}

ChDisplay ChannelDisplayText(const std::string& numberText) {
    std::string text = numberText;
    for (char& c : text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    ChDisplay display;
    const size_t a = text.find('A');
    const std::string number = a == std::string::npos ? text : text.substr(0, a);
    if (a != std::string::npos) {
        display.Second = text.substr(a);
    }
    const int n = std::atoi(number.c_str());
    if (n < 100) {
        display.First = (n < 10 ? "0" : "") + std::to_string(n);
    } else if (n <= 109) {
        display.First = "o" + std::to_string(n - 100);
    } else {
        display.First = "'" + std::to_string(n - 110);
    }
    return display;
}

Verdict CheckTypedText(RuleField field, const std::string& text, size_t maxLength,
                       bool (*keyFilter)(char)) {
    if (text.size() > maxLength) {
        return Refusal{field, "has " + Characters(text.size()) + ", at most " +
                                  std::to_string(maxLength) + " fit"};
    }
    const auto bad = std::find_if_not(text.begin(), text.end(), keyFilter);
    if (bad != text.end()) {
        return Refusal{field, "the radio cannot show " + Quote(std::string(1, *bad))};
    }
    return std::nullopt;
}

Ruled<std::string> CheckChannelName(const std::string& text) {
    if (Verdict refused =
            CheckTypedText(RuleField::ChannelName, text, kChannelNameMaxLength, ChannelNameKey)) {
        return *refused;
    }
    return text;
}

Ruled<double> CheckExpFrequency(RuleField box, const std::string& text) {
    const Refusal refused{box,
                          Quote(text) + " is not a frequency from 137 to 174 MHz in 25 kHz steps"};
    if (text.size() > static_cast<size_t>(kFrequencyMaxLength) ||
        !std::all_of(text.begin(), text.end(), FrequencyKey)) {
        return refused;
    }
    if (text.empty()) {
        return 0.0;
    }
    // The leading number of the text; what follows it is ignored.
    const double f = std::strtod(text.c_str(), nullptr);
    if (f < 137.0 || f > 174.0) {
        return refused;
    }
    const long long units = std::llround(f * 10000.0);
    if (units % 250 != 0) {
        return refused;
    }
    return f;
}

Ruled<ChDisplay> CheckExpDisplay(const std::string& text) {
    const size_t most = kChDisplayFirstLength + kChDisplaySecondLength;
    if (text.size() > most) {
        return Refusal{RuleField::ChDisplay, "has more than " + Characters(most)};
    }
    const auto bad = std::find_if_not(text.begin(), text.end(), ChDisplayKey);
    if (bad != text.end()) {
        return Refusal{RuleField::ChDisplay,
                       "the channel display cannot show " + Quote(std::string(1, *bad))};
    }
    ChDisplay display;
    display.First = text.substr(0, kChDisplayFirstLength);
    if (text.size() > kChDisplayFirstLength) {
        display.Second = text.substr(kChDisplayFirstLength);
    }
    return display;
}

double PresetRxFrequency(const ChannelRec& rec) {
    const ChannelNumberEntry* entry = EntryOf(rec);
    if (entry == nullptr) {
        return 0.0;
    }
    return rec.Duplex ? entry->DuplexRxFreq : entry->RxFreq;
}

ChannelTexts ChannelScreenTexts(const ChannelRec& rec, bool exp) {
    ChannelTexts texts;
    if (exp) {
        texts.DisplayFirst = rec.CHDisplayL.substr(0, 2);
        texts.DisplaySecond = rec.CHDisplayR.empty()
                                  ? std::string()
                                  : rec.CHDisplayR.substr(rec.CHDisplayR.size() - 1);
        texts.Rx = FreqText4(rec.Rxfreq);
        texts.Tx = FreqText4(rec.Txfreq);
        return texts;
    }
    const ChannelNumberEntry* entry = EntryOf(rec);
    if (entry != nullptr) {
        const ChDisplay display = ChannelDisplayText(entry->Name);
        texts.DisplayFirst = display.First;
        texts.DisplaySecond = display.Second;
    }
    texts.Rx = FreqText(PresetRxFrequency(rec));
    texts.Tx = FreqTextIf(entry != nullptr ? entry->TxFreq : 0.0, rec.RxOnly != 0);
    return texts;
}

ChannelEnables ChannelEnableRules(const ChannelEnableInput& in) {
    ChannelEnables e;
    e.Fields = in.ChEnable;
    e.TxEnable = in.ChEnable && !(!in.Exp && in.RxOnly);
    e.Duplex = in.ChEnable && in.DuplexAllowed;
    e.Scrambler = in.ChEnable && !(!in.Exp && in.ScramblerLocked);
    // EXP channels keep their Tx Enable box hidden; its value still steers Low Power.
    e.LowPower = in.TxEnableChecked && e.TxEnable;
    e.PowerUp = in.LowPowerChecked && e.LowPower;
    return e;
}

bool DuplexPossible(const ChannelRec& rec) {
    return rec.DuplexAllowed != 0;
}

bool TxEnableShown(const ChannelRec& rec) {
    return rec.TxEnable != 0 && rec.RxOnly == 0;
}

ChannelEnables RecordEnables(const ChannelRec& rec, bool exp) {
    ChannelEnableInput in;
    in.Exp = exp;
    in.ChEnable = true;
    in.TxEnableChecked = TxEnableShown(rec);
    in.LowPowerChecked = rec.LowPower != 0;
    in.DuplexAllowed = DuplexPossible(rec);
    in.RxOnly = rec.RxOnly != 0;
    in.ScramblerLocked = rec.Position == kScramblerLockedPosition;
    return ChannelEnableRules(in);
}

Verdict SetChannelFlag(ChannelRec& rec, bool exp, ChannelFlag flag, bool on) {
    Flag* const fields[] = {&rec.TxEnable, &rec.LowPower, &rec.PowUp, &rec.Duplex};
    Flag& field = *fields[static_cast<int>(flag)];
    if (on && field == 0) {
        const ChannelEnables e = RecordEnables(rec, exp);
        switch (flag) {
            case ChannelFlag::TxEnable:
                if (!e.TxEnable) {
                    return Refusal{RuleField::TxEnable, ChannelCalled(rec) + " is receive-only"};
                }
                break;
            case ChannelFlag::LowPower:
                if (!e.LowPower) {
                    return Refusal{RuleField::LowPower,
                                   "can be set only on a channel that may transmit"};
                }
                break;
            case ChannelFlag::PowUp:
                if (!e.PowerUp) {
                    return Refusal{RuleField::PowerUp,
                                   "can be set only on a channel set to " + Quote(LowText(true))};
                }
                break;
            case ChannelFlag::Duplex:
                if (!e.Duplex) {
                    return Refusal{RuleField::Duplex, ChannelCalled(rec) + " has no duplex"};
                }
                break;
        }
    }
    field = ToFlag(on);
    return std::nullopt;
}

int ScramblerIndex(int16_t scramble) {
    return (scramble & kScrambleOn) == 0 ? 0 : (scramble & 3) + 1;
}

int16_t ScramblerCode(int index) {
    return index <= 0 ? 0 : static_cast<int16_t>(kScrambleOn + index - 1);
}

std::vector<Refusal> ExpChannelGaps(const std::string& rxText, const std::string& displayFirst) {
    std::vector<Refusal> gaps;
    if (rxText.find("---") != std::string::npos) {
        gaps.push_back({RuleField::RxFrequency, "an enabled EXP channel needs an RX frequency"});
    }
    if (displayFirst.size() < static_cast<size_t>(kChDisplayFirstLength)) {
        gaps.push_back(
            {RuleField::ChDisplay, "an enabled EXP channel needs two display characters"});
    }
    return gaps;
}

bool ExpChannelComplete(const std::string& rxText, const std::string& displayFirst) {
    return ExpChannelGaps(rxText, displayFirst).empty();
}

std::vector<Refusal> ExpChannelGaps(const ChannelRec& rec) {
    if (rec.Enable == 0) {
        return {};
    }
    return ExpChannelGaps(FreqText4(rec.Rxfreq), rec.CHDisplayL);
}

}  // namespace tq530
