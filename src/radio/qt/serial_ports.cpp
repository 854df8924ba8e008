#include "radio/qt/serial_ports.h"

#include <QSerialPortInfo>
#include <algorithm>
#include <filesystem>
#include <map>

#include "radio/qt/qt_serial_link.h"

namespace tq530 {

namespace {

std::string DescriptionOf(const QSerialPortInfo& info) {
    std::string text = info.description().toStdString();
    const std::string maker = info.manufacturer().toStdString();
    if (!maker.empty() && text.find(maker) == std::string::npos) {
        text = text.empty() ? maker : text + ", " + maker;
    }
    return text;
}

}  // namespace

std::string StableNameOf(const std::string& device, const std::string& folder) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path target = fs::canonical(device, error);
    if (error) {
        return {};
    }
    std::vector<std::string> names;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code own;
        if (it->is_symlink(own) && fs::canonical(it->path(), own) == target && !own) {
            names.push_back(it->path().string());
        }
    }
    // More than one link to a device (interfaces of one adapter): the first by name.
    std::sort(names.begin(), names.end());
    return names.empty() ? std::string() : names.front();
}

std::string PortPermissionHint() {
#if defined(Q_OS_LINUX)
    return "to use serial ports on Debian and Fedora, add yourself to the dialout group (sudo "
           "usermod -aG dialout $USER), then log in again";
#else
    return {};
#endif
}

std::string DeviceLine(const SerialPortEntry& port) {
    SerialPortEntry unnumbered = port;
    unnumbered.ComNum = 0;
    return PortLine(unnumbered);
}

std::vector<SerialPortEntry> ListSerialPorts(int extraComNums) {
    std::vector<SerialPortEntry> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        SerialPortEntry port;
#ifdef Q_OS_WIN
        port.Device = info.portName().toStdString();
#else
        port.Device = info.systemLocation().toStdString();
#endif
        port.Description = DescriptionOf(info);
        if (info.hasVendorIdentifier()) {
            port.VendorId = info.vendorIdentifier();
        }
        if (info.hasProductIdentifier()) {
            port.ProductId = info.productIdentifier();
        }
#ifndef Q_OS_WIN
        port.StableName = StableNameOf(port.Device);
#endif
        ports.push_back(std::move(port));
    }
    std::sort(ports.begin(), ports.end(), [](const SerialPortEntry& a, const SerialPortEntry& b) {
        return a.Device < b.Device;
    });
    std::vector<std::string> devices;
    for (const SerialPortEntry& port : ports) {
        devices.push_back(port.Device);
    }
    // The lowest COM number that resolves to a device is the one that reaches it.
    std::map<std::string, int> comOf;
    const int last = static_cast<int>(ports.size()) + extraComNums;
    for (int n = last; n >= 1; --n) {
        comOf[ResolveComPortAmong(n, devices)] = n;
    }
    for (SerialPortEntry& port : ports) {
        const auto found = comOf.find(port.Device);
        port.ComNum = found == comOf.end() ? 0 : found->second;
        if (found != comOf.end()) {
            comOf.erase(found);
        }
    }
#ifndef Q_OS_WIN
    // Devices named by TQ530_COM<n> that the system does not list as serial ports.
    std::vector<SerialPortEntry> pinned;
    for (const auto& [device, n] : comOf) {
        const std::string variable = "TQ530_COM" + std::to_string(n);
        // A variable that is set but empty names no device: the port is found as if unset.
        const char* pinnedTo = std::getenv(variable.c_str());
        if (pinnedTo != nullptr && *pinnedTo != '\0' && ResolveComPortAmong(n, {}) == device) {
            SerialPortEntry port;
            port.Device = device;
            port.Description = "set by " + variable;
            port.ComNum = n;
            port.Pinned = true;
            pinned.push_back(std::move(port));
        }
    }
    std::sort(pinned.begin(), pinned.end(), [](const SerialPortEntry& a, const SerialPortEntry& b) {
        return a.ComNum < b.ComNum;
    });
    ports.insert(ports.end(), pinned.begin(), pinned.end());
#endif
    return ports;
}

std::string ComPortTip(int comNum) {
    for (const SerialPortEntry& port : ListSerialPorts(comNum)) {
        if (port.ComNum == comNum) {
            return PortLine(port);
        }
    }
    return "COM" + std::to_string(comNum) + ": " + ResolveComPort(comNum) + " (not found)";
}

}  // namespace tq530
