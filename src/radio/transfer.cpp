#include "radio/transfer.h"

#include <algorithm>
#include <cmath>

#include "core/error_log.h"
#include "core/workspace.h"
#include "model/image_codec.h"
#include "model/text_util.h"

namespace tq530 {

const uint8_t kProductCode[kProductCodeLength] = {'R', 'B', '2', '7', '4', 'V', 0xFF};

std::string TransferTitle(TransferMode mode) {
    switch (mode) {
        case TransferMode::Read:
            return "Read from Radio";
        case TransferMode::Program:
            return "Program to Radio";
        case TransferMode::ClearMmsi:
            return "Clear MMSI Data";
        case TransferMode::ClearDscLog:
            return "Clear DSC Log Data";
        case TransferMode::ClearDistressLog:
            return "Clear Distress Log Data";
    }
    return {};
}

namespace {

const char* LoopSource(TransferMode mode) {
    switch (mode) {
        case TransferMode::Read:
            return "frmRadio.ReadData";
        case TransferMode::Program:
            return "frmRadio.WriteData";
        case TransferMode::ClearMmsi:
            return "frmRadio.ClearData";
        case TransferMode::ClearDscLog:
            return "frmRadio.ClearDataDsc";
        case TransferMode::ClearDistressLog:
            return "frmRadio.ClearDataDistress";
    }
    return "frmRadio";
}

}  // namespace

Transfer::Transfer(Workspace& ws, SerialLink& port, LinkHost& host, TransferMode mode)
    : ws_(ws), host_(host), mode_(mode), link_(ws, port, host, TransferTitle(mode)) {}

int Transfer::Progress(int address) const {
    return static_cast<int>(std::lround(address * 100.0 / ws_.Image.ImageEnd));
}

void Transfer::RuntimeFailure(const char* source, const SerialError& e) {
    LogError(ws_, source, ErrorMessage(e.Number(), e.what()));
    host_.ShowMessage(std::to_string(e.Number()) + "\n\n" + e.what(), e.Source(),
                      MsgIcon::Critical);
    ws_.CancelRequested = true;
    link_.PortClose();
}

bool Transfer::Run() {
    ws_.CommError = false;
    ws_.TransferDone = false;
    BusyGuard busy(ws_);
    host_.SetBusy(true);
    host_.ShowMonitor("startsync...");
    if (link_.Connect()) {
        host_.ShowMonitor("sync ok");
        Dispatch();
        host_.SetProgress(0);
    } else {
        host_.ShowMonitor("can not syncing!!");
    }
    host_.SetBusy(false);
    return ws_.TransferDone;
}

void Transfer::Dispatch() {
    switch (mode_) {
        case TransferMode::Read:
            ReadFromRadio();
            break;
        case TransferMode::Program:
            PrepareImageForWrite(ws_.Model, ws_.Image, ws_.ModelType);
            ProgramToRadio();
            break;
        default:
            ClearRadioData();
            break;
    }
}

bool Transfer::CommonChecks() {
    try {
        if (!link_.StatusCheck()) {
            link_.Error("Radio not ready!!");
            return false;
        }
    } catch (const SerialError& e) {
        RuntimeFailure(LoopSource(mode_), e);
        return false;
    }
    const bool modelOk = ReadDataChkModel();
    const bool modelCommError = ws_.CommError;
    const bool modelCancelled = ws_.CancelRequested;
    const bool productOk = ReadDataChkProduct();
    // A good product-code read clears CommError and CancelRequested; neither may hide a
    // failed or cancelled model check, or the transfer would end as if nothing had happened.
    ws_.CommError = ws_.CommError || modelCommError;
    ws_.CancelRequested = ws_.CancelRequested || modelCancelled;
    return modelOk && productOk;
}

bool Transfer::ReadDataChkModel() {
    if (!link_.PortOpen()) {
        return false;
    }
    host_.ShowMonitor("model check...");
    const int last = ws_.Image.ImageEnd;
    std::vector<uint8_t> check(static_cast<size_t>(last) + 1);
    try {
        link_.ReadBlock(check, 0, 2);
        if (!ws_.CommError) {
            link_.ReadBlock(check, last - 1, 2);
        }
    } catch (const SerialError& e) {
        RuntimeFailure("frmRadio.ReadDataChkModel", e);
        return false;
    }
    if (ws_.CancelRequested) {
        return false;
    }
    if (ws_.CommError) {
        host_.ShowMessage("Communication Error!!", "Model Check", MsgIcon::Critical);
        return false;
    }
    const int first = check[0] * 256 + check[1];
    const int second =
        check[static_cast<size_t>(last) - 1] * 256 + check[static_cast<size_t>(last)];
    if (first == second && first == kModelCode && SupportedModelType(ws_.ModelType)) {
        return true;
    }
    ws_.CommError = true;
    host_.ShowMessage("ModelType Error !!", "Read from Radio", MsgIcon::Critical);
    return false;
}

bool Transfer::ReadDataChkProduct() {
    if (!link_.PortOpen()) {
        return false;
    }
    host_.ShowMonitor("product-code check...");
    std::vector<uint8_t> check(static_cast<size_t>(ws_.Image.ImageEnd) + 1);
    try {
        link_.ReadBlock(check, kProductCodeAddress, kProductCodeLength);
    } catch (const SerialError& e) {
        RuntimeFailure("frmRadio.ReadDataChkProduct", e);
        return false;
    }
    if (ws_.CancelRequested) {
        return false;
    }
    if (ws_.CommError) {
        host_.ShowMessage("Communication Error!!", "Model Check", MsgIcon::Critical);
        return false;
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
            ws_.CommError = true;
            host_.ShowMessage("ModelType Error !!", "Read from Radio", MsgIcon::Critical);
            return false;
        }
    }
    return true;
}

