// The rules of the Memory ID and Group ID entry screens: the directories stay packed (the
// entries in use run unbroken from entry 1), so an entry can be added only at the first free
// place and a deletion moves the later entries up.
#pragma once

#include <optional>
#include <string>

#include "model/settings_model.h"

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

// The MMSI box's text as it is stored, or nothing when its length is wrong: empty stays
// empty; a group MMSI gets its leading "0"; nine digits get the trailing "0".
std::optional<std::string> CheckDirectoryMmsi(const std::string& text, bool group);
// The name box's text when it is stored: never a name that trims to nothing.
std::optional<std::string> DirectoryNameToStore(const std::string& text);
bool DirectoryNameKey(char c);

// Texts of the entry screen.
const char* DirectoryCaption(bool group);  // the refusal's caption
const char* DirectoryNameCaption(bool group);
constexpr const char* kAreYouSure = "Are you sure ?";

}  // namespace tq530
