#include "rules/directory_rules.h"

#include <algorithm>

#include "rules/channel_rules.h"

namespace tq530 {

int UsedRunLength(const DirectoryEntry* entries, int count) {
    for (int i = 0; i < count; ++i) {
        if (entries[i].Enable == 0) {
            return i;
        }
    }
    return count + 1;
}

EntryControls EntryControlRules(const DirectoryEntry* entries, int count, int n) {
    EntryControls c;
    const int used = UsedRunLength(entries, count);
    if (n <= used) {
        c.AddChecked = true;
        c.DeleteEnabled = true;
        c.Fields = true;
        return c;
    }
    c.DeleteChecked = true;
    if (n == used + 1) {
        const DirectoryEntry* before = n > 1 ? &entries[n - 2] : nullptr;
        c.AddRefused = before != nullptr && (before->TagName.empty() || before->Mmsid.empty());
        c.AddEnabled = !c.AddRefused;
    }
    return c;
}

void DeleteEntry(DirectoryEntry* entries, int count, int n) {
    if (n < 1 || n > count) {
        return;
    }
    for (int i = n - 1; i < count - 1; ++i) {
        entries[i].Enable = entries[i + 1].Enable;
        entries[i].Mmsid = entries[i + 1].Mmsid;
        entries[i].TagName = entries[i + 1].TagName;
    }
    DirectoryEntry& last = entries[count - 1];
    last.Enable = kOff;
    last.Mmsid.clear();
    last.TagName.clear();
}

std::optional<std::string> CheckDirectoryMmsi(const std::string& text, bool group) {
    const size_t first = text.find_first_not_of(' ');
    const std::string trimmed = first == std::string::npos
                                    ? std::string()
                                    : text.substr(first, text.find_last_not_of(' ') - first + 1);
    if (trimmed.empty()) {
        return trimmed;
    }
    const size_t length = group ? kGroupMmsiLength : kIndividualMmsiLength;
    if (trimmed.size() != length || !std::all_of(trimmed.begin(), trimmed.end(), DigitKey)) {
        return std::nullopt;
    }
    std::string stored = group ? "0" + trimmed : trimmed;
    if (stored.size() == kIndividualMmsiLength) {
        stored += "0";
    }
    return stored;
}

std::optional<std::string> DirectoryNameToStore(const std::string& text) {
    if (text.find_first_not_of(' ') == std::string::npos) {
        return std::nullopt;
    }
    return text;
}

bool DirectoryNameKey(char c) {
    return ChannelNameKey(c);
}

const char* DirectoryCaption(bool group) {
    return group ? "Group Directory" : "Individual Directory";
}

const char* DirectoryNameCaption(bool group) {
    return group ? "Group Name" : "Station Name";
}

}  // namespace tq530