void Transfer::ReadFromRadio() {
    host_.SetBusy(true);
    if (CommonChecks()) {
        host_.ShowMonitor("radio reading...");
        std::vector<uint8_t> buffer(ws_.Image.Bytes.begin(),
                                    ws_.Image.Bytes.begin() + ws_.Image.Size());
        ReadData(buffer);
        if (!ws_.CommError && !ws_.CancelRequested) {
            const int last = ws_.Image.ImageEnd;
            std::copy(buffer.begin() + 2, buffer.begin() + kNotReadStart,
                      ws_.Image.Bytes.begin() + 2);
            std::copy(buffer.begin() + kNotReadEnd, buffer.begin() + last + 1,
                      ws_.Image.Bytes.begin() + kNotReadEnd);
            DecodeImage(ws_.Model, ws_.Image, ws_.ModelType);
            Completed();
        }
    }
    host_.SetBusy(false);
}

void Transfer::Completed() {
    ws_.TransferDone = true;
    host_.ShowMonitor("");
    host_.ShowMessage("Complete!!", link_.Title(), MsgIcon::Information);
}

void Transfer::EndLoop(const char* title, bool fullProgress) {
    link_.PortClose();
    if (ws_.CancelRequested) {
        return;  // a cancelled loop ends without a message of its own
    }
    if (ws_.CommError) {
        host_.ShowMessage("Communication Error!!", title, MsgIcon::Critical);
        return;
    }
    if (fullProgress) {
        host_.SetProgress(100);
    }
    host_.PacingPause(500);
}

void Transfer::ReadData(std::vector<uint8_t>& buffer) {
    if (!link_.PortOpen()) {
        ws_.CommError = true;  // nothing was read: the buffer must not reach the image
        return;
    }
    try {
        host_.SetProgress(0);
        for (int address = 0; address <= ws_.Image.ImageEnd; address += kBlockSize) {
            host_.SetProgress(Progress(address));
            link_.ReadBlock(buffer, address, kBlockSize);
            // A wait that Cancel ended leaves CommError set as well; the radio must still
            // hear CAN, so Cancel is looked at first.
            if (ws_.CancelRequested || ws_.CommError) {
                break;
            }
        }
        if (ws_.CancelRequested) {
            link_.CancelRead();
        }
        EndLoop("Read from Radio");
    } catch (const SerialError& e) {
        RuntimeFailure("frmRadio.ReadData", e);
    }
}

void Transfer::ProgramToRadio() {
    host_.SetBusy(true);
    if (CommonChecks()) {
        host_.ShowMonitor("radio writing...");
        WriteData();
        if (!ws_.CommError && !ws_.CancelRequested) {
            Completed();
        }
    }
    host_.SetBusy(false);
}

