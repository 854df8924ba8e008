// Whole-file reading and writing with the error number and text a failure reports. A write
// goes to a new file of its own beside the target and is renamed over it only when complete,
// so a failed save never destroys the file it was to replace.
#pragma once

#include <string>

namespace tq530 {

struct FileError {
    int Number = 0;
    std::string Text;
};

// No file this program reads comes near this size; anything larger is not one of ours.
constexpr long long kMaxInputFileSize = 4 * 1024 * 1024;

// Whether path is a regular file of at most kMaxInputFileSize bytes; if not, error says why.
// A directory, a FIFO or a device is refused without being opened, so nothing waits on it.
bool CheckInputFile(const std::string& path, FileError& error);
// Reads a file that passes CheckInputFile.
bool ReadWholeFile(const std::string& path, std::string& data, FileError& error);
// A symbolic link as the target is followed: its file gets the data, the link stays. An
// existing file keeps its permissions. Only a regular file or a new name is written: a
// folder, a FIFO, a device or a socket is refused without being opened, so a save never
// waits for a reader that does not come.
bool WriteFileReplacing(const std::string& path, const std::string& data, FileError& error);
// Whether WriteFileReplacing could create its file for path now; error says why not.
bool CheckOutputFile(const std::string& path, FileError& error);
// Whether a and b name the same file, through symbolic and hard links and however the path
// is spelt ("./x", "dir/../x"); two spellings of one name that does not exist yet count too.
bool SameFile(const std::string& a, const std::string& b);
// Sets error to the refusal of something that is not a regular file (a FIFO, a device, a
// socket) and returns false.
bool FailNotRegularFile(FileError& error);
// Length of the file in bytes, or -1 when it does not exist or is not a regular file.
long long FileLength(const std::string& path);
// name in folder ("." when folder is ""), joined with the platform's separator.
std::string PathIn(const std::string& folder, const std::string& name);
// The extension of path in lower case, with its dot (".hex"), or "" when it has none.
std::string LowerExtension(const std::string& path);
// The file name without its folders.
std::string BaseName(const std::string& path);

}  // namespace tq530
