#include "rules/directory_rules.h"

#include <algorithm>

#include "model/text_util.h"
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

Verdict AddEntry(DirectoryEntry* entries, int count, int n) {
    if (n < 1 || n > count) {
        return Refusal{RuleField::Entry, "there is no entry " + std::to_string(n)};
    }
    const EntryControls c = EntryControlRules(entries, count, n);
    if (c.AddChecked) {
        return std::nullopt;  // in use already
    }
    if (c.AddRefused) {
        return Refusal{RuleField::Entry, "entry " + std::to_string(n - 1) +
                                             " needs a name and an MMSI before entry " +
                                             std::to_string(n) + " is added"};
    }
    if (!c.AddEnabled) {
        return Refusal{RuleField::Entry, "entry " + std::to_string(n) +
                                             " is behind the free entry " +
                                             std::to_string(UsedRunLength(entries, count) + 1) +
                                             ": entries in use follow each other from 1"};
    }
    entries[n - 1].Enable = kOn;
    return std::nullopt;
}

bool StoreEntryMmsi(DirectoryEntry* entries, int count, int n, const std::string& stored) {
    if (n < 1 || n > count) {
        return false;
    }
    if (!stored.empty()) {
        entries[n - 1].Mmsid = stored;
        return false;
    }
    // An entry without an MMSI is no entry: it goes at once, without a question.
    entries[n - 1].Mmsid.clear();
    DeleteEntry(entries, count, n);
    return true;
}

Ruled<std::string> CheckDirectoryMmsi(const std::string& text, bool group) {
    const std::string trimmed = Trim(text);
    if (trimmed.empty()) {
        return trimmed;
    }
    const size_t length = group ? kGroupMmsiLength : kIndividualMmsiLength;
    if (trimmed.size() != length || !std::all_of(trimmed.begin(), trimmed.end(), DigitKey)) {
        return Refusal{RuleField::EntryMmsi, "\"" + trimmed + "\"" +
                                                 (group ? " is not a group MMSI of 8 digits"
                                                        : " is not an MMSI of 9 digits")};
    }
    std::string stored = group ? "0" + trimmed : trimmed;
    if (stored.size() == kIndividualMmsiLength) {
        stored += "0";
    }
    return stored;
}

Ruled<std::string> CheckDirectoryName(const std::string& text) {
    if (Trim(text).empty()) {
        return Refusal{RuleField::EntryName, "a name can be changed but not emptied"};
    }
    return text;
}

std::vector<Refusal> CheckEntryEdit(const EntryEdit& edit, bool group, std::string* name,
                                    std::string* mmsi) {
    std::vector<Refusal> refusals;
    if (edit.Name) {
        // The whole text is typed, so the box's length and key filter apply to all of it.
        const Verdict typed = CheckTypedText(RuleField::EntryName, *edit.Name,
                                             kDirectoryNameMaxLength, DirectoryNameKey);
        const Ruled<std::string> r =
            typed ? Ruled<std::string>(*typed) : CheckDirectoryName(*edit.Name);
        if (!r) {
            refusals.push_back(r.Why());
        } else if (name != nullptr) {
            *name = *r;
        }
    }
    if (edit.Mmsi) {
        const Ruled<std::string> r = CheckDirectoryMmsi(*edit.Mmsi, group);
        if (!r) {
            refusals.push_back(r.Why());
        } else if (mmsi != nullptr) {
            *mmsi = *r;
        }
    }
    return refusals;
}

EntryEditResult EditEntry(DirectoryEntry* entries, int count, int n, bool group,
                          const EntryEdit& edit) {
    EntryEditResult result;
    if (n < 1 || n > count) {
        return result;
    }
    const int used = UsedRunLength(entries, count);
    const bool inUse = n <= used;
    std::optional<std::string> name;
    std::optional<std::string> mmsi;
    std::string checkedName;
    std::string checkedMmsi;
    result.Refusals = CheckEntryEdit(edit, group, &checkedName, &checkedMmsi);
    if (edit.Name) {
        name = checkedName;
    }
    if (edit.Mmsi) {
        mmsi = checkedMmsi;
    }
    if (!inUse && mmsi && mmsi->empty()) {
        mmsi.reset();  // a free entry has no MMSI to empty
    }
    if (inUse && mmsi && mmsi->empty()) {
        // The entry goes: what its name box held no longer matters.
        name.reset();
        result.Refusals.erase(
            std::remove_if(result.Refusals.begin(), result.Refusals.end(),
                           [](const Refusal& r) { return r.Field == RuleField::EntryName; }),
            result.Refusals.end());
    }
    if (!inUse && entries[n - 1].Enable != 0) {
        result.Refusals.push_back(
            {RuleField::Entry, "entry " + std::to_string(n) + " is in use behind the free entry " +
                                   std::to_string(used + 1) +
                                   ": entries in use follow each other from 1"});
    }
    if (!result.Refusals.empty() || (!inUse && !name && !mmsi)) {
        return result;
    }
    if (!inUse) {
        if (Verdict refused = AddEntry(entries, count, n)) {
            result.Refusals.push_back(*refused);
            return result;
        }
    }
    if (name) {
        entries[n - 1].TagName = *name;
    }
    if (mmsi) {
        result.Deleted = StoreEntryMmsi(entries, count, n, *mmsi);
    }
    return result;
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
