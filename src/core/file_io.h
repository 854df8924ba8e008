// Whole-file reading and writing with the error number and text a failure reports. A write
// goes to a temporary file beside the target and is renamed over it only when complete, so
// a failed save never destroys the file it was to replace.
#pragma once

#include <string>

namespace tq530 {

struct FileError {
    int Number = 0;
    std::string Text;
};

bool ReadWholeFile(const std::string& path, std::string& data, FileError& error);
bool WriteFileReplacing(const std::string& path, const std::string& data, FileError& error);
// Length of the file in bytes, or -1 when it does not exist or is not a regular file.
long long FileLength(const std::string& path);
// name in folder ("." when folder is ""), joined with the platform's separator.
std::string PathIn(const std::string& folder, const std::string& name);
// The extension of path in lower case, with its dot (".hex"), or "" when it has none.
std::string LowerExtension(const std::string& path);
// The file name without its folders.
std::string BaseName(const std::string& path);

}  // namespace tq530
