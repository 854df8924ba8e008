#include "app/startup.h"

#include <cerrno>

#include "core/file_io.h"
#include "core/text_encoding.h"
#include "files/ini_reader.h"
#include "files/number_text.h"
#include "model/model_traits.h"

namespace tq530 {

SwitchFlags ParseCommandLine(const std::string& commandLine) {
    const std::string word = UpperAscii(TrimBlanks(commandLine));
    SwitchFlags flags;
    if (word == "/DE" || word == "/ED") {
        flags.DiagnosticMode = true;
        flags.LowSpeedLink = true;
    } else if (word == "/D") {
        flags.DiagnosticMode = true;
    } else if (word == "/E") {
        flags.LowSpeedLink = true;
    }
    return flags;
}

std::string GlobalIniPath(const std::string& programDir) {
    return PathIn(programDir, "global.ini");
}

static std::string ModelSection(int modelType) {
    return "model" + std::to_string(modelType);
}

ModelScan ScanModels(const std::string& globalIniPath) {
    ModelScan scan;
    for (int n = 1; n <= kModelMenuEntries; ++n) {
        const std::string use = ReadIniString(globalIniPath, ModelSection(n), "use");
        if (use.empty()) {
            break;
        }
        if (LeadingNumber(use) == 1.0) {
            scan.Offered[static_cast<size_t>(n - 1)] = true;
            scan.LastCounted = n;
            ++scan.Count;
        }
    }
    return scan;
}

std::string NoModelReason(const std::string& globalIniPath) {
    std::string text;
    FileError error;
    std::string why;
    if (!ReadWholeFile(globalIniPath, text, error)) {
        why = error.Number == ENOENT ? "the file is missing" : "cannot read: " + error.Text;
    } else if (text.find_first_not_of(" \t\v\f\r\n") == std::string::npos) {
        why = "the file is empty";
    } else if (const std::string wide = WideEncodingOf(text); !wide.empty()) {
        why = "the file is " + wide + " text, not 8-bit text";
    } else {
        // The scan reads [model1], [model2], ... and stops at the first without "use".
        int n = 1;
        while (n <= kModelMenuEntries &&
               !ReadIniString(globalIniPath, ModelSection(n), "use").empty()) {
            ++n;
        }
        if (n == 1) {
            why = "no [model1] with a \"use\" key, where the list of models begins";
        } else {
            why = "none of [model1] to [" + ModelSection(n - 1) + "] has use=1";
            if (n <= kModelMenuEntries) {
                why += " (the list ends at [" + ModelSection(n) + "], which has no \"use\")";
            }
        }
    }
    return globalIniPath + ": " + why;
}

bool ModelHasAtis(const std::string& globalIniPath, int modelType) {
    const std::string atis = ReadIniString(globalIniPath, ModelSection(modelType), "atis");
    return ParseBoolText(atis).value_or(false);
}

int ChooseModelType(const ModelScan& scan, const SettingsStore& store) {
    const long long last =
        ParseRoundedInteger(store.GetText("Settings", "lastmodel", "1"), -32768, 32767).value_or(1);
    if (last >= 1 && last <= kModelMenuEntries && scan.Offered[static_cast<size_t>(last - 1)]) {
        return static_cast<int>(last);
    }
    return scan.LastCounted;
}

std::array<MenuEntry, kModelMenuEntries> BuildModelMenu(const ModelScan& scan, int modelType) {
    std::array<MenuEntry, kModelMenuEntries> menu{};
    for (int n = 1; n <= kModelMenuEntries; ++n) {
        MenuEntry& entry = menu[static_cast<size_t>(n - 1)];
        if (scan.Offered[static_cast<size_t>(n - 1)]) {
            entry.Caption = TraitsOf(n).MenuCaption;
            entry.Visible = true;
            entry.Enabled = true;
        }
        entry.Checked = n == modelType;
    }
    return menu;
}

void ApplyModelType(Workspace& ws, int modelType) {
    ws.SetModelType(static_cast<int16_t>(modelType));
    ws.AtisEnabled = ModelHasAtis(GlobalIniPath(ws.ProgramDir), modelType);
}

void SaveLastModel(const Workspace& ws, SettingsStore& store) {
    store.SetText("Settings", "lastmodel", std::to_string(ws.ModelType));
}

int16_t ReadComNum(const SettingsStore& store) {
    return static_cast<int16_t>(
        ParseRoundedInteger(store.GetText("ComPath", "ComNum", "1"), -32768, 32767).value_or(1));
}

bool ReadHexVisible(const SettingsStore& store) {
    return ParseBoolText(store.GetText("Settings", "hexvisible", "False")).value_or(false);
}

std::array<bool, kPortMenuEntries> PortMenuChecks(int comNum) {
    std::array<bool, kPortMenuEntries> checks{};
    if (comNum >= 1 && comNum <= kPortMenuEntries) {
        checks[static_cast<size_t>(comNum - 1)] = true;
    }
    return checks;
}

std::array<bool, kPortMenuEntries> SelectSerialPort(Workspace& ws, SettingsStore& store, int index,
                                                    bool userChoice) {
    ws.ComNum = static_cast<int16_t>(index + 1);
    if (userChoice) {
        store.SetText("ComPath", "ComNum", std::to_string(ws.ComNum));
    }
    return PortMenuChecks(ws.ComNum);
}

StartUpResult PrepareStartUp(Workspace& ws, const std::string& programDir,
                             const SettingsStore& store, const StartUpOverrides& overrides,
                             UiHost& host, DestinationMenu& destinations) {
    StartUpResult result;
    ws.ProgramDir = programDir;
    ws.ScrambleFeature = false;
    const std::string globalIni = GlobalIniPath(programDir);
    result.Models = ScanModels(globalIni);
    if (result.Models.Count == 0 && !overrides.ModelType) {
        result.Failure = StartUpFailure::NoModel;
        result.Reason = NoModelReason(globalIni);
        return result;
    }
    const int modelType = overrides.ModelType.value_or(ChooseModelType(result.Models, store));
    if (overrides.SupportedModelsOnly && !TraitsOf(modelType).Supported) {
        result.Failure = StartUpFailure::UnsupportedModel;
        result.Reason = "model type " + std::to_string(modelType) +
                        ": only the model types 1 and 11 are supported";
        return result;
    }
    result.ModelFound = true;
    ApplyModelType(ws, modelType);
    if (overrides.Atis) {
        ws.AtisEnabled = *overrides.Atis;
    }
    result.HexVisible = ReadHexVisible(store);
    // The stored port is taken as it is, also outside COM1-COM4.
    ws.ComNum = ReadComNum(store);
    ws.RetryCount = 3;

    NewDataSet(ws, store, host, destinations);
    ws.DataChanged = false;
    return result;
}

StartUpResult StartUp(Workspace& ws, SettingsStore& store, UiHost& host,
                      const std::string& commandLine, DestinationMenu& destinations) {
    const SwitchFlags flags = ParseCommandLine(commandLine);
    ws.DiagnosticMode = flags.DiagnosticMode;
    ws.LowSpeedLink = flags.LowSpeedLink;
    const StartUpResult result = PrepareStartUp(ws, ws.ProgramDir, store, {}, host, destinations);
    if (result.Failure == StartUpFailure::NoModel) {
        host.ShowMessage("Unknown model!!", kAppTitle, MsgIcon::Critical);
        host.ShowReason(result.Reason);
    }
    return result;
}

void FileNew(Workspace& ws, const SettingsStore& store, UiHost& host,
             DestinationMenu& destinations) {
    const BusyGuard busy(ws, &host);
    host.PacingPause(500);
    NewDataSet(ws, store, host, destinations);
    ws.DataChanged = false;
}

bool SelectModel(Workspace& ws, SettingsStore& store, UiHost& host, int index) {
    const int modelType = index + 1;
    if (ws.ModelType == modelType) {
        return false;
    }
    const std::string question =
        "Do you want to program the " + std::string(TraitsOf(modelType).Name) + " series?";
    if (host.Ask(question, ws.TitleText, MsgIcon::Exclamation, Buttons::OkCancel, Answer::Ok) !=
        Answer::Ok) {
        return false;
    }
    ApplyModelType(ws, modelType);
    SaveLastModel(ws, store);
    return true;
}

std::string CaptionText(const Workspace& ws) {
    std::string caption = std::string(kAppTitle) + "  " + ws.TitleText;
    if (!ws.CurrentFileName.empty()) {
        caption += " - " + LowerAscii(BaseName(ws.CurrentFileName));
    }
    return caption;
}

bool ConfirmClose(Workspace& ws, UiHost& host, const std::function<bool()>& inputCheck,
                  const std::function<Outcome()>& save) {
    if (!ws.DataChanged) {
        return true;
    }
    const Answer answer =
        host.Ask("KCP data has changed.\nDo you want to save changes?", ws.TitleText,
                 MsgIcon::Exclamation, Buttons::YesNoCancel, Answer::Yes);
    if (answer == Answer::No) {
        return true;
    }
    if (answer != Answer::Yes) {
        return false;
    }
    if (inputCheck && !inputCheck()) {
        return false;
    }
    return save() == Outcome::Ok;
}

}  // namespace tq530
