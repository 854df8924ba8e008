// nr6120-sim: an NR6120 in PC-control mode on a pseudo-terminal, for trying the programmer
// without a radio. Prints the device to point the programmer at, then answers until it is
// stopped; the EEPROM can be kept in a file between runs.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>
#include <thread>

#include "core/file_io.h"
#include "core/version_text.h"
#include "radio/radio_simulator.h"

namespace {

using Clock = std::chrono::steady_clock;
volatile sig_atomic_t gStop = 0;

void OnSignal(int) {
    gStop = 1;
}

bool LoadImage(const std::string& path, tq530::RadioSimulator& radio) {
    std::error_code ec;
    if (!std::filesystem::exists(std::filesystem::symlink_status(path, ec)))
        return false;
    // Anything else at the path (a folder, a FIFO, no permission) is a mistake to say, not a
    // file to start over.
    std::string bytes;
    tq530::FileError error;
    if (!tq530::ReadWholeFile(path, bytes, error)) {
        std::fprintf(stderr, "nr6120-sim: %s: %s\n", path.c_str(), error.Text.c_str());
        std::exit(2);
    }
    if (bytes.size() != tq530::kSimEepromSize) {
        std::fprintf(stderr, "nr6120-sim: %s is not an 8192-byte image\n", path.c_str());
        std::exit(2);
    }
    std::memcpy(radio.Eeprom.data(), bytes.data(), bytes.size());
    return true;
}

void SaveImage(const std::string& path, const tq530::RadioSimulator& radio) {
    const std::string temp = path + ".tmp";
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(radio.Eeprom.data()), tq530::kSimEepromSize);
    out.close();
    if (out)
        std::rename(temp.c_str(), path.c_str());
}

// The baud rate the programmer set on its end of the line.
int LineBaud(int fd) {
    termios t{};
    if (tcgetattr(fd, &t) != 0)
        return 9600;
    switch (cfgetospeed(&t)) {
        case B1200:
            return 1200;
        case B2400:
            return 2400;
        case B4800:
            return 4800;
        case B9600:
            return 9600;
        case B19200:
            return 19200;
        case B38400:
            return 38400;
        case B57600:
            return 57600;
        case B115200:
            return 115200;
        default:
            return 9600;
    }
}

// Bytes take 10 bit times on the wire (start, 8 data, stop).
Clock::duration WireTime(size_t bytes, int baud) {
    return std::chrono::microseconds(static_cast<int64_t>(bytes) * 10'000'000 / baud);
}

bool WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t n = write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            if (errno == EAGAIN) {
                pollfd p{fd, POLLOUT, 0};
                poll(&p, 1, 100);
                continue;
            }
            return false;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

