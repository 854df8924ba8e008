// The Qt port on a pseudo-terminal: what it leaves behind on the line when it closes.
#include "radio/qt/qt_serial_link.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <QCoreApplication>
#include <memory>
#include <string>

namespace tq530 {
namespace {

class QtSerialLinkOnPty : public ::testing::Test {
  protected:
    void SetUp() override {
        if (QCoreApplication::instance() == nullptr) {
            static int argc = 1;
            static char name[] = "tq530_tests";
            static char* argv[] = {name, nullptr};
            app_ = std::make_unique<QCoreApplication>(argc, argv);
        }
        master = posix_openpt(O_RDWR | O_NOCTTY);
        ASSERT_GE(master, 0);
        ASSERT_EQ(grantpt(master), 0);
        ASSERT_EQ(unlockpt(master), 0);
        device = ptsname(master);
        // Our own end of the slave keeps its settings readable after the link has closed.
        slave = open(device.c_str(), O_RDWR | O_NOCTTY);
        ASSERT_GE(slave, 0);
        termios t{};
        tcgetattr(slave, &t);
        cfmakeraw(&t);
        cfsetspeed(&t, B9600);
        tcsetattr(slave, TCSANOW, &t);
    }
    void TearDown() override {
        close(slave);
        close(master);
    }

    speed_t LineSpeed() const {
        termios t{};
        tcgetattr(slave, &t);
        return cfgetospeed(&t);
    }
    std::string Received() const {
        std::string bytes;
        char buffer[256];
        pollfd p{master, POLLIN, 0};
        while (poll(&p, 1, 100) > 0) {
            const ssize_t n = read(master, buffer, sizeof buffer);
            if (n <= 0)
                break;
            bytes.append(buffer, static_cast<size_t>(n));
        }
        return bytes;
    }

    int master = -1;
    int slave = -1;
    std::string device;

  private:
    std::unique_ptr<QCoreApplication> app_;
};

TEST_F(QtSerialLinkOnPty, ClosingKeepsTheSpeedOfTheLastBytes) {
    QtSerialLink link(device);
    link.Open(1, "19200,N,8,1");
    EXPECT_EQ(LineSpeed(), B19200);
    link.Write("P");
    link.Open(1, "57600,N,8,1");  // reopening closes first
    EXPECT_EQ(LineSpeed(), B57600);
    link.Write("#CMDOK\r\n");
    link.Close();
    EXPECT_FALSE(link.IsOpen());
    EXPECT_EQ(LineSpeed(), B57600);
    EXPECT_EQ(Received(), "P#CMDOK\r\n");
}

}  // namespace
}  // namespace tq530
