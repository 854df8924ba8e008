// Start-up configuration and the shell's commands as plain functions over the Workspace: the
// command-line switches, the models global.ini offers, the model and port the user had last,
// the model change, the caption and the close decisions. Widgets only show their results.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "app/destinations.h"
#include "app/menu_model.h"
#include "app/settings_store.h"
#include "core/outcome.h"
#include "core/ui_host.h"
#include "core/workspace.h"

namespace tq530 {

constexpr int kPortMenuEntries = 4;

struct SwitchFlags {
    bool DiagnosticMode = false;
    bool LowSpeedLink = false;
};

// "/D", "/E", "/DE" or "/ED" as the whole command line, in any case, blanks around it.
SwitchFlags ParseCommandLine(const std::string& commandLine);

std::string GlobalIniPath(const std::string& programDir);

struct ModelScan {
    std::array<bool, kModelMenuEntries> Offered{};  // model menu positions 1-10 at 0-9
    int Count = 0;
    int LastCounted = 0;  // the model type of the last offered position, 0 when none
};

// Reads "use" of [model1], [model2], ... until a position has none.
ModelScan ScanModels(const std::string& globalIniPath);

// Why global.ini offers no model, in one line that names the file: missing, unreadable,
// empty, wide text, or which [modelN] sections were read and none had use=1.
std::string NoModelReason(const std::string& globalIniPath);

// The ATIS option of a model position: true, false or a number; false when missing.
bool ModelHasAtis(const std::string& globalIniPath, int modelType);

// The model the user had last when it is still offered, else the last one offered.
int ChooseModelType(const ModelScan& scan, const SettingsStore& store);

// The ten Model menu entries: offered positions visible and enabled, the current one checked.
std::array<MenuEntry, kModelMenuEntries> BuildModelMenu(const ModelScan& scan, int modelType);

// The Edit menu (with the Model submenu) is worth showing only with a choice to make.
inline bool ShowEditMenu(const ModelScan& scan) {
    return scan.Count >= 2;
}

// Sets ModelType and what follows from it: ModelName, TitleText and AtisEnabled.
void ApplyModelType(Workspace& ws, int modelType);

void SaveLastModel(const Workspace& ws, SettingsStore& store);

// "ComPath"/"ComNum", 1 when missing or not a number; kept as stored even outside 1-4.
int16_t ReadComNum(const SettingsStore& store);
// "Settings"/"hexvisible".
bool ReadHexVisible(const SettingsStore& store);

// The port menu command: ComNum = index + 1, stored only when it is the user's choice.
// Returns the check marks of COM1 to COM4 (none when ComNum lies outside them).
std::array<bool, kPortMenuEntries> SelectSerialPort(Workspace& ws, SettingsStore& store, int index,
                                                    bool userChoice);
std::array<bool, kPortMenuEntries> PortMenuChecks(int comNum);

// What a front end decides instead of global.ini and the per-user store.
struct StartUpOverrides {
    std::optional<int> ModelType;  // taken as it is, offered or not
    std::optional<bool> Atis;
    // Refuses a model type without a codec of its own; the window program takes whatever
    // global.ini offers.
    bool SupportedModelsOnly = false;
};

enum class StartUpFailure { None, NoModel, UnsupportedModel };

// What start-up decides before a front end starts its work.
struct StartUpResult {
    bool ModelFound = false;  // false: the start-up ends here, Failure and Reason say why
    StartUpFailure Failure = StartUpFailure::None;
    // NoModel: the line naming global.ini and why it offers none; UnsupportedModel: the line
    // naming the model type.
    std::string Reason;
    ModelScan Models;
    bool HexVisible = false;
};

// The start-up both front ends share: scans global.ini in programDir, chooses the model (the
// override, else the user's last one still offered, else the last offered) and its ATIS
// option, reads the port and builds the start-up data set in ws, the remembered destination
// included. Says nothing itself: on a failure ws is left without a data set and the caller
// tells the user.
StartUpResult PrepareStartUp(Workspace& ws, const std::string& programDir,
                             const SettingsStore& store, const StartUpOverrides& overrides,
                             UiHost& host, DestinationMenu& destinations);

// The window program's start-up over ws: switches, then the shared start-up. Shows "Unknown
// model!!" and its reason when global.ini offers no model.
// The new data set's destination menu is filled into destinations.
StartUpResult StartUp(Workspace& ws, SettingsStore& store, UiHost& host,
                      const std::string& commandLine, DestinationMenu& destinations);

// File New after its input check: pause, new data with the destinations, nothing changed.
void FileNew(Workspace& ws, const SettingsStore& store, UiHost& host,
             DestinationMenu& destinations);

// The Model menu command for index 0-9: the question, then the model and its texts. Returns
// true when the model changed; the caller then runs File New, input check and all, which may
// refuse to throw the data set away.
bool SelectModel(Workspace& ws, SettingsStore& store, UiHost& host, int index);

// AppTitle, two blanks, TitleText, and " - " with the current file's lower-case name.
std::string CaptionText(const Workspace& ws);

// The close request of the main window. inputCheck and save are the editor's check and the
// settings-file save to the current file; true when the window may close.
bool ConfirmClose(Workspace& ws, UiHost& host, const std::function<bool()>& inputCheck,
                  const std::function<Outcome()>& save);

// The geometry of a minimized window is not worth keeping.
inline bool StoreGeometryOnClose(bool minimized) {
    return !minimized;
}

}  // namespace tq530
