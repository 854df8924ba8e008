#include "cli/serial_runtime.h"

#include <QCoreApplication>

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

}  // namespace tq530::cli
