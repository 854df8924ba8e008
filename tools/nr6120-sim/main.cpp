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
#include <map>
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

// Through the programmer's own atomic replace: a half-written image is never left behind, and
// a FIFO or device at the path is refused instead of waited on.
void SaveImage(const std::string& path, const tq530::RadioSimulator& radio) {
    tq530::FileError error;
    const std::string bytes(reinterpret_cast<const char*>(radio.Eeprom.data()),
                            tq530::kSimEepromSize);
    if (!tq530::WriteFileReplacing(path, bytes, error))
        std::fprintf(stderr, "nr6120-sim: %s: %s\n", path.c_str(), error.Text.c_str());
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

// What the command line asks for beyond the simulator's own fault settings.
struct Options {
    std::string ImagePath, LinkPath, SpeedLogPath, Product = "RB274V";
    int ModelCode = 6120, SecondModelCode = -1;
    bool Verbose = false, Pace = false, Stats = false;
    std::vector<std::string> FrameFaults;
    std::string Adapter = "ok";
};

void AddOptions(CLI::App& app, Options& o, tq530::RadioSimulator& radio) {
    using namespace tq530;
    SimFaults& faults = radio.Faults;
    app.set_version_flag("--version", VersionText("nr6120-sim"));
    app.add_option("--image", o.ImagePath,
                   "EEPROM file (8192 bytes): loaded if present, saved on change and at exit");
    app.add_option("--link", o.LinkPath, "Also make this path a symbolic link to the device");
    app.add_flag("--verbose,-v", o.Verbose, "Log every frame and reply on stderr");
    app.add_flag("--pace", o.Pace, "Deliver bytes no faster than the baud rate the PC set");
    app.add_option("--speed-log", o.SpeedLogPath,
                   "Write a line \"BAUD HH\" for every byte from the PC: the line speed when "
                   "it arrived (with --pace, when it has crossed the wire)");
    app.add_flag("--stats", o.Stats,
                 "At exit print the PC's transmissions and the time the bytes need on the wire");
    app.add_option("--model-code", o.ModelCode, "Model code at 0 and 8190 (default 6120)")
        ->check(CLI::Range(0, 0xFFFF));
    app.add_option("--second-model-code", o.SecondModelCode, "A different model code at 8190")
        ->check(CLI::Range(0, 0xFFFF));
    app.add_option("--product-code", o.Product, "Product code at 304 (default RB274V)");
    app.add_option("--busy", faults.BusyReplies, "Report busy to this many status queries")
        ->check(CLI::Range(0, 1000000));
    app.add_option("--refuse-sync", faults.SyncRefusals, "Refuse this many #CMDSY")
        ->check(CLI::Range(0, 1000000));
    app.add_flag("--no-echo", faults.NoProbeEcho, "Never echo the sync probe");
    app.add_flag("--no-ack", faults.NoAckToCan, "Never answer CAN");
    app.add_flag("--noise", faults.Noise, "Stray bytes before single-byte answers and CR LF");
    app.add_flag("--error-crlf", faults.ErrorWithCrLf, "End a refusal with CR LF");
    app.add_flag("--lowercase-error", faults.LowercaseRefusal, "Refuse with \"error\"");
    app.add_option("--adapter", o.Adapter, "Answer to ACMD:002")
        ->check(CLI::IsMember({"ok", "error", "other", "garbled", "silent"}));
    app.add_option("--alter-after-write", radio.AlterAfterWrite,
                   "ADDRESS: change the stored byte there after each write that covers it")
        ->check(CLI::Range(0, kSimEepromSize - 1));
    app.add_option("--fault", o.FrameFaults,
                   "KIND@N[,N-M..]: refuse|silent|drop-ok|bad-checksum|other-address|"
                   "wrong-length|short-data|wrong-name|ok-only|truncated|close, for the "
                   "numbered #CEP frames (counted from 1)");
}

// Turns the --fault and --adapter texts into the simulator's settings; false on a bad one.
bool ApplyFaults(const Options& o, tq530::SimFaults& faults) {
    using tq530::FrameFault;
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
    for (const std::string& faultText : o.FrameFaults) {
        const size_t at = faultText.find('@');
        const auto kind = kinds.find(faultText.substr(0, at));
        std::vector<int> numbers;
        if (at == std::string::npos || kind == kinds.end() ||
            !ParseNumbers(faultText.substr(at + 1), numbers)) {
            std::fprintf(stderr, "nr6120-sim: bad --fault %s\n", faultText.c_str());
            return false;
        }
        for (int n : numbers)
            faults.Frames[n] = kind->second;
    }
    using tq530::AdapterAnswer;
    const std::map<std::string, AdapterAnswer> answers = {{"ok", AdapterAnswer::Ok},
                                                          {"error", AdapterAnswer::Error},
                                                          {"other", AdapterAnswer::Other},
                                                          {"garbled", AdapterAnswer::Garbled},
                                                          {"silent", AdapterAnswer::Silent}};
    faults.Adapter = answers.at(o.Adapter);
    return true;
}

// The two ends of the pseudo-terminal: ours, and the one the programmer opens.
struct Pty {
    int Master = -1;
    int Slave = -1;
    std::string Device;
};

bool OpenPty(Pty& pty) {
    pty.Master = posix_openpt(O_RDWR | O_NOCTTY);
    if (pty.Master < 0 || grantpt(pty.Master) != 0 || unlockpt(pty.Master) != 0) {
        std::perror("nr6120-sim: pseudo-terminal");
        return false;
    }
    pty.Device = ptsname(pty.Master);
    // Holding our own end of the slave keeps the line up while the programmer closes and
    // reopens it to change speed, and keeps the speed it set readable.
    pty.Slave = open(pty.Device.c_str(), O_RDWR | O_NOCTTY);
    termios raw{};
    tcgetattr(pty.Slave, &raw);
    cfmakeraw(&raw);
    cfsetspeed(&raw, B9600);
    tcsetattr(pty.Slave, TCSANOW, &raw);
    fcntl(pty.Master, F_SETFL, fcntl(pty.Master, F_GETFL) | O_NONBLOCK);
    return true;
}

// Answers the programmer until a signal stops it or a fault closes the link; returns the time
// the bytes of both directions needed on the wire, in milliseconds.
class Server {
  public:
    Server(const Options& o, tq530::RadioSimulator& radio, const Pty& pty, FILE* speedLog)
        : o_(o), radio_(radio), pty_(pty), speedLog_(speedLog) {}

    double Run() {
        char buffer[4096];
        while (!gStop && !radio_.LinkClosed()) {
            pollfd p{pty_.Master, POLLIN, 0};
            if (poll(&p, 1, 200) <= 0) {
                if (!o_.ImagePath.empty() && radio_.EepromChanged()) {
                    SaveImage(o_.ImagePath, radio_);
                    radio_.ClearChanged();
                }
                continue;
            }
            const ssize_t n = read(pty_.Master, buffer, sizeof buffer);
            if (n <= 0) {
                // EIO while nobody else has the line open is not possible with our own slave
                // open; anything else is worth a short rest rather than a busy loop.
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
                continue;
            }
            Take(std::string(buffer, static_cast<size_t>(n)));
        }
        return wireMs_;
    }

  private:
    void Take(const std::string& bytes) {
        const int baud = LineBaud(pty_.Slave);
        if (o_.Verbose && baud != lastBaud_) {
            std::fprintf(stderr, "-- line at %d baud\n", baud);
            lastBaud_ = baud;
        }
        if (o_.Pace) {
            wireFree_ = std::max(wireFree_, Clock::now()) + WireTime(bytes.size(), baud);
            std::this_thread::sleep_until(wireFree_);
        }
        if (speedLog_ != nullptr) {
            // A PC that changes the speed while its bytes are still under way is caught here.
            const int arrivedAt = o_.Pace ? LineBaud(pty_.Slave) : baud;
            for (char c : bytes)
                std::fprintf(speedLog_, "%d %02X\n", arrivedAt, static_cast<uint8_t>(c));
            std::fflush(speedLog_);
        }
        const std::string reply = radio_.Feed(bytes);
        wireMs_ += static_cast<double>(bytes.size() + reply.size()) * 10000.0 / baud;
        if (reply.empty())
            return;
        if (!o_.Pace) {
            WriteAll(pty_.Master, reply.data(), reply.size());
            return;
        }
        // Hand the bytes over in small pieces, each when it would have left the wire.
        const Clock::time_point start = Clock::now();
        constexpr size_t kPiece = 16;
        for (size_t at = 0; at < reply.size(); at += kPiece) {
            const size_t size = std::min(kPiece, reply.size() - at);
            std::this_thread::sleep_until(start + WireTime(at + size, baud));
            WriteAll(pty_.Master, reply.data() + at, size);
        }
    }

    const Options& o_;
    tq530::RadioSimulator& radio_;
    const Pty& pty_;
    FILE* speedLog_;
    Clock::time_point wireFree_ = Clock::now();  // when the PC's bytes so far have arrived
    int lastBaud_ = 0;
    double wireMs_ = 0;
};

void CatchSignals() {
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    signal(SIGPIPE, SIG_IGN);
}

}  // namespace

