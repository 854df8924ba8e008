// One serial port as the listings show it (the command line's port list, the port menu's tips,
// the transfer dialog), whichever platform piece found it.
#pragma once

#include <string>

namespace tq530 {

struct SerialPortEntry {
    std::string Device;       // what the link opens: "/dev/ttyUSB0", "COM3"
    std::string Description;  // the system's description, with the manufacturer when known
    int VendorId = -1;        // USB ids; -1 when the port is not a USB device
    int ProductId = -1;
    int ComNum = 0;  // the COM number that opens this device; 0: none up to the listed range
    // A name of the device that survives replugging and reboots (a /dev/serial/by-id link
    // that leads to it); "" when the system offers none.
    std::string StableName;
    bool Pinned = false;  // named by a TQ530_COM<n> variable, not listed by the system
};

// "0403:6001" for a USB port, "" otherwise.
std::string UsbIdsText(const SerialPortEntry& port);

// One line for a menu tip or the transfer dialog: "COM1: /dev/ttyUSB0 (FT232R USB UART,
// 0403:6001)".
std::string PortLine(const SerialPortEntry& port);

}  // namespace tq530
