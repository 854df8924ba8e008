// The five transfers of the radio: read, program and the three clears, with the identity
// checks that guard them and the OK-button sequence that connects first.
#pragma once

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "model/image_layout.h"
#include "radio/protocol.h"
#include "radio/watched_link.h"

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
// The user MMSI clear writes the MMSI's five bytes and the byte that counts how often the
// radio still lets the user set it.
constexpr int kMmsiStart = kUserMmsiAddress;
constexpr int kMmsiStatus = kUserMmsiCountAddress;
static_assert(kMmsiStatus == kMmsiStart + kUserMmsiBytes);

// What the read-back after a program found: every address whose byte came back other than
// it was sent, in ascending order.
struct VerifyResult {
    bool Ran = false;
    std::vector<int> Differences;
};

class Transfer {
  public:
    Transfer(Workspace& ws, SerialLink& port, LinkHost& host, TransferMode mode);

    RadioLink& Link() { return link_; }

    // A program reads back every block it wrote, in the same connection, and fails with
    // "Verify failed" when a byte differs. Off by default: the frames stay those of a plain
    // program. Progress then runs 0-50 for the write and 50-100 for the read-back.
    void SetVerify(bool on) { verify_ = on; }
    const VerifyResult& Verified() const { return verified_; }
    // After a transfer that completed: the bytes 0 to ImageEnd that were read from the radio
    // or sent to it, as they stood in the radio at the end; empty otherwise.
    const std::vector<uint8_t>& RadioBytes() const { return radioBytes_; }

    // What the OK button runs: connect, then the mode's procedure. At its end TransferDone,
    // CommError (a failure once the identity checks ran: the dialog stays open) and
    // CancelRequested say what the outcome says.
    Outcome Run();
    // Whether the last Run got through Connect: a window that failed to connect stays open
    // even though CommError is clear.
    bool Connected() const { return connected_; }
    // What the last Run's messages leave unsaid, in one line for the operator: why the port
    // did not open or failed, that the radio did not answer or refused the synchronisation,
    // and a radio that a cancel or a failed port left partly written; "" when all is said.
    const std::string& Reason() const { return reason_; }
    // Whether the port itself failed under the last Run (a pulled cable): not a Cancel,
    // whatever the outcome says.
    bool PortFailed() const { return !watch_.PortFailure.empty(); }

  private:
    // The status check before the procedure; not ready is a failure of its own.
    Outcome RadioReady();
    // The identity checks, then the mode's procedure.
    Outcome Dispatch();
    Outcome CommonChecks();
    Outcome ReadDataChkModel();
    Outcome ReadDataChkProduct();
    Outcome ReadFromRadio();
    Outcome ClearMmsi();
    Outcome ClearLog();
    Outcome ReadData(std::vector<uint8_t>& buffer);
    Outcome WriteData();
    // Reads back the blocks a program wrote and notes every byte that differs.
    Outcome ReadBack();
    // "Verify failed" after a read-back that found differences.
    Outcome VerifyOutcome();
    // Sends one byte at each address of first..end-1 whatever the radio answers.
    Outcome WriteEach(int first, int end);
    // Sends the 64-byte blocks that cover the mode's area, pacing the other steps.
    Outcome ClearArea();
    // The end of every transfer loop: close the port, then "Communication Error!!" under the
    // loop's title or the pause after a good loop.
    Outcome EndLoop(Outcome loop, bool fullProgress = false);
    void Completed();
    // Logs a failure of the port inside a loop or check, tells the operator, and gives up.
    Outcome RuntimeFailure(const char* source, const SerialError& e);
    // The reads of an identity check: the blocks in order, stopping at the first that does
    // not succeed; a failed read says "Communication Error!!".
    Outcome CheckRead(const char* source, std::vector<uint8_t>& buffer,
                      std::initializer_list<std::pair<int, int>> blocks);
    int Progress(int address) const;
    std::string ReasonFor(Outcome outcome) const;

    Workspace& ws_;
    LinkHost& host_;
    TransferMode mode_;
    WatchedLink watch_;
    RadioLink link_;
    bool verify_ = false;
    VerifyResult verified_;
    std::vector<uint8_t> radioBytes_;
    // The share of the progress bar the running loop fills.
    int progressBase_ = 0;
    double progressSpan_ = 100.0;
    bool connected_ = false;
    // A write loop that sent its last frame: whatever comes after, the radio has it all.
    bool writesDone_ = false;
    std::string reason_;
};

}  // namespace tq530
