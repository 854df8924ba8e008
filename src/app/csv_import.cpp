// Reading a table back from CSV: every row checked with the screens' rules, and the model
// changed only when all of them pass.
#include <optional>

#include "app/csv_sheet.h"
#include "app/csv_tables.h"
#include "core/csv_text.h"
#include "core/text_encoding.h"
#include "model/channel_number_table.h"
#include "model/display_texts.h"
#include "model/text_util.h"
#include "rules/channel_rules.h"

namespace tq530 {

namespace {

using namespace csv;

// The directory entry screen's checks, as a CSV cell meets them.
constexpr size_t kEntryNameMaxLength = 11;

// A directory MMSI cell as it is stored: "" for none (empty or the grid's dashes), nine digits
// with the trailing "0", a group's eight digits (or nine as the grid shows them, beginning
// with the fixed "0") between two "0"s; nothing when it is none of these.
std::optional<std::string> DirectoryMmsi(const std::string& text, bool group) {
    if (text.find_first_not_of('-') == std::string::npos) {
        return std::string();
    }
    for (char c : text) {
        if (!DigitKey(c)) {
            return std::nullopt;
        }
    }
    if (!group && text.size() == 9) {
        return text + "0";
    }
    if (group && text.size() == 8) {
        return "0" + text + "0";
    }
    if (group && text.size() == 9 && text[0] == '0') {
        return text + "0";
    }
    return std::nullopt;
}

// One data row of the file: its spreadsheet row number, its cells in the grid's column
// order, and the cells the export writes for the same record now (none for a record the
// export leaves out).
struct Row {
    int Number = 0;
    std::vector<std::string> Cells;
    const std::vector<std::string>* Current = nullptr;

    bool Changed(size_t column) const {
        return Current == nullptr || Cells[column] != (*Current)[column];
    }
    bool AnyChanged() const {
        for (size_t c = 0; c < Cells.size(); ++c) {
            if (Changed(c)) {
                return true;
            }
        }
        return false;
    }
};

class Reader {
  public:
    Reader(const SettingsModel& current, CsvTable table)
        : table_(table), kind_(KindOf(table)), current_(current), model_(current) {}

    CsvImport Run(const std::string& text);

  private:
    void Fail(int row, const std::string& column, const std::string& text) {
        if (problems_.size() < kListedProblems) {
            problems_.push_back({row, column, text});
        } else {
            ++unlisted_;
        }
    }
    void Fail(const Row& row, size_t column, const std::string& text) {
        if (failedRow_ != row.Number) {
            failedRow_ = row.Number;
            failedCells_.clear();
        }
        failedCells_.push_back(column);
        Fail(row.Number, headers_[column], text);
    }
    // A cell of the row at hand already refused: one reason a cell is enough.
    bool Failed(const Row& row, size_t column) const {
        if (failedRow_ != row.Number) {
            return false;
        }
        for (const size_t c : failedCells_) {
            if (c == column) {
                return true;
            }
        }
        return false;
    }
    bool AnyProblem() const { return !problems_.empty(); }
    CsvImport Refused() const { return {problems_, unlisted_, current_}; }
    bool CheckEncoding(const std::string& text);

    bool ReadHeader(const CsvRecord& record, int rowNumber);
    bool ReadCells(const CsvRecord& record, int rowNumber, Row& row);
    void CollectCurrentRows();
    int KeyOf(const Row& row);

    // The value of a changed flag cell; nothing when the cell is unchanged or names neither
    // state (then the problem is recorded).
    std::optional<bool> FlagCell(const Row& row, size_t column, const std::string& on,
                                 const std::string& off);
    std::optional<std::string> NameCell(const Row& row, size_t column, size_t maxLength,
                                        bool (*keyFilter)(char));
    void LowAndUp(const Row& row, size_t low, size_t up, ChannelRec& rec);