int main(int argc, char** argv) {
    using namespace tq530;
    CLI::App app{"nr6120-sim: an NR6120 radio in PC-control mode on a pseudo-terminal"};
    Options o;
    RadioSimulator radio;
    AddOptions(app, o, radio);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // Help is not a mistake; every other refusal is a usage error like the programmer's.
        return app.exit(e) == 0 ? 0 : 2;
    }
    if (!ApplyFaults(o, radio.Faults))
        return 2;

    const bool loaded = !o.ImagePath.empty() && LoadImage(o.ImagePath, radio);
    if (!loaded || app.count("--model-code") || app.count("--second-model-code") ||
        app.count("--product-code")) {
        radio.SetIdentity(
            static_cast<uint16_t>(o.ModelCode),
            static_cast<uint16_t>(o.SecondModelCode < 0 ? o.ModelCode : o.SecondModelCode),
            o.Product);
    }
    if (o.Verbose) {
        radio.Log = [](const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); };
    }
    Pty pty;
    if (!OpenPty(pty))
        return 1;
    if (!o.LinkPath.empty()) {
        unlink(o.LinkPath.c_str());
        if (symlink(pty.Device.c_str(), o.LinkPath.c_str()) != 0)
            std::perror("nr6120-sim: --link");
    }
    FILE* speedLog = nullptr;
    if (!o.SpeedLogPath.empty()) {
        // A FIFO nobody reads would hold the radio before its first answer.
        FileError error;
        if (!CheckOutputFile(o.SpeedLogPath, error)) {
            std::fprintf(stderr, "nr6120-sim: --speed-log %s: %s\n", o.SpeedLogPath.c_str(),
                         error.Text.c_str());
            return 1;
        }
        if ((speedLog = std::fopen(o.SpeedLogPath.c_str(), "w")) == nullptr) {
            std::perror("nr6120-sim: --speed-log");
            return 1;
        }
    }
    std::printf("%s\n", pty.Device.c_str());
    std::fflush(stdout);
    CatchSignals();

    const double wireMs = Server(o, radio, pty, speedLog).Run();
    if (!o.ImagePath.empty())
        SaveImage(o.ImagePath, radio);
    if (o.Stats) {
        std::fprintf(stderr, "stats: transmissions=%zu wire_ms=%.1f\n", radio.Received.size(),
                     wireMs);
    }
    if (speedLog != nullptr)
        std::fclose(speedLog);
    if (!o.LinkPath.empty())
        unlink(o.LinkPath.c_str());
    close(pty.Slave);
    close(pty.Master);
    return 0;
}
