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
#include "rules/directory_rules.h"

namespace tq530 {

namespace {

using namespace csv;

// A directory MMSI cell as the entry screen's box would hold it: empty for none (empty or the
// grid's dashes), and a group's MMSI without the fixed "0" the grid shows in front.
std::string MmsiBoxText(const std::string& cell, bool group) {
    const std::string text = TrimBlanks(cell);
    if (text.find_first_not_of('-') == std::string::npos) {
        return std::string();
    }
    if (group && text.size() == kGroupMmsiLength + 1 && text[0] == '0') {
        return text.substr(1);
    }
    return text;
}

// An EXP frequency cell as its box would hold it: the grid's dashes are an empty box.
std::string FrequencyBoxText(const std::string& cell) {
    const std::string text = TrimBlanks(cell);
    if (text.find_first_not_of('-') == std::string::npos || text == FreqText4(0.0)) {
        return std::string();
    }
    return text;
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
    // A rule's refusal, under the column of the field it is about.
    void Fail(const Row& row, const Refusal& refusal) {
        const size_t column = ColumnOf(refusal.Field);
        if (column == kWholeRow) {
            Fail(row.Number, "", Latin1ToUtf8(refusal.Text));
        } else {
            Fail(row, column, Latin1ToUtf8(refusal.Text));
        }
    }
    void Fail(const Row& row, const Verdict& verdict) {
        if (verdict) {
            Fail(row, *verdict);
        }
    }
    static constexpr size_t kWholeRow = static_cast<size_t>(-1);
    size_t ColumnOf(RuleField field) const;
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
    std::optional<std::string> NameCell(const Row& row, size_t column);
    void FlagRule(const Row& row, size_t column, ChannelFlag flag, ChannelRec& rec);

    void PresetRow(const Row& row, int index);
    void ExpRow(const Row& row, ChannelRec& rec);
    void WeatherRow(const Row& row, ChannelRec& rec);
    void DirectoryRow(const Row& row, int index);
    void ApplyDirectoryEdits(const std::vector<bool>& listed);

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
    // The directory rows by entry, with what each would type into the entry screen's boxes.
    struct EntryRow {
        Row Cells;
        EntryEdit Edit;
    };
    std::vector<EntryRow> entryRows_;
};

size_t Reader::ColumnOf(RuleField field) const {
    struct Place {
        RuleField Field;
        size_t Preset, Exp, Weather, Directory;
    };
    constexpr size_t kNone = kWholeRow;
    static const Place kPlaces[] = {
        {RuleField::EntryName, kNone, kNone, kNone, dir::kName},
        {RuleField::EntryMmsi, kNone, kNone, kNone, dir::kMmsi},
        {RuleField::TxEnable, preset::kTx, kNone, kNone, kNone},
        {RuleField::LowPower, preset::kLow, exp::kLow, kNone, kNone},
        {RuleField::PowerUp, preset::kUp, exp::kUp, kNone, kNone},
        {RuleField::Duplex, preset::kDup, kNone, kNone, kNone},
        {RuleField::ChannelName, preset::kName, exp::kName, wx::kName, kNone},
        {RuleField::ChDisplay, kNone, exp::kDisp, kNone, kNone},
        {RuleField::RxFrequency, preset::kRx, exp::kRx, kNone, kNone},
        {RuleField::TxFrequency, preset::kTxFreq, exp::kTx, kNone, kNone},
    };
    for (const Place& p : kPlaces) {
        if (p.Field == field) {
            switch (kind_) {
                case Kind::Preset:
                    return p.Preset;
                case Kind::Exp:
                    return p.Exp;
                case Kind::Weather:
                    return p.Weather;
                case Kind::Directory:
                    return p.Directory;
            }
        }
    }
    return kNone;
}

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

std::optional<std::string> Reader::NameCell(const Row& row, size_t column) {
    if (!row.Changed(column)) {
        return std::nullopt;
    }
    const Ruled<std::string> name = CheckChannelName(row.Cells[column]);
    if (!name) {
        Fail(row, name.Why());
    }
    return name.Stored();
}

// A flag switched as the channel screen lets the operator switch its box.
void Reader::FlagRule(const Row& row, size_t column, ChannelFlag flag, ChannelRec& rec) {
    const std::string texts[][2] = {{TxText(true), TxText(false)},
                                    {LowText(true), LowText(false)},
                                    {UpText(true), UpText(false)},
                                    {DupText(true), DupText(false)}};
    const auto& text = texts[static_cast<int>(flag)];
    if (const auto v = FlagCell(row, column, text[0], text[1])) {
        Fail(row, SetChannelFlag(rec, kind_ == Kind::Exp, flag, *v));
    }
}

void Reader::PresetRow(const Row& row, int index) {
    ChannelRec& rec = Plan()[static_cast<size_t>(index)];
    const ChannelNumberEntry& entry = Channels()[static_cast<size_t>(index)];
    const std::string channel = "channel " + entry.Name;
    rec.Enable = kOn;
    FlagRule(row, preset::kTx, ChannelFlag::TxEnable, rec);
    FlagRule(row, preset::kDup, ChannelFlag::Duplex, rec);
    FlagRule(row, preset::kLow, ChannelFlag::LowPower, rec);
    FlagRule(row, preset::kUp, ChannelFlag::PowUp, rec);
    if (const auto v = FlagCell(row, preset::kMem, MemText(true), MemText(false))) {
        rec.ScanMemory = ToFlag(*v);
    }
    if (const auto v = NameCell(row, preset::kName)) {
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
        const Ruled<ChDisplay> display = CheckExpDisplay(TrimBlanks(row.Cells[exp::kDisp]));
        if (display) {
            rec.CHDisplayL = (*display).First;
            rec.CHDisplayR = (*display).Second;
        } else {
            Fail(row, display.Why());
        }
    }
    const std::pair<RuleField, double*> boxes[] = {{RuleField::RxFrequency, &rec.Rxfreq},
                                                   {RuleField::TxFrequency, &rec.Txfreq}};
    for (const auto& [field, stored] : boxes) {
        const size_t column = ColumnOf(field);
        if (!row.Changed(column)) {
            continue;
        }
        const Ruled<double> mhz = CheckExpFrequency(field, FrequencyBoxText(row.Cells[column]));
        if (mhz) {
            *stored = *mhz;
        } else {
            Fail(row, mhz.Why());
        }
    }
    FlagRule(row, exp::kLow, ChannelFlag::LowPower, rec);
    FlagRule(row, exp::kUp, ChannelFlag::PowUp, rec);
    if (const auto v = FlagCell(row, exp::kMem, MemText(true), MemText(false))) {
        rec.ScanMemory = ToFlag(*v);
    }
    if (const auto v = NameCell(row, exp::kName)) {
        rec.ChTag = *v;
    }
    // The completeness the input check asks of the shown EXP channel, asked of every
    // enabled channel the file touches.
    if (row.AnyChanged()) {
        for (const Refusal& gap : ExpChannelGaps(rec)) {
            if (!Failed(row, ColumnOf(gap.Field))) {
                Fail(row, gap);
            }
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
    if (const auto v = NameCell(row, wx::kName)) {
        rec.ChTag = *v;
    }
}

// What the row would type into the entry screen's boxes; the edits are made once every row is
// read, entry by entry (ApplyDirectoryEdits).
void Reader::DirectoryRow(const Row& row, int index) {
    EntryRow& entry = entryRows_[static_cast<size_t>(index)];
    entry.Cells = row;
    if (row.Changed(dir::kName)) {
        entry.Edit.Name = row.Cells[dir::kName];
    }
    if (row.Changed(dir::kMmsi)) {
        entry.Edit.Mmsi = MmsiBoxText(row.Cells[dir::kMmsi], Group());
    }
}

// The entries are edited from No. 1 down, as an operator would go through them on the entry
// screen: an emptied MMSI deletes its entry and the later ones move up, so an entry's row
// stays with the entry wherever it moves. An entry the file leaves out goes as Delete takes
// it away.
void Reader::ApplyDirectoryEdits(const std::vector<bool>& listed) {
    const int count = RecordCount();
    int gone = 0;
    for (int i = 0; i < count; ++i) {
        const size_t at = static_cast<size_t>(i);
        const int n = i + 1 - gone;
        if (!listed[at]) {
            if (Entries()[n - 1].Enable != 0) {
                DeleteEntry(Entries(), count, n);
                ++gone;
            }
            continue;
        }
        const EntryRow& row = entryRows_[at];
        if (!row.Edit.Name && !row.Edit.Mmsi) {
            continue;
        }
        // Behind a refused entry the places of the later ones mean little: their texts are
        // still checked, their places not.
        const EntryEditResult result =
            AnyProblem() ? EntryEditResult{CheckEntryEdit(row.Edit, Group()), false}
                         : EditEntry(Entries(), count, n, Group(), row.Edit);
        for (const Refusal& refusal : result.Refusals) {
            Fail(row.Cells, refusal);
        }
        gone += result.Deleted ? 1 : 0;
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
    entryRows_.assign(kind_ == Kind::Directory ? static_cast<size_t>(count) : 0, {});
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
                DirectoryRow(row, index);
                break;
        }
    }
    if (kind_ == Kind::Directory) {
        ApplyDirectoryEdits(listed);
    } else {
        for (size_t i = 0; i < listed.size() && i < Plan().size(); ++i) {
            if (!listed[i]) {
                Plan()[i].Enable = kOff;
            }
        }
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
