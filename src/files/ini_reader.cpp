#include "files/ini_reader.h"

#include "core/file_io.h"
#include "core/text_encoding.h"
#include "files/number_text.h"

namespace tq530 {

namespace {

constexpr size_t kIniBufferSize = 128;
constexpr const char* kNoValue = "<NONE>";

// Calls visit(line) for every line of text; CR LF, CR and LF all end a line.
template <typename Visit>
bool ForEachLine(std::string_view text, Visit visit) {
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            end = text.size();
        }
        if (!visit(std::string(text.substr(start, end - start)))) {
            return false;
        }
        start = end;
        if (start < text.size() && text[start] == '\r') {
            ++start;
        }
        if (start < text.size() && text[start] == '\n') {
            ++start;
        }
    }
    return true;
}

std::string StripQuotes(const std::string& value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

}  // namespace

std::string PrivateProfileLookup(const std::string& fileText, const std::string& section,
                                 const std::string& key, const std::string& defaultText,
                                 size_t bufferSize) {
    const std::string wantedSection = UpperAscii(TrimBlanks(section));
    const std::string wantedKey = UpperAscii(TrimBlanks(key));
    // Only the first section of a name counts; a later one of the same name is never seen.
    enum class State { Before, Inside, After } state = State::Before;
    bool found = false;
    std::string value;
    ForEachLine(WithoutUtf8Bom(fileText), [&](const std::string& raw) {
        const std::string line = TrimBlanks(raw);
        if (!line.empty() && line[0] == '[') {
            if (state == State::Inside) {
                state = State::After;
                return false;
            }
            const size_t close = line.find(']');
            const std::string name = TrimBlanks(
                line.substr(1, close == std::string::npos ? std::string::npos : close - 1));
            if (UpperAscii(name) == wantedSection) {
                state = State::Inside;
            }
            return true;
        }
        if (state != State::Inside) {
            return true;
        }
        const size_t equals = line.find('=');
        if (equals == std::string::npos) {
            return true;
        }
        if (UpperAscii(TrimBlanks(line.substr(0, equals))) == wantedKey) {
            value = StripQuotes(TrimBlanks(line.substr(equals + 1)));
            found = true;
            return false;
        }
        return true;
    });
    std::string result = found ? value : defaultText;
    if (bufferSize > 0 && result.size() > bufferSize - 1) {
        result.resize(bufferSize - 1);
    }
    return result;
}

std::string ReadPrivateProfileString(const std::string& path, const std::string& section,
                                     const std::string& key, const std::string& defaultText,
                                     size_t bufferSize) {
    // A file that cannot be read (missing, a folder, a FIFO, far too large) has no values.
    std::string text;
    FileError error;
    if (!ReadWholeFile(path, text, error)) {
        text.clear();
    }
    return PrivateProfileLookup(text, section, key, defaultText, bufferSize);
}

std::string ReadIniString(const std::string& path, const std::string& section,
                          const std::string& key) {
    std::string value = ReadPrivateProfileString(path, section, key, kNoValue, kIniBufferSize);
    const size_t nul = value.find('\0');
    if (nul != std::string::npos) {
        value.resize(nul);
    }
    if (value == kNoValue) {
        return "";
    }
    if (!value.empty() && value[0] == '#') {
        value.erase(0, 1);
    }
    return value;
}

}  // namespace tq530
