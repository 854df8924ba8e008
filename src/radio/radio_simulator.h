// The radio's side of the programming protocol, over any byte stream: an 8192-byte EEPROM
// behind the command set, with faults that can be switched on to try the PC side's error
// handling. It knows nothing of ports or clocks; the caller feeds it the PC's bytes and
// delivers its answer.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace tq530 {

// What the radio does to one numbered frame ("#CEP..." frames counted from 1).
enum class FrameFault {
    Refuse,        // answers "ERROR"
    Silent,        // answers nothing
    DropCmdOk,     // leaves out "#CMDOK" but sends the rest
    BadChecksum,   // reply line with a wrong checksum
    OtherAddress,  // data reply for the next block
    WrongLength,   // data reply with a wrong length field
    ShortData,     // data reply one byte short
    WrongName,     // reply line under another name
    OkOnly,        // "#CMDOK" and then nothing
    Truncated,     // reply line that never ends
    CloseLink,     // the cable is pulled as the frame arrives
};

enum class AdapterAnswer { Ok, Error, Other, Garbled, Silent };

struct SimFaults {
    int BusyReplies = 0;       // status "01" to this many status queries first
    int SyncRefusals = 0;      // "ERROR" to this many "#CMDSY" first
    bool NoProbeEcho = false;  // never echoes "P"
    bool NoAckToCan = false;
    bool Noise = false;             // stray bytes before "P", ACK and the CR LF of "#CMDOK"
    bool ErrorWithCrLf = false;     // a refusal is "ERROR" CR LF instead of bare "ERROR"
    bool LowercaseRefusal = false;  // a refusal is "error"
    AdapterAnswer Adapter = AdapterAnswer::Ok;
    std::map<int, FrameFault> Frames;
};

constexpr int kSimEepromSize = 8192;

class RadioSimulator {
  public:
    RadioSimulator();

    std::array<uint8_t, kSimEepromSize> Eeprom{};
    SimFaults Faults;
    // The stored byte at this address is changed behind the PC's back after every write that
    // covers it, as a failing EEPROM cell would: the write is acknowledged, a read-back differs.
    int AlterAfterWrite = -1;
    // Every line the PC sent (without CR LF) and every single byte (as a one-character
    // string), in order.
    std::vector<std::string> Received;
    // Called with a line for each frame in and reply out, for a verbose log.
    std::function<void(const std::string&)> Log;

    // Model code at 0 and 8190, product code "RB274V" 0xFF at 304.
    void SetIdentity(uint16_t modelCode, uint16_t secondModelCode, const std::string& productCode);

    // Takes bytes from the PC; returns what the radio sends back.
    std::string Feed(const std::string& bytes);

    int FramesReceived() const { return frames_; }
    bool LinkClosed() const { return closed_; }
    bool EepromChanged() const { return changed_; }
    void ClearChanged() { changed_ = false; }

  private:
    std::string OnLine(const std::string& line);
    std::string OnFrame(const std::string& line);
    std::string Refusal() const;
    std::string CmdOk() const;
    std::string ReplyLine(const std::string& body, FrameFault fault, bool faulty) const;

    std::string line_;
    int frames_ = 0;
    bool closed_ = false;
    bool changed_ = false;
};

}  // namespace tq530
