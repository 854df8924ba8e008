// The transfer dialog in every mode, with and without the monitor line, while a transfer
// runs, and the serial-port menu with the device of an item.
#include <QApplication>
#include <QMenuBar>
#include <QPalette>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

#include "app/settings_store.h"
#include "core/workspace.h"
#include "gallery.h"
#include "support/silent_terminal.h"
#include "window/port_menu.h"
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

// The ports of a boat owner's laptop: a USB cable with its lasting name, a second adapter and a
// built-in port.
std::vector<SerialPortEntry> LaptopPorts() {
    SerialPortEntry ftdi;
    ftdi.Device = "/dev/ttyUSB0";
    ftdi.Description = "FT232R USB UART, FTDI";
    ftdi.VendorId = 0x0403;
    ftdi.ProductId = 0x6001;
    ftdi.StableName = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10K3XYZ-if00-port0";
    SerialPortEntry prolific;
    prolific.Device = "/dev/ttyUSB1";
    prolific.Description = "USB-Serial Controller, Prolific Technology Inc.";
    prolific.VendorId = 0x067b;
    prolific.ProductId = 0x2303;
    prolific.StableName =
        "/dev/serial/by-id/usb-Prolific_Technology_Inc._USB-Serial_Controller-if00-port0";
    SerialPortEntry builtIn;
    builtIn.Device = "/dev/ttyS0";
    return {ftdi, prolific, builtIn};
}

// The port menu with the system's ports below COM1 to COM4, the USB cable chosen.
void PortList(Gallery& gallery, Stage& stage) {
    QMenu menu(&stage.Window());
    PortActions com{};
    for (int i = 0; i < kPortMenuEntries; ++i) {
        com[static_cast<size_t>(i)] = menu.addAction(QStringLiteral("COM&%1").arg(i + 1));
        com[static_cast<size_t>(i)]->setCheckable(true);
    }
    Workspace ws;
    MemorySettingsStore store;
    InstallPortMenu(&menu, com, ws, store, &stage.Window(), LaptopPorts);
    menu.popup(stage.Window().mapToGlobal(QPoint(40, 40)));
    if (!gallery.Check(QTest::qWaitForWindowExposed(&menu), "ports: menu not shown")) {
        return;
    }
    menu.actions()[5]->trigger();
    menu.popup(stage.Window().mapToGlobal(QPoint(40, 40)));
    gallery.Check(QTest::qWaitForWindowExposed(&menu), "ports: menu not shown again");
    gallery.Save(menu, QStringLiteral("transfer-menu-serialport-list"));
    menu.hide();
    TransferDialogOptions options;
    options.Ports = LaptopPorts;
    TransferDialog dialog(ws, stage.Host(), TransferMode::Read, options, &stage.Window());
    gallery.Shot(dialog, QStringLiteral("transfer-read-usb-port"));
    // The cable unplugged since it was chosen: its lasting name, longer than the line.
    options.Ports = [] { return std::vector<SerialPortEntry>{}; };
    TransferDialog unplugged(ws, stage.Host(), TransferMode::Read, options, &stage.Window());
    gallery.Shot(unplugged, QStringLiteral("transfer-read-usb-port-unplugged"));
}

// A dark desktop theme, as a person who has chosen one sees the program.
QPalette DarkPalette() {
    QPalette dark;
    const QColor window(45, 45, 48);
    const QColor base(30, 30, 32);
    const QColor text(225, 225, 225);
    dark.setColor(QPalette::Window, window);
    dark.setColor(QPalette::WindowText, text);
    dark.setColor(QPalette::Base, base);
    dark.setColor(QPalette::AlternateBase, window);
    dark.setColor(QPalette::Text, text);
    dark.setColor(QPalette::Button, window);
    dark.setColor(QPalette::ButtonText, text);
    dark.setColor(QPalette::ToolTipBase, base);
    dark.setColor(QPalette::ToolTipText, text);
    dark.setColor(QPalette::PlaceholderText, QColor(140, 140, 140));
    dark.setColor(QPalette::Highlight, QColor(61, 142, 201));
    dark.setColor(QPalette::HighlightedText, Qt::white);
    dark.setColor(QPalette::Light, QColor(70, 70, 74));
    dark.setColor(QPalette::Midlight, QColor(60, 60, 64));
    dark.setColor(QPalette::Mid, QColor(40, 40, 42));
    dark.setColor(QPalette::Dark, QColor(20, 20, 22));
    dark.setColor(QPalette::Shadow, Qt::black);
    dark.setColor(QPalette::Disabled, QPalette::Text, QColor(120, 120, 120));
    dark.setColor(QPalette::Disabled, QPalette::WindowText, QColor(120, 120, 120));
    dark.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(120, 120, 120));
    return dark;
}

// The start panel and the transfer dialog's pictures under a dark theme.
void DarkTheme(Gallery& gallery) {
    const QPalette light = QApplication::palette();
    QApplication::setPalette(DarkPalette());
    {
        Stage stage(kOneModel);
        if (gallery.Check(stage.Start(), "dark: not started")) {
            gallery.Save(stage.Window(), QStringLiteral("dark-main-window"));
            TransferDialog read(stage.Ws(), stage.Host(), TransferMode::Read, {}, &stage.Window());
            gallery.Shot(read, QStringLiteral("dark-transfer-read"));
            TransferDialog program(stage.Ws(), stage.Host(), TransferMode::Program, {},
                                   &stage.Window());
            gallery.Shot(program, QStringLiteral("dark-transfer-program"));
        }
    }
    QApplication::setPalette(light);
}

}  // namespace

void TransferShots(Gallery& gallery) {
    DarkTheme(gallery);
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
            PortList(gallery, stage);
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
