// The rules of the channel and weather screens: what each field shows, which keys it takes,
// when an EXP frequency is valid, which controls are enabled and so which flags may be
// switched on. The screens bind these; CSV import asks the same of every row.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/settings_model.h"
#include "rules/refusal.h"

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
// The preset channel whose scrambler cannot be set.
constexpr int kScramblerLockedPosition = 32;

// The two CH Display boxes of a preset channel from its number text ("07A" -> "07", "A").
struct ChDisplay {
    std::string First;
    std::string Second;
};
ChDisplay ChannelDisplayText(const std::string& numberText);

// Text as a box that takes at most maxLength characters through keyFilter would hold it: a
// refusal when it is too long or has a character the filter discards.
Verdict CheckTypedText(RuleField field, const std::string& text, size_t maxLength,
                       bool (*keyFilter)(char));

// A channel name (CH Name, a weather channel's name) as it is stored.
Ruled<std::string> CheckChannelName(const std::string& text);

// An EXP frequency box's text (box: RxFrequency or TxFrequency): the stored value in MHz (0
// for an empty box), or a refusal when the text is not on the 25 kHz raster between 137 and
// 174 MHz.
Ruled<double> CheckExpFrequency(RuleField box, const std::string& text);

// Both CH Display boxes of an EXP channel written one after the other, as the grid shows
// them: the first two characters go into the first box, the third into the second.
Ruled<ChDisplay> CheckExpDisplay(const std::string& text);

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

// Duplex only on a channel that has it: the screen's box is disabled elsewhere, a settings
// file's "Duplex" is dropped there and a CSV's refused.
bool DuplexPossible(const ChannelRec& rec);
// What the "Tx Enable" box shows: a receive-only channel never transmits, whatever TxEnable
// holds.
bool TxEnableShown(const ChannelRec& rec);
// The boxes' enable state for a record as the screen shows it once "CH Enable" is checked.
// The operator may switch "CH Enable" before or after any other box, so it is no condition
// for the others.
ChannelEnables RecordEnables(const ChannelRec& rec, bool exp);

// The flags whose boxes hang on another one.
enum class ChannelFlag { TxEnable, LowPower, PowUp, Duplex };
// Switches a flag of the record as the screen lets the operator: on only where the screen
// enables its box, off always (a disabled box keeps its value, so a flag that is already on
// stays on). Nothing changes when the answer is a refusal.
Verdict SetChannelFlag(ChannelRec& rec, bool exp, ChannelFlag flag, bool on);

// The scrambler list: "Off", "0".."3" and the stored codes 0, 4..7.
int ScramblerIndex(int16_t scramble);
int16_t ScramblerCode(int index);

// The EXP completeness test over what an enabled EXP channel's boxes show: it needs an RX
// frequency and two CH Display characters. One refusal for each box that lacks something, the
// RX frequency's first.
std::vector<Refusal> ExpChannelGaps(const std::string& rxText, const std::string& displayFirst);
bool ExpChannelComplete(const std::string& rxText, const std::string& displayFirst);
// The same for a stored EXP channel, one refusal for each box that lacks something; none when
// the channel is not enabled.
std::vector<Refusal> ExpChannelGaps(const ChannelRec& rec);

}  // namespace tq530
