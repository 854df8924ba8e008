// A menu entry as data: what the GUI shows for the Model, port and Destination menus.
#pragma once

#include <string>

namespace tq530 {

struct MenuEntry {
    std::string Caption;
    bool Visible = false;
    bool Enabled = false;
    bool Checked = false;
};

}  // namespace tq530
