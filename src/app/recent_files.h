// The data sets the user opened or saved last, newest first, kept in the per-user settings so
// that the File menu offers them again after a restart.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/settings_store.h"

namespace tq530 {

constexpr int kRecentFileEntries = 8;

using FileExists = std::function<bool(const std::string& path)>;
bool RegularFileExists(const std::string& path);

// The stored list without the files that are gone (the store is not changed).
std::vector<std::string> ReadRecentFiles(const SettingsStore& store,
                                         const FileExists& exists = RegularFileExists);

// Puts path first (once), keeps at most kRecentFileEntries and stores the list.
std::vector<std::string> NoteRecentFile(SettingsStore& store, const std::string& path,
                                        const FileExists& exists = RegularFileExists);

// The menu caption of entry index (0-based): its access key and the file's name; "&" in the
// name shows as itself.
std::string RecentFileCaption(int index, const std::string& path);

}  // namespace tq530
