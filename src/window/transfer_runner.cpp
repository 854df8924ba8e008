#include "window/transfer_runner.h"

#include <QCoreApplication>
#include <QThread>
#include "app/backups.h"
#include "app/system_clock_link_host.h"
#include "radio/qt/qt_serial_link.h"

namespace tq530 {

// The link host of the worker thread: the command line's clock and pauses, and everything a
// person must see handed to the GUI.
class TransferRunner::WorkerHost : public SystemClockLinkHost {
  public:
    WorkerHost(TransferRunner& runner, Workspace& ws)
        : runner_(runner), ws_(ws), seen_(runner.cancelPresses_.load()) {}

    void PacingPause(int ms) override {
        if (runner_.pacing_) {
            Pause(ms);
        }
    }
    // Each press of Cancel counts once, as the single-threaded dialog's click would; none
    // counts once the radio has answered the last block.
    void Yield() override {
        const int presses = runner_.cancelPresses_.load();
        if (presses != seen_ && !runner_.pastNoReturn_.load()) {
            seen_ = presses;
            ws_.CancelRequested = true;
        }
    }
    void ShowMonitor(const std::string& text) override {
        if (!ws_.DiagnosticMode) {
            return;
        }
        emit runner_.MonitorChanged(QString::fromLatin1(text.c_str()));
        PacingPause(500);
    }
    void PastNoReturn() override { runner_.pastNoReturn_.store(true); }
    void SetProgress(int percent) override {
        if (percent != shownPercent_) {
            shownPercent_ = percent;
            emit runner_.ProgressChanged(percent);
        }
    }
    void ShowMessage(const std::string& text, const std::string& title, MsgIcon icon) override {
        OnGuiThread([&] { runner_.host_.ShowMessage(text, title, icon); });
    }
    void ShowReason(const std::string& text) override {
        OnGuiThread([&] { runner_.host_.ShowReason(text); });
    }
    Answer Ask(const std::string& text, const std::string& title, MsgIcon icon, Buttons buttons,
               Answer defaultButton) override {
        Answer answer = DismissAnswer(buttons);
        OnGuiThread([&] { answer = runner_.host_.Ask(text, title, icon, buttons, defaultButton); });
        return answer;
    }

  private:
    template <typename F>
    void OnGuiThread(F&& work) {
        QMetaObject::invokeMethod(&runner_, std::forward<F>(work), Qt::BlockingQueuedConnection);
    }

    TransferRunner& runner_;
    Workspace& ws_;
    int seen_;
    int shownPercent_ = -1;
};

TransferRunner::TransferRunner(UiHost& host, QObject* parent) : QObject(parent), host_(host) {}

TransferRunner::~TransferRunner() {
    if (thread_ == nullptr) {
        return;
    }
    Cancel();
    // The worker may be waiting for a question on this thread: keep answering events.
    while (!thread_->wait(10)) {
        QCoreApplication::processEvents();
    }
    delete thread_;
}

void TransferRunner::Start(const Workspace& ws, TransferMode mode) {
    if (thread_ != nullptr) {
        return;
    }
    job_ = std::make_unique<TransferJob>(ws, mode);
    job_->SetVerify(verify_);
    cancelPresses_.store(0);
    pastNoReturn_.store(false);
    thread_ = QThread::create([this] { Work(); });
    connect(thread_, &QThread::finished, this, &TransferRunner::Done);
    thread_->start();
}

void TransferRunner::Work() {
    // The port belongs to the thread that uses it.
    QtSerialLink port(job_->Work().ComDevice);
    WorkerHost host(*this, job_->Work());
    const TransferJobResult& result = job_->Run(port, host, BackupDir());
    if (!result.Reason.empty()) {
        host.ShowReason(result.Reason);
    }
}

void TransferRunner::Done() {
    thread_->wait();
    delete thread_;
    thread_ = nullptr;
    emit Finished();
}

}  // namespace tq530
