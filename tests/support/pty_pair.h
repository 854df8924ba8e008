// A pseudo-terminal for the serial links' tests: the link opens device, the test plays the
// radio on master, and its own end of the slave keeps the line's settings readable, also
// after the link has closed.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <string>

namespace tq530::testing {

class PtyPair : public ::testing::Test {
  protected:
    void SetUp() override {
        master = posix_openpt(O_RDWR | O_NOCTTY);
        ASSERT_GE(master, 0);
        ASSERT_EQ(grantpt(master), 0);
        ASSERT_EQ(unlockpt(master), 0);
        device = ptsname(master);
        slave = open(device.c_str(), O_RDWR | O_NOCTTY);
        ASSERT_GE(slave, 0);
    }
    void TearDown() override {
        close(slave);
        close(master);
    }

    termios Line() const {
        termios t{};
        tcgetattr(slave, &t);
        return t;
    }
    // What the link has sent, until the line stays quiet for 100 ms.
    std::string Received() const {
        std::string bytes;
        char buffer[256];
        pollfd p{master, POLLIN, 0};
        while (poll(&p, 1, 100) > 0) {
            const ssize_t n = read(master, buffer, sizeof buffer);
            if (n <= 0) {
                break;
            }
            bytes.append(buffer, static_cast<size_t>(n));
        }
        return bytes;
    }

    int master = -1;
    int slave = -1;
    std::string device;
};

}  // namespace tq530::testing