    void PresetRow(const Row& row, int index);
    void ExpRow(const Row& row, ChannelRec& rec);
    void WeatherRow(const Row& row, ChannelRec& rec);
    void DirectoryRow(const Row& row, DirectoryEntry& entry);
    void CheckDirectoryPacking();

    bool Group() const { return table_ == CsvTable::GroupId; }
    ChannelPlan& Plan() { return model_.Plan(PlanOf(table_)); }
    DirectoryEntry* Entries() { return Group() ? model_.GroupIds.data() : model_.MemoryIds.data(); }
    int RecordCount() const {
        switch (kind_) {
            case Kind::Directory:
                return Group() ? kGroupIdCount : kMemoryIdCount;
            case Kind::Preset:
                return kPresetChannelCount;
            default:
                return static_cast<int>(current_.Plan(PlanOf(table_)).size());
        }
    }

    CsvTable table_;
    Kind kind_;
    const SettingsModel& current_;
    SettingsModel model_;
    std::vector<CsvProblem> problems_;
    size_t unlisted_ = 0;
    int failedRow_ = -1;
    std::vector<size_t> failedCells_;
    std::vector<std::string> headers_;
    std::vector<size_t> fileColumns_;                    // grid column of each file column
    std::vector<std::vector<std::string>> currentRows_;  // by record index
    std::vector<int> rowOf_;                             // spreadsheet row by record index
};

bool Reader::ReadHeader(const CsvRecord& record, int rowNumber) {
    std::vector<int> seen(headers_.size(), 0);
    bool ok = true;
    for (const std::string& field : record) {
        const std::string name = TrimBlanks(field);
        size_t found = headers_.size();
        for (size_t c = 0; c < headers_.size(); ++c) {
            if (EqualsIgnoringCase(name, headers_[c])) {
                found = c;
            }
        }
        if (found == headers_.size()) {
            Fail(rowNumber, "", "\"" + name + "\" is not a column of this table");
            ok = false;
            continue;
        }
        if (++seen[found] == 2) {
            Fail(rowNumber, headers_[found], "the column is there twice");
            ok = false;
        }
        fileColumns_.push_back(found);
    }
    for (size_t c = 0; c < headers_.size(); ++c) {
        if (seen[c] == 0) {
            Fail(rowNumber, headers_[c], "the column is missing");
            ok = false;
        }
    }
    return ok;
}

bool Reader::ReadCells(const CsvRecord& record, int rowNumber, Row& row) {
    if (record.size() != fileColumns_.size()) {
        Fail(rowNumber, "",
             "has " + CountText(record.size(), "cell") + ", the header row " +
                 CountText(fileColumns_.size(), "column"));
        return false;
    }
    row.Number = rowNumber;
    row.Cells.assign(headers_.size(), std::string());
    bool ok = true;
    for (size_t i = 0; i < record.size(); ++i) {
        std::string bad;
        const std::optional<std::string> latin1 = Utf8ToLatin1(record[i], &bad);
        if (!latin1) {
            Fail(rowNumber, headers_[fileColumns_[i]],
                 bad.empty() ? "the text is not UTF-8" : "the radio cannot show \"" + bad + "\"");
            ok = false;
            continue;
        }
        row.Cells[fileColumns_[i]] = *latin1;
    }
    return ok;
}

// The cells the export writes for every record, as if every preset channel were enabled,
// so that a channel the file enables can be told apart from one it changes.
void Reader::CollectCurrentRows() {
    SettingsModel all = current_;
    if (kind_ == Kind::Preset) {
        for (ChannelRec& ch : all.Plan(PlanOf(table_))) {
            ch.Enable = kOn;
        }
    }
    currentRows_.assign(static_cast<size_t>(RecordCount()), {});
    for (std::vector<std::string>& cells : SheetOf(all, table_).Rows) {
        int index = -1;
        if (kind_ == Kind::Preset) {
            const ChannelNumberTable& table = Channels();
            for (size_t i = 0; i < table.size(); ++i) {
                if (table[i].Name == cells[preset::kCh]) {
                    index = static_cast<int>(i);
                    break;
                }
            }
        } else {
            index = std::stoi(cells[0]) - 1;
        }
        if (index >= 0 && index < RecordCount()) {
            currentRows_[static_cast<size_t>(index)] = std::move(cells);
        }
    }
}

int Reader::KeyOf(const Row& row) {
    const std::string key = TrimBlanks(row.Cells[0]);
    if (kind_ == Kind::Preset) {
        const ChannelNumberTable& table = Channels();
        for (size_t i = 0; i < table.size(); ++i) {
            if (EqualsIgnoringCase(key, table[i].Name) &&
                i < current_.Plan(PlanOf(table_)).size()) {
                return static_cast<int>(i);
            }
        }
        Fail(row, 0, "no channel of the plan has the number \"" + Latin1ToUtf8(key) + "\"");
        return -1;
    }
    const int count = RecordCount();
    int n = 0;
    bool digits = !key.empty() && key.size() <= 3;
    for (char c : key) {
        digits = digits && DigitKey(c);
        n = n * 10 + (c - '0');
    }
    if (!digits || n < 1 || n > count) {
        Fail(row, 0, Quoted(key) + " is not a number from 1 to " + std::to_string(count));
        return -1;
    }
    return n - 1;
}

std::optional<bool> Reader::FlagCell(const Row& row, size_t column, const std::string& on,
                                     const std::string& off) {
    if (!row.Changed(column)) {
        return std::nullopt;
    }
    const std::string text = TrimBlanks(row.Cells[column]);
    if (EqualsIgnoringCase(text, on)) {
        return true;
    }
    if (text.empty() || EqualsIgnoringCase(text, off)) {
        return false;
    }
    Fail(row, column,
         Quoted(text) + " is neither \"" + on + "\" nor " + (off.empty() ? "empty" : Quoted(off)));
    return std::nullopt;
}

std::optional<std::string> Reader::NameCell(const Row& row, size_t column, size_t maxLength,
                                            bool (*keyFilter)(char)) {
    if (!row.Changed(column)) {
        return std::nullopt;
    }
    const std::string& text = row.Cells[column];
    if (text.size() > maxLength) {
        Fail(row, column,
             "has " + CountText(text.size(), "character") + ", at most " +
                 std::to_string(maxLength) + " fit");
        return std::nullopt;
    }
    for (char c : text) {
        if (!keyFilter(c)) {
            Fail(row, column, "the radio cannot show " + Quoted(std::string(1, c)));
            return std::nullopt;
        }
    }
    return text;
}

// The screens enable "Low Power Only" only on a channel that may transmit, and "Power Up"
// only with "Low Power Only": what they would not let the operator switch on is refused. A
// disabled box keeps its value, so switching one off is always let through.
void Reader::LowAndUp(const Row& row, size_t low, size_t up, ChannelRec& rec) {
    if (const auto v = FlagCell(row, low, LowText(true), LowText(false))) {
        if (*v && rec.LowPower == 0 && (rec.TxEnable == 0 || rec.RxOnly != 0)) {
            Fail(row, low, "can be set only on a channel that may transmit");
        } else {
            rec.LowPower = ToFlag(*v);
        }
    }
    if (const auto v = FlagCell(row, up, UpText(true), UpText(false))) {
        if (*v && rec.PowUp == 0 && rec.LowPower == 0) {
            Fail(row, up, "can be set only on a channel set to \"" + LowText(true) + "\"");
        } else {
            rec.PowUp = ToFlag(*v);
        }
    }
}

void Reader::PresetRow(const Row& row, int index) {
    ChannelRec& rec = Plan()[static_cast<size_t>(index)];
    const ChannelNumberEntry& entry = Channels()[static_cast<size_t>(index)];
    const std::string channel = "channel " + entry.Name;
    rec.Enable = kOn;
    if (const auto v = FlagCell(row, preset::kTx, TxText(true), TxText(false))) {
        if (*v && rec.RxOnly != 0) {
            Fail(row, preset::kTx, channel + " is receive-only");
        } else {
            rec.TxEnable = ToFlag(*v);
        }
    }
    if (const auto v = FlagCell(row, preset::kDup, DupText(true), DupText(false))) {
        if (*v && rec.Duplex == 0 && rec.DuplexAllowed == 0) {
            Fail(row, preset::kDup, channel + " has no duplex");
        } else {
            rec.Duplex = ToFlag(*v);
        }
    }
    LowAndUp(row, preset::kLow, preset::kUp, rec);
    if (const auto v = FlagCell(row, preset::kMem, MemText(true), MemText(false))) {
        rec.ScanMemory = ToFlag(*v);
    }
    if (const auto v = NameCell(row, preset::kName, kChannelNameMaxLength, ChannelNameKey)) {
        rec.ChTag = *v;
    }
    // The frequencies follow from the channel and DUP: a cell may keep its old text or
    // show the new one, but typing another frequency changes nothing the radio knows.
    const std::string fixed[] = {FreqText(PresetRxFrequency(rec)),
                                 FreqTextIf(entry.TxFreq, rec.RxOnly != 0)};
    const size_t columns[] = {preset::kRx, preset::kTxFreq};
    for (size_t i = 0; i < 2; ++i) {
        const std::string text = TrimBlanks(row.Cells[columns[i]]);
        if (row.Changed(columns[i]) && !text.empty() && text != fixed[i]) {
            Fail(row, columns[i], "the frequency of " + channel + " is " + fixed[i]);
        }
    }
}

void Reader::ExpRow(const Row& row, ChannelRec& rec) {
    if (const auto v = FlagCell(row, exp::kEnable, "[Enable]", "")) {
        rec.Enable = ToFlag(*v);
    }
    if (row.Changed(exp::kDisp)) {
        const std::string text = TrimBlanks(row.Cells[exp::kDisp]);
        const size_t most = kChDisplayFirstLength + kChDisplaySecondLength;
        bool ok = text.size() <= most;
        if (!ok) {
            Fail(row, exp::kDisp, "has more than " + CountText(most, "character"));
        }
        for (char c : text) {
            if (ok && !ChDisplayKey(c)) {
                Fail(row, exp::kDisp, "the channel display cannot show " + Quoted({c}));
                ok = false;
            }
        }
        if (ok) {
            rec.CHDisplayL = text.substr(0, kChDisplayFirstLength);
            rec.CHDisplayR = text.size() > kChDisplayFirstLength
                                 ? text.substr(kChDisplayFirstLength)
                                 : std::string();
        }
    }
    const size_t freqColumns[] = {exp::kRx, exp::kTx};
    double* freqs[] = {&rec.Rxfreq, &rec.Txfreq};
    for (size_t i = 0; i < 2; ++i) {
        const size_t column = freqColumns[i];
        if (!row.Changed(column)) {
            continue;
        }
        std::string text = TrimBlanks(row.Cells[column]);
        if (text.find_first_not_of('-') == std::string::npos || text == FreqText4(0.0)) {
            text.clear();
        }
        bool keys = text.size() <= static_cast<size_t>(kFrequencyMaxLength);
        for (char c : text) {
            keys = keys && FrequencyKey(c);
        }
        const std::optional<double> mhz = keys ? CheckExpFrequency(text) : std::nullopt;
        if (!mhz) {
            Fail(row, column,
                 Quoted(text) + " is not a frequency from 137 to 174 MHz in 25 kHz steps");
        } else {
            *freqs[i] = *mhz;
        }
    }
    LowAndUp(row, exp::kLow, exp::kUp, rec);
    if (const auto v = FlagCell(row, exp::kMem, MemText(true), MemText(false))) {
        rec.ScanMemory = ToFlag(*v);
    }
    if (const auto v = NameCell(row, exp::kName, kChannelNameMaxLength, ChannelNameKey)) {
        rec.ChTag = *v;
    }
    // The completeness the input check asks of the shown EXP channel, asked of every
    // enabled channel the file touches.
    if (rec.Enable != 0 && row.AnyChanged() &&
        !ExpChannelComplete(FreqText4(rec.Rxfreq), rec.CHDisplayL)) {
        if (rec.Rxfreq <= 0.0 && !Failed(row, exp::kRx)) {
            Fail(row, exp::kRx, "an enabled EXP channel needs an RX frequency");
        }
        if (rec.CHDisplayL.size() < static_cast<size_t>(kChDisplayFirstLength) &&
            !Failed(row, exp::kDisp)) {
            Fail(row, exp::kDisp, "an enabled EXP channel needs two display characters");
        }
    }
}

void Reader::WeatherRow(const Row& row, ChannelRec& rec) {
    if (const auto v = FlagCell(row, wx::kEnable, EnableText(true), EnableText(false))) {
        rec.Enable = ToFlag(*v);
    }
    if (const auto v = FlagCell(row, wx::kMem, MemText(true), MemText(false))) {
        rec.ScanMemory = ToFlag(*v);
    }
    if (const auto v = NameCell(row, wx::kName, kChannelNameMaxLength, ChannelNameKey)) {
        rec.ChTag = *v;
    }
}

// An entry is in use exactly when it has an MMSI: the entry screen frees an entry whose
// MMSI is emptied, and never stores an empty name.
void Reader::DirectoryRow(const Row& row, DirectoryEntry& entry) {
    if (!row.AnyChanged()) {
        return;
    }
    bool ok = true;
    std::string name = entry.TagName;
    if (row.Changed(dir::kName)) {
        const auto v = NameCell(row, dir::kName, kEntryNameMaxLength, ChannelNameKey);
        ok = v.has_value();
        name = v.value_or(name);
    }
    std::string mmsi = entry.Mmsid;
    if (row.Changed(dir::kMmsi)) {
        const std::string text = TrimBlanks(row.Cells[dir::kMmsi]);
        const std::optional<std::string> stored = DirectoryMmsi(text, Group());
        if (!stored) {
            Fail(row, dir::kMmsi,
                 Quoted(text) + (Group() ? " is not a group MMSI: 8 digits, or 9 beginning with 0"
                                         : " is not an MMSI of 9 digits"));
            ok = false;
        }
        mmsi = stored.value_or(mmsi);
    }
    if (!ok) {
        return;
    }
    const bool noName = Trim(name).empty();
    if (mmsi.empty()) {
        if (!noName) {
            Fail(row, dir::kMmsi,
                 "an entry without an MMSI is free: give it one or clear the name");
            return;
        }
        entry.Enable = kOff;
        entry.TagName.clear();
        entry.Mmsid.clear();
        return;
    }
    if (noName && !Trim(entry.TagName).empty()) {
        Fail(row, dir::kName, "a name can be changed but not emptied");
        return;
    }
    entry.Enable = kOn;
    entry.TagName = name;
    entry.Mmsid = mmsi;
}

// The entries in use form one run from entry 1, and each is added behind an entry that has
// a name and an MMSI.
void Reader::CheckDirectoryPacking() {
    const DirectoryEntry* before = Group() ? current_.GroupIds.data() : current_.MemoryIds.data();
    const DirectoryEntry* after = Entries();
    const int count = RecordCount();
    bool changed = false;
    for (int i = 0; i < count; ++i) {
        changed = changed || !(before[i] == after[i]);
    }
    if (!changed) {
        return;
    }
    int firstFree = -1;
    for (int i = 0; i < count; ++i) {
        const size_t at = static_cast<size_t>(i);
        if (after[i].Enable == 0) {
            if (firstFree < 0) {
                firstFree = i;
            }
            continue;
        }
        if (firstFree >= 0) {
            Fail(rowOf_[at], "",
                 "entry " + std::to_string(i + 1) + " is in use behind the free entry " +
                     std::to_string(firstFree + 1) + ": entries in use follow each other from 1");
        } else if (i > 0 && Trim(after[i - 1].TagName).empty()) {
            Fail(rowOf_[at - 1], headers_[dir::kName],
                 "entry " + std::to_string(i) + " needs a name: the entry behind it is in use");
        }
    }
}

// The file as a whole must be UTF-8: wide text or another code page would only give a
// problem for every cell, and a NUL would cut the messages that quote them.
bool Reader::CheckEncoding(const std::string& text) {
    const std::string wide = WideEncodingOf(text);
    if (!wide.empty()) {
        Fail(0, "", "the file is " + wide + "; save it as UTF-8");
        return false;
    }
    if (const size_t nul = FirstNul(text); nul != std::string::npos) {
        Fail(LineOfOffset(text, nul), "", "holds a NUL byte: the file is not text");
        return false;
    }
    if (const size_t bad = FirstNonUtf8(text); bad != std::string::npos) {
        Fail(LineOfOffset(text, bad), "",
             "the byte " + HexField(static_cast<unsigned char>(text[bad]), 2) +
                 " is not UTF-8: the file is in another encoding (Latin-1 or a Windows code "
                 "page?); save it as UTF-8");
        return false;
    }
    return true;
}

CsvImport Reader::Run(const std::string& text) {
    headers_ = SheetOf(current_, table_).Headers;
    if (!CheckEncoding(text)) {
        return Refused();
    }
    const CsvParse parsed = ParseCsv(text);
    if (!parsed.Error.empty()) {
        Fail(parsed.ErrorRow, "", parsed.Error);
        return Refused();
    }
    if (parsed.Records.empty()) {
        Fail(0, "", "the file has no header row");
        return Refused();
    }
    if (!ReadHeader(parsed.Records[0], parsed.RecordRows[0])) {
        return Refused();
    }
    CollectCurrentRows();
    const int count = RecordCount();
    rowOf_.assign(static_cast<size_t>(count), 0);
    std::vector<bool> listed(static_cast<size_t>(count), false);
    for (size_t r = 1; r < parsed.Records.size(); ++r) {
        Row row;
        if (!ReadCells(parsed.Records[r], parsed.RecordRows[r], row)) {
            continue;
        }
        const int index = KeyOf(row);
        if (index < 0) {
            continue;
        }
        const size_t at = static_cast<size_t>(index);
        if (listed[at]) {
            Fail(row, 0, "the row " + std::to_string(rowOf_[at]) + " has the same number");
            continue;
        }
        listed[at] = true;
        rowOf_[at] = row.Number;
        if (!currentRows_[at].empty()) {
            row.Current = &currentRows_[at];
        }
        switch (kind_) {
            case Kind::Preset:
                PresetRow(row, index);
                break;
            case Kind::Exp:
                ExpRow(row, Plan()[at]);
                break;
            case Kind::Weather:
                WeatherRow(row, Plan()[at]);
                break;
            case Kind::Directory:
                DirectoryRow(row, Entries()[index]);
                break;
        }
    }
    for (int i = 0; i < count; ++i) {
        if (listed[static_cast<size_t>(i)]) {
            continue;
        }
        if (kind_ == Kind::Directory) {
            DirectoryEntry& entry = Entries()[i];
            entry.Enable = kOff;
            entry.TagName.clear();
            entry.Mmsid.clear();
        } else if (static_cast<size_t>(i) < Plan().size()) {
            Plan()[static_cast<size_t>(i)].Enable = kOff;
        }
    }
    if (kind_ == Kind::Directory && !AnyProblem()) {
        CheckDirectoryPacking();
    }
    if (AnyProblem()) {
        return Refused();
    }
    return {{}, 0, model_};
}

}  // namespace

CsvImport ImportCsvText(const SettingsModel& current, CsvTable table, const std::string& text) {
    return Reader(current, table).Run(text);
}

}  // namespace tq530
