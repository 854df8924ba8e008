// The Qt port on a pseudo-terminal: what it leaves behind on the line when it closes.
#include "radio/qt/qt_serial_link.h"

#include <gtest/gtest.h>
#include <termios.h>
#include <unistd.h>

#include <QCoreApplication>
#include <memory>
#include <string>

#include "support/pty_pair.h"

namespace tq530 {
namespace {

class QtSerialLinkOnPty : public testing::PtyPair {
  protected:
    void SetUp() override {
        if (QCoreApplication::instance() == nullptr) {
            static int argc = 1;
            static char name[] = "tq530_tests";
            static char* argv[] = {name, nullptr};
            app_ = std::make_unique<QCoreApplication>(argc, argv);
        }
        PtyPair::SetUp();
        termios t = Line();
        cfmakeraw(&t);
        cfsetspeed(&t, B9600);
        tcsetattr(slave, TCSANOW, &t);
    }

    speed_t LineSpeed() const {
        const termios t = Line();
        return cfgetospeed(&t);
    }

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
