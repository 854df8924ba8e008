#include "app/recent_files.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace tq530 {

namespace {

constexpr const char* kSection = "RecentFiles";

std::string KeyOf(int index) {
    return "File" + std::to_string(index + 1);
}

// Two spellings of one file count as one entry.
std::string Normal(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

void Store(SettingsStore& store, const std::vector<std::string>& files) {
    for (int i = 0; i < kRecentFileEntries; ++i) {
        const auto index = static_cast<size_t>(i);
        store.SetText(kSection, KeyOf(i), index < files.size() ? files[index] : std::string());
    }
}

}  // namespace

bool RegularFileExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

std::vector<std::string> ReadRecentFiles(const SettingsStore& store, const FileExists& exists) {
    std::vector<std::string> files;
    for (int i = 0; i < kRecentFileEntries; ++i) {
        const std::string path = store.GetText(kSection, KeyOf(i), "");
        if (!path.empty() && exists(path) &&
            std::find(files.begin(), files.end(), path) == files.end()) {
            files.push_back(path);
        }
    }
    return files;
}

std::vector<std::string> NoteRecentFile(SettingsStore& store, const std::string& path,
                                        const FileExists& exists) {
    const std::string added = Normal(path);
    std::vector<std::string> files = ReadRecentFiles(store, exists);
    files.erase(std::remove(files.begin(), files.end(), added), files.end());
    files.insert(files.begin(), added);
    if (files.size() > static_cast<size_t>(kRecentFileEntries)) {
        files.resize(kRecentFileEntries);
    }
    Store(store, files);
    return files;
}

std::string RecentFileCaption(int index, const std::string& path) {
    std::string name = std::filesystem::path(path).filename().string();
    std::string escaped;
    for (char c : name) {
        escaped += c == '&' ? std::string("&&") : std::string(1, c);
    }
    return "&" + std::to_string(index + 1) + " " + escaped;
}

}  // namespace tq530
