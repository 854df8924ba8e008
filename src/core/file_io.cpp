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

namespace {

bool Fail(FileError& error, std::errc code) {
    const std::error_code ec = std::make_error_code(code);
    error.Number = ec.value();
    error.Text = ec.message();
    return false;
}

bool Fail(FileError& error, const std::error_code& ec) {
    error.Number = ec.value();
    error.Text = ec.message();
    return false;
}

// The file a symbolic link finally names, also when that does not exist yet; path itself
// when it is no link. A loop of links ends at the last one looked at.
fs::path FollowLinks(const fs::path& path) {
    fs::path target = path;
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(target, ec))) {
            break;
        }
        const fs::path next = fs::read_symlink(target, ec);
        if (ec) {
            break;
        }
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return target;
}

// The input limit is the user's to know when a file is refused for its size.
bool FailTooLarge(FileError& error) {
    Fail(error, std::errc::file_too_large);
    error.Text += " (the limit is " + std::to_string(kMaxInputFileSize) + " bytes)";
    return false;
}

// A save replaces regular files only: anything else would have to be opened and written in
// place, and opening a FIFO for writing waits for a reader for ever.
bool CheckOutputKind(const fs::path& target, FileError& error) {
    std::error_code ec;
    const fs::file_status status = fs::status(target, ec);
    if (fs::is_directory(status)) {
        return Fail(error, std::errc::is_a_directory);
    }
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        return FailNotRegularFile(error);
    }
    return true;
}

std::string FolderOf(const fs::path& path) {
    const fs::path folder = path.parent_path();
    return folder.empty() ? std::string(".") : folder.string();
}

}  // namespace

bool FailNotRegularFile(FileError& error) {
    error.Number = static_cast<int>(std::errc::invalid_argument);
    error.Text = "Not a regular file";
    return false;
}

bool CheckInputFile(const std::string& path, FileError& error) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (!fs::exists(status)) {
        return Fail(error, ec ? ec : std::make_error_code(std::errc::no_such_file_or_directory));
    }
    if (fs::is_directory(status)) {
        return Fail(error, std::errc::is_a_directory);
    }
    if (!fs::is_regular_file(status)) {
        return FailNotRegularFile(error);
    }
    const std::uintmax_t size = fs::file_size(path, ec);
    if (ec) {
        return Fail(error, ec);
    }
    if (size > static_cast<std::uintmax_t>(kMaxInputFileSize)) {
        return FailTooLarge(error);
    }
    return true;
}

bool ReadWholeFile(const std::string& path, std::string& data, FileError& error) {
    if (!CheckInputFile(path, error)) {
        return false;
    }
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
        // A file that grows while it is read is cut off where no file of ours can reach.
        if (data.size() > static_cast<size_t>(kMaxInputFileSize)) {
            std::fclose(f);
            return FailTooLarge(error);
        }
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
    const fs::path target = FollowLinks(path);
    if (!CheckOutputKind(target, error)) {
        return false;
    }
    // The target itself is never opened: the rename puts the new file in its place.
    std::error_code ec;
    std::string temp;
    if (!WriteUniqueFile(FolderOf(target), data, target.string(), temp, error) ||
        !ReplaceFileWith(temp, target.string(), error)) {
        if (!temp.empty()) {
            fs::remove(temp, ec);
        }
        return false;
    }
    return true;
}

bool CheckOutputFile(const std::string& path, FileError& error) {
    const fs::path target = FollowLinks(path);
    if (!CheckOutputKind(target, error)) {
        return false;
    }
    std::error_code ec;
    // The same step the save takes first, undone at once: nothing else tells for sure.
    std::string temp;
    const bool ok = WriteUniqueFile(FolderOf(target), std::string(), target.string(), temp, error);
    if (!temp.empty()) {
        fs::remove(temp, ec);
    }
    return ok;
}

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    if (fs::equivalent(a, b, ec) && !ec) {
        return true;
    }
    std::error_code ecA;
    std::error_code ecB;
    const fs::path canonicalA = fs::weakly_canonical(a, ecA);
    const fs::path canonicalB = fs::weakly_canonical(b, ecB);
    return !ecA && !ecB && canonicalA == canonicalB;
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
