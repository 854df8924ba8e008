// The link on the system's own port calls, on a pseudo-terminal: the line it sets up, the
// bytes both ways, the read deadline, and the failures worded as the Qt link words them.
#include "radio/platform_serial.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <string>

#include "support/pty_pair.h"
#include "support/scratch_dir.h"

namespace tq530 {
namespace {

class NativeSerialLinkOnPty : public testing::PtyPair {
  protected:
    // Waits until the link sees count bytes, as a transfer polls for an answer.
    static size_t WaitFor(SerialLink& link, size_t count) {
        for (int i = 0; i < 100 && link.BytesWaiting() < count; ++i) {
            usleep(2000);
        }
        return link.BytesWaiting();
    }
};

TEST_F(NativeSerialLinkOnPty, SetsTheLineUpRawAndCarriesBytesBothWays) {
    NativeSerialLink link(device);
    link.Open(1, "57600,n,8,1");
    EXPECT_TRUE(link.IsOpen());
    EXPECT_EQ(link.Settings(), "57600,N,8,1");
    const termios t = Line();
    EXPECT_EQ(cfgetospeed(&t), B57600);
    // A pseudo-terminal always keeps 8 bits and no parity; stop bits and handshake it takes.
    EXPECT_EQ(t.c_cflag & (CSTOPB | CRTSCTS), 0u);
    EXPECT_EQ(t.c_lflag & (ICANON | ECHO), 0u);
    EXPECT_EQ(t.c_iflag & (IXON | ICRNL), 0u);  // XON, XOFF and CR pass as data

    const std::string frame("#CMDSY\r\x11\x13\x00\xff", 11);
    link.Write(frame);
    EXPECT_EQ(Received(), frame);

    const std::string answer("OK\r\n\x00\xfe", 6);
    ASSERT_EQ(write(master, answer.data(), answer.size()), 6);
    EXPECT_EQ(WaitFor(link, 6), 6u);
    std::string got;
    uint8_t byte = 0;
    ASSERT_TRUE(link.ReadByte(byte, 50));
    got += static_cast<char>(byte);
    // What was read ahead from the system still counts as waiting.
    EXPECT_EQ(link.BytesWaiting(), 5u);
    while (link.ReadByte(byte, 50)) {
        got += static_cast<char>(byte);
    }
    EXPECT_EQ(got, answer);

    // Reopened at another speed: the same port, the new line settings.
    link.Open(1, "19200,E,7,2");
    const termios again = Line();
    EXPECT_EQ(cfgetospeed(&again), B19200);
    EXPECT_EQ(again.c_cflag & CSTOPB, static_cast<tcflag_t>(CSTOPB));
    link.Close();
    EXPECT_FALSE(link.IsOpen());
    link.Close();  // closing twice is harmless
}

TEST_F(NativeSerialLinkOnPty, AReadWaitsForItsDeadlineAndNoLonger) {
    NativeSerialLink link(device);
    link.Open(1, "9600,N,8,1");
    uint8_t byte = 0;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(link.ReadByte(byte, 60));
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, std::chrono::milliseconds(55));
    EXPECT_LT(waited, std::chrono::milliseconds(1000));
    EXPECT_FALSE(link.ReadByte(byte, 0));
    EXPECT_EQ(link.BytesWaiting(), 0u);
    // A byte that comes during the wait ends it.
    ASSERT_EQ(write(master, "A", 1), 1);
    EXPECT_TRUE(link.ReadByte(byte, 1000));
    EXPECT_EQ(byte, 'A');
}

// The thrown number and text of a call that fails, "" when it did not.
template <typename Call>
std::string Failure(Call call) {
    try {
        call();
    } catch (const SerialError& e) {
        return std::to_string(e.Number()) + " " + e.what();
    }
    return "";
}

TEST_F(NativeSerialLinkOnPty, FailuresAreNumberedAndWordedAsTheQtLinkReportsThem) {
    NativeSerialLink link(device);
    uint8_t byte = 0;
    const std::string notOpen = "8018 Operation valid only when the port is open";
    EXPECT_EQ(Failure([&] { link.BytesWaiting(); }), notOpen);
    EXPECT_EQ(Failure([&] { link.ReadByte(byte, 10); }), notOpen);
    EXPECT_EQ(Failure([&] { link.Write("x"); }), notOpen);

    EXPECT_EQ(Failure([&] { link.Open(1, "57600,N,8"); }), "380 Invalid property value");
    EXPECT_EQ(Failure([&] { link.Open(1, "12345,N,8,1"); }),
              "8007 Port settings refused (12345,N,8,1): Invalid argument");
    EXPECT_FALSE(link.IsOpen());  // a refused setting leaves no half-open port

    NativeSerialLink missing("/dev/tq530-no-such-port");
    EXPECT_EQ(Failure([&] { missing.Open(1, "19200,N,8,1"); }),
              "8001 Port open failed (/dev/tq530-no-such-port): No such file or directory");
    EXPECT_FALSE(missing.IsOpen());

    const testing::ScratchDir dir;
    testing::WriteFile(dir.File("plain"), "not a port");
    NativeSerialLink plain(dir.File("plain"));
    EXPECT_EQ(Failure([&] { plain.Open(1, "19200,N,8,1"); }),
              "8008 Port open failed (" + dir.File("plain") + "): Inappropriate ioctl for device");
}

TEST(NativeSerialLink, ComNumbersOpenTheVariablesDeviceElseTheNumberedTty) {
    unsetenv("TQ530_COM7");
    EXPECT_EQ(NativeSerialLink().PortName(7), "/dev/ttyS6");
    setenv("TQ530_COM7", "", 1);  // set but empty names no device
    EXPECT_EQ(NativeSerialLink().PortName(7), "/dev/ttyS6");
    setenv("TQ530_COM7", "/dev/pts/9", 1);
    EXPECT_EQ(NativeSerialLink().PortName(7), "/dev/pts/9");
    EXPECT_EQ(NativeSerialLink("/dev/ttyUSB0").PortName(7), "/dev/ttyUSB0");
    unsetenv("TQ530_COM7");
}

}  // namespace
}  // namespace tq530
