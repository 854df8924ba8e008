// Several radios at once: read or program one data set over many ports, a thread per port.
#pragma once

#include <string>
#include <vector>

#include "cli/cli.h"
#include "radio/transfer.h"

namespace tq530::cli {

// "3" or "COM3" is a COM number (comNum set, device cleared); anything else a device path.
// False when port is neither.
bool ParsePort(const std::string& port, int16_t& comNum, std::string& device);

// The file a read over port writes when several ports read at once: the port's base name
// before the extension ("boat.hex" over /dev/ttyUSB0 is "boat-ttyUSB0.hex", over 3 is
// "boat-COM3.hex").
std::string PortOutName(const std::string& out, const std::string& port);

struct FleetRequest {
    std::vector<std::string> Ports;
    TransferMode Mode = TransferMode::Read;
    bool Verify = false;
    std::string ReadOut;  // a read's OUT, before PortOutName
    bool Json = false;    // the summary as JSON on stdout
};

// Runs the transfer on every port at once from ctx.Ws, saves what each read brought, and
// prints one summary row per port. kExitFailed when any port failed.
int RunFleet(Context& ctx, const FleetRequest& request);

}  // namespace tq530::cli
