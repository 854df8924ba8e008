// Options -> SerialPort: COM1 to COM4, then every serial port the system has, by device,
// description and USB ids; one item is checked. Each COM item's status tip names the device
// it opens on this machine. The list and the tips are refreshed whenever the menu opens (a
// cable may have been plugged in meanwhile). A listed port is remembered by the name that
// survives replugging where the system offers one.
#pragma once

#include <QString>
#include <array>
#include <functional>
#include <vector>

#include "app/startup.h"
#include "radio/qt/serial_ports.h"

class QAction;
class QMenu;
class QWidget;

namespace tq530 {

class SettingsStore;
struct Workspace;

using PortActions = std::array<QAction*, kPortMenuEntries>;
using PortLister = std::function<std::vector<SerialPortEntry>()>;

// Where a chosen device is remembered, beside "ComPath"/"ComNum".
constexpr const char* kComDeviceKey = "ComDevice";

// The system's serial ports as ListSerialPorts finds them.
std::vector<SerialPortEntry> SystemPorts();

// The tip of item COM n: the port it opens, as the command line's port listing says it.
QString PortTipText(int comNum);

// What the transfer dialog's port line names: the chosen device, or COM n and its device.
QString ChosenPortText(const Workspace& ws, const PortLister& lister = SystemPorts);

// Makes the items work: a choice sets ComNum or ComDevice and moves the check mark, and is
// stored once window is visible (start-up's own choice is not). Reads the remembered device.
// lister gives the system's ports.
void InstallPortMenu(QMenu* menu, const PortActions& actions, Workspace& ws, SettingsStore& store,
                     QWidget* window, PortLister lister = SystemPorts);

}  // namespace tq530
