// The five transfers of the radio: read, program and the three clears, with the identity
// checks that guard them and the OK-button sequence that connects first.
#pragma once

#include <string>
#include <vector>

#include "radio/protocol.h"

namespace tq530 {

enum class TransferMode {
    Read = 0,
    Program = 1,
    ClearMmsi = 2,
    ClearDscLog = 3,
    ClearDistressLog = 4
};

std::string TransferTitle(TransferMode mode);

constexpr int kBlockSize = 64;
constexpr int kProductCodeAddress = 304;
constexpr int kProductCodeLength = 7;
extern const uint8_t kProductCode[kProductCodeLength];  // "RB274V", 0xFF

// Areas of the EEPROM the transfers treat apart.
constexpr int kHeadEnd = 64;          // 2-63 are written byte by byte
constexpr int kProtectedStart = 192;  // 192-319 are never written
constexpr int kProtectedEnd = 320;
constexpr int kNotReadStart = 1024;  // 1024-1279 never taken from a read
constexpr int kNotReadEnd = 1280;
constexpr int kDscLogStart = 6656;  // 6656-7679; from here on never programmed
constexpr int kDscLogEnd = 7680;
constexpr int kDistressLogStart = 7680;  // 7680-8159
constexpr int kDistressLogEnd = 8160;
constexpr int kMmsiStart = 322;  // 322-326, status byte 327
constexpr int kMmsiStatus = 327;

class Transfer {
  public:
    Transfer(Workspace& ws, SerialLink& port, LinkHost& host, TransferMode mode);

    RadioLink& Link() { return link_; }

    // What the OK button runs: connect, then the mode's procedure. True when the transfer
    // completed (TransferDone).
    bool Run();
    // The mode's procedure after a successful Connect (encode first for a program).
    void Dispatch();

    void ReadFromRadio();
    void ProgramToRadio();
    void ClearRadioData();
    bool ReadDataChkModel();
    bool ReadDataChkProduct();

  private:
    bool CommonChecks();
    void ReadData(std::vector<uint8_t>& buffer);
    void WriteData();
    void ClearData();
    // Sends the 64-byte blocks that cover first..end-1, pacing the other steps.
    void ClearArea(int first, int end, const char* source);
    // Logs a failure of the port inside a loop or check, tells the operator, and gives up.
    // The end of every transfer loop: close the port, then "Communication Error!!" under the
    // loop's title or the pause after a good loop.
    void EndLoop(const char* title, bool fullProgress = false);
    void Completed();
    void RuntimeFailure(const char* source, const SerialError& e);
    int Progress(int address) const;

    Workspace& ws_;
    LinkHost& host_;
    TransferMode mode_;
    RadioLink link_;
};

}  // namespace tq530
