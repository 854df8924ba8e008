// What the command line takes from the platform: the serial port, the list of ports, the
// per-user settings store, and what the port needs around it for the length of a transfer.
// With Qt (src/cli/qt) they are the toolkit's, as the window program's; without it
// (src/cli/native, the Windows build) the system's own. The command line's other sources
// stay free of both, so that they build for every platform.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/settings_store.h"
#include "radio/serial_link.h"
#include "radio/serial_port_entry.h"

namespace tq530::cli {

// The link a transfer opens: pinned to device when it is given, else to the COM number.
std::unique_ptr<SerialLink> MakeSerialLink(const std::string& device);

// The ports `ports` lists, in the order it prints them.
std::vector<SerialPortEntry> ListPorts();

// The store of the per-user settings the window program also reads where it can.
std::unique_ptr<SettingsStore> MakeUserSettingsStore();

class SerialRuntime {
  public:
    SerialRuntime();
    ~SerialRuntime();
    SerialRuntime(const SerialRuntime&) = delete;
    SerialRuntime& operator=(const SerialRuntime&) = delete;

    // Runs every job at once, each on a thread of its own, and returns when all have ended.
    void RunAtOnce(const std::vector<std::function<void()>>& jobs) const;

  private:
    struct Toolkit;  // what the platform's port needs alive; may hold nothing
    std::unique_ptr<Toolkit> toolkit_;
};

}  // namespace tq530::cli
