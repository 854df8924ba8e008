#include "radio/protocol.h"

#include <algorithm>

#include "core/error_log.h"
#include "core/workspace.h"
#include "model/text_util.h"

namespace tq530 {

namespace {

std::vector<std::string> SplitTabs(const std::string& text) {
    std::vector<std::string> fields(1);
    for (char c : text) {
        if (c == kTab) {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

}  // namespace

std::string AddressField(int address) {
    return HexField(static_cast<unsigned>(address), 4);
}
std::string LengthField(int length) {
    return HexField(static_cast<unsigned>(length), 2);
}

std::string DataField(const uint8_t* bytes, int count) {
    std::string text;
    text.reserve(static_cast<size_t>(count) * 2);
    for (int i = 0; i < count; ++i) {
        text += HexField(bytes[i], 2);
    }
    return text;
}

std::string BuildFrame(const std::string& command, const std::string& address,
                       const std::string& length, const std::string& data) {
    std::string frame = command + kTab;
    for (const std::string* field : {&address, &length, &data}) {
        if (!field->empty()) {
            frame += *field;
            frame += kTab;
        }
    }
    uint8_t sum = 0;
    for (char c : frame) {
        sum ^= static_cast<uint8_t>(c);
    }
    return frame + HexField(sum, 2) + kCr + kLf;
}

int ParseHex(const std::string& text) {
    int value = 0;
    for (char c : text) {
        const int digit = HexDigitValue(c);
        if (digit < 0) {
            break;
        }
        value = value * 16 + digit;
        if (value > 0xFFFFFF) {
            break;
        }
    }
    return value;
}

bool VerifyLineChecksum(const std::string& line) {
    if (line.size() < 3) {
        return false;
    }
    const size_t body = line.size() - 2;
    const int high = HexDigitValue(line[body]);
    const int low = HexDigitValue(line[body + 1]);
    const int stated = (high < 0 || low < 0) ? 0 : high * 16 + low;
    uint8_t sum = 0;
    for (size_t i = 0; i < body; ++i) {
        sum ^= static_cast<uint8_t>(line[i]);
    }
    return sum == stated;
}

RadioLink::RadioLink(Workspace& ws, SerialLink& port, LinkHost& host, std::string title)
    : ws_(ws), port_(port), host_(host), title_(std::move(title)) {}

void RadioLink::Error(const std::string& text) {
    host_.ShowMessage(text, title_, MsgIcon::Critical);
}

// ---- port operations ----

bool RadioLink::OpenPort(const char* settings, const char* source) {
    try {
        port_.Close();
        port_.Open(ws_.ComNum, settings);
        host_.ShowMonitor(port_.Settings());
        return true;
    } catch (const SerialError& e) {
        LogError(ws_, source, ErrorMessage(e.Number(), e.what()));
        return false;
    }
}

bool RadioLink::PortInit() {
    return OpenPort(kSettingsConnect, "frmRadio.PortInit");
}

bool RadioLink::PortInitCP() {
    return OpenPort(ws_.LowSpeedLink ? kSettingsConnect : kSettingsData, "frmRadio.PortInitCP");
}

bool RadioLink::PortOpen() {
    if (port_.IsOpen()) {
        return true;
    }
    try {
        port_.Open(ws_.ComNum, kSettingsFallback);
        return true;
    } catch (const SerialError& e) {
        LogError(ws_, "frmRadio.PortOpen", ErrorMessage(e.Number(), e.what()));
        return false;
    }
}

void RadioLink::PortClose() {
    if (port_.IsOpen()) {
        port_.Close();
    }
}

void RadioLink::FlushInput() {
    uint8_t byte = 0;
    while (port_.BytesWaiting() > 0 && port_.ReadByte(byte, 0)) {
    }
}

void RadioLink::SendByte(uint8_t byte) {
    FlushInput();
    host_.Pause(10);
    port_.Write(std::string(1, static_cast<char>(byte)));
}

void RadioLink::SendLine(const std::string& text) {
    host_.Pause(10);
    port_.Write(text + kCr + kLf);
}

bool RadioLink::SendFrame(const std::string& frame) {
    host_.Pause(10);
    if (ws_.CancelRequested) {
        return false;
    }
    port_.Write(frame);
    return true;
}

// ---- receive operations ----

bool RadioLink::PollByte(uint8_t& byte) {
    host_.Yield();
    return port_.ReadByte(byte, kPollMs);
}

bool RadioLink::Expired(int64_t start, int seconds) {
    return host_.NowMs() > start + int64_t{seconds} * 1000;
}

WaitResult RadioLink::WaitByte(uint8_t expected, int seconds) {
    const int64_t start = host_.NowMs();
    for (;;) {
        uint8_t byte = 0;
        const bool got = PollByte(byte);
        if (ws_.CancelRequested)
            return WaitResult::Cancelled;
        if (Expired(start, seconds))
            return WaitResult::TimedOut;
        if (got && byte == expected)
            return WaitResult::Ok;
    }
}

WaitResult RadioLink::ReceiveText(int count, int seconds, std::string& text) {
    text.clear();
    const int64_t start = host_.NowMs();
    for (;;) {
        uint8_t byte = 0;
        if (PollByte(byte)) {
            text += static_cast<char>(byte);
        }
        if (ws_.CancelRequested)
            return WaitResult::Cancelled;
        if (Expired(start, seconds))
            return WaitResult::TimedOut;
        if (EqualsIgnoringCase(text, "ERROR"))
            return WaitResult::ErrorReply;
        if (static_cast<int>(text.size()) == count)
            return WaitResult::Ok;
    }
}

WaitResult RadioLink::ReceiveLine(int seconds, std::string& text, AfterCr afterCr) {
    text.clear();
    const int64_t start = host_.NowMs();
    bool sawCr = false;
    for (;;) {
        uint8_t byte = 0;
        const bool got = PollByte(byte);
        if (ws_.CancelRequested)
            return WaitResult::Cancelled;
        if (Expired(start, seconds))
            return WaitResult::TimedOut;
        if (!got)
            continue;
        if (sawCr) {
            if (byte == kLf)
                return WaitResult::Ok;
            if (afterCr == AfterCr::Lf)
                return WaitResult::Unexpected;
        } else if (byte == kCr) {
            sawCr = true;
        } else {
            text += static_cast<char>(byte);
        }
    }
}

WaitResult RadioLink::WaitCmdOk() {
    std::string text;
    const WaitResult r = ReceiveText(6, 10, text);
    if (r != WaitResult::Ok) {
        return r;
    }
    if (text != "#CMDOK" || WaitByte(kCr, 1) != WaitResult::Ok ||
        WaitByte(kLf, 1) != WaitResult::Ok) {
        return WaitResult::Unexpected;
    }
    return WaitResult::Ok;
}

// ---- transactions ----

bool RadioLink::Connect() {
    ws_.CancelRequested = false;
    // Probing a port that did not open could only fail, and slowly; the attempt ends here
    // as a failed connection (PortInit has logged why).
    if (!PortInit()) {
        return false;
    }
    try {
        bool echoed = false;
        for (int probe = 0; probe < 3 && !echoed; ++probe) {
            SendByte('P');
            if (WaitByte('P', 1) == WaitResult::Ok) {
                SendByte('0');
                echoed = true;
            }
        }
        if (!echoed) {
            host_.ShowMonitor("sync failed!!");
        }
        host_.ShowMonitor("sending 'ACMD:002'...");
        SendLine("ACMD:002");
        std::string answer;
        switch (ReceiveLine(1, answer, AfterCr::Lf)) {
            case WaitResult::Ok:
                if (answer == "ERROR") {
                    Error("ACMD Command error!!");
                    return false;
                }
                if (answer != "OK") {
                    Error("error!!");
                    return false;
                }
                break;
            case WaitResult::Cancelled:
                return false;
            case WaitResult::Unexpected:
                Error("error!!");
                break;
            default:  // no adapter answered: the radio may still be there
                break;
        }
        if (!PortInitCP()) {
            Error("port inicialize error!!");
            return false;
        }
        host_.Pause(1000);
        return SyncCommand();
    } catch (const SerialError& e) {
        host_.ShowMonitor(ErrorMessage(e.Number(), e.what()));
        return false;
    }
}

bool RadioLink::SyncCommand() {
    bool passed[2] = {false, false};
    bool refused = false;
    for (int pass = 1; pass <= 2; ++pass) {
        bool stop = false;
        for (int attempts = ws_.RetryCount; attempts > 0;) {
            host_.ShowMonitor("sending '#CMDSY'...(" + std::to_string(pass) + ")");
            SendLine("#CMDSY");
            const WaitResult r = WaitCmdOk();
            if (r == WaitResult::Ok) {
                passed[pass - 1] = true;
                break;
            }
            if (r == WaitResult::TimedOut || r == WaitResult::ErrorReply) {
                refused = refused || r == WaitResult::ErrorReply;
                --attempts;
            } else {
                stop = true;
                break;
            }
        }
        if (stop) {
            break;
        }
    }
    syncRefused_ = !(passed[0] && passed[1]) && refused;
    if (passed[0] && passed[1]) {
        return true;
    }
    host_.ShowMonitor("can'not Receive '#CMDOK' !!");
    return false;
}

bool RadioLink::AcknowledgedSend(const std::string& frame, SendKind kind) {
    int attempts = ws_.RetryCount;
    while (attempts > 0) {
        // A Cancel is never forgotten between two frames: one that stands when this frame
        // is due stops it unsent, however long ago it was pressed.
        if (kind == SendKind::Write) {
            FlushInput();
        }
        if (!SendFrame(frame)) {
            return false;
        }
        if (kind == SendKind::Write) {
            ++writesSent_;
        }
        switch (WaitCmdOk()) {
            case WaitResult::Ok:
                return true;
            case WaitResult::TimedOut:
                --attempts;
                break;
            case WaitResult::ErrorReply:
                if (--attempts == 0) {
                    const Answer answer = host_.AskResync(
                        "confirm the synchronization of the communication", title_, frame);
                    if (answer == Answer::Ok && SyncCommand()) {
                        attempts = 1;
                    }
                }
                break;
            default:
                return false;
        }
    }
    return false;
}

bool RadioLink::StatusCheck() {
    for (;;) {
        bool retry = false;
        const bool ready = StatusCheckOnce(retry);
        if (!retry) {
            return ready;
        }
    }
}

bool RadioLink::ReceiveReply(const ReplyForm& form, std::vector<std::string>& fields) {
    std::string name;
    switch (ReceiveText(6, 10, name)) {
        case WaitResult::Ok:
            break;
        case WaitResult::Cancelled:
            Error("cancel!!");
            return false;
        case WaitResult::TimedOut:
            Error("time out!!");
            return false;
        default:
            return false;
    }
    if (name != form.Name) {
        SendLine(form.WrongNameAnswer);
        return false;
    }
    std::string rest;
    switch (ReceiveLine(10, rest, AfterCr::SkipToLf)) {
        case WaitResult::Ok:
            break;
        case WaitResult::Cancelled:
            if (form.CancelMessageInLine) {
                Error("cancel!!");
            }
            return false;
        default:
            Error("time out!!");
            return false;
    }
    if (!VerifyLineChecksum(name + rest)) {
        SendLine("#CMDSM");
        return false;
    }
    fields = SplitTabs(rest);
    return true;
}

bool RadioLink::StatusCheckOnce(bool& retry) {
    host_.ShowMonitor("status check..");
    if (!AcknowledgedSend(BuildFrame("#CEPSR", "00", "", ""), SendKind::Status)) {
        return false;
    }
    const auto outcome = [this](bool ready) {
        host_.ShowMonitor(ready ? "status check.. OK" : "status check.. NG!!");
        return ready;
    };
    std::vector<std::string> fields;
    if (!ReceiveReply({"#CEPSD", "#CMDUN", true}, fields)) {
        return outcome(false);
    }
    SendLine("#CMDOK");
    const std::string status = fields.size() > 1 ? fields[1] : std::string();
    if (status == "00") {
        return outcome(true);
    }
    if (status == "01") {
        if (host_.Ask("Radio is busy!!", title_, MsgIcon::Exclamation, Buttons::RetryCancel,
                      Answer::Cancel) == Answer::Retry) {
            retry = true;
            return false;
        }
        return outcome(false);
    }
    return outcome(false);
}

Outcome RadioLink::Settle(bool succeeded) const {
    if (ws_.CancelRequested) {
        return Outcome::Cancelled;
    }
    return succeeded ? Outcome::Ok : Outcome::Failed;
}

Outcome RadioLink::ReadBlock(std::vector<uint8_t>& buffer, int address, int length) {
    FlushInput();
    if (!AcknowledgedSend(BuildFrame("#CEPRD", AddressField(address), LengthField(length), ""),
                          SendKind::Read)) {
        return Settle(false);
    }
    std::vector<std::string> fields;
    if (!ReceiveReply({"#CEPDT", "#CMDER", false}, fields)) {
        return Settle(false);
    }
    fields.resize(std::max<size_t>(fields.size(), 4));
    if (ParseHex(fields[1]) != address) {
        Error("address error!!");
        return Settle(false);
    }
    const std::string& data = fields[3];
    if (ParseHex(fields[2]) != length || data.size() != static_cast<size_t>(length) * 2) {
        Error("data error!!");
        return Settle(false);
    }
    for (int i = 0; i < length; ++i) {
        const size_t at = static_cast<size_t>(address + i);
        if (at < buffer.size()) {
            buffer[at] = static_cast<uint8_t>(ParseHex(data.substr(static_cast<size_t>(i) * 2, 2)));
        }
    }
    SendLine("#CMDOK");
    return Settle(true);
}

Outcome RadioLink::WriteBlock(int address, int length) {
    const std::string frame =
        BuildFrame("#CEPWR", AddressField(address), LengthField(length),
                   DataField(&ws_.Image.Bytes[static_cast<size_t>(address)], length));
    return Settle(AcknowledgedSend(frame, SendKind::Write));
}

void RadioLink::CancelRead() {
    SendByte(kCan);
    // The Cancel that brought us here is still standing and would end the wait for ACK
    // before it began; a second Cancel during the wait still ends it.
    ws_.CancelRequested = false;
    WaitByte(kAck, 10);
    ws_.CancelRequested = true;
}

}  // namespace tq530
