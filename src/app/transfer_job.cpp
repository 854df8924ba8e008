#include "app/transfer_job.h"

#include <ctime>

#include "app/backups.h"

namespace tq530 {

TransferJob::TransferJob(const Workspace& ws, TransferMode mode) : copy_(ws), mode_(mode) {}

const TransferJobResult& TransferJob::Run(SerialLink& port, LinkHost& host,
                                          const std::string& backupDir) {
    Transfer transfer(copy_, port, host, mode_);
    transfer.SetVerify(verify_);
    result_ = {};
    result_.Result = transfer.Run();
    port.Close();
    result_.Connected = transfer.Connected();
    result_.PortFailed = transfer.PortFailed();
    result_.Reason = transfer.Reason();
    if (result_.Result == Outcome::Ok) {
        std::unique_lock<std::mutex> lock;
        if (backupLock_ != nullptr) {
            lock = std::unique_lock<std::mutex>(*backupLock_);
        }
        result_.BackupNotice =
            KeepTransferBackup(copy_, mode_, transfer.RadioBytes(), std::time(nullptr), backupDir,
                               &result_.BackupPath);
    }
    return result_;
}

void TransferJob::CommitTo(Workspace& ws) const {
    ws.TransferDone = copy_.TransferDone;
    ws.CommError = copy_.CommError;
    ws.CancelRequested = copy_.CancelRequested;
    if (copy_.TransferDone) {
        ws.Image = copy_.Image;
        // A program's fix-ups of the settings are not taken behind the editor's back: the
        // window applies them as an edit of their own.
        if (mode_ != TransferMode::Program) {
            ws.Model = copy_.Model;
        }
    }
}

}  // namespace tq530
