// The serial link on Qt SerialPort: COM numbers resolve to devices the way each platform
// names its ports, or the link is pinned to one device path.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "radio/serial_link.h"

class QSerialPort;

namespace tq530 {

// The device that port comNum opens: "COMn" on Windows; elsewhere $TQ530_COM<n>, else the
// n-th available serial port in order of its device path, else /dev/ttyS<n-1>.
std::string ResolveComPort(int comNum);
// The same rule over a given list of available devices (sorted by path), for the listing that
// shows each port's COM number.
std::string ResolveComPortAmong(int comNum, const std::vector<std::string>& available);
// The system's serial ports, sorted by device path.
std::vector<std::string> AvailablePortDevices();

class QtSerialLink : public SerialLink {
  public:
    // With a device path every Open uses it, whatever the COM number.
    explicit QtSerialLink(std::string fixedDevice = {});
    ~QtSerialLink() override;

    void Open(int comNum, const std::string& settings) override;
    void Close() override;
    bool IsOpen() const override;
    std::string Settings() const override { return settings_; }
    size_t BytesWaiting() override;
    bool ReadByte(uint8_t& byte, int timeoutMs) override;
    void Write(const std::string& bytes) override;
    std::string PortName(int comNum) const override {
        return fixedDevice_.empty() ? ResolveComPort(comNum) : fixedDevice_;
    }

  private:
    void Drain();
    [[noreturn]] void Fail(int fallbackNumber, const std::string& what);

    std::string fixedDevice_;
    std::string device_;
    std::string settings_;
    std::unique_ptr<QSerialPort> port_;
};

}  // namespace tq530
