// Runs one radio transfer on a worker thread so that the window keeps painting and Cancel
// answers at once. The worker opens the port itself and works on a copy of the workspace;
// messages, questions and reason lines come to the GUI thread as blocking calls, progress and
// monitor texts as queued signals, and Cancel crosses as a count of presses.
#pragma once

#include <QObject>
#include <atomic>
#include <memory>
#include <string>

#include "app/transfer_job.h"
#include "core/outcome.h"
#include "core/workspace.h"
#include "radio/transfer.h"

class QThread;

namespace tq530 {

class UiHost;

class TransferRunner : public QObject {
    Q_OBJECT

  public:
    // Messages, questions and reasons of the transfer go to host, on the GUI thread.
    explicit TransferRunner(UiHost& host, QObject* parent = nullptr);
    // A runner still at work is cancelled and waited for.
    ~TransferRunner() override;

    // Pacing: the 500 ms pauses after a transfer loop and, in diagnostic mode, after each
    // monitor text. The radio's own pauses are kept either way.
    void SetPacing(bool on) { pacing_ = on; }
    // A program reads back what it wrote and compares it.
    void SetVerify(bool on) { verify_ = on; }

    // Starts mode on a copy of ws; Finished follows when the transfer is over.
    void Start(const Workspace& ws, TransferMode mode);
    // One press of Cancel: the transfer sees it at its next poll of the port.
    void Cancel() { cancelPresses_.fetch_add(1); }
    // The radio has answered the last block: Cancel no longer reaches the transfer.
    bool PastNoReturn() const { return pastNoReturn_.load(); }
    bool Running() const { return thread_ != nullptr; }

    // The finished transfer: its outcome, whether it got connected, the backup it kept or
    // why it kept none.
    const TransferJobResult& Result() const { return job_->Result(); }
    // Puts the finished transfer into ws: the flags, and the image and model when it
    // completed.
    void CommitTo(Workspace& ws) const { job_->CommitTo(ws); }

  signals:
    void ProgressChanged(int percent);
    void MonitorChanged(const QString& text);
    void Finished();

  private:
    class WorkerHost;
    void Work();
    void Done();

    UiHost& host_;
    bool pacing_ = true;
    bool verify_ = false;
    std::atomic<int> cancelPresses_{0};
    std::atomic<bool> pastNoReturn_{false};
    QThread* thread_ = nullptr;
    std::unique_ptr<TransferJob> job_;
};

}  // namespace tq530
