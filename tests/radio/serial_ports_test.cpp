// The port listing gives each port the COM number that really opens it.
#include <gtest/gtest.h>

#include <cstdlib>

#include "radio/qt/qt_serial_link.h"
#include "radio/qt/serial_ports.h"

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

}  // namespace
}  // namespace tq530
