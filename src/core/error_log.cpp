#include "core/error_log.h"

#include <ctime>
#include <filesystem>
#include <system_error>

#include "core/file_io.h"
#include "core/platform_file.h"
#include "core/workspace.h"

namespace tq530 {

std::string FormatLogLine(std::time_t when, const std::string& source, const std::string& message) {
    const std::tm parts = LocalTime(when);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d,%H:%M:%S", &parts);
    return std::string(stamp) + ":" + source + " -> " + message;
}

std::string ErrorLogPath(const Workspace& ws) {
    const std::string dir = ws.ProgramDir.empty() ? std::string(".") : ws.ProgramDir;
    // A log that is already there and writable is appended to, even in a folder where no
    // new file could be made.
    const std::string inProgramDir = PathIn(dir, "err.log");
    std::error_code ec;
    if (DirectoryWritable(dir) ||
        (std::filesystem::is_regular_file(inProgramDir, ec) && FileWritable(inProgramDir))) {
        return inProgramDir;
    }
    std::string fallback = UserDataDir();
    if (fallback.empty()) {
        fallback = ".";
    }
    std::filesystem::create_directories(fallback, ec);
    return PathIn(fallback, "err.log");
}

void LogError(const Workspace& ws, const std::string& source, const std::string& message) {
    if (!ws.DiagnosticMode) {
        return;
    }
    // An err.log that is a FIFO or a device is passed over: logging must never hold up the
    // operation whose failure it records.
    FileError ignored;
    AppendToRegularFile(ErrorLogPath(ws),
                        FormatLogLine(std::time(nullptr), source, message) + "\r\n", ignored);
}

std::string ErrorMessage(int number, const std::string& text) {
    return std::to_string(number) + text;
}

}  // namespace tq530
