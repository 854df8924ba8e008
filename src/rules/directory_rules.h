// The rules of the Memory ID and Group ID entry screens: the directories stay packed (the
// entries in use run unbroken from entry 1), so an entry can be added only at the first free
// place and a deletion moves the later entries up. The entry screen binds these; CSV import
// makes every edit of a row through EditEntry.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/settings_model.h"
#include "rules/refusal.h"

namespace tq530 {

constexpr int kDirectoryNameMaxLength = 11;
constexpr int kIndividualMmsiLength = 9;
constexpr int kGroupMmsiLength = 8;  // behind a fixed "0"

// The entries in use counted from entry 1, up to the first free one; a directory without a
// free entry counts one more than it has, so that every entry counts as in use.
int UsedRunLength(const DirectoryEntry* entries, int count);

// The state of the entry screen's controls for entry n (1-based).
struct EntryControls {
    bool AddEnabled = false;
    bool AddChecked = false;
    bool DeleteEnabled = false;
    bool DeleteChecked = false;
    bool Fields = false;      // name and MMSI boxes and their labels
    bool AddRefused = false;  // the first free place behind an entry without name or MMSI
};
EntryControls EntryControlRules(const DirectoryEntry* entries, int count, int n);

// Removes entry n (1-based): the later entries move up one place, the last becomes free.
// The channel flags stay where they are.
void DeleteEntry(DirectoryEntry* entries, int count, int n);

// Puts entry n (1-based) in use: only the first free place, and only behind an entry with a
// name and an MMSI (what "Add" allows).
Verdict AddEntry(DirectoryEntry* entries, int count, int n);
// Stores an MMSI as CheckDirectoryMmsi gives it into entry n; an empty one deletes the entry
// at once. True when the entry went.
bool StoreEntryMmsi(DirectoryEntry* entries, int count, int n, const std::string& stored);

// The MMSI box's text as it is stored, or a refusal when its length is wrong: empty stays
// empty; a group MMSI gets its leading "0"; nine digits get the trailing "0".
Ruled<std::string> CheckDirectoryMmsi(const std::string& text, bool group);
// The name box's text as it is stored: never a name that trims to nothing. (Its length and
// characters are the box's: it takes kDirectoryNameMaxLength through DirectoryNameKey.)
Ruled<std::string> CheckDirectoryName(const std::string& text);
bool DirectoryNameKey(char c);

// One edit of entry n as a form gives it: the texts of the name and MMSI boxes, nothing for
// a box left alone. An entry in use takes them as its screen would, one box after the other
// (an emptied MMSI deletes it, the later entries moving up); a free entry given a name or an
// MMSI is added first, as "Add" would. Every refusal is listed and then nothing is changed.
struct EntryEdit {
    std::optional<std::string> Name;
    std::optional<std::string> Mmsi;
};
struct EntryEditResult {
    std::vector<Refusal> Refusals;
    bool Deleted = false;
};
// The checks of the texts alone, wherever the entry is: what EditEntry refuses first. The
// texts as they are stored go to name and mmsi when they pass.
std::vector<Refusal> CheckEntryEdit(const EntryEdit& edit, bool group, std::string* name = nullptr,
                                    std::string* mmsi = nullptr);
EntryEditResult EditEntry(DirectoryEntry* entries, int count, int n, bool group,
                          const EntryEdit& edit);

// Texts of the entry screen.
const char* DirectoryCaption(bool group);  // the refusal's caption
const char* DirectoryNameCaption(bool group);
constexpr const char* kAreYouSure = "Are you sure ?";

}  // namespace tq530
