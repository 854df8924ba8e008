// What the editor panel asks of every screen: it registers each screen for the kinds of tree
// node the screen shows, and then prepares, shows and checks them all alike.
#pragma once

#include "editor/screen_tree.h"

class QWidget;

namespace tq530 {

class Screen {
  public:
    virtual ~Screen() = default;
    // The widget the panel puts in front when the screen is shown.
    virtual QWidget* Widget() = 0;
    // Before a new data set: the screen forgets what it showed.
    virtual void Prepare() {}
    // Shows the target's data; its Kind is one the screen was registered for.
    virtual void ShowTarget(const ScreenTarget& target) = 0;
    // The check of a command that leaves the screen or uses the data: what was typed and not
    // yet checked is checked now. False after the refusal's message.
    virtual bool InputCheck() { return true; }
};

}  // namespace tq530
