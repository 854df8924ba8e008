// The main window's radio commands: Program and Read through the transfer dialog, and the hex
// dump of the image they leave behind.
#include <QAction>
#include <QListWidget>

#include "core/workspace.h"
#include "files/image_file.h"
#include "window/main_window.h"
#include "window/widget_host.h"

namespace tq530 {

void MainWindow::ProgramToRadio(const std::string&) {
    if (OpenTransfer(TransferMode::Program)) {
        // What the radio got is what the screens show from now on.
        ApplyWriteFixups("Program fix-ups");
        BuildHexDump();
    }
}

void MainWindow::ReadFromRadio(const std::string&) {
    // A failed read changes nothing and so makes no undo step.
    if (OpenTransfer(TransferMode::Read)) {
        ws_.CurrentFileName.clear();
        ws_.DataChanged = false;
        BuildHexDump();
    }
}

bool MainWindow::OpenTransfer(TransferMode mode) {
    if (const auto* widgetHost = dynamic_cast<const WidgetHost*>(&host_)) {
        transferOptions_.Pacing = widgetHost->Pacing();
    }
    transferOptions_.Verify = actions_[Command::VerifyAfterProgram]->isChecked();
    transferOptions_.ShowNotice = [this](const QString& text) { SetNotice(text); };
    transferOptions_.ShowHelp = [this](QWidget*, int context) { ShowHelp(context); };
    return RunTransferDialog(ws_, host_, mode, transferOptions_, this);
}

void MainWindow::ToggleHexDump(const std::string&) {
    hexDump_->setVisible(ws_.DiagnosticMode && actions_[Command::Hexdump]->isChecked());
    BuildHexDump();
}

void MainWindow::BuildHexDump() {
    hexDump_->clear();
    if (hexDump_->isHidden()) {
        return;
    }
    const BusyGuard busy(ws_, &host_);
    QStringList lines;
    for (const std::string& line : BuildHexDumpLines(ws_.Image)) {
        lines << QString::fromLatin1(line.c_str());
    }
    hexDump_->addItems(lines);
}

}  // namespace tq530
