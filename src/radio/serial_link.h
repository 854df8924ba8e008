// The serial port as the radio link sees it: open with a settings text, read one byte with a
// short wait, write bytes. The Qt port, the in-process simulator and the tests plug in here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace tq530 {

// A run-time failure of the port: its number and text go to the error log, its source
// titles the message box.
class SerialError : public std::runtime_error {
  public:
    SerialError(int number, const std::string& text, std::string source = "SerialPort")
        : std::runtime_error(text), number_(number), source_(std::move(source)) {}
    int Number() const { return number_; }
    const std::string& Source() const { return source_; }

  private:
    int number_;
    std::string source_;
};

// Error numbers of our own for failures that carry none from the system.
constexpr int kErrPortNotOpen = 8018;
constexpr int kErrPortOpenFailed = 8002;
constexpr int kErrPortWriteFailed = 8005;
constexpr int kErrPortReadFailed = 8006;
constexpr int kErrBadSettings = 380;

struct PortSettings {
    int Baud = 9600;
    char Parity = 'N';
    int DataBits = 8;
    int StopBits = 1;
};

// Parses "19200,N,8,1"; throws SerialError on anything else.
PortSettings ParsePortSettings(const std::string& text);
std::string PortSettingsText(const PortSettings& settings);

class SerialLink {
  public:
    virtual ~SerialLink() = default;
    // Opens port comNum (COM1 is 1); throws SerialError when that fails.
    virtual void Open(int comNum, const std::string& settings) = 0;
    // Never fails: a port that cannot be closed is as good as closed to us.
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // The settings text as the open port reports it.
    virtual std::string Settings() const = 0;
    virtual size_t BytesWaiting() = 0;
    // Waits at most timeoutMs for one byte; false when none came.
    virtual bool ReadByte(uint8_t& byte, int timeoutMs) = 0;
    virtual void Write(const std::string& bytes) = 0;
    // The port comNum opens, as the operator knows it: what a reason line names.
    virtual std::string PortName(int comNum) const { return "COM" + std::to_string(comNum); }
};

}  // namespace tq530
