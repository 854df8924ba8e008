// The window program's arguments as the start-up sees them: the long forms become the old
// one-word switches, and what selected nothing before still selects nothing.
#include "app/window_command_line.h"

#include <gtest/gtest.h>

#include "app/startup.h"

namespace tq530 {
namespace {

using Action = WindowCommandLine::Action;

TEST(WindowCommandLineTest, LongFormsAndOldSwitchesGiveTheFlags) {
    struct Case {
        std::vector<std::string> Args;
        bool Diagnostic;
        bool LowSpeed;
    };
    const Case cases[] = {
        {{"--diagnostic"}, true, false},
        {{"--low-speed"}, false, true},
        {{"--low-speed", "--diagnostic"}, true, true},
        {{"--diagnostic", "--low-speed", "--diagnostic"}, true, true},
        {{"/de"}, true, true},
        {{"/E"}, false, true},
        {{}, false, false},
        // Two words never selected anything, whatever their forms.
        {{"/D", "/E"}, false, false},
        {{"--diagnostic", "/E"}, false, false},
        {{"/x.dat"}, false, false},
        // A data set is the file to open, not a second word of the switch line.
        {{"--diagnostic", "boat.dat"}, true, false},
        {{"--unknown"}, false, false},
    };
    for (const Case& c : cases) {
        const WindowCommandLine line = ParseWindowCommandLine(c.Args);
        EXPECT_EQ(line.What, Action::Run);
        const SwitchFlags flags = ParseCommandLine(line.SwitchLine);
        EXPECT_EQ(flags.DiagnosticMode, c.Diagnostic) << '"' << line.SwitchLine << '"';
        EXPECT_EQ(flags.LowSpeedLink, c.LowSpeed) << '"' << line.SwitchLine << '"';
    }
}

TEST(WindowCommandLineTest, HelpAndVersionWinWhereverTheyStand) {
    EXPECT_EQ(ParseWindowCommandLine({"--help"}).What, Action::Help);
    EXPECT_EQ(ParseWindowCommandLine({"/D", "-h"}).What, Action::Help);
    EXPECT_EQ(ParseWindowCommandLine({"--diagnostic", "--version"}).What, Action::Version);
    EXPECT_EQ(ParseWindowCommandLine({"--version", "--help"}).What, Action::Version);
    // Only the exact words: a file of that name is still a file.
    EXPECT_EQ(ParseWindowCommandLine({"--helpful"}).What, Action::Run);
}

}  // namespace
}  // namespace tq530
