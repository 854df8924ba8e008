#include "radio/transfer.h"

#include <algorithm>
#include <cmath>

#include "core/error_log.h"
#include "core/workspace.h"
#include "model/image_codec.h"
#include "model/model_traits.h"
#include "model/setting_names.h"
#include "model/text_util.h"

namespace tq530 {

const uint8_t kProductCode[kProductCodeLength] = {'R', 'B', '2', '7', '4', 'V', 0xFF};

namespace {

// What each transfer mode is: its dialog title, the monitor text its procedure starts with,
// the name and message title of its transfer loop, the area a clear writes, and what a
// write broken off half-way left in the radio.
struct ModeInfo {
    const char* Title;
    const char* Monitor;
    const char* LoopSource;
    const char* LoopTitle;
    int AreaStart;
    int AreaEnd;
    const char* Partly;
};

constexpr const char* kPartlyCleared = "the radio is partly cleared: clear it again";

const ModeInfo kModes[] = {
    {"Read from Radio", "radio reading...", "frmRadio.ReadData", "Read from Radio", 0, 0, ""},
    {"Program to Radio", "radio writing...", "frmRadio.WriteData", "Program to Radio", 0, 0,
     "the radio is partly programmed: program it again"},
    {"Clear MMSI Data", "radio clear...", "frmRadio.ClearData", "Clear Data", kMmsiStart,
     kMmsiStatus + 1, kPartlyCleared},
    {"Clear DSC Log Data", "radio clear DSC...", "frmRadio.ClearDataDsc", "Program to Radio",
     kDscLogStart, kDscLogEnd, kPartlyCleared},
    {"Clear Distress Log Data", "radio clear Distress...", "frmRadio.ClearDataDistress",
     "Program to Radio", kDistressLogStart, kDistressLogEnd, kPartlyCleared},
};

const ModeInfo& InfoOf(TransferMode mode) {
    return kModes[static_cast<int>(mode)];
}

// The 64-byte steps a program sends nothing for: the protected area and everything from the
// DSC log upward.
bool ProgramSkips(int address) {
    return (address >= kProtectedStart && address < kProtectedEnd) || address >= kDscLogStart;
}

// The last block a program sends: after it, the radio holds everything the program writes.
int LastProgrammedBlock(int imageEnd) {
    int last = 0;
    for (int address = 0; address <= imageEnd; address += kBlockSize) {
        if (!ProgramSkips(address)) {
            last = address;
        }
    }
    return last;
}

// How many differing lines a "Verify failed" message names before it counts the rest.
constexpr size_t kVerifyLines = 12;

}  // namespace

std::string TransferTitle(TransferMode mode) {
    return InfoOf(mode).Title;
}

Transfer::Transfer(Workspace& ws, SerialLink& port, LinkHost& host, TransferMode mode)
    : ws_(ws),
      host_(host),
      mode_(mode),
      watch_(port),
      link_(ws, watch_, host, TransferTitle(mode)) {}

int Transfer::Progress(int address) const {
    return progressBase_ +
           static_cast<int>(std::lround(address * progressSpan_ / ws_.Image.ImageEnd));
}

Outcome Transfer::RuntimeFailure(const char* source, const SerialError& e) {
    LogError(ws_, source, ErrorMessage(e.Number(), e.what()));
    host_.ShowMessage(std::to_string(e.Number()) + "\n\n" + e.what(), e.Source(),
                      MsgIcon::Critical);
    link_.PortClose();
    return Outcome::Cancelled;
}

Outcome Transfer::Run() {
    BusyGuard busy(ws_);
    host_.SetBusy(true);
    host_.ShowMonitor("startsync...");
    verified_ = VerifyResult();
    radioBytes_.clear();
    watch_.Reset();
    writesDone_ = false;
    progressBase_ = 0;
    progressSpan_ = 100.0;
    Outcome outcome = Outcome::Failed;
    bool checked = false;
    connected_ = link_.Connect();
    if (connected_) {
        host_.ShowMonitor("sync ok");
        if (mode_ == TransferMode::Program) {
            FixModelForEncode(ws_.Model, ws_.ModelType);
            PrepareImageForWrite(ws_.Model, ws_.Image, ws_.ModelType);
        }
        outcome = RadioReady();
        if (outcome == Outcome::Ok) {
            checked = true;
            outcome = Dispatch();
        }
        host_.SetProgress(0);
    } else {
        host_.ShowMonitor("can not syncing!!");
        outcome = link_.Settle(false);
    }
    host_.SetBusy(false);
    ws_.TransferDone = outcome == Outcome::Ok;
    ws_.CommError = checked && outcome != Outcome::Ok;
    ws_.CancelRequested = outcome == Outcome::Cancelled;
    reason_ = ReasonFor(outcome);
    return outcome;
}

std::string Transfer::ReasonFor(Outcome outcome) const {
    if (outcome == Outcome::Ok) {
        return {};
    }
    const std::string port = watch_.PortName(ws_.ComNum);
    std::string reason;
    if (!watch_.PortFailure.empty()) {
        reason = port + ": the port failed (" + watch_.PortFailure + "): check the cable";
    } else if (!watch_.Opened) {
        return port + ": cannot open the port: " + watch_.OpenFailure +
               "; check the port name and the cable";
    } else if (outcome == Outcome::Failed && !watch_.Answered) {
        return port +
               ": the radio did not answer; check the cable and that the radio is in PC-control "
               "mode";
    } else if (outcome == Outcome::Failed && link_.SyncRefused()) {
        return port +
               ": the radio refused the synchronisation (ERROR to #CMDSY); start it again in "
               "PC-control mode and try again";
    }
    // A write that stopped half-way: the operator must not take the radio for unchanged.
    const std::string partly = InfoOf(mode_).Partly;
    if (outcome == Outcome::Cancelled && !partly.empty() && link_.WritesSent() > 0 &&
        !writesDone_) {
        reason += (reason.empty() ? "" : "; ") + partly;
    }
    return reason;
}

Outcome Transfer::RadioReady() {
    try {
        if (link_.StatusCheck()) {
            return Outcome::Ok;
        }
        link_.Error("Radio not ready!!");
        return link_.Settle(false);
    } catch (const SerialError& e) {
        return RuntimeFailure(InfoOf(mode_).LoopSource, e);
    }
}

Outcome Transfer::Dispatch() {
    const Outcome checks = CommonChecks();
    if (checks != Outcome::Ok) {
        return checks;
    }
    host_.ShowMonitor(InfoOf(mode_).Monitor);
    Outcome outcome = Outcome::Ok;
    switch (mode_) {
        case TransferMode::Read:
            return ReadFromRadio();
        case TransferMode::Program:
            outcome = WriteData();
            if (outcome == Outcome::Ok) {
                outcome = VerifyOutcome();
            }
            if (outcome == Outcome::Ok) {
                radioBytes_.assign(ws_.Image.Bytes.begin(),
                                   ws_.Image.Bytes.begin() + ws_.Image.Size());
            }
            break;
        case TransferMode::ClearMmsi:
            return ClearMmsi();
        default:
            return ClearLog();
    }
    if (outcome == Outcome::Ok) {
        Completed();
    }
    return outcome;
}

Outcome Transfer::CommonChecks() {
    // Both checks always run; after a Cancel in the first, the second ends before its frame.
    const Outcome model = ReadDataChkModel();
    const Outcome product = ReadDataChkProduct();
    if (model == Outcome::Cancelled || product == Outcome::Cancelled) {
        return Outcome::Cancelled;
    }
    return model == Outcome::Ok ? product : model;
}

Outcome Transfer::CheckRead(const char* source, std::vector<uint8_t>& buffer,
                            std::initializer_list<std::pair<int, int>> blocks) {
    Outcome read = Outcome::Ok;
    try {
        for (const auto& [address, length] : blocks) {
            read = link_.ReadBlock(buffer, address, length);
            if (read != Outcome::Ok) {
                break;
            }
        }
    } catch (const SerialError& e) {
        return RuntimeFailure(source, e);
    }
    if (read == Outcome::Failed) {
        host_.ShowMessage("Communication Error!!", "Model Check", MsgIcon::Critical);
    }
    return read;
}

Outcome Transfer::ReadDataChkModel() {
    if (!link_.PortOpen()) {
        return Outcome::Failed;
    }
    host_.ShowMonitor("model check...");
    const int last = ws_.Image.ImageEnd;
    std::vector<uint8_t> check(static_cast<size_t>(last) + 1);
    if (const Outcome read = CheckRead("frmRadio.ReadDataChkModel", check, {{0, 2}, {last - 1, 2}});
        read != Outcome::Ok) {
        return read;
    }
    const int first = check[0] * 256 + check[1];
    const int second =
        check[static_cast<size_t>(last) - 1] * 256 + check[static_cast<size_t>(last)];
    if (first == second && first == kModelCode && TraitsOf(ws_.ModelType).Supported) {
        return Outcome::Ok;
    }
    host_.ShowMessage("ModelType Error !!", "Read from Radio", MsgIcon::Critical);
    return Outcome::Failed;
}

Outcome Transfer::ReadDataChkProduct() {
    if (!link_.PortOpen()) {
        return Outcome::Failed;
    }
    host_.ShowMonitor("product-code check...");
    std::vector<uint8_t> check(static_cast<size_t>(ws_.Image.ImageEnd) + 1);
    if (const Outcome read = CheckRead("frmRadio.ReadDataChkProduct", check,
                                       {{kProductCodeAddress, kProductCodeLength}});
        read != Outcome::Ok) {
        return read;
    }
    for (int i = 0; i < kProductCodeLength; ++i) {
        const int address = kProductCodeAddress + i;
        const uint8_t got = check[static_cast<size_t>(address)];
        if (got != kProductCode[i]) {
            if (ws_.DiagnosticMode) {
                host_.ShowMessage("address: 0x" + HexText(static_cast<unsigned>(address)) +
                                      " -> 0x" + HexText(got),
                                  "Product Code Error!", MsgIcon::Critical);
            }
            host_.ShowMessage("ModelType Error !!", "Read from Radio", MsgIcon::Critical);
            return Outcome::Failed;
        }
    }
    return Outcome::Ok;
}

Outcome Transfer::ReadFromRadio() {
    std::vector<uint8_t> buffer(ws_.Image.Bytes.begin(),
                                ws_.Image.Bytes.begin() + ws_.Image.Size());
    const Outcome outcome = ReadData(buffer);
    if (outcome == Outcome::Ok) {
        const int last = ws_.Image.ImageEnd;
        std::copy(buffer.begin() + 2, buffer.begin() + kNotReadStart, ws_.Image.Bytes.begin() + 2);
        std::copy(buffer.begin() + kNotReadEnd, buffer.begin() + last + 1,
                  ws_.Image.Bytes.begin() + kNotReadEnd);
        DecodeImage(ws_.Model, ws_.Image, ws_.ModelType);
        radioBytes_ = std::move(buffer);
        Completed();
    }
    return outcome;
}

void Transfer::Completed() {
    host_.ShowMonitor("");
    host_.ShowMessage("Complete!!", link_.Title(), MsgIcon::Information);
}

Outcome Transfer::EndLoop(Outcome loop, bool fullProgress) {
    link_.PortClose();
    if (loop == Outcome::Cancelled) {
        return loop;  // a cancelled loop ends without a message of its own
    }
    if (loop == Outcome::Failed) {
        host_.ShowMessage("Communication Error!!", InfoOf(mode_).LoopTitle, MsgIcon::Critical);
        return loop;
    }
    host_.PastNoReturn();
    if (fullProgress) {
        host_.SetProgress(100);
    }
    host_.PacingPause(500);
    return link_.Settle(true);
}

Outcome Transfer::ReadData(std::vector<uint8_t>& buffer) {
    if (!link_.PortOpen()) {
        return Outcome::Failed;  // nothing was read: the buffer must not reach the image
    }
    try {
        host_.SetProgress(0);
        Outcome loop = Outcome::Ok;
        for (int address = 0; address <= ws_.Image.ImageEnd && loop == Outcome::Ok;
             address += kBlockSize) {
            host_.SetProgress(Progress(address));
            loop = link_.ReadBlock(buffer, address, kBlockSize);
        }
        if (loop == Outcome::Cancelled) {
            link_.CancelRead();
        }
        return EndLoop(loop);
    } catch (const SerialError& e) {
        return RuntimeFailure(InfoOf(mode_).LoopSource, e);
    }
}

Outcome Transfer::WriteEach(int first, int end) {
    // Every byte is sent even after a refusal, but one refused byte fails them all: a radio
    // must never be reported programmed when it is not. Cancel stops the run at once.
    bool anyFailed = false;
    for (int a = first; a < end; ++a) {
        const Outcome byte = link_.WriteBlock(a, 1);
        if (byte == Outcome::Cancelled) {
            return byte;
        }
        anyFailed = anyFailed || byte != Outcome::Ok;
    }
    return anyFailed ? Outcome::Failed : Outcome::Ok;
}

Outcome Transfer::WriteData() {
    if (!link_.PortOpen()) {
        return Outcome::Failed;  // nothing was written: never report the radio programmed
    }
    if (verify_) {
        progressSpan_ = 50.0;  // the read-back fills the other half
    }
    const int lastBlock = LastProgrammedBlock(ws_.Image.ImageEnd);
    try {
        host_.SetProgress(0);
        Outcome loop = Outcome::Ok;
        for (int address = 0; address <= ws_.Image.ImageEnd && loop == Outcome::Ok;
             address += kBlockSize) {
            host_.SetProgress(Progress(address));
            if (address == 0) {
                loop = WriteEach(2, kHeadEnd);
            } else if (ProgramSkips(address)) {
                host_.Pause(10);
                loop = link_.Settle(true);
            } else {
                loop = link_.WriteBlock(address, kBlockSize);
                writesDone_ = loop == Outcome::Ok && address == lastBlock;
            }
        }
        if (loop == Outcome::Ok && verify_) {
            loop = ReadBack();
        }
        return EndLoop(loop);
    } catch (const SerialError& e) {
        return RuntimeFailure(InfoOf(mode_).LoopSource, e);
    }
}

Outcome Transfer::ReadBack() {
    // The read-back follows the last written block in the same connection, before the port
    // closes: to the radio it is a program followed by a read, both of which it knows.
    host_.ShowMonitor("radio verifying...");
    progressBase_ = 50;
    progressSpan_ = 50.0;
    std::vector<uint8_t> back(ws_.Image.Bytes.begin(), ws_.Image.Bytes.begin() + ws_.Image.Size());
    Outcome loop = Outcome::Ok;
    for (int address = 0; address <= ws_.Image.ImageEnd && loop == Outcome::Ok;
         address += kBlockSize) {
        if (!ProgramSkips(address)) {
            host_.SetProgress(Progress(address));
            loop = link_.ReadBlock(back, address, kBlockSize);
        }
    }
    if (loop == Outcome::Cancelled) {
        link_.CancelRead();
        return loop;
    }
    if (loop != Outcome::Ok) {
        return loop;
    }
    verified_.Ran = true;
    for (int address = 2; address <= ws_.Image.ImageEnd; ++address) {
        if (!ProgramSkips(address - address % kBlockSize) &&
            back[static_cast<size_t>(address)] != ws_.Image[address]) {
            verified_.Differences.push_back(address);
        }
    }
    return loop;
}

Outcome Transfer::VerifyOutcome() {
    if (verified_.Differences.empty()) {
        return Outcome::Ok;
    }
    const size_t count = verified_.Differences.size();
    std::string text = "Verify failed: " + std::to_string(count) +
                       (count == 1 ? " byte differs" : " bytes differ");
    for (const std::string& line : DescribeAddresses(verified_.Differences, kVerifyLines)) {
        text += "\n" + line;
    }
    std::string line = text;  // one log line a failure
    std::replace(line.begin(), line.end(), '\n', ';');
    LogError(ws_, "frmRadio.WriteData", line);
    host_.ShowMessage(text, link_.Title(), MsgIcon::Critical);
    return Outcome::Failed;
}

Outcome Transfer::ClearMmsi() {
    uint8_t kept[kMmsiStatus - kMmsiStart + 1];
    std::copy_n(&ws_.Image.Bytes[kMmsiStart], sizeof kept, kept);
    ws_.Image[kMmsiStatus] = 0;
    std::fill_n(&ws_.Image.Bytes[kMmsiStart], kMmsiStatus - kMmsiStart, 0xFF);
    Outcome outcome = Outcome::Failed;
    if (link_.PortOpen()) {
        try {
            host_.SetProgress(0);
            const Outcome loop = WriteEach(kMmsiStart, kMmsiStatus + 1);
            writesDone_ = loop == Outcome::Ok;
            outcome = EndLoop(loop, true);
        } catch (const SerialError& e) {
            outcome = RuntimeFailure(InfoOf(mode_).LoopSource, e);
        }
    }
    if (outcome == Outcome::Ok) {
        Completed();
        ws_.Model.DscBasic.UserMmsi.clear();
    } else {
        std::copy_n(kept, sizeof kept, &ws_.Image.Bytes[kMmsiStart]);
    }
    return outcome;
}

Outcome Transfer::ClearLog() {
    const RadioImage kept = ws_.Image;
    const ModeInfo& info = InfoOf(mode_);
    std::fill(ws_.Image.Bytes.begin() + info.AreaStart, ws_.Image.Bytes.begin() + info.AreaEnd,
              0xFF);
    const Outcome outcome = ClearArea();
    if (outcome == Outcome::Ok) {
        Completed();
    } else {
        ws_.Image = kept;
    }
    return outcome;
}

Outcome Transfer::ClearArea() {
    if (!link_.PortOpen()) {
        return Outcome::Failed;
    }
    const int first = InfoOf(mode_).AreaStart;
    const int end = InfoOf(mode_).AreaEnd;
    try {
        host_.SetProgress(0);
        Outcome loop = Outcome::Ok;
        for (int address = 0; address <= ws_.Image.ImageEnd && loop == Outcome::Ok;
             address += kBlockSize) {
            host_.Yield();
            host_.SetProgress(Progress(address));
            // An area that ends inside a block (the distress log ends at 8159) gets the block
            // that ends with it, in the step that would otherwise only wait: the whole area
            // reaches the radio and nothing beyond it is written.
            const int block = address + kBlockSize <= end ? address : end - kBlockSize;
            if (address >= first && address < end) {
                loop = link_.WriteBlock(block, kBlockSize);
                writesDone_ = loop == Outcome::Ok && address + kBlockSize >= end;
            } else {
                host_.Pause(10);
                loop = link_.Settle(true);
            }
        }
        return EndLoop(loop);
    } catch (const SerialError& e) {
        return RuntimeFailure(InfoOf(mode_).LoopSource, e);
    }
}

}  // namespace tq530
