// The window program with its COM1 pointed at a radio for the transfer tests: the simulator on
// a pseudo-terminal, or a terminal nobody answers. Helpers act on the transfer dialog once it is
// up, as the dialog's modal loop holds the test's own call until it closes.
#pragma once

#include <QPushButton>
#include <functional>

#include "gui/shell_fixture.h"
#include "support/silent_terminal.h"
#include "support/sim_process.h"
#include "window/transfer_dialog.h"

namespace tq530::guitest {

// The open transfer dialog, or nullptr.
inline TransferDialog* OpenTransferDialog() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<TransferDialog*>(widget);
        if (dialog != nullptr && dialog->isVisible()) {
            return dialog;
        }
    }
    return nullptr;
}

// Runs step on the transfer dialog as soon as it shows; polls until then.
inline void WhenDialogShows(QObject* context, std::function<void(TransferDialog&)> step) {
    QTimer::singleShot(10, context, [context, step] {
        if (TransferDialog* dialog = OpenTransferDialog()) {
            step(*dialog);
        } else {
            WhenDialogShows(context, step);
        }
    });
}

using testing::SilentTerminal;

class TransferTest : public ShellTest {
  protected:
    void TearDown() override {
        ShellTest::TearDown();
        sim.Stop();
        qunsetenv("TQ530_COM1");
        qunsetenv("TQ530_COM3");
    }
    // COM1 opens device from now on.
    static void PointCom1At(const std::string& device) {
        qputenv("TQ530_COM1", QByteArray::fromStdString(device));
    }
    // Starts the simulator on radio.hex in the test's folder and points COM1 at it.
    void StartRadio(const std::string& options = "") {
        const std::string device = sim.Start(dir.Path(), options);
        ASSERT_FALSE(device.empty()) << "nr6120-sim printed no device";
        PointCom1At(device);
    }
    std::string RadioFile() const { return dir.File("radio.hex"); }

    testing::SimProcess sim;
    // The backups of the transfers stay in the test's folder.
    ScopedDataHome dataHome{dir.File("data")};
};

}  // namespace tq530::guitest
