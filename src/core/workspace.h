// The program-wide state: the settings model, the radio image, the current model and the
// flags every operation reports through. One Workspace per run, passed by reference.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "model/radio_image.h"
#include "model/settings_model.h"

namespace tq530 {

constexpr const char* kAppTitle = "TQ530";
constexpr int kModelMenuEntries = 10;

struct Workspace {
    SettingsModel Model;
    RadioImage Image;

    int16_t ModelType = 1;
    std::string ModelName = "NR6120";
    std::string TitleText = "PC Program for NR6120";
    bool AtisEnabled = false;

    bool DiagnosticMode = false;
    bool LowSpeedLink = false;
    int16_t ComNum = 1;
    // A serial device chosen by its name instead of a COM number; "" when a COM number is.
    std::string ComDevice;
    int16_t RetryCount = 3;
    bool ScrambleFeature = false;

    bool BusyFlag = false;
    bool DataChanged = false;
    bool CommError = false;
    bool CancelRequested = false;
    bool TransferDone = false;
    std::string CurrentFileName;

    // Folder of global.ini, the destination files and err.log.
    std::string ProgramDir;

    // Steps of the new-data sequence that belong to other layers. Each is optional: without
    // a destination loader the built-in defaults stand; without a screen hook nothing is shown.
    std::function<void(Workspace&)> RebuildDestinations;
    std::function<void(Workspace&)> ResetScreens;
    std::function<void(Workspace&)> RebuildScreenTree;

    // Sets ModelType and what follows from it: ModelName and TitleText.
    void SetModelType(int16_t modelType);
};

// Holds BusyFlag set while the program itself fills the model or the screens, and puts back
// what it found however the scope is left, so that nested fills keep the outer one busy.
class BusyGuard {
  public:
    explicit BusyGuard(Workspace& ws) : ws_(ws), was_(ws.BusyFlag) { ws_.BusyFlag = true; }
    ~BusyGuard() { ws_.BusyFlag = was_; }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;

  private:
    Workspace& ws_;
    bool was_;
};

// Throws the current data away and builds the defaults of the current model: built-in plans,
// weather channels, empty directories, default image (general and EXP part decoded), encode,
// then the destination file when rebuildDestinations is set.
void NewData(Workspace& ws, bool rebuildDestinations);

}  // namespace tq530
