// The serial ports the system offers and the COM number that reaches each, for the CLI's
// port listing, the port menu's tips and the transfer dialog.
#pragma once

#include <string>
#include <vector>

#include "radio/serial_port_entry.h"

namespace tq530 {

// The ports found, in the order COM numbers are given to them, followed by the devices that
// a TQ530_COM<n> variable points at and the system does not list (a simulator's pty). COM
// numbers are looked up among 1 to the number of ports plus extraComNums.
std::vector<SerialPortEntry> ListSerialPorts(int extraComNums = 8);

// The line for the port menu's entry COM<comNum>: the listed port it opens, or the device it
// would open with "(not found)" after it.
std::string ComPortTip(int comNum);

}  // namespace tq530
