#include "core/csv_text.h"

#include <utility>

namespace tq530 {

namespace {

constexpr char kQuote = '"';

bool NeedsQuotes(const std::string& field) {
    return field.find_first_of(",\"\r\n") != std::string::npos;
}

bool AllEmpty(const CsvRecord& record) {
    return record.size() == 1 && record[0].empty();
}

}  // namespace

CsvParse ParseCsv(const std::string& input) {
    CsvParse out;
    std::string text = input;
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        text.erase(0, 3);
    }
    CsvRecord record;
    std::string field;
    bool quoted = false;     // inside a quoted field
    bool wasQuoted = false;  // the current field began with a quote
    int row = 1;             // the line the current record starts on
    int line = 1;
    auto endRecord = [&] {
        record.push_back(field);
        if (!AllEmpty(record)) {
            out.Records.push_back(std::move(record));
            out.RecordRows.push_back(row);
        }
        record.clear();
        field.clear();
        wasQuoted = false;
        row = line;
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == kQuote) {
                if (i + 1 < text.size() && text[i + 1] == kQuote) {
                    field += kQuote;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == '\n') {
                    ++line;
                }
                field += c;
            }
            continue;
        }
        if (c == ',') {
            record.push_back(field);
            field.clear();
            wasQuoted = false;
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            ++line;
            endRecord();
        } else if (c == kQuote) {
            if (!field.empty() || wasQuoted) {
                out.Error = "a quote inside a field that does not start with one";
                out.ErrorRow = line;
                return out;
            }
            quoted = true;
            wasQuoted = true;
        } else {
            if (wasQuoted) {
                out.Error = "text after the closing quote of a field";
                out.ErrorRow = line;
                return out;
            }
            field += c;
        }
    }
    if (quoted) {
        out.Error = "a quoted field is not closed";
        out.ErrorRow = row;
        return out;
    }
    if (!field.empty() || !record.empty() || wasQuoted) {
        endRecord();
    }
    return out;
}

std::string CsvLine(const CsvRecord& fields) {
    std::string line;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            line += ',';
        }
        const std::string& f = fields[i];
        if (!NeedsQuotes(f)) {
            line += f;
            continue;
        }
        line += kQuote;
        for (char c : f) {
            if (c == kQuote) {
                line += kQuote;
            }
            line += c;
        }
        line += kQuote;
    }
    line += "\r\n";
    return line;
}

std::string Latin1ToUtf8(const std::string& latin1) {
    std::string out;
    out.reserve(latin1.size());
    for (char ch : latin1) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out += ch;
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::optional<std::string> Utf8ToLatin1(const std::string& utf8, std::string* badChar) {
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
            ++i;
            continue;
        }
        size_t len = 0;
        unsigned long code = 0;
        if ((c & 0xE0) == 0xC0) {
            len = 2;
            code = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            len = 3;
            code = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            len = 4;
            code = c & 0x07;
        } else {
            return std::nullopt;
        }
        if (i + len > utf8.size()) {
            return std::nullopt;
        }
        for (size_t k = 1; k < len; ++k) {
            const auto cont = static_cast<unsigned char>(utf8[i + k]);
            if ((cont & 0xC0) != 0x80) {
                return std::nullopt;
            }
            code = (code << 6) | (cont & 0x3F);
        }
        // Overlong forms hide a character behind another's bytes; they are not UTF-8.
        static const unsigned long kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < kLeast[len] || code > 0x10FFFF) {
            return std::nullopt;
        }
        if (code > 0xFF) {
            if (badChar != nullptr) {
                *badChar = utf8.substr(i, len);
            }
            return std::nullopt;
        }
        out += static_cast<char>(code);
        i += len;
    }
    return out;
}

}  // namespace tq530
