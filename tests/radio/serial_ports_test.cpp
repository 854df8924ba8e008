// The port listing gives each port the COM number that really opens it.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "radio/qt/qt_serial_link.h"
#include "radio/qt/serial_ports.h"
#include "support/scratch_dir.h"

namespace tq530 {
namespace {

TEST(SerialPorts, ComNumbersOpenTheListedDevicesAndPinnedDevicesAreListed) {
    setenv("TQ530_COM3", "/tmp/tq530-pinned-port", 1);
    const std::vector<SerialPortEntry> ports = ListSerialPorts();
    bool pinnedSeen = false;
    for (const SerialPortEntry& port : ports) {
        if (port.ComNum > 0) {
            EXPECT_EQ(ResolveComPort(port.ComNum), port.Device) << PortLine(port);
        }
        if (port.Device == "/tmp/tq530-pinned-port") {
            pinnedSeen = true;
            EXPECT_EQ(port.ComNum, 3);
            EXPECT_EQ(PortLine(port), "COM3: /tmp/tq530-pinned-port (set by TQ530_COM3)");
        }
    }
    EXPECT_EQ(ComPortTip(3), "COM3: /tmp/tq530-pinned-port (set by TQ530_COM3)");
    unsetenv("TQ530_COM3");
    EXPECT_TRUE(pinnedSeen);
    // A number beyond every port opens the fallback device, which the system does not list.
    EXPECT_EQ(ComPortTip(90), "COM90: /dev/ttyS89 (not found)");
}

TEST(SerialPorts, AnEmptyVariableCountsAsUnset) {
    unsetenv("TQ530_COM5");
    const std::string unpinned = ResolveComPort(5);
    const std::string tip = ComPortTip(5);
    setenv("TQ530_COM5", "", 1);
    EXPECT_EQ(ResolveComPort(5), unpinned);
    EXPECT_EQ(ComPortTip(5), tip);
    for (const SerialPortEntry& port : ListSerialPorts()) {
        EXPECT_EQ(port.Description.find("TQ530_COM5"), std::string::npos) << PortLine(port);
    }
    unsetenv("TQ530_COM5");
}

TEST(SerialPorts, UsbIdsAreFourHexDigitsEach) {
    SerialPortEntry port;
    port.Device = "/dev/ttyUSB0";
    EXPECT_EQ(UsbIdsText(port), "");
    EXPECT_EQ(PortLine(port), "/dev/ttyUSB0");
    port.VendorId = 0x0403;
    port.ProductId = 0x6001;
    port.Description = "FT232R USB UART";
    port.ComNum = 2;
    EXPECT_EQ(UsbIdsText(port), "0403:6001");
    EXPECT_EQ(PortLine(port), "COM2: /dev/ttyUSB0 (FT232R USB UART, 0403:6001)");
}

TEST(SerialPorts, AStableNameIsTheLinkThatLeadsToTheDevice) {
    namespace fs = std::filesystem;
    testing::ScratchDir dir;
    const std::string device = dir.File("ttyUSB0");
    const std::string other = dir.File("ttyUSB1");
    std::ofstream(device).put('x');
    std::ofstream(other).put('x');
    fs::create_directory(dir.File("by-id"));
    fs::create_symlink(other, dir.File("by-id/usb-Other-if00-port0"));
    fs::create_symlink(device, dir.File("by-id/usb-FTDI_FT232R_A1-if00-port0"));
    fs::create_symlink(dir.File("gone"), dir.File("by-id/usb-Gone-if00-port0"));
    EXPECT_EQ(StableNameOf(device, dir.File("by-id")),
              dir.File("by-id/usb-FTDI_FT232R_A1-if00-port0"));
    EXPECT_EQ(StableNameOf(dir.File("ttyS0"), dir.File("by-id")), "");
    EXPECT_EQ(StableNameOf(device, dir.File("no-such-folder")), "");
}

// What the command line says when the port is there but the user may not open it: run as a
// user without rights on a terminal nobody may open.
TEST(SerialPorts, APortRefusedForLackOfPermissionSaysHowToGetIt) {
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    const std::string device = ptsname(master);
    ASSERT_EQ(chmod(device.c_str(), 0), 0);
    testing::ScratchDir home;
    chmod(home.Path().c_str(), 0777);
    const std::string command =
        "setpriv --reuid=65534 --regid=65534 --clear-groups env HOME=" + home.Path() +
        " XDG_CONFIG_HOME=" + home.Path() + " XDG_DATA_HOME=" + home.Path() + " " + TQ530_BIN_DIR +
        "/tq530-cli read --port " + device + " " + home.File("out.hex") + " </dev/null 2>&1";
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[512];
        for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
            out.append(buffer, n);
        }
        pclose(pipe);
    }
    close(master);
    EXPECT_NE(out.find(device + ": cannot open the port: "), std::string::npos) << out;
    EXPECT_NE(out.find("add yourself to the dialout group (sudo usermod -aG dialout $USER), then "
                       "log in again"),
              std::string::npos)
        << out;
}

}  // namespace
}  // namespace tq530
