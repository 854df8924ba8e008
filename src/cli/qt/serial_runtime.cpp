#include "cli/serial_runtime.h"

#include <QCoreApplication>
#include <QThread>

namespace tq530::cli {

SerialRuntime::SerialRuntime() {
    static int argc = 1;
    static char name[] = "tq530-cli";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() == nullptr) {
        app_ = std::make_unique<QCoreApplication>(argc, argv);
    }
}

SerialRuntime::~SerialRuntime() = default;

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
