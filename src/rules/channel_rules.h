// The rules of the channel and weather screens: what each field shows, which keys it takes,
// when an EXP frequency is valid and which controls are enabled. The screens only bind these.
#pragma once

#include <optional>
#include <string>

#include "model/settings_model.h"

namespace tq530 {

// Key filters: true when the typed character may enter the field. Backspace and the
// navigation keys never reach them.
bool FrequencyKey(char c);
bool ChDisplayKey(char c);  // the characters of the radio's segment display
bool ChannelNameKey(char c);
bool StatusNameKey(char c);
bool DigitKey(char c);

constexpr int kFrequencyMaxLength = 8;
constexpr int kChDisplayFirstLength = 2;
constexpr int kChDisplaySecondLength = 1;
constexpr int kChannelNameMaxLength = 12;

// The two CH Display boxes of a preset channel from its number text ("07A" -> "07", "A").
struct ChDisplay {
    std::string First;
    std::string Second;
};
ChDisplay ChannelDisplayText(const std::string& numberText);

// An EXP frequency box's text: the stored value in MHz (0 for an empty box), or nothing when
// the text is not on the 25 kHz raster between 137 and 174 MHz.
std::optional<double> CheckExpFrequency(const std::string& text);

// What the channel screen shows for a record: frequency texts and the CH Display boxes.
struct ChannelTexts {
    std::string DisplayFirst;
    std::string DisplaySecond;
    std::string Rx;
    std::string Tx;
};
ChannelTexts ChannelScreenTexts(const ChannelRec& rec, bool exp);
// The RX frequency of a preset channel: the duplex one when Duplex is set.
double PresetRxFrequency(const ChannelRec& rec);

// The enable state of the channel screen's controls. Checked states are the boxes' values.
struct ChannelEnableInput {
    bool Exp = false;
    bool ChEnable = false;
    bool TxEnableChecked = false;
    bool LowPowerChecked = false;
    bool DuplexAllowed = false;
    bool RxOnly = false;
    bool ScramblerLocked = false;  // the preset channel at position 32
};
struct ChannelEnables {
    bool Fields = false;  // CH Display, frequencies, Scan Memory, CH Name and their labels
    bool TxEnable = false;
    bool LowPower = false;
    bool PowerUp = false;
    bool Duplex = false;
    bool Scrambler = false;
};
ChannelEnables ChannelEnableRules(const ChannelEnableInput& in);

// The scrambler list: "Off", "0".."3" and the stored codes 0, 4..7.
int ScramblerIndex(int16_t scramble);
int16_t ScramblerCode(int index);

// The message of the EXP completeness test: an enabled EXP channel needs an RX frequency
// and two CH Display characters.
bool ExpChannelComplete(const std::string& rxText, const std::string& displayFirst);

}  // namespace tq530
