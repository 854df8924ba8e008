// The rules of the usable-group, common, DSC and ATIS screens: the items of every choice
// list, which controls a value enables, and the checks of their digit boxes. The screens
// only bind these to their controls.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/settings_model.h"
#include "rules/refusal.h"

namespace tq530 {

// One item of a choice list: its text and the value it stores (the index where the list
// stores its index).
struct ChoiceItem {
    std::string Text;
    int Value = 0;
    bool operator==(const ChoiceItem& o) const { return Text == o.Text && Value == o.Value; }
};
using ChoiceItems = std::vector<ChoiceItem>;

// The index of the first item with this value, -1 when none has it.
int IndexOfValue(const ChoiceItems& items, int value);

// Fixed lists whose index is the stored value.
enum class FixedList {
    OffOn,
    LowHi,
    TxPoDisplay,
    ResumeTime,
    TimeDisplay,
    WeatherAlert,
    Interval,
    SelectCall,
};
ChoiceItems FixedItems(FixedList list);

// A flag in a two-item list: "Off"/"On", "Low"/"Hi", "UTC"/"Local".
int FlagIndex(Flag flag);
Flag FlagOfIndex(int index);

// -12:00 ... +12:00 in half hours; the value is the offset in half hours (-24 ... 24).
ChoiceItems OffsetTimeItems();

// "Priority CH" of usable group 0-2: the enabled channels of its plan by number text, the
// value is the channel's Position.
ChoiceItems PriorityChannelItems(const SettingsModel& model, int group);

// "Channel NO#." of the automatic position report: the enabled USA channels, then the enabled
// EXP channels by their display text, valued 159 + the EXP channel's number.
ChoiceItems AutoPosChannelItems(const SettingsModel& model);

// "Dir Name": the names of the group directory for a group call, of the individual one
// otherwise, from entry 1 up to the first entry without a name; the value is the 0-based
// entry index.
ChoiceItems DirectoryNameItems(const SettingsModel& model, int selectCall);
constexpr int kSelectCallGroup = 1;
constexpr int16_t kSelectCallNone = 255;

// The Mmsid of the entry a "Dir Name" item names, "" when there is none.
std::string DirectoryMmsi(const SettingsModel& model, int selectCall, int entryIndex);

// Group captions: "Group1".."Group3" and "EXP CH Group".
std::string UsableGroupCaption(int group);
// An ATIS group box: the caption, followed by "[status]" when the group has a status name.
std::string AtisGroupCaption(int group, const std::string& statusName);

// A status name as it is stored when its box is left: empty when it trims to nothing,
// otherwise its first 4 characters.
std::string StatusNameToStore(const std::string& text);
constexpr int kStatusNameLength = 4;

// The digit boxes of the DSC and ATIS screens. A check returns what is stored, or the
// refusal of the box (UserMmsi or AutoPosMmsi for an MMSI): an empty text stores empty, an
// MMSI of 9 digits is stored with a "0" appended, an ATIS code must have exactly 10 digits.
constexpr int kMmsiLength = 9;
constexpr int kAtisCodeLength = 10;
Ruled<std::string> CheckMmsi(RuleField box, const std::string& text);
Ruled<std::string> CheckAtisCode(const std::string& text);
// What an MMSI box shows of a stored value: the digits without the "0" the store appended
// (and, for a group MMSI, without the "0" put in front). Other texts are shown as stored.
std::string MmsiBoxText(const std::string& stored, bool group = false);

// The captions of the refusals.
constexpr const char* kDataError = "Data Error!!";
constexpr const char* kUserMmsiCaption = "User MMSI";
constexpr const char* kAtisCodeCaption = "ATISNo";
constexpr const char* kAutoPosMmsiCaption = "Auto POS MMSI";

// The status-bar hints of the transfer buttons of the DSC screen.
constexpr const char* kMmsiClearHint =
    "A Click Inicializes the number of User MMSI setting permission";
constexpr const char* kLogClearHint = "A Click Inicializes the log";

// A list that depends on an "Off"/"On" list (Resume Time on SCAN, a TX level on its call)
// is enabled while that list shows "On".
bool DependentEnabled(int offOnIndex);

// The automatic position report frame: the channel, interval, select-call and name lists
// follow its Enable box; the MMSI box needs remote control as well.
struct AutoPosEnables {
    bool Fields = false;
    bool Mmsi = false;
};
AutoPosEnables AutoPosEnableRules(bool enableChecked, Flag rcEnable);

// The ATIS code box is usable while at least one group is.
bool AnyGroupUsable(const SettingsModel& model);

}  // namespace tq530
