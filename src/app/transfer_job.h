// One radio transfer as both front ends run it: on a copy of the workspace, the port closed
// at its end, the backup of a completed read or program kept, and the copy put back only when
// the transfer completed, so that a failed or cancelled transfer leaves no half-changed data.
#pragma once

#include <mutex>
#include <string>

#include "core/link_host.h"
#include "core/outcome.h"
#include "core/workspace.h"
#include "radio/serial_link.h"
#include "radio/transfer.h"

namespace tq530 {

struct TransferJobResult {
    Outcome Result = Outcome::Failed;
    // Whether the transfer got through Connect.
    bool Connected = false;
    // The port itself failed under the transfer (a pulled cable): no Cancel, whatever the
    // outcome says.
    bool PortFailed = false;
    // The transfer's reason line ("" when its messages say it all).
    std::string Reason;
    // The backup a completed read or program kept, "" when none was kept.
    std::string BackupPath;
    // Why a completed read or program kept no backup, one line for the user; "".
    std::string BackupNotice;
};

// Construct and CommitTo on the thread that owns the workspace; Run (with a host built over
// Work()) on the thread that talks to the radio, which may be the same one.
class TransferJob {
  public:
    // Works on a copy of ws that cannot reach back into the windows.
    TransferJob(const Workspace& ws, TransferMode mode);

    // A program reads back what it wrote; the other modes ignore it.
    void SetVerify(bool on) { verify_ = on && mode_ == TransferMode::Program; }

    // Jobs that run at once share the backup folder: lock is held while the backup is kept,
    // so that two of them never take the same name or rewrite its list at the same time.
    void SetBackupLock(std::mutex* lock) { backupLock_ = lock; }

    // Runs the transfer over port and host on the copy, closes the port, and keeps the backup
    // of a completed read or program in backupDir (a failed backup is logged and noted, and
    // never fails the transfer).
    const TransferJobResult& Run(SerialLink& port, LinkHost& host, const std::string& backupDir);

    // Puts the transfer's outcome into ws: the flags always, the image and (but for a program,
    // whose fix-ups the window applies as an edit) the model only when the transfer completed.
    void CommitTo(Workspace& ws) const;

    // The copy the transfer works on. The host's Cancel sets its CancelRequested, and only
    // the thread that runs the job touches it while it runs.
    Workspace& Work() { return copy_; }
    const TransferJobResult& Result() const { return result_; }
    TransferMode Mode() const { return mode_; }

  private:
    Workspace copy_;
    TransferMode mode_;
    bool verify_ = false;
    std::mutex* backupLock_ = nullptr;
    TransferJobResult result_;
};

}  // namespace tq530
