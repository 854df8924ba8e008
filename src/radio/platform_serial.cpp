#include "radio/platform_serial.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#endif

namespace tq530 {

namespace {

// Failures numbered as the Qt link numbers them (8000 plus its port's error), so that the
// error log and the reason lines read the same whichever link ran.
enum PortErrorKind {
    kDeviceNotFound = 1,
    kPermission = 2,
    kResourceError = 6,
    kUnsupported = 7,
    kUnknown = 8,
    kTimeout = 9,
};

struct SystemError {
    int Kind = kUnknown;
    std::string Text;
};

[[noreturn]] void Fail(const std::string& what, const SystemError& error) {
    throw SerialError(8000 + error.Kind, what + ": " + error.Text);
}

// How many bytes one system read takes at most; the rest waits in the system's queue.
constexpr size_t kReadAhead = 256;

}  // namespace

#ifdef _WIN32

struct NativeSerialLink::Port {
    HANDLE Handle = INVALID_HANDLE_VALUE;
    int ReadTimeoutMs = -1;  // the read deadline the port is set to; -1: none set yet
    int Baud = 9600;
    std::string Ahead;  // bytes read from the system and not yet taken
    size_t Next = 0;
};

namespace {

std::string SystemText(DWORD code) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPWSTR>(&text),
        0, nullptr);
    std::string utf8;
    if (length > 0) {
        const int n = WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0,
                                          nullptr, nullptr);
        utf8.resize(static_cast<size_t>(std::max(0, n)));
        WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), &utf8[0], n, nullptr,
                            nullptr);
    }
    LocalFree(text);
    while (!utf8.empty() && (utf8.back() == '\n' || utf8.back() == '\r' || utf8.back() == ' ')) {
        utf8.pop_back();
    }
    return utf8.empty() ? "Unknown error " + std::to_string(code) : utf8;
}

SystemError LastError() {
    const DWORD code = GetLastError();
    SystemError error;
    error.Text = SystemText(code);
    switch (code) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
            error.Kind = kDeviceNotFound;
            break;
        case ERROR_ACCESS_DENIED:
            error.Kind = kPermission;
            break;
        case ERROR_INVALID_HANDLE:
        case ERROR_BAD_COMMAND:
        case ERROR_DEVICE_REMOVED:
        case ERROR_OPERATION_ABORTED:
            error.Kind = kResourceError;
            break;
        case ERROR_INVALID_PARAMETER:
            error.Kind = kUnsupported;
            break;
        case WAIT_TIMEOUT:
            error.Kind = kTimeout;
            break;
        default:
            error.Kind = kUnknown;
            break;
    }
    return error;
}

// COM10 and above only open under the device namespace; the lower ones open under it too.
std::wstring DevicePath(const std::string& device) {
    std::wstring wide(device.begin(), device.end());
    return wide.rfind(L"\\\\.\\", 0) == 0 ? wide : L"\\\\.\\" + wide;
}

