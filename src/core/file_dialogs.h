// The open and save dialogs the file commands ask for a path; the GUI supplies them.
#pragma once

#include <string>

namespace tq530 {

class FileDialogs {
  public:
    virtual ~FileDialogs() = default;
    // filter is "description|pattern|description|pattern..."; the save dialog asks before
    // overwriting. Both return "" when cancelled; neither requires the file to exist.
    virtual std::string AskOpenPath(const std::string& filter, const std::string& folder) = 0;
    virtual std::string AskSavePath(const std::string& filter, const std::string& folder) = 0;
    // An open dialog that accepts only a file that exists.
    virtual std::string AskExistingPath(const std::string& filter, const std::string& folder) {
        return AskOpenPath(filter, folder);
    }
};

}  // namespace tq530
