// What the platform's serial port needs around it for the length of a transfer: Qt's port
// wants an application object, even without an event loop. The command line's other sources
// stay free of the toolkit, so that they build for every platform.
#pragma once

#include <memory>

class QCoreApplication;

namespace tq530::cli {

class SerialRuntime {
  public:
    SerialRuntime();
    ~SerialRuntime();
    SerialRuntime(const SerialRuntime&) = delete;
    SerialRuntime& operator=(const SerialRuntime&) = delete;

  private:
    std::unique_ptr<QCoreApplication> app_;  // null when the program already has one
};

}  // namespace tq530::cli