// The frame numbers of a --fault: "N", "N-M" and lists of them. false for anything else,
// a number below 1, or a range that runs backwards or wider than a transfer could use.
bool ParseNumbers(const std::string& text, std::vector<int>& out) {
    constexpr long kLastFrame = 100000;
    const auto number = [](const std::string& digits, long& value) {
        if (digits.empty() || digits.size() > 6 ||
            digits.find_first_not_of("0123456789") != std::string::npos) {
            return false;
        }
        value = std::stol(digits);
        return value >= 1 && value <= kLastFrame;
    };
    std::stringstream in(text);
    std::string part;
    bool any = false;
    while (std::getline(in, part, ',')) {
        const size_t dash = part.find('-');
        long from = 0, to = 0;
        if (!number(part.substr(0, dash), from) ||
            !number(dash == std::string::npos ? part : part.substr(dash + 1), to) || to < from) {
            return false;
        }
        for (long n = from; n <= to; ++n) {
            out.push_back(static_cast<int>(n));
        }
        any = true;
    }
    return any;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace tq530;
    CLI::App app{"nr6120-sim: an NR6120 radio in PC-control mode on a pseudo-terminal"};
    std::string imagePath, linkPath, speedLogPath, product = "RB274V";
    int modelCode = 6120, secondModelCode = -1;
    bool verbose = false, pace = false, stats = false;
    RadioSimulator radio;
    SimFaults& faults = radio.Faults;
    std::vector<std::string> frameFaults;
    std::string adapter = "ok";
    app.set_version_flag("--version", VersionText("nr6120-sim"));
    app.add_option("--image", imagePath,
                   "EEPROM file (8192 bytes): loaded if present, saved on change and at exit");
    app.add_option("--link", linkPath, "Also make this path a symbolic link to the device");
    app.add_flag("--verbose,-v", verbose, "Log every frame and reply on stderr");
    app.add_flag("--pace", pace, "Deliver bytes no faster than the baud rate the PC set");
    app.add_option("--speed-log", speedLogPath,
                   "Write a line \"BAUD HH\" for every byte from the PC: the line speed when "
                   "it arrived (with --pace, when it has crossed the wire)");
    app.add_flag("--stats", stats,
                 "At exit print the PC's transmissions and the time the bytes need on the wire");
    app.add_option("--model-code", modelCode, "Model code at 0 and 8190 (default 6120)")
        ->check(CLI::Range(0, 0xFFFF));
    app.add_option("--second-model-code", secondModelCode, "A different model code at 8190")
        ->check(CLI::Range(0, 0xFFFF));
    app.add_option("--product-code", product, "Product code at 304 (default RB274V)");
    app.add_option("--busy", faults.BusyReplies, "Report busy to this many status queries")
        ->check(CLI::Range(0, 1000000));
    app.add_option("--refuse-sync", faults.SyncRefusals, "Refuse this many #CMDSY")
        ->check(CLI::Range(0, 1000000));
    app.add_flag("--no-echo", faults.NoProbeEcho, "Never echo the sync probe");
    app.add_flag("--no-ack", faults.NoAckToCan, "Never answer CAN");
    app.add_flag("--noise", faults.Noise, "Stray bytes before single-byte answers and CR LF");
    app.add_flag("--error-crlf", faults.ErrorWithCrLf, "End a refusal with CR LF");
    app.add_flag("--lowercase-error", faults.LowercaseRefusal, "Refuse with \"error\"");
    app.add_option("--adapter", adapter, "Answer to ACMD:002")
        ->check(CLI::IsMember({"ok", "error", "other", "garbled", "silent"}));
    app.add_option("--alter-after-write", radio.AlterAfterWrite,
                   "ADDRESS: change the stored byte there after each write that covers it")
        ->check(CLI::Range(0, kSimEepromSize - 1));
    app.add_option("--fault", frameFaults,
                   "KIND@N[,N-M..]: refuse|silent|drop-ok|bad-checksum|other-address|"
                   "wrong-length|short-data|wrong-name|ok-only|truncated|close, for the "
                   "numbered #CEP frames (counted from 1)");
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // Help is not a mistake; every other refusal is a usage error like the programmer's.
        return app.exit(e) == 0 ? 0 : 2;
    }

    const std::map<std::string, FrameFault> kinds = {{"refuse", FrameFault::Refuse},
                                                     {"silent", FrameFault::Silent},
                                                     {"drop-ok", FrameFault::DropCmdOk},
                                                     {"bad-checksum", FrameFault::BadChecksum},
                                                     {"other-address", FrameFault::OtherAddress},
                                                     {"wrong-length", FrameFault::WrongLength},
                                                     {"short-data", FrameFault::ShortData},
                                                     {"wrong-name", FrameFault::WrongName},
                                                     {"ok-only", FrameFault::OkOnly},
                                                     {"truncated", FrameFault::Truncated},
                                                     {"close", FrameFault::CloseLink}};
    for (const std::string& faultText : frameFaults) {
        const size_t at = faultText.find('@');
        const auto kind = kinds.find(faultText.substr(0, at));
        std::vector<int> numbers;
        if (at == std::string::npos || kind == kinds.end() ||
            !ParseNumbers(faultText.substr(at + 1), numbers)) {
            std::fprintf(stderr, "nr6120-sim: bad --fault %s\n", faultText.c_str());
            return 2;
        }
        for (int n : numbers)
            faults.Frames[n] = kind->second;
    }
    const std::map<std::string, AdapterAnswer> answers = {{"ok", AdapterAnswer::Ok},
                                                          {"error", AdapterAnswer::Error},
                                                          {"other", AdapterAnswer::Other},
                                                          {"garbled", AdapterAnswer::Garbled},
                                                          {"silent", AdapterAnswer::Silent}};
    faults.Adapter = answers.at(adapter);

    const bool loaded = !imagePath.empty() && LoadImage(imagePath, radio);
    if (!loaded || app.count("--model-code") || app.count("--second-model-code") ||
        app.count("--product-code")) {
        radio.SetIdentity(static_cast<uint16_t>(modelCode),
                          static_cast<uint16_t>(secondModelCode < 0 ? modelCode : secondModelCode),
                          product);
    }
    if (verbose) {
        radio.Log = [](const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); };
    }

    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        std::perror("nr6120-sim: pseudo-terminal");
        return 1;
    }
    const std::string device = ptsname(master);
    // Holding our own end of the slave keeps the line up while the programmer closes and
    // reopens it to change speed, and keeps the speed it set readable.
    const int slave = open(device.c_str(), O_RDWR | O_NOCTTY);
    termios raw{};
    tcgetattr(slave, &raw);
    cfmakeraw(&raw);
    cfsetspeed(&raw, B9600);
    tcsetattr(slave, TCSANOW, &raw);
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    if (!linkPath.empty()) {
        unlink(linkPath.c_str());
        if (symlink(device.c_str(), linkPath.c_str()) != 0)
            std::perror("nr6120-sim: --link");
    }
    FILE* speedLog = nullptr;
    if (!speedLogPath.empty() && (speedLog = std::fopen(speedLogPath.c_str(), "w")) == nullptr) {
        std::perror("nr6120-sim: --speed-log");
        return 1;
    }
    std::printf("%s\n", device.c_str());
    std::fflush(stdout);

    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    signal(SIGPIPE, SIG_IGN);

    Clock::time_point wireFree = Clock::now();  // when the PC's bytes so far have arrived
    char buffer[4096];
    int lastBaud = 0;
    double wireMs = 0;
    while (!gStop && !radio.LinkClosed()) {
        pollfd p{master, POLLIN, 0};
        const int ready = poll(&p, 1, 200);
        if (ready <= 0) {
            if (!imagePath.empty() && radio.EepromChanged()) {
                SaveImage(imagePath, radio);
                radio.ClearChanged();
            }
            continue;
        }
        const ssize_t n = read(master, buffer, sizeof buffer);
        if (n <= 0) {
            // EIO while nobody else has the line open is not possible with our own slave
            // open; anything else is worth a short rest rather than a busy loop.
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            continue;
        }
        const int baud = LineBaud(slave);
        if (verbose && baud != lastBaud) {
            std::fprintf(stderr, "-- line at %d baud\n", baud);
            lastBaud = baud;
        }
        if (pace) {
            wireFree = std::max(wireFree, Clock::now()) + WireTime(static_cast<size_t>(n), baud);
            std::this_thread::sleep_until(wireFree);
        }
        if (speedLog != nullptr) {
            // A PC that changes the speed while its bytes are still under way is caught here.
            const int arrivedAt = pace ? LineBaud(slave) : baud;
            for (ssize_t i = 0; i < n; ++i)
                std::fprintf(speedLog, "%d %02X\n", arrivedAt, static_cast<uint8_t>(buffer[i]));
            std::fflush(speedLog);
        }
        const std::string reply = radio.Feed(std::string(buffer, static_cast<size_t>(n)));
        wireMs += static_cast<double>(static_cast<size_t>(n) + reply.size()) * 10000.0 / baud;
        if (reply.empty())
            continue;
        if (!pace) {
            WriteAll(master, reply.data(), reply.size());
            continue;
        }
        // Hand the bytes over in small pieces, each when it would have left the wire.
        const Clock::time_point start = Clock::now();
        constexpr size_t kPiece = 16;
        for (size_t at = 0; at < reply.size(); at += kPiece) {
            const size_t size = std::min(kPiece, reply.size() - at);
            std::this_thread::sleep_until(start + WireTime(at + size, baud));
            WriteAll(master, reply.data() + at, size);
        }
    }
    if (!imagePath.empty())
        SaveImage(imagePath, radio);
    if (stats) {
        std::fprintf(stderr, "stats: transmissions=%zu wire_ms=%.1f\n", radio.Received.size(),
                     wireMs);
    }
    if (speedLog != nullptr)
        std::fclose(speedLog);
    if (!linkPath.empty())
        unlink(linkPath.c_str());
    close(slave);
    close(master);
    return 0;
}
