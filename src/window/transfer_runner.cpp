#include "window/transfer_runner.h"

#include <QCoreApplication>
#include <QThread>
#include <chrono>
#include <ctime>
#include <thread>

#include "app/backups.h"
#include "core/link_host.h"
#include "radio/qt/qt_serial_link.h"

namespace tq530 {

// The link host of the worker thread. It keeps the radio's pauses exactly as the command
// line does (sleep, then look at Cancel), and hands everything a person must see to the GUI.
class TransferRunner::WorkerHost : public LinkHost {
  public:
    WorkerHost(TransferRunner& runner, Workspace& ws)
        : runner_(runner), ws_(ws), seen_(runner.cancelPresses_.load()) {}

    int64_t NowMs() override {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    }
    void Pause(int ms) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        Yield();
    }
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
    copy_ = ws;
    // The copy must not reach back into the windows from the worker.
    copy_.RebuildDestinations = nullptr;
    copy_.ResetScreens = nullptr;
    copy_.RebuildScreenTree = nullptr;
    cancelPresses_.store(0);
    pastNoReturn_.store(false);
    thread_ = QThread::create([this, mode] { Work(mode); });
    connect(thread_, &QThread::finished, this, &TransferRunner::Done);
    thread_->start();
}

void TransferRunner::Work(TransferMode mode) {
    // The port belongs to the thread that uses it.
    QtSerialLink port(copy_.ComDevice);
    WorkerHost host(*this, copy_);
    Transfer transfer(copy_, port, host, mode);
    transfer.SetVerify(verify_ && mode == TransferMode::Program);
    outcome_ = transfer.Run();
    connected_ = transfer.Connected();
    if (!transfer.Reason().empty()) {
        host.ShowReason(transfer.Reason());
    }
    backupNotice_.clear();
    if (outcome_ == Outcome::Ok) {
        backupNotice_ =
            KeepTransferBackup(copy_, mode, transfer.RadioBytes(), std::time(nullptr), BackupDir());
    }
    port.Close();
}

void TransferRunner::Done() {
    thread_->wait();
    delete thread_;
    thread_ = nullptr;
    emit Finished();
}

}  // namespace tq530
