// The transfer dialog in every mode, with and without the monitor line, while a transfer
// runs, and the serial-port menu with the device of an item.
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

#include "gallery.h"
#include "support/silent_terminal.h"
#include "window/transfer_dialog.h"

namespace tq530::gallery {
namespace {

using testing::SilentTerminal;

void SaveModes(Gallery& gallery, Stage& stage, const QString& prefix) {
    const struct {
        TransferMode Mode;
        const char* Name;
    } modes[] = {
        {TransferMode::Read, "read"},
        {TransferMode::Program, "program"},
        {TransferMode::ClearMmsi, "clear-mmsi"},
        {TransferMode::ClearDscLog, "clear-dsc-log"},
        {TransferMode::ClearDistressLog, "clear-distress-log"},
    };
    for (const auto& mode : modes) {
        TransferDialog dialog(stage.Ws(), stage.Host(), mode.Mode, {}, &stage.Window());
        gallery.Shot(dialog, prefix + QString::fromLatin1(mode.Name));
    }
}

void DialogWhileItRuns(Gallery& gallery, Stage& stage, SilentTerminal& cable) {
    TransferDialog dialog(stage.Ws(), stage.Host(), TransferMode::Read, {}, &stage.Window());
    dialog.show();
    if (!gallery.Check(QTest::qWaitForWindowExposed(&dialog), "transfer: dialog not shown")) {
        return;
    }
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    // Connect forgets a Cancel that comes before it: wait for the first probe.
    const bool probed =
        QTest::qWaitFor([&cable] { return cable.Received().find('P') != std::string::npos; }, 5000);
    if (gallery.Check(probed, "transfer: no probe on the cable")) {
        dialog.SetProgress(40);
        gallery.Save(dialog, QStringLiteral("transfer-diagnostic-running"));
    }
    QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
    gallery.Check(QTest::qWaitFor([&dialog] { return !dialog.Running(); }, 20000),
                  "transfer: Cancel did not end the transfer");
}

void PortMenuWithTheDeviceOfAnItem(Gallery& gallery, MainWindow& window) {
    QMenu* menu = window.PortMenu();
    menu->popup(window.mapToGlobal(QPoint(40, 40)));
    if (!gallery.Check(QTest::qWaitForWindowExposed(menu), "transfer: port menu not shown")) {
        return;
    }
    QAction* com1 = menu->actions()[0];
    menu->setActiveAction(com1);
    // What hovering the item does when the menu bar opened the menu.
    com1->showStatusText(window.menuBar());
    gallery.Check(
        QTest::qWaitFor(
            [&window] { return window.statusBar()->currentMessage().startsWith("COM1: "); }, 2000),
        "transfer: no device in the status bar");
    gallery.Save(*menu, QStringLiteral("transfer-menu-serialport"));
    gallery.Save(window, QStringLiteral("transfer-menu-serialport-status"));
    menu->hide();
}

}  // namespace

void TransferShots(Gallery& gallery) {
    SilentTerminal cable;
    if (!gallery.Check(!cable.Device().empty(), "transfer: no pseudo-terminal")) {
        return;
    }
    qputenv("TQ530_COM1", QByteArray::fromStdString(cable.Device()));
    {
        Stage stage(kOneModel);
        if (gallery.Check(stage.Start(), "transfer: not started")) {
            SaveModes(gallery, stage, QStringLiteral("transfer-"));
            PortMenuWithTheDeviceOfAnItem(gallery, stage.Window());
        }
    }
    {
        Stage stage(kOneModel);
        if (gallery.Check(stage.Start("/D"), "transfer: diagnostic not started")) {
            SaveModes(gallery, stage, QStringLiteral("transfer-diagnostic-"));
            DialogWhileItRuns(gallery, stage, cable);
        }
    }
    qunsetenv("TQ530_COM1");
}

}  // namespace tq530::gallery
