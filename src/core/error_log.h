// The diagnostic error log "err.log": one line per unexpected failure of the serial port or
// of file reading and writing, written only in diagnostic mode.
#pragma once

#include <ctime>
#include <string>

namespace tq530 {

struct Workspace;

// The log line without its CR LF: date + "," + time + ":" + source + " -> " + message.
std::string FormatLogLine(std::time_t when, const std::string& source, const std::string& message);

// The file the log goes to: err.log in the program folder, or in the per-user data folder
// when the program folder is not writable.
std::string ErrorLogPath(const Workspace& ws);

// Appends one line when DiagnosticMode is on; never reports a failure of its own.
void LogError(const Workspace& ws, const std::string& source, const std::string& message);

// The message every caller logs: the error number followed directly by its text.
std::string ErrorMessage(int number, const std::string& text);

}  // namespace tq530
