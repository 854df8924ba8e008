// A pseudo-terminal that takes every byte and never answers: a cable without a radio. Pointing
// COM1 at it holds a transfer in its first wait (POSIX, as the simulator).
#pragma once

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>

namespace tq530::testing {

class SilentTerminal {
  public:
    SilentTerminal() {
        fd_ = posix_openpt(O_RDWR | O_NOCTTY);
        if (fd_ >= 0 && grantpt(fd_) == 0 && unlockpt(fd_) == 0) {
            device_ = ptsname(fd_);
            fcntl(fd_, F_SETFL, fcntl(fd_, F_GETFL) | O_NONBLOCK);
        }
    }
    ~SilentTerminal() {
        if (fd_ >= 0) {
            close(fd_);
        }
    }
    SilentTerminal(const SilentTerminal&) = delete;
    SilentTerminal& operator=(const SilentTerminal&) = delete;

    const std::string& Device() const { return device_; }
    // What the PC sent so far.
    std::string Received() {
        std::string bytes;
        char buffer[256];
        for (ssize_t n; (n = read(fd_, buffer, sizeof buffer)) > 0;) {
            bytes.append(buffer, static_cast<size_t>(n));
        }
        return bytes;
    }

  private:
    int fd_ = -1;
    std::string device_;
};

}  // namespace tq530::testing
