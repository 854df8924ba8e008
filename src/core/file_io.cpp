#include "core/file_io.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "core/platform_file.h"

namespace tq530 {

namespace fs = std::filesystem;

bool ReadWholeFile(const std::string& path, std::string& data, FileError& error) {
    errno = 0;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) {
        error.Number = errno;
        error.Text = std::strerror(errno);
        return false;
    }
    data.clear();
    char buffer[16384];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) {
        data.append(buffer, n);
    }
    const bool failed = std::ferror(f) != 0;
    const int e = errno;
    std::fclose(f);
    if (failed) {
        error.Number = e;
        error.Text = std::strerror(e);
        return false;
    }
    return true;
}

bool WriteFileReplacing(const std::string& path, const std::string& data, FileError& error) {
    // /dev/null, a printer device or a FIFO cannot be replaced by a rename: write them directly.
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    const bool special = !ec && fs::exists(status) && !fs::is_regular_file(status);
    if (special) {
        return WriteFileContents(path, data, false, error);
    }
    const std::string temp = path + ".tq530-tmp";
    if (!WriteFileContents(temp, data, true, error) || !ReplaceFileWith(temp, path, error)) {
        fs::remove(temp, ec);
        return false;
    }
    return true;
}

long long FileLength(const std::string& path) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) {
        return -1;
    }
    const std::uintmax_t size = fs::file_size(path, ec);
    return ec ? -1 : static_cast<long long>(size);
}

std::string PathIn(const std::string& folder, const std::string& name) {
    // A name is always taken inside the folder, even one that starts with a separator.
    return (fs::path(folder.empty() ? "." : folder) / fs::path(name).relative_path()).string();
}

std::string LowerExtension(const std::string& path) {
    const std::string name = BaseName(path);
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0) {
        return std::string();
    }
    std::string ext = name.substr(dot);
    for (char& c : ext) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return ext;
}

std::string BaseName(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace tq530
