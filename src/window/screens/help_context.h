// Marks a control with its help topic; the main window's F1 finds it on the focused control
// or the nearest parent that has one.
#pragma once

#include <QWidget>

namespace tq530 {

constexpr const char* kHelpContextProperty = "helpContext";

inline void SetHelpContext(QWidget* widget, int context) {
    widget->setProperty(kHelpContextProperty, context);
}

}  // namespace tq530