bool OpenDevice(NativeSerialLink::Port& port, const std::string& device, SystemError& error) {
    port.Handle = CreateFileW(DevicePath(device).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (port.Handle == INVALID_HANDLE_VALUE) {
        error = LastError();
        return false;
    }
    // What an earlier program left in the queues is no answer to us.
    PurgeComm(port.Handle, PURGE_RXABORT | PURGE_RXCLEAR | PURGE_TXABORT | PURGE_TXCLEAR);
    return true;
}

bool SetTimeouts(NativeSerialLink::Port& port, int readTimeoutMs, SystemError& error) {
    COMMTIMEOUTS timeouts{};
    // Returns at once with what has come; without anything, waits up to the deadline for the
    // first byte. A deadline of 0 only takes what is there.
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.ReadTotalTimeoutMultiplier = readTimeoutMs > 0 ? MAXDWORD : 0;
    timeouts.ReadTotalTimeoutConstant = static_cast<DWORD>(std::max(0, readTimeoutMs));
    // A write gives up a second after the time its bytes need on the line.
    timeouts.WriteTotalTimeoutMultiplier = static_cast<DWORD>(10000 / std::max(1, port.Baud) + 1);
    timeouts.WriteTotalTimeoutConstant = 1000;
    if (!SetCommTimeouts(port.Handle, &timeouts)) {
        error = LastError();
        return false;
    }
    port.ReadTimeoutMs = readTimeoutMs;
    return true;
}

bool ConfigureLine(NativeSerialLink::Port& port, const PortSettings& settings, SystemError& error) {
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(port.Handle, &dcb)) {
        error = LastError();
        return false;
    }
    dcb.BaudRate = static_cast<DWORD>(settings.Baud);
    dcb.ByteSize = static_cast<BYTE>(settings.DataBits);
    dcb.StopBits = settings.StopBits == 2 ? TWOSTOPBITS : ONESTOPBIT;
    dcb.Parity = settings.Parity == 'E'   ? EVENPARITY
                 : settings.Parity == 'O' ? ODDPARITY
                 : settings.Parity == 'M' ? MARKPARITY
                 : settings.Parity == 'S' ? SPACEPARITY
                                          : NOPARITY;
    dcb.fParity = dcb.Parity != NOPARITY;
    dcb.fBinary = TRUE;
    // No handshake: the cable has no control lines worth trusting. DTR stays as the driver
    // has it (some cables draw their power from it) unless it was a handshake line.
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fRtsControl = RTS_CONTROL_DISABLE;
    if (dcb.fDtrControl == DTR_CONTROL_HANDSHAKE) {
        dcb.fDtrControl = DTR_CONTROL_DISABLE;
    }
    dcb.fInX = FALSE;
    dcb.fOutX = FALSE;
    dcb.fNull = FALSE;
    dcb.fErrorChar = FALSE;
    dcb.fAbortOnError = FALSE;
    if (!SetCommState(port.Handle, &dcb)) {
        error = LastError();
        return false;
    }
    port.Baud = settings.Baud;
    return SetTimeouts(port, 0, error);
}

void CloseDevice(NativeSerialLink::Port& port) {
    // The last reply leaves at the speed it was written for before the handle goes.
    FlushFileBuffers(port.Handle);
    CloseHandle(port.Handle);
    port.Handle = INVALID_HANDLE_VALUE;
}

bool ReadSome(NativeSerialLink::Port& port, int timeoutMs, SystemError& error) {
    if (port.ReadTimeoutMs != timeoutMs && !SetTimeouts(port, timeoutMs, error)) {
        return false;
    }
    char buffer[kReadAhead];
    DWORD got = 0;
    if (!ReadFile(port.Handle, buffer, sizeof buffer, &got, nullptr)) {
        error = LastError();
        return false;
    }
    port.Ahead.assign(buffer, got);
    port.Next = 0;
    return true;
}

bool QueuedBytes(NativeSerialLink::Port& port, size_t& count, SystemError& error) {
    DWORD errors = 0;
    COMSTAT status{};
    if (!ClearCommError(port.Handle, &errors, &status)) {
        error = LastError();
        return false;
    }
    count = status.cbInQue;
    return true;
}

bool WriteAll(NativeSerialLink::Port& port, const std::string& bytes, SystemError& error) {
    DWORD written = 0;
    if (!WriteFile(port.Handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                   nullptr)) {
        error = LastError();
        return false;
    }
    if (written != bytes.size()) {
        error = SystemError{kTimeout, SystemText(WAIT_TIMEOUT)};
        return false;
    }
    return true;
}

bool IsOpenDevice(const NativeSerialLink::Port& port) {
    return port.Handle != INVALID_HANDLE_VALUE;
}

}  // namespace

std::string NativePortDevice(int comNum) {
    return "COM" + std::to_string(comNum);
}

std::vector<SerialPortEntry> NativeSerialPorts() {
    std::wstring names(16384, L'\0');
    DWORD length = 0;
    while ((length = QueryDosDeviceW(nullptr, &names[0], static_cast<DWORD>(names.size()))) == 0 &&
           GetLastError() == ERROR_INSUFFICIENT_BUFFER && names.size() < (1u << 22)) {
        names.resize(names.size() * 2);
    }
    std::vector<SerialPortEntry> ports;
    for (size_t at = 0; at < length && names[at] != L'\0';) {
        const std::wstring name(names.c_str() + at);
        at += name.size() + 1;
        const bool com = name.size() > 3 && _wcsnicmp(name.c_str(), L"COM", 3) == 0 &&
                         name.find_first_not_of(L"0123456789", 3) == std::wstring::npos;
        if (!com) {
            continue;
        }
        SerialPortEntry port;
        port.ComNum = std::atoi(std::string(name.begin() + 3, name.end()).c_str());
        port.Device = "COM" + std::to_string(port.ComNum);
        wchar_t target[512] = {};
        if (QueryDosDeviceW(name.c_str(), target, 512) > 0) {
            for (const wchar_t* c = target; *c != L'\0'; ++c) {
                port.Description += *c < 0x80 ? static_cast<char>(*c) : '?';
            }
        }
        ports.push_back(std::move(port));
    }
    std::sort(ports.begin(), ports.end(), [](const SerialPortEntry& a, const SerialPortEntry& b) {
        return a.ComNum < b.ComNum;
    });
    return ports;
}

