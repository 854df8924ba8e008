// Options -> SerialPort: COM1 to COM4, one checked. Each item's status tip names the device
// it opens on this machine, with its description and USB ids, refreshed whenever the menu
// opens (a cable may have been plugged in meanwhile).
#pragma once

#include <QString>
#include <array>

#include "app/startup.h"

class QAction;
class QMenu;
class QWidget;

namespace tq530 {

class SettingsStore;
struct Workspace;

using PortActions = std::array<QAction*, kPortMenuEntries>;

// The tip of item COM n: the port it opens, as the command line's port listing says it.
QString PortTipText(int comNum);

// Makes the items work: a choice sets ComNum and moves the check mark, and is stored once
// window is visible (start-up's own choice is not).
void InstallPortMenu(QMenu* menu, const PortActions& actions, Workspace& ws, SettingsStore& store,
                     QWidget* window);

}  // namespace tq530
