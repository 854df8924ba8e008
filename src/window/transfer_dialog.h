// The transfer dialog: how to connect the radio, the pictures of the transfer's way, the
// progress bar, the monitor line of diagnostic mode, and OK / Cancel / Help. It is Ready
// until OK starts the transfer on a worker thread, Running until the transfer ends; it
// closes itself after a transfer that connected and ended without a communication error.
#pragma once

#include <QDialog>
#include <functional>
#include <memory>

#include "radio/transfer.h"
#include "window/port_menu.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace tq530 {

class ReasonRoute;
class TransferPicture;
class TransferRunner;
class UiHost;
struct Workspace;

constexpr int kTransferHelpContext = 1012;

struct TransferDialogOptions {
    // The 500 ms pauses that pace the work for the eye; tests run without them.
    bool Pacing = true;
    // Opens the help file at a context number, over the given window; without it the Help
    // button says that there is no help.
    std::function<void(QWidget*, int)> ShowHelp;
    // A program reads back what it wrote and compares it.
    bool Verify = false;
    // Shows a one-line notice in the window, such as a backup that could not be kept.
    std::function<void(const QString&)> ShowNotice;
    // The system's serial ports, which the port line looks the chosen device up in.
    std::function<std::vector<SerialPortEntry>()> Ports = SystemPorts;
};

class TransferDialog : public QDialog {
    Q_OBJECT

  public:
    TransferDialog(Workspace& ws, UiHost& host, TransferMode mode,
                   const TransferDialogOptions& options, QWidget* parent = nullptr);
    ~TransferDialog() override;

    bool Running() const;
    // The radio has answered the last block: Cancel is ignored until the transfer ends.
    bool PastNoReturn() const;
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }
    QPushButton* HelpButton() const { return help_; }
    QProgressBar* ProgressBar() const { return progress_; }
    QLabel* MonitorLine() const { return monitor_; }
    QLabel* PortLine() const { return port_; }
    // Why the last OK did not get through, under the port line; hidden until there is a reason.
    QLabel* ReasonLine() const { return reason_; }
    TransferPicture* Picture() const { return picture_; }

    // A value above 100 shows as 100.
    void SetProgress(int percent);
    void ShowMonitor(const QString& text);
    void ShowReason(const QString& text);

  protected:
    void closeEvent(QCloseEvent* event) override;
    // Escape is the Cancel button.
    void reject() override;

  private:
    void Start();
    void Cancel();
    void Help();
    void Finished();
    void SetReady(bool ready);

    Workspace& ws_;
    UiHost& host_;
    TransferMode mode_;
    TransferDialogOptions options_;
    TransferRunner* runner_ = nullptr;
    bool busyWas_ = false;
    QLabel* monitor_ = nullptr;
    QLabel* port_ = nullptr;
    QLabel* reason_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* help_ = nullptr;
    TransferPicture* picture_ = nullptr;
    // While the dialog is open, the reasons of the window's host land in its reason line.
    std::unique_ptr<ReasonRoute> reasonRoute_;
};

// Opens the dialog for mode modally and returns whether the transfer was done; TransferDone
// is cleared before and after, as the commands that open the dialog do.
bool RunTransferDialog(Workspace& ws, UiHost& host, TransferMode mode,
                       const TransferDialogOptions& options, QWidget* parent);

// What the port line says: the chosen device, or COM n and the port it opens, as the port
// menu says it.
QString PortLineText(const Workspace& ws, const PortLister& ports = SystemPorts);

}  // namespace tq530
