#include "window/port_menu.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

#include "core/workspace.h"
#include "radio/qt/serial_ports.h"

namespace tq530 {

namespace {

void ShowChecks(const PortActions& actions, const std::array<bool, kPortMenuEntries>& checks) {
    for (size_t i = 0; i < actions.size(); ++i) {
        actions[i]->setChecked(checks[i]);
    }
}

void RefreshTips(const PortActions& actions) {
    for (size_t i = 0; i < actions.size(); ++i) {
        const QString tip = PortTipText(static_cast<int>(i) + 1);
        actions[i]->setStatusTip(tip);
        actions[i]->setToolTip(tip);
    }
}

}  // namespace

QString PortTipText(int comNum) {
    return QString::fromLocal8Bit(ComPortTip(comNum).c_str());
}

void InstallPortMenu(QMenu* menu, const PortActions& actions, Workspace& ws, SettingsStore& store,
                     QWidget* window) {
    menu->setToolTipsVisible(true);
    RefreshTips(actions);
    QObject::connect(menu, &QMenu::aboutToShow, menu, [actions] { RefreshTips(actions); });
    for (size_t i = 0; i < actions.size(); ++i) {
        actions[i]->setEnabled(true);
        QObject::connect(actions[i], &QAction::triggered, menu,
                         [actions, &ws, &store, window, index = static_cast<int>(i)] {
                             ShowChecks(actions,
                                        SelectSerialPort(ws, store, index, window->isVisible()));
                         });
    }
    ShowChecks(actions, PortMenuChecks(ws.ComNum));
}

}  // namespace tq530
