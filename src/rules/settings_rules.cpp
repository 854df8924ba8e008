#include "rules/settings_rules.h"

#include <algorithm>

#include "model/channel_number_table.h"
#include "model/display_texts.h"
#include "model/image_layout.h"

namespace tq530 {

namespace {

ChoiceItems Indexed(std::initializer_list<const char*> texts) {
    ChoiceItems items;
    for (const char* text : texts) {
        items.push_back({text, static_cast<int>(items.size())});
    }
    return items;
}

bool AllDigits(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return std::string();
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// A channel of a plan by its number text in the channel number table.
std::string NumberText(const ChannelRec& rec) {
    const ChannelNumberTable& table = Channels();
    return rec.Position >= 0 && rec.Position < static_cast<int>(table.size())
               ? table[static_cast<size_t>(rec.Position)].Name
               : std::string();
}

}  // namespace

int IndexOfValue(const ChoiceItems& items, int value) {
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].Value == value) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

ChoiceItems FixedItems(FixedList list) {
    switch (list) {
        case FixedList::OffOn:
            return Indexed({"Off", "On"});
        case FixedList::LowHi:
            return Indexed({"Low", "Hi"});
        case FixedList::TxPoDisplay:
            return Indexed({"Lo Po Only", "Lo Po on Changing CH", "Last TX Po"});
        case FixedList::ResumeTime:
            return Indexed({"Off", "1Sec", "2Sec", "3Sec", "4Sec", "5Sec"});
        case FixedList::TimeDisplay:
            return Indexed({"UTC", "Local"});
        case FixedList::WeatherAlert:
            return Indexed({"Off", "On Wx", "On Scan", "Wx and Scan"});
        case FixedList::Interval:
            return Indexed({"OFF", "15 sec", "30 sec", "1 min", "2 min", "5 min", "10 min",
                            "15 min", "20 min", "25 min", "30 min", "35 min", "40 min", "45 min",
                            "50 min"});
        case FixedList::SelectCall:
            return Indexed({"Individual", "Group", "Multi-St"});
    }
    return {};
}

int FlagIndex(Flag flag) {
    return flag != 0 ? 1 : 0;
}

Flag FlagOfIndex(int index) {
    return ToFlag(index == 1);
}

ChoiceItems OffsetTimeItems() {
    ChoiceItems items;
    for (int halfHours = -24; halfHours <= 24; ++halfHours) {
        items.push_back({OffsetTimeText(halfHours), halfHours});
    }
    return items;
}

ChoiceItems PriorityChannelItems(const SettingsModel& model, int group) {
    ChoiceItems items;
    if (group < 0 || group > 2) {
        return items;
    }
    for (const ChannelRec& rec : model.GroupPlan(group)) {
        if (rec.Enable != 0) {
            items.push_back({NumberText(rec), rec.Position});
        }
    }
    return items;
}

ChoiceItems AutoPosChannelItems(const SettingsModel& model) {
    ChoiceItems items = PriorityChannelItems(model, 0);
    for (size_t i = 0; i < model.Exp.size(); ++i) {
        const ChannelRec& rec = model.Exp[i];
        if (rec.Enable != 0) {
            items.push_back(
                {rec.CHDisplayL + rec.CHDisplayR, kExpChannelNumberBase + static_cast<int>(i) + 1});
        }
    }
    return items;
}

namespace {

template <size_t N>
ChoiceItems NamesOf(const std::array<DirectoryEntry, N>& entries) {
    ChoiceItems items;
    for (size_t i = 0; i < N && !entries[i].TagName.empty(); ++i) {
        items.push_back({entries[i].TagName, static_cast<int>(i)});
    }
    return items;
}

}  // namespace

ChoiceItems DirectoryNameItems(const SettingsModel& model, int selectCall) {
    return selectCall == kSelectCallGroup ? NamesOf(model.GroupIds) : NamesOf(model.MemoryIds);
}

std::string DirectoryMmsi(const SettingsModel& model, int selectCall, int entryIndex) {
    const bool group = selectCall == kSelectCallGroup;
    const int count = group ? kGroupIdCount : kMemoryIdCount;
    if (entryIndex < 0 || entryIndex >= count) {
        return std::string();
    }
    const size_t i = static_cast<size_t>(entryIndex);
    return group ? model.GroupIds[i].Mmsid : model.MemoryIds[i].Mmsid;
}

std::string UsableGroupCaption(int group) {
    static const char* const kCaptions[kGroupCount] = {"Group1", "Group2", "Group3",
                                                       "EXP CH Group"};
    return group >= 0 && group < kGroupCount ? kCaptions[group] : std::string();
}

std::string AtisGroupCaption(int group, const std::string& statusName) {
    const std::string caption = UsableGroupCaption(group);
    return statusName.empty() ? caption : caption + "[" + statusName + "]";
}

std::string StatusNameToStore(const std::string& text) {
    if (Trimmed(text).empty()) {
        return std::string();
    }
    return text.substr(0, kStatusNameLength);
}

Ruled<std::string> CheckMmsi(RuleField box, const std::string& text) {
    if (text.empty()) {
        return std::string();
    }
    if (text.size() != kMmsiLength || !AllDigits(text)) {
        return Refusal{box, "nine digits, or none"};
    }
    return text + "0";
}

Ruled<std::string> CheckAtisCode(const std::string& text) {
    if (text.empty() || (text.size() == kAtisCodeLength && AllDigits(text))) {
        return text;
    }
    return Refusal{RuleField::AtisCode, "ten digits, or none"};
}

std::string MmsiBoxText(const std::string& stored, bool group) {
    const bool tenDigits = stored.size() == 10 && stored.back() == '0' && AllDigits(stored);
    if (!tenDigits) {
        return stored;
    }
    if (group && stored.front() == '0') {
        return stored.substr(1, 8);
    }
    return group ? stored : stored.substr(0, 9);
}

bool DependentEnabled(int offOnIndex) {
    return offOnIndex == 1;
}

AutoPosEnables AutoPosEnableRules(bool enableChecked, Flag rcEnable) {
    return {enableChecked, enableChecked && rcEnable != 0};
}

bool AnyGroupUsable(const SettingsModel& model) {
    return std::any_of(model.UsableGroups.begin(), model.UsableGroups.end(),
                       [](const UsableGroup& g) { return g.Usable != 0; });
}

}  // namespace tq530