#else

struct NativeSerialLink::Port {
    int Fd = -1;
    std::string Ahead;  // bytes read from the system and not yet taken
    size_t Next = 0;
};

namespace {

SystemError ErrnoError(int number) {
    SystemError error;
    error.Text = std::strerror(number);
    switch (number) {
        case ENOENT:
        case ENODEV:
        case ENXIO:
            error.Kind = kDeviceNotFound;
            break;
        case EACCES:
        case EPERM:
        case EBUSY:
            error.Kind = kPermission;
            break;
        case EIO:
        case EBADF:
        case EAGAIN:
            error.Kind = kResourceError;
            break;
        case EINVAL:
            error.Kind = kUnsupported;
            break;
        default:
            error.Kind = kUnknown;
            break;
    }
    return error;
}

speed_t SpeedCode(int baud) {
    static const struct {
        int Baud;
        speed_t Code;
    } kSpeeds[] = {{1200, B1200},   {2400, B2400},   {4800, B4800},   {9600, B9600},
                   {19200, B19200}, {38400, B38400}, {57600, B57600}, {115200, B115200}};
    for (const auto& speed : kSpeeds) {
        if (speed.Baud == baud) {
            return speed.Code;
        }
    }
    return B0;
}

bool OpenDevice(NativeSerialLink::Port& port, const std::string& device, SystemError& error) {
    // Non-blocking, so that a port whose carrier line is down opens at once.
    port.Fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (port.Fd < 0) {
        error = ErrnoError(errno);
        return false;
    }
    if (!isatty(port.Fd)) {
        error = ErrnoError(ENOTTY);
        ::close(port.Fd);
        port.Fd = -1;
        return false;
    }
    tcflush(port.Fd, TCIOFLUSH);
    return true;
}

bool ConfigureLine(NativeSerialLink::Port& port, const PortSettings& settings, SystemError& error) {
    if (const int number = SetUpRawLine(port.Fd, settings); number != 0) {
        error = ErrnoError(number);
        return false;
    }
    return true;
}

void CloseDevice(NativeSerialLink::Port& port) {
    // The last reply leaves at the speed it was written for before the descriptor goes.
    tcdrain(port.Fd);
    ::close(port.Fd);
    port.Fd = -1;
}

bool ReadSome(NativeSerialLink::Port& port, int timeoutMs, SystemError& error) {
    pollfd wait{port.Fd, POLLIN, 0};
    const int ready = ::poll(&wait, 1, std::max(0, timeoutMs));
    if (ready < 0) {
        // An interrupt (Ctrl+C) ends the wait as a deadline would: the caller looks again.
        if (errno == EINTR) {
            return true;
        }
        error = ErrnoError(errno);
        return false;
    }
    if (ready == 0) {
        return true;
    }
    char buffer[kReadAhead];
    const ssize_t got = ::read(port.Fd, buffer, sizeof buffer);
    if (got < 0 && errno != EAGAIN && errno != EINTR) {
        error = ErrnoError(errno);
        return false;
    }
    // A hung-up line reads as nothing at all; the radio's silence deadlines handle it.
    port.Ahead.assign(buffer, static_cast<size_t>(std::max<ssize_t>(0, got)));
    port.Next = 0;
    return true;
}

bool QueuedBytes(NativeSerialLink::Port& port, size_t& count, SystemError& error) {
    int waiting = 0;
    if (::ioctl(port.Fd, FIONREAD, &waiting) != 0) {
        error = ErrnoError(errno);
        return false;
    }
    count = static_cast<size_t>(std::max(0, waiting));
    return true;
}

bool WriteAll(NativeSerialLink::Port& port, const std::string& bytes, SystemError& error) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(port.Fd, bytes.data() + done, bytes.size() - done);
        if (n >= 0) {
            done += static_cast<size_t>(n);
            continue;
        }
        if (errno == EINTR) {
            continue;
        }
        if (errno != EAGAIN) {
            error = ErrnoError(errno);
            return false;
        }
        pollfd wait{port.Fd, POLLOUT, 0};
        if (::poll(&wait, 1, 1000) == 0) {
            error = SystemError{kTimeout, "Operation timed out"};
            return false;
        }
    }
    return true;
}

