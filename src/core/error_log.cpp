#include "core/error_log.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "core/workspace.h"

namespace tq530 {

std::string FormatLogLine(std::time_t when, const std::string& source, const std::string& message) {
    std::tm parts{};
    localtime_r(&when, &parts);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d,%H:%M:%S", &parts);
    return std::string(stamp) + ":" + source + " -> " + message;
}

static std::string UserDataDir() {
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg != nullptr && *xdg != '\0') {
        return std::string(xdg) + "/TQ530";
    }
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        return std::string(home) + "/.local/share/TQ530";
    }
    return ".";
}

std::string ErrorLogPath(const Workspace& ws) {
    const std::string dir = ws.ProgramDir.empty() ? std::string(".") : ws.ProgramDir;
    // The effective ids decide whether the append can work, not the real ones.
    if (faccessat(AT_FDCWD, dir.c_str(), W_OK, AT_EACCESS) == 0) {
        return dir + "/err.log";
    }
    const std::string fallback = UserDataDir();
    std::string partial;
    for (size_t i = 0; i <= fallback.size(); ++i) {
        if (i == fallback.size() || (fallback[i] == '/' && i > 0)) {
            partial = fallback.substr(0, i);
            mkdir(partial.c_str(), 0755);
        }
    }
    return fallback + "/err.log";
}

void LogError(const Workspace& ws, const std::string& source, const std::string& message) {
    if (!ws.DiagnosticMode) {
        return;
    }
    std::FILE* f = std::fopen(ErrorLogPath(ws).c_str(), "ab");
    if (f == nullptr) {
        return;
    }
    const std::string line = FormatLogLine(std::time(nullptr), source, message) + "\r\n";
    std::fwrite(line.data(), 1, line.size(), f);
    std::fclose(f);
}

std::string ErrorMessage(int number, const std::string& text) {
    return std::to_string(number) + text;
}

}  // namespace tq530
