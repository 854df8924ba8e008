// Destination files: per-market factory images in the program folder that give a new data
// set its defaults. The Destination menu is kept here as data; the GUI only shows it.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "app/menu_model.h"
#include "app/settings_store.h"
#include "core/ui_host.h"
#include "core/workspace.h"

namespace tq530 {

constexpr int kDestinationMenuEntries = 11;
constexpr int kDestinationNamesShown = 10;

struct DestinationMenu {
    bool Enabled = false;
    std::array<MenuEntry, kDestinationMenuEntries> Entries{};

    int CheckedIndex() const;
};

// The end of the model's destination file names before ".ini" ("_17E8" for the NR6120).
std::string DestinationSuffix(int modelType);

// The destination name of a file name: the part before the first "_", upper-cased.
std::string DestinationNameOf(const std::string& fileName);

// The file names of the program folder ending in the model's suffix and ".ini" (compared
// without regard to case, as the desktop file systems the files come from do), sorted by name.
std::vector<std::string> ListDestinationFiles(const std::string& programDir, int modelType);

// The program folder, the name without a trailing "-M", the model suffix and ".ini".
std::string DestinationFileName(const Workspace& ws, const std::string& name);

// Checks, reads and decodes one destination file; false leaves the image as it was.
bool LoadDestinationImage(Workspace& ws, UiHost& host, const std::string& path);

// Fills the menu from the program folder and loads the remembered destination over the
// defaults, silently: the new-data sequence's last step.
void BuildDestinationMenu(Workspace& ws, const SettingsStore& store, UiHost& host,
                          DestinationMenu& menu);

// The new-data sequence as the program runs it: the built-in defaults (NewData), then the
// Destination menu filled from the program folder and the remembered destination loaded over
// them. A copy of a workspace passes a menu of its own, so that the window's stays as it is.
void NewDataSet(Workspace& ws, const SettingsStore& store, UiHost& host, DestinationMenu& menu);

// Loads the destination of a menu entry and remembers it; "IniFileRead Error!!" when it fails.
void LoadDestination(Workspace& ws, SettingsStore& store, UiHost& host, DestinationMenu& menu,
                     int index);

// The Destination menu command in its two halves: the question "Do you want to change to
// ...?" (not asked for the checked entry), false when it was cancelled; then new data with the
// chosen destination over them, DataChanged cleared. The window shows "General" in between.
bool ConfirmDestination(const Workspace& ws, UiHost& host, const DestinationMenu& menu, int index);
void ChangeDestination(Workspace& ws, SettingsStore& store, UiHost& host, DestinationMenu& menu,
                       int index);
// Both halves; false when nothing was done.
bool ChooseDestination(Workspace& ws, SettingsStore& store, UiHost& host, DestinationMenu& menu,
                       int index);

}  // namespace tq530
