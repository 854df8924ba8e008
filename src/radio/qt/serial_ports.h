// The serial ports the system offers and the COM number that reaches each, for the CLI's
// port listing, the port menu's tips and the transfer dialog.
#pragma once

#include <string>
#include <vector>

#include "radio/serial_port_entry.h"

namespace tq530 {

// The link in folder that leads to device, "" when none does.
std::string StableNameOf(const std::string& device,
                         const std::string& folder = "/dev/serial/by-id");

// How to get the right to open serial ports on this system, for a port refused for lack of
// permission; "" where there is nothing to say.
std::string PortPermissionHint();

// One line for the port menu's list of the system's ports: "/dev/ttyUSB0 (FT232R USB UART,
// 0403:6001)", without a COM number.
std::string DeviceLine(const SerialPortEntry& port);

// The ports found, in the order COM numbers are given to them, followed by the devices that
// a TQ530_COM<n> variable points at and the system does not list (a simulator's pty). COM
// numbers are looked up among 1 to the number of ports plus extraComNums.
std::vector<SerialPortEntry> ListSerialPorts(int extraComNums = 8);

// The line for the port menu's entry COM<comNum>: the listed port it opens, or the device it
// would open with "(not found)" after it.
std::string ComPortTip(int comNum);

}  // namespace tq530
