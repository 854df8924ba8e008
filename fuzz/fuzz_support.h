// What the fuzz targets share: a scratch file in a private temporary folder, so that the file
// loaders run as the program runs them and nothing is written anywhere else.
#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

namespace tq530::fuzz {

class ScratchFolder {
  public:
    ScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tq530_fuzz_XXXXXX");
        if (mkdtemp(pattern.data()) == nullptr) {
            std::perror("mkdtemp");
            std::abort();
        }
        path_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }

    // Writes the bytes to the file name in the folder and returns its path.
    std::string Put(const std::string& name, const uint8_t* data, size_t size) const {
        const std::string path = path_ + "/" + name;
        FILE* file = std::fopen(path.c_str(), "wb");
        if (file == nullptr || (size > 0 && std::fwrite(data, 1, size, file) != size)) {
            std::perror(path.c_str());
            std::abort();
        }
        std::fclose(file);
        return path;
    }

  private:
    std::string path_;
};

// One folder for the whole run of a target, removed when it ends.
inline const ScratchFolder& Scratch() {
    static const ScratchFolder folder;
    return folder;
}

// Ends the run as a finding when a property of the program does not hold.
inline void Require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "property violated: %s\n", what);
        std::abort();
    }
}

}  // namespace tq530::fuzz
