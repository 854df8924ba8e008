#include "app/help_file.h"

#include <filesystem>
#include <system_error>

namespace tq530 {

std::string HelpFilePath(const Workspace& ws) {
    const char* name = ws.AtisEnabled ? "TQ530.html" : "TQ530_NA.html";
    return (std::filesystem::path(ws.ProgramDir) / name).string();
}

std::string ChooseHelpFile(const Workspace& ws) {
    const std::string path = HelpFilePath(ws);
    std::error_code error;
    return std::filesystem::is_regular_file(path, error) ? path : std::string();
}

}  // namespace tq530
