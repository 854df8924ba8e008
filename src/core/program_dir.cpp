#include "core/program_dir.h"

#include <filesystem>
#include <system_error>

#include "core/file_io.h"
#include "core/platform_file.h"

// The build passes where GNUInstallDirs puts the data relative to the programs.
#ifndef TQ530_DATA_FROM_BIN
#define TQ530_DATA_FROM_BIN "../share/tq530"
#endif

namespace tq530 {

namespace {

bool HoldsGlobalIni(const std::string& dir) {
    std::error_code ec;
    return std::filesystem::is_regular_file(PathIn(dir, "global.ini"), ec);
}

}  // namespace

std::string InstalledDataDirFrom(const std::string& executableDir) {
    const std::filesystem::path base = executableDir.empty() ? "." : executableDir;
    return (base / TQ530_DATA_FROM_BIN).lexically_normal().string();
}

std::string ProgramDirFor(const std::string& executableDir) {
    const std::string dir = executableDir.empty() ? std::string(".") : executableDir;
    if (HoldsGlobalIni(dir)) {
        return dir;
    }
    const std::string installed = InstalledDataDirFrom(dir);
    return HoldsGlobalIni(installed) ? installed : dir;
}

std::string DefaultProgramDir() {
    return ProgramDirFor(std::filesystem::path(ExecutablePath()).parent_path().string());
}

}  // namespace tq530