void Transfer::WriteData() {
    if (!link_.PortOpen()) {
        ws_.CommError = true;  // nothing was written: never report the radio programmed
        return;
    }
    try {
        host_.SetProgress(0);
        for (int address = 0; address <= ws_.Image.ImageEnd; address += kBlockSize) {
            host_.SetProgress(Progress(address));
            if (address == 0) {
                // Every head byte is sent even after a refusal, but one refused byte fails
                // the whole run: a radio must never be reported programmed when it is not.
                bool anyFailed = false;
                for (int a = 2; a < kHeadEnd; ++a) {
                    link_.WriteBlock(a, 1);
                    anyFailed = anyFailed || ws_.CommError;
                }
                ws_.CommError = anyFailed;
            } else if ((address >= kProtectedStart && address < kProtectedEnd) ||
                       address >= kDscLogStart) {
                host_.Pause(10);
            } else {
                link_.WriteBlock(address, kBlockSize);
            }
            if (ws_.CommError || ws_.CancelRequested) {
                break;
            }
        }
        EndLoop("Program to Radio");
    } catch (const SerialError& e) {
        RuntimeFailure("frmRadio.WriteData", e);
    }
}

void Transfer::ClearRadioData() {
    host_.SetBusy(true);
    if (CommonChecks()) {
        if (mode_ == TransferMode::ClearMmsi) {
            host_.ShowMonitor("radio clear...");
            uint8_t kept[kMmsiStatus - kMmsiStart + 1];
            std::copy_n(&ws_.Image.Bytes[kMmsiStart], sizeof kept, kept);
            ws_.Image[kMmsiStatus] = 0;
            std::fill_n(&ws_.Image.Bytes[kMmsiStart], kMmsiStatus - kMmsiStart, 0xFF);
            ClearData();
            if (!ws_.CommError && !ws_.CancelRequested) {
                Completed();
                ws_.Model.DscBasic.UserMmsi.clear();
            } else {
                std::copy_n(kept, sizeof kept, &ws_.Image.Bytes[kMmsiStart]);
            }
        } else {
            const bool dsc = mode_ == TransferMode::ClearDscLog;
            host_.ShowMonitor(dsc ? "radio clear DSC..." : "radio clear Distress...");
            const RadioImage kept = ws_.Image;
            const int first = dsc ? kDscLogStart : kDistressLogStart;
            const int end = dsc ? kDscLogEnd : kDistressLogEnd;
            std::fill(ws_.Image.Bytes.begin() + first, ws_.Image.Bytes.begin() + end, 0xFF);
            ClearArea(first, end, dsc ? "frmRadio.ClearDataDsc" : "frmRadio.ClearDataDistress");
            if (ws_.CommError || ws_.CancelRequested) {
                ws_.Image = kept;
            } else {
                Completed();
            }
        }
    }
    host_.SetBusy(false);
}

void Transfer::ClearData() {
    if (!link_.PortOpen()) {
        ws_.CommError = true;
        return;
    }
    try {
        host_.SetProgress(0);
        // All six bytes are sent whatever the radio answers; one refusal fails the clear.
        bool anyFailed = false;
        for (int a = kMmsiStart; a <= kMmsiStatus; ++a) {
            link_.WriteBlock(a, 1);
            anyFailed = anyFailed || ws_.CommError;
        }
        ws_.CommError = anyFailed;
        EndLoop("Clear Data", true);
    } catch (const SerialError& e) {
        RuntimeFailure("frmRadio.ClearData", e);
    }
}

void Transfer::ClearArea(int first, int end, const char* source) {
    if (!link_.PortOpen()) {
        ws_.CommError = true;
        return;
    }
    try {
        host_.SetProgress(0);
        for (int address = 0; address <= ws_.Image.ImageEnd; address += kBlockSize) {
            host_.Yield();
            host_.SetProgress(Progress(address));
            // An area that ends inside a block (the distress log ends at 8159) gets the block
            // that ends with it, in the step that would otherwise only wait: the whole area
            // reaches the radio and nothing beyond it is written.
            const int block = address + kBlockSize <= end ? address : end - kBlockSize;
            if (address >= first && address < end) {
                link_.WriteBlock(block, kBlockSize);
                if (ws_.CommError || ws_.CancelRequested) {
                    break;
                }
            } else {
                host_.Pause(10);
            }
            if (ws_.CancelRequested) {
                break;
            }
        }
        EndLoop("Program to Radio");
    } catch (const SerialError& e) {
        RuntimeFailure(source, e);
    }
}

}  // namespace tq530
