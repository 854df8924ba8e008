#include "app/window_command_line.h"

#include "app/data_set.h"
#include "app/recent_files.h"

namespace tq530 {

namespace {

// An absolute path begins with "/" as the switches do; a switch names neither a data set nor
// an existing file.
bool NamesFile(const std::string& arg) {
    if (arg.empty() || arg[0] == '-') {
        return false;
    }
    return CanLoad(DataSetKindOf(arg)) || RegularFileExists(arg);
}

}  // namespace

WindowCommandLine ParseWindowCommandLine(const std::vector<std::string>& args) {
    WindowCommandLine result;
    bool diagnostic = false;
    bool lowSpeed = false;
    std::vector<std::string> rest;
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "-h") {
            result.What = WindowCommandLine::Action::Help;
            return result;
        }
        if (arg == "--version") {
            result.What = WindowCommandLine::Action::Version;
            return result;
        }
        if (arg == "--diagnostic") {
            diagnostic = true;
        } else if (arg == "--low-speed") {
            lowSpeed = true;
        } else if (result.FileToOpen.empty() && NamesFile(arg)) {
            result.FileToOpen = arg;
        } else {
            rest.push_back(arg);
        }
    }
    if (diagnostic || lowSpeed) {
        rest.insert(rest.begin(),
                    std::string("/") + (diagnostic ? "D" : "") + (lowSpeed ? "E" : ""));
    }
    for (const std::string& word : rest) {
        result.SwitchLine += (result.SwitchLine.empty() ? "" : " ") + word;
    }
    return result;
}

std::string WindowProgramHelp() {
    return "Usage: tq530 [SWITCH] [FILE]\n"
           "Reads, edits and programs the NR6120 handheld marine VHF radio (DSC, ATIS)\n"
           "over its programming cable, and keeps its data sets on disk.\n"
           "\n"
           "  /D, --diagnostic  diagnostic mode: the Hexdump item, the image files on\n"
           "                    Ctrl+F3 and Ctrl+F2, the error log err.log and the\n"
           "                    monitor line of the transfer dialog\n"
           "  /E, --low-speed   keep the radio link at 19200 baud\n"
           "  /DE, /ED          both\n"
           "  FILE              a settings file (.dat) or an image file (.hex) to open\n"
           "                    once the window is up, as File Open does\n"
           "  -h, --help        show this help and exit\n"
           "  --version         show the version and the licence and exit\n"
           "\n"
           "A switch is one word, in any case, and the only argument: \"/D /E\" selects\n"
           "neither. The long forms may be given together.\n"
           "\n"
           "Environment: TQ530_COM1 to TQ530_COM4 name the device that Options >\n"
           "SerialPort > COM1 to COM4 opens. Without a display (DISPLAY and\n"
           "WAYLAND_DISPLAY unset) tq530-cli does the same work.\n";
}

std::string NoDisplayMessage() {
    return "tq530: no display to show the window on (DISPLAY and WAYLAND_DISPLAY are unset);\n"
           "tq530-cli works without one, and QT_QPA_PLATFORM=offscreen starts tq530 unseen\n";
}

}  // namespace tq530
