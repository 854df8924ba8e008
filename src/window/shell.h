// The window program as a whole: the workspace, its hosts and the main window, started in
// the order the program starts (switches, models, per-user choices, new data, window).
#pragma once

#include <memory>
#include <string>

#include "app/destinations.h"
#include "core/workspace.h"
#include "window/qt_file_dialogs.h"
#include "window/widget_host.h"

namespace tq530 {

class MainWindow;
class SettingsStore;

class Shell {
  public:
    // dialogs: the file dialogs the commands ask; null for the Qt ones.
    Shell(SettingsStore& store, FileDialogs* dialogs = nullptr);
    ~Shell();

    // Runs start-up and builds the main window (not yet shown). False when global.ini offers
    // no model: "Unknown model!!" was shown and the program ends.
    bool Start(const std::string& programDir, const std::string& commandLine);

    Workspace& Ws() { return ws_; }
    WidgetHost& Host() { return host_; }
    MainWindow* Window() const { return window_.get(); }

  private:
    Workspace ws_;
    SettingsStore& store_;
    WidgetHost host_;
    QtFileDialogs qtDialogs_;
    FileDialogs& dialogs_;
    DestinationMenu destinations_;
    std::unique_ptr<MainWindow> window_;
};

// The program's arguments as the one command line the switches are read from.
std::string JoinArguments(int argc, const char* const* argv);

}  // namespace tq530
