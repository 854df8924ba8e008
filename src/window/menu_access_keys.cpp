#include "window/menu_access_keys.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QShortcutEvent>

namespace tq530 {

MenuAccessKeys::MenuAccessKeys(QWidget* window, QMenuBar* bar)
    : QObject(window), window_(window), bar_(bar) {
    // The shortcut map sends its event to the owner it picked, a caption as often as the menu
    // bar; only an application-wide filter sees them all.
    qApp->installEventFilter(this);
}

QMenu* MenuAccessKeys::MenuOf(const QKeySequence& key) const {
    if (key.isEmpty()) {
        return nullptr;
    }
    for (QAction* action : bar_->actions()) {
        QMenu* menu = action->menu();
        if (menu != nullptr && action->isVisible() &&
            QKeySequence::mnemonic(action->text()) == key) {
            return menu;
        }
    }
    return nullptr;
}

bool MenuAccessKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Shortcut) {
        return false;
    }
    // Only this window's shortcuts: a dialog's captions keep their own keys.
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != window_) {
        return false;
    }
    QMenu* menu = MenuOf(static_cast<QShortcutEvent*>(event)->key());
    if (menu == nullptr) {
        return false;
    }
    Open(menu);
    return true;
}

void MenuAccessKeys::Open(QMenu* menu) {
    QAction* title = menu->menuAction();
    if (!title->isEnabled()) {
        return;  // the letter stays the menu's even while there is nothing in it to choose
    }
    bar_->setActiveAction(title);
    // As the menu bar's own key does: the first item that can be chosen is highlighted.
    for (QAction* item : menu->actions()) {
        if (!item->isSeparator() && item->isVisible() && item->isEnabled()) {
            menu->setActiveAction(item);
            break;
        }
    }
}

}  // namespace tq530