bool IsOpenDevice(const NativeSerialLink::Port& port) {
    return port.Fd >= 0;
}

}  // namespace

int SetUpRawLine(int fd, const PortSettings& settings) {
    const speed_t speed = SpeedCode(settings.Baud);
    if (speed == B0 || settings.Parity == 'M' || settings.Parity == 'S') {
        return EINVAL;
    }
    termios t{};
    if (tcgetattr(fd, &t) != 0) {
        return errno;
    }
    cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    t.c_cflag &= ~(CSIZE | CSTOPB | PARENB | PARODD | CRTSCTS);
    t.c_cflag |= settings.DataBits == 5   ? CS5
                 : settings.DataBits == 6 ? CS6
                 : settings.DataBits == 7 ? CS7
                                          : CS8;
    t.c_cflag |= settings.StopBits == 2 ? CSTOPB : 0;
    if (settings.Parity == 'E' || settings.Parity == 'O') {
        t.c_cflag |= PARENB | (settings.Parity == 'O' ? PARODD : 0);
    }
    cfsetispeed(&t, speed);
    cfsetospeed(&t, speed);
    return tcsetattr(fd, TCSANOW, &t) != 0 ? errno : 0;
}

std::string NativePortDevice(int comNum) {
    const std::string variable = "TQ530_COM" + std::to_string(comNum);
    if (const char* device = std::getenv(variable.c_str()); device != nullptr && *device != '\0') {
        return device;
    }
    return "/dev/ttyS" + std::to_string(comNum - 1);
}

#endif

NativeSerialLink::NativeSerialLink(std::string fixedDevice)
    : fixedDevice_(std::move(fixedDevice)) {}

NativeSerialLink::~NativeSerialLink() {
    Close();
}

void NativeSerialLink::Open(int comNum, const std::string& settingsText) {
    const PortSettings settings = ParsePortSettings(settingsText);
    Close();
    device_ = PortName(comNum);
    auto port = std::make_unique<Port>();
    SystemError error;
    if (!OpenDevice(*port, device_, error)) {
        Fail("Port open failed (" + device_ + ")", error);
    }
    port_ = std::move(port);
    if (!ConfigureLine(*port_, settings, error)) {
        Close();
        Fail("Port settings refused (" + settingsText + ")", error);
    }
    settings_ = PortSettingsText(settings);
}

void NativeSerialLink::Close() {
    if (port_) {
        CloseDevice(*port_);
        port_.reset();
    }
}

bool NativeSerialLink::IsOpen() const {
    return port_ && IsOpenDevice(*port_);
}

void NativeSerialLink::RequireOpen() const {
    if (!IsOpen()) {
        throw SerialError(kErrPortNotOpen, "Operation valid only when the port is open");
    }
}

size_t NativeSerialLink::BytesWaiting() {
    RequireOpen();
    size_t queued = 0;
    SystemError error;
    if (!QueuedBytes(*port_, queued, error)) {
        Fail("Read failed", error);
    }
    return port_->Ahead.size() - port_->Next + queued;
}

bool NativeSerialLink::ReadByte(uint8_t& byte, int timeoutMs) {
    RequireOpen();
    if (port_->Next == port_->Ahead.size()) {
        port_->Ahead.clear();
        port_->Next = 0;
        SystemError error;
        if (!ReadSome(*port_, timeoutMs, error)) {
            Fail("Read failed", error);
        }
        if (port_->Ahead.empty()) {
            return false;
        }
    }
    byte = static_cast<uint8_t>(port_->Ahead[port_->Next++]);
    return true;
}

void NativeSerialLink::Write(const std::string& bytes) {
    RequireOpen();
    SystemError error;
    if (!WriteAll(*port_, bytes, error)) {
        Fail("Write failed", error);
    }
}

}  // namespace tq530
