// What the platform's serial port needs around it for the length of a transfer: Qt's port
// wants an application object, even without an event loop. The command line's other sources
// stay free of the toolkit, so that they build for every platform.
#pragma once

#include <functional>
#include <memory>
#include <vector>

class QCoreApplication;

namespace tq530::cli {

class SerialRuntime {
  public:
    SerialRuntime();
    ~SerialRuntime();
    SerialRuntime(const SerialRuntime&) = delete;
    SerialRuntime& operator=(const SerialRuntime&) = delete;

    // Runs every job at once, each on a thread of its own, and returns when all have ended.
    // The toolkit's port only works on threads it started, so they are started here.
    void RunAtOnce(const std::vector<std::function<void()>>& jobs) const;

  private:
    std::unique_ptr<QCoreApplication> app_;  // null when the program already has one
};

}  // namespace tq530::cli
