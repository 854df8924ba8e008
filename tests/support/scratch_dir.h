// A fresh folder under the system's temporary folder, removed with everything in it when the
// test ends, and small file helpers for the tests that read and write files.
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

namespace tq530::testing {

// Removes path with everything in it, also after a test took its write permission away.
// A leftover folder in /tmp harms no later test, so failures are ignored.
inline void RemoveDir(const std::string& path) {
    std::error_code ec;
    std::filesystem::permissions(path, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path, ec);
}

// An empty folder at path, whatever was there before.
inline void MakeEmptyDir(const std::string& path) {
    RemoveDir(path);
    std::error_code ec;
    std::filesystem::create_directories(path, ec);
}

class ScratchDir {
  public:
    ScratchDir() {
        char pattern[] = "/tmp/tq530-test-XXXXXX";
        const char* made = mkdtemp(pattern);
        path_ = made != nullptr ? made : "/tmp";
    }
    ~ScratchDir() { RemoveDir(path_); }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

inline void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline bool Exists(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0;
}

// Root ignores file permissions; a test of a refused write runs its write as nobody.
class AsUnprivileged {
  public:
    AsUnprivileged() : wasRoot_(geteuid() == 0) {
        if (wasRoot_ && seteuid(65534) != 0) {
            wasRoot_ = false;
        }
    }
    ~AsUnprivileged() {
        if (wasRoot_ && seteuid(0) != 0) {
            std::abort();
        }
    }
    AsUnprivileged(const AsUnprivileged&) = delete;
    AsUnprivileged& operator=(const AsUnprivileged&) = delete;

  private:
    bool wasRoot_;
};

}  // namespace tq530::testing
