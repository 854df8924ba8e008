// Comma-separated values as spreadsheets write them (RFC 4180), and the UTF-8 they are kept
// in: the model's text is Latin-1, one byte a character, so every cell crosses that boundary.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tq530 {

using CsvRecord = std::vector<std::string>;

struct CsvParse {
    std::vector<CsvRecord> Records;
    // The 1-based record numbers, so a message can name the row a spreadsheet shows.
    std::vector<int> RecordRows;
    std::string Error;  // empty when the text parsed; otherwise why, and ErrorRow where
    int ErrorRow = 0;
};

// Splits text into records: CR LF or LF ends a record, quoted fields may hold commas,
// quotes ("") and line ends. Blank lines are skipped; a UTF-8 byte-order mark is dropped.
CsvParse ParseCsv(const std::string& text);

// One record: fields with a comma, a quote or a line end are quoted; CR LF at the end.
std::string CsvLine(const CsvRecord& fields);

// Latin-1 text as UTF-8.
std::string Latin1ToUtf8(const std::string& latin1);
// UTF-8 text as Latin-1; nothing when it is not UTF-8 or holds a character beyond Latin-1.
// badChar receives the offending character (as UTF-8) when there is one.
std::optional<std::string> Utf8ToLatin1(const std::string& utf8, std::string* badChar = nullptr);

}  // namespace tq530
