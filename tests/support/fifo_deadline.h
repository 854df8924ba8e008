// Runs code that must refuse a FIFO nobody reads from. Should it open the FIFO for writing
// after all, it would wait for ever: after the deadline the FIFOs' other ends are opened and
// drained, so that the test fails instead of hanging the suite.
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <future>
#include <string>
#include <vector>

namespace tq530::testing {

// Whether work finished within the deadline while nobody read from fifos.
inline bool FinishesWithoutReader(const std::vector<std::string>& fifos,
                                  const std::function<void()>& work,
                                  std::chrono::seconds deadline = std::chrono::seconds(5)) {
    std::future<void> done = std::async(std::launch::async, work);
    if (done.wait_for(deadline) == std::future_status::ready) {
        done.get();
        return true;
    }
    std::vector<int> readers;
    for (const std::string& fifo : fifos) {
        readers.push_back(open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    }
    char buffer[4096];
    while (done.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready) {
        for (const int fd : readers) {
            while (fd >= 0 && read(fd, buffer, sizeof buffer) > 0) {
            }
        }
    }
    for (const int fd : readers) {
        if (fd >= 0) {
            close(fd);
        }
    }
    done.get();
    return false;
}

}  // namespace tq530::testing
