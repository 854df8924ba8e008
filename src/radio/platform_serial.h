// The serial link on the system's own port calls, for builds without Qt (the command line on
// Windows): the Qt link's open, read deadlines, writes and failure reasons, without the
// toolkit. Every system call it makes is in platform_serial.cpp, POSIX and Windows apart.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "radio/serial_link.h"
#include "radio/serial_port_entry.h"

namespace tq530 {

// The device port comNum opens: "COMn" on Windows; elsewhere $TQ530_COM<n>, else
// /dev/ttyS<n-1>.
std::string NativePortDevice(int comNum);

#ifdef _WIN32
// The COM ports the system has a device name for, by COM number; the description is the
// system's device behind the name ("\Device\Serial0"), the USB ids are not known.
std::vector<SerialPortEntry> NativeSerialPorts();
#else
// Sets the terminal fd up raw at settings: speed, data bits, parity, stop bits, no handshake.
// Returns 0, or the errno why not (EINVAL for a speed or parity the line cannot have).
int SetUpRawLine(int fd, const PortSettings& settings);
#endif

class NativeSerialLink : public SerialLink {
  public:
    // With a device every Open uses it, whatever the COM number.
    explicit NativeSerialLink(std::string fixedDevice = {});
    ~NativeSerialLink() override;
    NativeSerialLink(const NativeSerialLink&) = delete;
    NativeSerialLink& operator=(const NativeSerialLink&) = delete;

    void Open(int comNum, const std::string& settings) override;
    void Close() override;
    bool IsOpen() const override;
    std::string Settings() const override { return settings_; }
    size_t BytesWaiting() override;
    bool ReadByte(uint8_t& byte, int timeoutMs) override;
    void Write(const std::string& bytes) override;
    std::string PortName(int comNum) const override {
        return fixedDevice_.empty() ? NativePortDevice(comNum) : fixedDevice_;
    }

    struct Port;  // the system's handle and what was read ahead

  private:
    void RequireOpen() const;

    std::string fixedDevice_;
    std::string device_;
    std::string settings_;
    std::unique_ptr<Port> port_;
};

}  // namespace tq530
