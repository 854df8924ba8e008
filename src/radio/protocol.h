// The text command protocol between the PC and the radio: frames, replies, the waits with
// their time-outs, and the transactions (connect, sync, status, block read and write).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/link_host.h"
#include "core/outcome.h"
#include "radio/serial_link.h"

namespace tq530 {

struct Workspace;

enum class WaitResult { Ok = 0, Cancelled = 1, TimedOut = 3, ErrorReply = 8, Unexpected = -1 };

constexpr char kTab = '\t';
constexpr char kCr = '\r';
constexpr char kLf = '\n';
constexpr uint8_t kAck = 0x06;
constexpr uint8_t kCan = 0x18;

constexpr const char* kSettingsConnect = "19200,N,8,1";
constexpr const char* kSettingsData = "57600,N,8,1";
constexpr const char* kSettingsFallback = "9600,N,8,1";

// How long one poll blocks on the port before the loop looks at Cancel and the clock again.
constexpr int kPollMs = 20;

// Command name, TAB, each non-empty field and a TAB, the XOR checksum as 2 hex digits, CR LF.
std::string BuildFrame(const std::string& command, const std::string& address,
                       const std::string& length, const std::string& data);
std::string AddressField(int address);
std::string LengthField(int length);
std::string DataField(const uint8_t* bytes, int count);

// True when the last two characters of line (without CR LF), read as hex, equal the XOR of
// all characters before them.
bool VerifyLineChecksum(const std::string& line);

// Leading hex digits of text as a number; "" and invalid digits read as 0.
int ParseHex(const std::string& text);

// One transfer's link to the radio: the port, its settings, the waits and the transactions.
// Messages are titled with the title of the transfer.
class RadioLink {
  public:
    RadioLink(Workspace& ws, SerialLink& port, LinkHost& host, std::string title);

    Workspace& Ws() { return ws_; }
    LinkHost& Host() { return host_; }
    const std::string& Title() const { return title_; }

    // Port operations. They catch and log their own failures.
    bool PortInit();
    bool PortInitCP();
    bool PortOpen();
    void PortClose();
    // The rest throw SerialError when the port fails.
    void FlushInput();
    void SendByte(uint8_t byte);
    void SendLine(const std::string& text);
    // False, with nothing sent, when Cancel stands once the pause before it is over: a
    // Cancel pressed between two frames stops the transfer before the next one.
    bool SendFrame(const std::string& frame);

    WaitResult WaitByte(uint8_t expected, int seconds);
    WaitResult ReceiveText(int count, int seconds, std::string& text);
    // What a line reader does with the bytes after the CR.
    enum class AfterCr {
        Lf,       // the next byte must be LF (the adapter's answer); any other is Unexpected
        SkipToLf  // bytes are dropped up to the LF (the rest of a reply)
    };
    // Characters up to the CR, which is not kept, then the LF, all within seconds.
    WaitResult ReceiveLine(int seconds, std::string& text, AfterCr afterCr);
    WaitResult WaitCmdOk();

    bool Connect();
    bool SyncCommand();
    bool StatusCheck();
    // Reads length bytes at address into buffer[address...].
    Outcome ReadBlock(std::vector<uint8_t>& buffer, int address, int length);
    // Writes the image bytes at address...address+length-1.
    Outcome WriteBlock(int address, int length);
    void CancelRead();
    // Whether the last synchronisation failed because the radio refused "#CMDSY".
    bool SyncRefused() const { return syncRefused_; }
    // How many write frames left for the radio: it may have stored any of them.
    int WritesSent() const { return writesSent_; }
    // How a transaction that ended comes out: a Cancel pressed meanwhile wins over the rest.
    Outcome Settle(bool succeeded) const;

    void Error(const std::string& text);

  private:
    enum class SendKind { Status, Read, Write };
    bool AcknowledgedSend(const std::string& frame, SendKind kind);
    bool StatusCheckOnce(bool& retry);
    // The reply that follows an acknowledged frame: its name, the rest of the line and the
    // line's checksum. On Ok, fields holds the rest split at its TABs (field 0 is empty).
    struct ReplyForm {
        const char* Name;
        const char* WrongNameAnswer;  // sent back when another name comes
        bool CancelMessageInLine;     // "cancel!!" also when the rest of the line is cancelled
    };
    bool ReceiveReply(const ReplyForm& form, std::vector<std::string>& fields);
    bool OpenPort(const char* settings, const char* source);
    // One pass of a receive loop: yield, then at most one byte if one arrives soon.
    bool PollByte(uint8_t& byte);
    bool Expired(int64_t start, int seconds);

    Workspace& ws_;
    SerialLink& port_;
    LinkHost& host_;
    std::string title_;
    bool syncRefused_ = false;
    int writesSent_ = 0;
};

}  // namespace tq530
