// The program-wide state: the settings model, the radio image, the current model and the
// flags every operation reports through. One Workspace per run, passed by reference.
#pragma once

#include <cstdint>
#include <string>

#include "core/ui_host.h"
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

    // Sets ModelType and what follows from it: ModelName and TitleText.
    void SetModelType(int16_t modelType);
};

// Holds BusyFlag set while the program itself fills the model or the screens, and puts back
// what it found however the scope is left, so that nested fills keep the outer one busy. With
// a host it also shows the busy pointer for as long.
class BusyGuard {
  public:
    explicit BusyGuard(Workspace& ws, UiHost* host = nullptr)
        : ws_(ws), host_(host), was_(ws.BusyFlag) {
        ws_.BusyFlag = true;
        if (host_ != nullptr) {
            host_->SetBusy(true);
        }
    }
    ~BusyGuard() {
        if (host_ != nullptr) {
            host_->SetBusy(false);
        }
        ws_.BusyFlag = was_;
    }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;

  private:
    Workspace& ws_;
    UiHost* host_;
    bool was_;
};

// Throws the current data away and builds the built-in defaults of the current model: plans,
// weather channels, empty directories, default image (general and EXP part decoded), encode.
// CurrentFileName is cleared. The destination file over them is the application's step.
void NewData(Workspace& ws);

}  // namespace tq530
