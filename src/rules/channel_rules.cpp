#include "rules/channel_rules.h"

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

std::optional<double> CheckExpFrequency(const std::string& text) {
    if (text.empty()) {
        return 0.0;
    }
    // The leading number of the text; what follows it is ignored.
    const double f = std::strtod(text.c_str(), nullptr);
    if (f < 137.0 || f > 174.0) {
        return std::nullopt;
    }
    const long long units = std::llround(f * 10000.0);
    if (units % 250 != 0) {
        return std::nullopt;
    }
    return f;
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

int ScramblerIndex(int16_t scramble) {
    return (scramble & kScrambleOn) == 0 ? 0 : (scramble & 3) + 1;
}

int16_t ScramblerCode(int index) {
    return index <= 0 ? 0 : static_cast<int16_t>(kScrambleOn + index - 1);
}

bool ExpChannelComplete(const std::string& rxText, const std::string& displayFirst) {
    return rxText.find("---") == std::string::npos && displayFirst.size() >= 2;
}

}  // namespace tq530
