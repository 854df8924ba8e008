#include "core/error_log.h"

#include <cstdio>
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
    if (DirectoryWritable(dir)) {
        return PathIn(dir, "err.log");
    }
    std::string fallback = UserDataDir();
    if (fallback.empty()) {
        fallback = ".";
    }
    std::error_code ec;
    std::filesystem::create_directories(fallback, ec);
    return PathIn(fallback, "err.log");
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
