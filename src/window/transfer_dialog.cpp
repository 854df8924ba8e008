#include "window/transfer_dialog.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/workspace.h"
#include "window/port_menu.h"
#include "window/transfer_picture.h"
#include "window/transfer_runner.h"
#include "window/widget_host.h"

namespace tq530 {

namespace {

constexpr int kDialogWidth = 465;
constexpr int kDialogHeight = 290;

constexpr const char* kInstructions =
    "1.Connect the KCP cable between the PC serial port and the radio.\r\n"
    "2.On the radio, press and hold [DISTRESS] and [CALL] keys while\r\n"
    "   turning the power on.\r\n"
    "   The Radio display will show PC CONTROL.\r\n"
    "3.Press the [OK] button to start.";

QString Latin1(const std::string& text) {
    return QString::fromLatin1(text.c_str());
}

}  // namespace

QString PortLineText(const Workspace& ws, const PortLister& ports) {
    return QStringLiteral("Port: %1").arg(ChosenPortText(ws, ports));
}

TransferDialog::TransferDialog(Workspace& ws, UiHost& host, TransferMode mode,
                               const TransferDialogOptions& options, QWidget* parent)
    : QDialog(parent), ws_(ws), host_(host), mode_(mode), options_(options) {
    host_.SetBusy(true);
    setObjectName(QStringLiteral("TransferDialog"));
    setWindowTitle(Latin1(TransferTitle(mode)));
    setFixedSize(kDialogWidth, kDialogHeight);

    auto* instructions = new QLabel(QString::fromLatin1(kInstructions).remove(QLatin1Char('\r')));
    instructions->setObjectName(QStringLiteral("Instructions"));
    instructions->setTextFormat(Qt::PlainText);

    picture_ = new TransferPicture(mode == TransferMode::Read);
    ok_ = new QPushButton(QStringLiteral("OK"));
    cancel_ = new QPushButton(QStringLiteral("&Cancel"));
    help_ = new QPushButton(QStringLiteral("&Help"));
    ok_->setObjectName(QStringLiteral("OK"));
    cancel_->setObjectName(QStringLiteral("Cancel"));
    help_->setObjectName(QStringLiteral("Help"));
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    buttons->addWidget(help_);
    buttons->addStretch();
    auto* middle = new QHBoxLayout;
    middle->addWidget(picture_, 0, Qt::AlignVCenter);
    middle->addStretch();
    middle->addLayout(buttons);

    // Which cable is meant, before OK opens it.
    // A device's lasting name can be longer than the line: the middle gives way, the tip and
    // the menu hold it whole.
    const QString portText = PortLineText(ws_, options_.Ports);
    port_ = new QLabel;
    port_->setObjectName(QStringLiteral("PortLine"));
    port_->setToolTip(portText);
    port_->setText(port_->fontMetrics().elidedText(portText, Qt::ElideMiddle, kDialogWidth - 30));
    port_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    reason_ = new QLabel;
    reason_->setObjectName(QStringLiteral("ReasonLine"));
    reason_->setTextFormat(Qt::PlainText);
    reason_->setWordWrap(true);
    reason_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    reason_->hide();
    monitor_ = new QLabel(QStringLiteral("starting at debug mode.."));
    monitor_->setObjectName(QStringLiteral("MonitorLine"));
    monitor_->setFrameShape(QFrame::StyledPanel);
    monitor_->setVisible(ws_.DiagnosticMode);
    progress_ = new QProgressBar;
    progress_->setObjectName(QStringLiteral("ProgressBar"));
    progress_->setRange(0, 100);
    progress_->setTextVisible(false);
    progress_->setFixedHeight(16);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(instructions);
    layout->addLayout(middle);
    layout->addStretch();
    layout->addWidget(port_);
    layout->addWidget(reason_);
    layout->addWidget(monitor_);
    layout->addWidget(progress_);
    SetProgress(0);

    runner_ = new TransferRunner(host_, this);
    runner_->SetPacing(options_.Pacing);
    runner_->SetVerify(options_.Verify);
    connect(runner_, &TransferRunner::ProgressChanged, this, &TransferDialog::SetProgress);
    connect(runner_, &TransferRunner::MonitorChanged, this, &TransferDialog::ShowMonitor);
    connect(runner_, &TransferRunner::Finished, this, &TransferDialog::Finished);
    connect(ok_, &QPushButton::clicked, this, &TransferDialog::Start);
    connect(cancel_, &QPushButton::clicked, this, &TransferDialog::reject);
    connect(help_, &QPushButton::clicked, this, &TransferDialog::Help);
    SetReady(true);
    reasonRoute_ =
        std::make_unique<ReasonRoute>(host_, [this](const QString& text) { ShowReason(text); });
    host_.SetBusy(false);
}

TransferDialog::~TransferDialog() = default;

bool TransferDialog::PastNoReturn() const {
    return runner_->Running() && runner_->PastNoReturn();
}

bool TransferDialog::Running() const {
    return runner_->Running();
}

void TransferDialog::SetProgress(int percent) {
    progress_->setValue(std::clamp(percent, 0, 100));
}

void TransferDialog::ShowMonitor(const QString& text) {
    monitor_->setText(text);
}

void TransferDialog::ShowReason(const QString& text) {
    reason_->setText(text);
    reason_->setVisible(!text.isEmpty());
}

void TransferDialog::SetReady(bool ready) {
    // While the radio works, Enter presses nothing: a second Enter meant for OK must not land
    // on Cancel. Cancel then takes a click, Alt+C or Escape. The buttons give up being the
    // default, and the focus leaves OK, before OK is disabled: a disabled OK hands the focus
    // on to Cancel, which would make itself the default on the way.
    for (QPushButton* button : {ok_, cancel_, help_}) {
        button->setAutoDefault(ready);
        button->setDefault(false);
    }
    ok_->setDefault(ready);
    if (!ready) {
        setFocus();
    }
    ok_->setEnabled(ready);
    help_->setEnabled(ready);
    if (ready) {
        ok_->setFocus();
    }
}

void TransferDialog::Start() {
    if (Running()) {
        return;
    }
    SetReady(false);
    ShowReason(QString());  // the last attempt's reason is no longer news
    busyWas_ = ws_.BusyFlag;
    ws_.BusyFlag = true;
    host_.SetBusy(true);
    runner_->Start(ws_, mode_);
}

void TransferDialog::Finished() {
    // Only a transfer that completed changes the data; any other leaves it as it was. The
    // settings a program fixed up come to the window as an edit of their own.
    runner_->CommitTo(ws_);
    const TransferJobResult& result = runner_->Result();
    SetProgress(0);
    if (!result.BackupNotice.empty() && options_.ShowNotice) {
        options_.ShowNotice(QString::fromLocal8Bit(result.BackupNotice.c_str()));
    }
    host_.SetBusy(false);
    ws_.BusyFlag = busyWas_;
    SetReady(true);
    if (result.Connected && !ws_.CommError) {
        accept();
    }
}

void TransferDialog::Cancel() {
    if (Running()) {
        if (!runner_->PastNoReturn()) {
            runner_->Cancel();
        }
    } else {
        QDialog::reject();
    }
}

void TransferDialog::reject() {
    Cancel();
}

void TransferDialog::Help() {
    if (options_.ShowHelp) {
        options_.ShowHelp(this, kTransferHelpContext);
        return;
    }
    host_.ShowMessage(
        "Unable to display Help Contents. There is no Help associated with this project.",
        TransferTitle(mode_), MsgIcon::Information);
}

void TransferDialog::closeEvent(QCloseEvent* event) {
    if (Running()) {
        event->ignore();
        return;
    }
    picture_->hide();
    QDialog::closeEvent(event);
}

bool RunTransferDialog(Workspace& ws, UiHost& host, TransferMode mode,
                       const TransferDialogOptions& options, QWidget* parent) {
    ws.TransferDone = false;
    TransferDialog dialog(ws, host, mode, options, parent);
    dialog.exec();
    const bool done = ws.TransferDone;
    ws.TransferDone = false;
    return done;
}

}  // namespace tq530
