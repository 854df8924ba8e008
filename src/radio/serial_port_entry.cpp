#include "radio/serial_port_entry.h"

#include <algorithm>
#include <cstdio>

namespace tq530 {

std::string UsbIdsText(const SerialPortEntry& port) {
    if (port.VendorId < 0 && port.ProductId < 0) {
        return {};
    }
    char text[24];
    std::snprintf(text, sizeof text, "%04x:%04x",
                  static_cast<unsigned>(std::max(0, port.VendorId)) & 0xFFFF,
                  static_cast<unsigned>(std::max(0, port.ProductId)) & 0xFFFF);
    return text;
}

std::string PortLine(const SerialPortEntry& port) {
    std::string line = port.ComNum > 0 ? "COM" + std::to_string(port.ComNum) + ": " : "";
    line += port.Device;
    std::string detail = port.Description;
    const std::string ids = UsbIdsText(port);
    if (!ids.empty()) {
        detail = detail.empty() ? ids : detail + ", " + ids;
    }
    if (!detail.empty()) {
        line += " (" + detail + ")";
    }
    return line;
}

}  // namespace tq530
