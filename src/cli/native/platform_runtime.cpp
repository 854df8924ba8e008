// The command line's platform pieces on the system's own calls, for the Windows build.
#include <thread>

#include "app/ini_settings_store.h"
#include "cli/platform_runtime.h"
#include "radio/platform_serial.h"

namespace tq530::cli {

std::unique_ptr<SerialLink> MakeSerialLink(const std::string& device) {
    return std::make_unique<NativeSerialLink>(device);
}

std::vector<SerialPortEntry> ListPorts() {
    return NativeSerialPorts();
}

std::unique_ptr<SettingsStore> MakeUserSettingsStore() {
    return std::make_unique<IniSettingsStore>(DefaultIniSettingsPath());
}

// The system's port needs nothing around it.
struct SerialRuntime::Toolkit {};

SerialRuntime::SerialRuntime() = default;

SerialRuntime::~SerialRuntime() = default;

void SerialRuntime::RunAtOnce(const std::vector<std::function<void()>>& jobs) const {
    std::vector<std::thread> threads;
    for (const std::function<void()>& job : jobs) {
        threads.emplace_back(job);
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
}

}  // namespace tq530::cli
