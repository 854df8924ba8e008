// The window program's arguments: --help and --version, answered before any window exists,
// and the long forms of the switches, which become the one-word switch the start-up reads.
#pragma once

#include <string>
#include <vector>

namespace tq530 {

struct WindowCommandLine {
    enum class Action { Run, Help, Version };
    Action What = Action::Run;
    // What the start-up reads its switches from ("/D", "/DE", ...).
    std::string SwitchLine;
    // A data set to open once the window is up, as a file manager's "Open with" names it:
    // the first argument that is no switch and names a file (an existing one, or any
    // ".dat" or ".hex" path, whose failure to open the window then reports). "" when none.
    std::string FileToOpen;
};

// args without the program name. --diagnostic and --low-speed together make one "/DE"; the
// other arguments but the file to open (the switches themselves, Qt's options) pass as they came,
// so that a line the start-up did not accept before still selects nothing.
WindowCommandLine ParseWindowCommandLine(const std::vector<std::string>& args);

// The text of `tq530 --help`.
std::string WindowProgramHelp();

// The complaint of a start without a window system to show the window on.
std::string NoDisplayMessage();

}  // namespace tq530
