// The settings file (".dat"): the whole settings model as INI-like text. The writer's lines are
// fixed; the reader has its own tolerant line parser and looks values up by section and key,
// so that hand-edited files load too.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/file_dialogs.h"
#include "core/file_io.h"
#include "core/outcome.h"
#include "core/ui_host.h"
#include "core/workspace.h"

namespace tq530 {

constexpr const char* kSettingsFileFilter = "dat files(*.dat)|*.dat|All files(*.*)|*.*";

struct SettingsEntry {
    std::string Key;  // trimmed, upper-case
    std::string Value;
};

struct SettingsSection {
    std::string Name;  // trimmed, upper-case
    std::vector<SettingsEntry> Entries;
};

// A parsed file: sections in file order, duplicates kept.
class ParsedSettings {
  public:
    std::vector<SettingsSection> Sections;

    // Index of the last section, -1 when there is none.
    int LastSection() const { return static_cast<int>(Sections.size()) - 1; }
    // Builds the lookup by section name; the parser calls it.
    void BuildIndex();
    // The sections of a name (upper-case), in file order; null when there is none.
    const std::vector<size_t>* SectionsNamed(const std::string& upperName) const;
    // The first value, in file order, of the key (any case) in those sections; null when none.
    const std::string* Find(const std::vector<size_t>* sections, std::string_view key) const;

  private:
    std::unordered_map<std::string, std::vector<size_t>> byName_;
};

ParsedSettings ParseSettingsText(const std::string& text);

using FileReader = std::function<bool(const std::string&, std::string&, FileError&)>;
bool ParseSettingsFile(const std::string& path, ParsedSettings& parsed, FileError& error,
                       const FileReader& read = ReadWholeFile);

// The value of the first entry in file order under that section and key (any case); "".
std::string GetSettingsValue(const ParsedSettings& parsed, const std::string& section,
                             const std::string& key);

// "Group1, Group2, Group3, Exp CH" gives the four names, trimmed.
std::vector<std::string> SplitList(const std::string& text);

// The whole file text of the workspace's settings.
std::string BuildSettingsText(const Workspace& ws);

// Overwrites the settings model from a parsed file, section by section; values of a wrong
// form and missing keys leave numbers and flags as they were. Returns how many of the keys
// it looks up the file has.
size_t ApplySettings(Workspace& ws, UiHost& host, const ParsedSettings& parsed);

// Writes the file; on failure: error-log line and "FileSave Error!!". The file it replaces
// survives a failed save.
Outcome WriteSettingsFile(Workspace& ws, UiHost& host, const std::string& path);

// "MODELTYPE" of [MAIN] must be the current model type; else "ModelType Error !!", with a
// reason line when the file has no such line (empty, UTF-16, no [MAIN], tab-separated).
bool CheckModelType(const Workspace& ws, UiHost& host, const std::string& path);

// The model-type check, then the file over the data set ws holds, which the caller started
// as a new data set. A file with no known setting beyond [MAIN] fails as an unreadable one
// does ("FileRead Error!!") and leaves the model as it was.
Outcome ApplySettingsFile(Workspace& ws, UiHost& host, const std::string& path,
                          const FileReader& read = ReadWholeFile);
// The same over the built-in defaults (NewData), for a load that has no destination files.
Outcome ReadSettingsFile(Workspace& ws, UiHost& host, const std::string& path,
                         const FileReader& read = ReadWholeFile);

// File Save (saveToCurrent) and Save As; the caller has run the input check. Cancelled when
// no path was chosen. Sets CommError and CancelRequested at its end.
Outcome SaveSettings(Workspace& ws, UiHost& host, FileDialogs& dialogs, bool saveToCurrent);

}  // namespace tq530
