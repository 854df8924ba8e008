#include "app/ini_settings_store.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <system_error>

#include "core/file_io.h"
#include "core/platform_file.h"

namespace tq530 {

namespace {

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Spaces around a value are not part of it when read, so a value that starts or ends with
// one, or with a quote, is written between quotes. Line breaks and backslashes are escaped,
// so that every value is one line.
std::string Encoded(const std::string& value) {
    std::string out;
    for (const char c : value) {
        out += c == '\\' ? "\\\\" : c == '\n' ? "\\n" : c == '\r' ? "\\r" : std::string(1, c);
    }
    const auto edge = [](char c) { return c == ' ' || c == '\t' || c == '"'; };
    if (!out.empty() && (edge(out.front()) || edge(out.back()))) {
        out = '"' + out + '"';
    }
    return out;
}

std::string Decoded(std::string text) {
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
        text = text.substr(1, text.size() - 2);
    }
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        // Any other backslash is the text's own (a folder typed by hand).
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        if (text[i] == '\\' && (next == '\\' || next == 'n' || next == 'r')) {
            out += next == 'n' ? '\n' : next == 'r' ? '\r' : '\\';
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

IniSettingsStore::IniSettingsStore(std::string path) : path_(std::move(path)) {
    std::string text;
    FileError error;
    if (!path_.empty() && CheckInputFile(path_, error) && ReadWholeFile(path_, text, error)) {
        values_ = Parse(text);
    }
}

std::string IniSettingsStore::GetText(const std::string& section, const std::string& key,
                                      const std::string& defaultText) const {
    const auto s = values_.find(section);
    if (s == values_.end()) {
        return defaultText;
    }
    const auto k = s->second.find(key);
    return k == s->second.end() ? defaultText : k->second;
}

void IniSettingsStore::SetText(const std::string& section, const std::string& key,
                               const std::string& value) {
    values_[section][key] = value;
    if (path_.empty()) {
        return;
    }
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path_).parent_path(), ec);
    FileError error;
    WriteFileReplacing(path_, Format(values_), error);
}

std::string IniSettingsStore::Format(const Values& values) {
    std::string text;
    for (const auto& [section, keys] : values) {
        text += (text.empty() ? "[" : "\n[") + section + "]\n";
        for (const auto& [key, value] : keys) {
            text += key + "=" + Encoded(value) + "\n";
        }
    }
    return text;
}

IniSettingsStore::Values IniSettingsStore::Parse(const std::string& text) {
    Values values;
    std::string section;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        line = Trimmed(line);
        if (line.empty() || line[0] == ';' || line[0] == '#') {
            continue;
        }
        if (line.front() == '[' && line.back() == ']') {
            section = Trimmed(line.substr(1, line.size() - 2));
            continue;
        }
        const size_t equals = line.find('=');
        if (equals == std::string::npos || Trimmed(line.substr(0, equals)).empty()) {
            continue;
        }
        values[section][Trimmed(line.substr(0, equals))] =
            Decoded(Trimmed(line.substr(equals + 1)));
    }
    return values;
}

std::string DefaultIniSettingsPath() {
    std::filesystem::path base;
    if (const char* roaming = std::getenv("APPDATA"); roaming != nullptr && *roaming != '\0') {
        base = std::filesystem::path(roaming) / "TQ530";
    } else if (const std::string data = UserDataDir(); !data.empty()) {
        base = data;
    } else {
        return {};
    }
    return (base / "TQ530.ini").string();
}

}  // namespace tq530
