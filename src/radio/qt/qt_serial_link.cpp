#include "radio/qt/qt_serial_link.h"

#include <QSerialPort>
#include <QSerialPortInfo>
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "core/platform_file.h"
#include "radio/platform_serial.h"
#include "radio/qt/serial_ports.h"

#if defined(Q_OS_WIN)
#include <windows.h>
#else
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace tq530 {

namespace {

// Qt puts back the line settings it found at open when it closes the port, at once, while the
// last reply may still be on its way (a USB adapter's queue): it would leave at the old speed,
// unheard by the radio. Setting the line up before Qt opens it makes what Qt puts back the
// settings we use. Where this fails, the open that follows reports why.
void PresetLine(const std::string& device, const PortSettings& settings) {
#if !defined(Q_OS_WIN)
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        return;
    }
    SetUpRawLine(fd, settings);
    ::close(fd);
#else
    (void)device;
    (void)settings;
#endif
}

}  // namespace

std::vector<std::string> AvailablePortDevices() {
    std::vector<std::string> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        ports.push_back(info.systemLocation().toStdString());
    }
    std::sort(ports.begin(), ports.end());
    return ports;
}

std::string ResolveComPortAmong(int comNum, const std::vector<std::string>& available) {
#ifdef Q_OS_WIN
    (void)available;
    return "COM" + std::to_string(comNum);
#else
    const std::string variable = "TQ530_COM" + std::to_string(comNum);
    if (const char* device = std::getenv(variable.c_str()); device != nullptr && *device != '\0') {
        return device;
    }
    if (comNum >= 1 && static_cast<size_t>(comNum) <= available.size()) {
        return available[static_cast<size_t>(comNum) - 1];
    }
    return "/dev/ttyS" + std::to_string(comNum - 1);
#endif
}

std::string ResolveComPort(int comNum) {
#ifdef Q_OS_WIN
    return ResolveComPortAmong(comNum, {});
#else
    return ResolveComPortAmong(comNum, AvailablePortDevices());
#endif
}

QtSerialLink::QtSerialLink(std::string fixedDevice) : fixedDevice_(std::move(fixedDevice)) {}

QtSerialLink::~QtSerialLink() {
    Close();
}

void QtSerialLink::Fail(int fallbackNumber, const std::string& what) {
    int number = fallbackNumber;
    std::string text = what;
    if (port_ && port_->error() != QSerialPort::NoError) {
        number = 8000 + static_cast<int>(port_->error());
        text += ": " + port_->errorString().toStdString();
    }
    throw SerialError(number, text);
}

void QtSerialLink::Open(int comNum, const std::string& settingsText) {
    const PortSettings settings = ParsePortSettings(settingsText);
    Close();
    device_ = fixedDevice_.empty() ? ResolveComPort(comNum) : fixedDevice_;
    PresetLine(device_, settings);
    port_ = std::make_unique<QSerialPort>();
    port_->setPortName(QString::fromStdString(device_));
    if (!port_->open(QIODevice::ReadWrite)) {
        // Refused for lack of permission (not merely busy): say how this system grants it.
        if (port_->error() == QSerialPort::PermissionError && !FileWritable(device_) &&
            !PortPermissionHint().empty()) {
            throw SerialError(8000 + static_cast<int>(port_->error()),
                              "Port open failed (" + device_ +
                                  "): " + port_->errorString().toStdString() + " - " +
                                  PortPermissionHint());
        }
        Fail(kErrPortOpenFailed, "Port open failed (" + device_ + ")");
    }
    QSerialPort::Parity parity = QSerialPort::NoParity;
    switch (settings.Parity) {
        case 'E':
            parity = QSerialPort::EvenParity;
            break;
        case 'O':
            parity = QSerialPort::OddParity;
            break;
        case 'M':
            parity = QSerialPort::MarkParity;
            break;
        case 'S':
            parity = QSerialPort::SpaceParity;
            break;
        default:
            break;
    }
    // No handshake: the cable has no control lines worth trusting.
    const bool ok =
        port_->setBaudRate(settings.Baud) &&
        port_->setDataBits(static_cast<QSerialPort::DataBits>(settings.DataBits)) &&
        port_->setParity(parity) &&
        port_->setStopBits(settings.StopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop) &&
        port_->setFlowControl(QSerialPort::NoFlowControl);
    if (!ok) {
        Fail(kErrBadSettings, "Port settings refused (" + settingsText + ")");
    }
    settings_ = PortSettingsText(settings);
}

// Waits until everything written has left the port, so that the speed set for it still holds
// when the line settings change next.
void QtSerialLink::Drain() {
    while (port_->bytesToWrite() > 0 && port_->waitForBytesWritten(1000)) {
    }
#if defined(Q_OS_WIN)
    FlushFileBuffers(port_->handle());
#else
    tcdrain(port_->handle());
#endif
}

void QtSerialLink::Close() {
    if (port_) {
        if (port_->isOpen()) {
            Drain();
        }
        port_->close();
        port_.reset();
    }
}

bool QtSerialLink::IsOpen() const {
    return port_ && port_->isOpen();
}

size_t QtSerialLink::BytesWaiting() {
    if (!IsOpen()) {
        Fail(kErrPortNotOpen, "Operation valid only when the port is open");
    }
    if (port_->bytesAvailable() == 0) {
        port_->waitForReadyRead(0);  // pulls in what the system has already received
    }
    if (port_->error() != QSerialPort::NoError && port_->error() != QSerialPort::TimeoutError) {
        Fail(kErrPortReadFailed, "Read failed");
    }
    return static_cast<size_t>(port_->bytesAvailable());
}

bool QtSerialLink::ReadByte(uint8_t& byte, int timeoutMs) {
    if (!IsOpen()) {
        Fail(kErrPortNotOpen, "Operation valid only when the port is open");
    }
    if (port_->bytesAvailable() == 0 && !port_->waitForReadyRead(timeoutMs)) {
        const QSerialPort::SerialPortError error = port_->error();
        if (error != QSerialPort::NoError && error != QSerialPort::TimeoutError) {
            Fail(kErrPortReadFailed, "Read failed");
        }
        port_->clearError();
        return false;
    }
    char c = 0;
    if (!port_->getChar(&c)) {
        return false;
    }
    byte = static_cast<uint8_t>(c);
    return true;
}

void QtSerialLink::Write(const std::string& bytes) {
    if (!IsOpen()) {
        Fail(kErrPortNotOpen, "Operation valid only when the port is open");
    }
    const qint64 written = port_->write(bytes.data(), static_cast<qint64>(bytes.size()));
    if (written != static_cast<qint64>(bytes.size())) {
        Fail(kErrPortWriteFailed, "Write failed");
    }
    while (port_->bytesToWrite() > 0) {
        if (!port_->waitForBytesWritten(1000)) {
            Fail(kErrPortWriteFailed, "Write failed");
        }
    }
}

}  // namespace tq530
