#include "cli/platform_runtime.h"

#include <QCoreApplication>
#include <QThread>

#include "app/qt/qt_settings_store.h"
#include "radio/qt/qt_serial_link.h"
#include "radio/qt/serial_ports.h"

namespace tq530::cli {

std::unique_ptr<SerialLink> MakeSerialLink(const std::string& device) {
    return std::make_unique<QtSerialLink>(device);
}

std::vector<SerialPortEntry> ListPorts() {
    return ListSerialPorts();
}

std::unique_ptr<SettingsStore> MakeUserSettingsStore() {
    return std::make_unique<QtSettingsStore>();
}

// Qt's port wants an application object, even without an event loop.
struct SerialRuntime::Toolkit {
    std::unique_ptr<QCoreApplication> App;  // null when the program already has one
};

SerialRuntime::SerialRuntime() : toolkit_(std::make_unique<Toolkit>()) {
    static int argc = 1;
    static char name[] = "tq530-cli";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() == nullptr) {
        toolkit_->App = std::make_unique<QCoreApplication>(argc, argv);
    }
}

SerialRuntime::~SerialRuntime() = default;

// The toolkit's port only works on threads it started, so they are started here.
void SerialRuntime::RunAtOnce(const std::vector<std::function<void()>>& jobs) const {
    std::vector<std::unique_ptr<QThread>> threads;
    for (const std::function<void()>& job : jobs) {
        threads.emplace_back(QThread::create(job));
        threads.back()->start();
    }
    for (const std::unique_ptr<QThread>& thread : threads) {
        thread->wait();
    }
}

}  // namespace tq530::cli
