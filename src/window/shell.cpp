#include "window/shell.h"

#include "app/settings_store.h"
#include "window/main_window.h"

namespace tq530 {

Shell::Shell(SettingsStore& store, FileDialogs* dialogs)
    : store_(store),
      qtDialogs_(nullptr, &store),
      dialogs_(dialogs != nullptr ? *dialogs : qtDialogs_) {}

Shell::~Shell() {
    window_.reset();
}

bool Shell::Start(const std::string& programDir, const std::string& commandLine) {
    ws_.ProgramDir = programDir;
    host_.SetBusy(true);
    const StartUpResult result = StartUp(ws_, store_, host_, commandLine, destinations_);
    if (result.ModelFound) {
        window_ = std::make_unique<MainWindow>(ws_, store_, host_, dialogs_, destinations_, result);
        host_.SetWindow(window_.get());
        qtDialogs_.SetParent(window_.get());
    }
    host_.SetBusy(false);
    return result.ModelFound;
}

std::string JoinArguments(int argc, const char* const* argv) {
    std::string line;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) {
            line += ' ';
        }
        line += argv[i];
    }
    return line;
}

}  // namespace tq530
