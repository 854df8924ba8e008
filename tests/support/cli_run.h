// Runs a program of the build as a user runs it from a shell, in a folder of the test's own,
// with per-user settings of its own, and collects its output and exit status.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "support/scratch_dir.h"

namespace tq530::testing {

struct CliResult {
    int Status = -1;
    std::string Out;
    std::string Err;
};

// A run that hangs is killed after 20 s and reported with status -1. stdoutTo names the file
// (relative to folder) that standard output goes to.
inline CliResult RunProgramIn(const std::string& folder, const std::string& program,
                              const std::string& args, const std::string& stdoutTo = "stdout") {
    const std::string command = "cd '" + folder + "' && XDG_CONFIG_HOME='" + folder +
                                "/config' timeout -s KILL 20 " + TQ530_BIN_DIR + "/" + program +
                                " " + args + " >" + stdoutTo + " 2>stderr </dev/null";
    const int raw = std::system(command.c_str());
    CliResult r;
    r.Status = WIFEXITED(raw) && WEXITSTATUS(raw) != 137 ? WEXITSTATUS(raw) : -1;
    r.Out = ReadFile(folder + "/stdout");
    r.Err = ReadFile(folder + "/stderr");
    return r;
}

}  // namespace tq530::testing
