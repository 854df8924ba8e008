#include "window/port_menu.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QWidget>
#include <memory>

#include "app/settings_store.h"
#include "core/workspace.h"

namespace tq530 {

namespace {

// What a port is remembered by: its lasting name where it has one.
std::string ChoiceOf(const SerialPortEntry& port) {
    return port.StableName.empty() ? port.Device : port.StableName;
}

// A chosen device the system does not list: a pseudo-terminal, or a cable unplugged since.
QString UnlistedText(const std::string& device) {
    const QString name = QString::fromLocal8Bit(device.c_str());
    return QFileInfo::exists(name) ? name : name + QStringLiteral(" (not found)");
}

// The menu's own state: the COM items, the device items of the last refresh.
struct PortMenuState {
    QMenu* Menu = nullptr;
    PortActions Com{};
    std::vector<QAction*> Devices;
    QAction* Separator = nullptr;
    Workspace* Ws = nullptr;
    SettingsStore* Store = nullptr;
    QWidget* Window = nullptr;
    PortLister Lister;

    void ShowChecks() {
        const auto checks = PortMenuChecks(Ws->ComDevice.empty() ? Ws->ComNum : 0);
        for (size_t i = 0; i < Com.size(); ++i) {
            Com[i]->setChecked(checks[i]);
        }
        for (QAction* device : Devices) {
            device->setChecked(device->data().toString().toStdString() == Ws->ComDevice);
        }
    }
    void Remember(const std::string& device) {
        const bool changed = device != Ws->ComDevice;
        Ws->ComDevice = device;
        if (changed && Window->isVisible()) {
            Store->SetText("ComPath", kComDeviceKey, device);
        }
        ShowChecks();
    }
    QAction* AddDevice(const QString& text, const std::string& choice, const QString& tip) {
        QString caption = text;
        QAction* action = Menu->addAction(caption.replace(QLatin1Char('&'), QStringLiteral("&&")));
        action->setCheckable(true);
        action->setData(QString::fromLocal8Bit(choice.c_str()));
        action->setStatusTip(tip);
        action->setToolTip(tip);
        QObject::connect(action, &QAction::triggered, Menu, [this, choice] { Remember(choice); });
        Devices.push_back(action);
        return action;
    }
    void RefreshDevices() {
        for (QAction* device : Devices) {
            Menu->removeAction(device);
            device->deleteLater();
        }
        Devices.clear();
        bool chosenListed = Ws->ComDevice.empty();
        for (const SerialPortEntry& port : Lister()) {
            if (port.Pinned) {
                continue;  // reached through its COM item
            }
            const QString line = QString::fromLocal8Bit(DeviceLine(port).c_str());
            const std::string choice = ChoiceOf(port);
            AddDevice(line, choice,
                      port.StableName.empty()
                          ? line
                          : line + QStringLiteral(", remembered as ") +
                                QString::fromLocal8Bit(port.StableName.c_str()));
            chosenListed = chosenListed || choice == Ws->ComDevice || port.Device == Ws->ComDevice;
        }
        if (!chosenListed) {
            // Unplugged since it was chosen: it stays the choice until another is made.
            const QString name = QString::fromLocal8Bit(Ws->ComDevice.c_str());
            AddDevice(UnlistedText(Ws->ComDevice), Ws->ComDevice, name);
        }
        Separator->setVisible(!Devices.empty());
        ShowChecks();
    }
};

void RefreshTips(const PortActions& actions) {
    for (size_t i = 0; i < actions.size(); ++i) {
        const QString tip = PortTipText(static_cast<int>(i) + 1);
        actions[i]->setStatusTip(tip);
        actions[i]->setToolTip(tip);
    }
}

}  // namespace

std::vector<SerialPortEntry> SystemPorts() {
    return ListSerialPorts();
}

QString PortTipText(int comNum) {
    return QString::fromLocal8Bit(ComPortTip(comNum).c_str());
}

QString ChosenPortText(const Workspace& ws, const PortLister& lister) {
    if (ws.ComDevice.empty()) {
        return PortTipText(ws.ComNum);
    }
    for (const SerialPortEntry& port : lister()) {
        if (!port.Pinned && (ChoiceOf(port) == ws.ComDevice || port.Device == ws.ComDevice)) {
            return QString::fromLocal8Bit(DeviceLine(port).c_str());
        }
    }
    return UnlistedText(ws.ComDevice);
}

void InstallPortMenu(QMenu* menu, const PortActions& actions, Workspace& ws, SettingsStore& store,
                     QWidget* window, PortLister lister) {
    auto state = std::make_shared<PortMenuState>();
    state->Menu = menu;
    state->Com = actions;
    state->Ws = &ws;
    state->Store = &store;
    state->Window = window;
    state->Lister = std::move(lister);
    state->Separator = menu->addSeparator();
    ws.ComDevice = store.GetText("ComPath", kComDeviceKey, "");

    menu->setToolTipsVisible(true);
    RefreshTips(actions);
    QObject::connect(menu, &QMenu::aboutToShow, menu, [state] {
        RefreshTips(state->Com);
        state->RefreshDevices();
    });
    for (size_t i = 0; i < actions.size(); ++i) {
        actions[i]->setEnabled(true);
        QObject::connect(actions[i], &QAction::triggered, menu,
                         [state, &ws, &store, window, index = static_cast<int>(i)] {
                             SelectSerialPort(ws, store, index, window->isVisible());
                             state->Remember("");
                         });
    }
    state->RefreshDevices();
}

}  // namespace tq530
