#include "files/settings_file.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <type_traits>

#include "core/error_log.h"
#include "core/text_encoding.h"
#include "files/ini_reader.h"
#include "files/number_text.h"
#include "model/setting_catalogue.h"
#include "model/text_util.h"
#include "rules/channel_rules.h"

namespace tq530 {

namespace {

std::string Indexed(const char* key, size_t i) {
    return key + std::to_string(i);
}

// The section walk below is shared by the writer and the reader, so both always agree on
// names, keys, order and value forms. V is a TextWriter or a ModelReader.

class TextWriter {
  public:
    explicit TextWriter(std::string& out) : out_(out) {}
    void Section(const std::string& name) {
        out_ += '[';
        out_ += name;
        out_ += "]\r\n";
    }
    void FlagValue(const std::string& key, Flag value) { Line(key, value != 0 ? "1" : "0"); }
    void Integer(const std::string& key, long long value) { Line(key, std::to_string(value)); }
    void AbsInteger(const std::string& key, long long value) {
        Line(key, std::to_string(std::llabs(value)));
    }
    void Real(const std::string& key, double value) { Line(key, FormatReal(value)); }
    void Text(const std::string& key, const std::string& value) { Line(key, value); }
    void HashText(const std::string& key, const std::string& value) { Line(key, "#" + value); }

  private:
    void Line(const std::string& key, const std::string& value) {
        out_ += key;
        out_ += '=';
        out_ += value;
        out_ += "\r\n";
    }
    std::string& out_;
};

class ModelReader {
  public:
    explicit ModelReader(const ParsedSettings& parsed) : parsed_(parsed) {}
    void Section(const std::string& name) { sections_ = parsed_.SectionsNamed(UpperAscii(name)); }
    void FlagValue(const std::string& key, Flag& value) {
        if (const std::optional<bool> on = ParseBoolText(Get(key))) {
            value = ToFlag(*on);
        }
    }
    template <typename T>
    void Integer(const std::string& key, T& value) {
        if (const auto n = ParseRoundedInteger(Get(key), std::numeric_limits<T>::min(),
                                               std::numeric_limits<T>::max())) {
            value = static_cast<T>(*n);
        }
    }
    template <typename T>
    void AbsInteger(const std::string& key, T& value) {
        Integer(key, value);
    }
    // The only reals are the EXP frequencies. Their three bytes hold "none" up to 100 MHz
    // and the offset from 100 MHz to four decimals below 200 MHz; a number beyond that (an
    // infinity, 1e308, a negative) is no frequency and is read as a number of the wrong form.
    void Real(const std::string& key, double& value) {
        const std::optional<double> number = ParseNumber(Get(key));
        if (number && *number >= 0.0 && *number < kFrequencyLimit) {
            value = *number;
        }
    }
    void Text(const std::string& key, std::string& value) { value = Get(key); }
    void HashText(const std::string& key, std::string& value) { value = Get(key); }

    const std::string& Get(std::string_view key) {
        static const std::string kNone;
        const std::string* value = parsed_.Find(sections_, key);
        if (value == nullptr) {
            return kNone;
        }
        ++found_;
        return *value;
    }
    // How many of the looked-up keys the file has.
    size_t Found() const { return found_; }

  private:
    static constexpr double kFrequencyLimit = 199.99995;  // 99.9999 above 100 MHz, rounded

    const ParsedSettings& parsed_;
    const std::vector<size_t>* sections_ = nullptr;
    size_t found_ = 0;
};

// One number or flag of the catalogue; T is the member's type, const when writing.
template <typename V, typename T>
void VisitNumber(V& v, const SettingRow& row, T& value) {
    switch (row.File.Form) {
        case FileForm::FlagValue:
            if constexpr (std::is_same_v<std::remove_const_t<T>, Flag>) {
                v.FlagValue(row.File.Key, value);
            }
            break;
        case FileForm::Integer:
            v.Integer(row.File.Key, value);
            break;
        case FileForm::AbsInteger:
            v.AbsInteger(row.File.Key, value);
            break;
        default:
            break;
    }
}

template <typename V, typename M>
void VisitSetting(V& v, M& m, const SettingRow& row) {
    if (row.Access.Short != nullptr) {
        VisitNumber(v, row, ShortOf(row, m));
    } else if (row.Access.Long != nullptr) {
        VisitNumber(v, row, LongOf(row, m));
    } else if (row.File.Form == FileForm::HashText) {
        v.HashText(row.File.Key, TextOf(row, m));
    } else {
        v.Text(row.File.Key, TextOf(row, m));
    }
}

// The catalogued settings section by section, then the call signs.
template <typename V, typename M>
void VisitGeneral(V& v, M& m, bool atis) {
    std::string section;
    for (const SettingRow& row : SettingCatalogue()) {
        if (row.File.Form == FileForm::None || (row.AtisOnly && !atis)) {
            continue;
        }
        if (section != row.File.Section) {
            section = row.File.Section;
            v.Section(section);
        }
        VisitSetting(v, m, row);
    }
    if (!atis) {
        return;
    }
    v.Section("ATIS Setup (Call Sign)");
    for (size_t i = 0; i < m.CallSigns.size(); ++i) {
        v.Text(Indexed("MID", i + 1), m.CallSigns[i].Mid);
        v.Text(Indexed("DISP", i + 1), m.CallSigns[i].Disp);
    }
}

// The keys of a USA, International or Canada channel after "Position".
template <typename V, typename C>
void VisitPresetChannel(V& v, C& ch, bool scramble) {
    v.FlagValue("Enable", ch.Enable);
    v.FlagValue("LowPower", ch.LowPower);
    v.FlagValue("PowUp", ch.PowUp);
    v.FlagValue("Duplex", ch.Duplex);
    v.FlagValue("TxEnable", ch.TxEnable);
    v.FlagValue("DispayA", ch.DispayA);
    v.FlagValue("ScanMemory", ch.ScanMemory);
    if (scramble) {
        v.Integer("Scramble", ch.Scramble);
    }
    v.HashText("ChTag", ch.ChTag);
}

template <typename V, typename C>
void VisitWxChannel(V& v, C& ch) {
    v.FlagValue("Enable", ch.Enable);
    v.FlagValue("ScanMemory", ch.ScanMemory);
    v.HashText("ChTag", ch.ChTag);
}

template <typename V, typename E>
void VisitDirectoryEntry(V& v, E& entry) {
    v.FlagValue("Enable", entry.Enable);
    v.HashText("TagName", entry.TagName);
    v.Text("Mmsid", entry.Mmsid);
}

template <typename V, typename C>
void VisitExpChannel(V& v, C& ch, bool scramble) {
    v.FlagValue("Enable", ch.Enable);
    v.Text("CHDisplayL", ch.CHDisplayL);
    v.Text("CHDisplayR", ch.CHDisplayR);
    v.Real("Rxfreq", ch.Rxfreq);
    v.Real("Txfreq", ch.Txfreq);
    v.FlagValue("LowPower", ch.LowPower);
    v.FlagValue("PowUp", ch.PowUp);
    v.FlagValue("ScanMemory", ch.ScanMemory);
    if (scramble) {
        v.Integer("Scramble", ch.Scramble);
    }
    v.HashText("ChTag", ch.ChTag);
}

struct PresetPlan {
    PlanId Id;
    const char* Prefix;
};
constexpr PresetPlan kPresetPlans[] = {
    {PlanId::Usa, "CHUSA"}, {PlanId::International, "CHINT"}, {PlanId::Canada, "CHCAN"}};

void ApplyPresetPlan(ModelReader& reader, ChannelPlan& plan, const char* prefix, bool scramble,
                     UiHost& host) {
    for (size_t n = 0;; ++n) {
        reader.Section(Indexed(prefix, n));
        const std::string position = reader.Get("Position");
        if (position.empty()) {
            break;
        }
        const double p = RoundHalfEven(LeadingNumber(position));
        if (p >= 0.0 && p < static_cast<double>(plan.size())) {
            ChannelRec& ch = plan[static_cast<size_t>(p)];
            ch.Position = static_cast<int16_t>(p);
            VisitPresetChannel(reader, ch, scramble);
            // A duplex setting the channel cannot have is dropped.
            ch.Duplex = ToFlag(ch.Duplex != 0 && DuplexPossible(ch));
        }
        host.Yield();
    }
}

}  // namespace

void ParsedSettings::BuildIndex() {
    byName_.clear();
    for (size_t s = 0; s < Sections.size(); ++s) {
        byName_[Sections[s].Name].push_back(s);
    }
}

const std::vector<size_t>* ParsedSettings::SectionsNamed(const std::string& upperName) const {
    const auto it = byName_.find(upperName);
    return it == byName_.end() ? nullptr : &it->second;
}

const std::string* ParsedSettings::Find(const std::vector<size_t>* sections,
                                        std::string_view key) const {
    if (sections == nullptr) {
        return nullptr;
    }
    for (const size_t s : *sections) {
        for (const SettingsEntry& entry : Sections[s].Entries) {
            if (EqualsIgnoringCase(entry.Key, key)) {
                return &entry.Value;
            }
        }
    }
    return nullptr;
}

ParsedSettings ParseSettingsText(const std::string& text) {
    ParsedSettings parsed;
    // A UTF-8 byte-order mark before "[MAIN]" is what some editors put there on saving; the
    // model-type check's reader passes over it too.
    const std::string_view all = WithoutUtf8Bom(text);
    size_t pos = 0;
    auto nextLine = [&](std::string_view& line) {
        if (pos >= all.size()) {
            return false;
        }
        size_t end = all.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) {
            end = all.size();
        }
        line = all.substr(pos, end - pos);
        pos = end;
        if (pos < all.size() && all[pos] == '\r') {
            ++pos;
        }
        if (pos < all.size() && all[pos] == '\n') {
            ++pos;
        }
        return true;
    };

    // Blanks (spaces and tabs) around a line, a name, a key or a value do not count, as for
    // the model-type check's reader: a file that check accepts loads the same lines.
    auto nextTrimmed = [&](std::string_view& line) {
        if (!nextLine(line)) {
            return false;
        }
        const size_t first = line.find_first_not_of(kBlanks);
        line = first == std::string_view::npos
                   ? std::string_view()
                   : line.substr(first, line.find_last_not_of(kBlanks) - first + 1);
        return true;
    };

    std::string_view line;
    bool pending = false;
    while (pending || nextTrimmed(line)) {
        pending = false;
        // Header loop: only a line that starts with "[" and names something opens a section.
        if (line.empty() || line[0] != '[') {
            continue;
        }
        const size_t close = line.find(']', 1);
        if (close == std::string_view::npos || close == 1) {
            continue;
        }
        parsed.Sections.push_back({UpperAscii(TrimBlanks(line.substr(1, close - 1))), {}});
        SettingsSection& section = parsed.Sections.back();
        // Entry loop: until a line without an entry that holds a "[" (the next header).
        while (nextTrimmed(line)) {
            const size_t equals = line.find('=');
            if (equals != std::string_view::npos && equals >= 1) {
                std::string value = TrimBlanks(line.substr(equals + 1));
                if (!value.empty() && value[0] == '#') {
                    value.erase(0, 1);
                }
                section.Entries.push_back({UpperAscii(TrimBlanks(line.substr(0, equals))), value});
            } else if (line.find('[') != std::string_view::npos) {
                pending = true;
                break;
            }
        }
    }
    parsed.BuildIndex();
    return parsed;
}

bool ParseSettingsFile(const std::string& path, ParsedSettings& parsed, FileError& error,
                       const FileReader& read) {
    std::string text;
    if (!read(path, text, error)) {
        return false;
    }
    parsed = ParseSettingsText(text);
    return true;
}

std::string GetSettingsValue(const ParsedSettings& parsed, const std::string& section,
                             const std::string& key) {
    const std::string* value = parsed.Find(parsed.SectionsNamed(UpperAscii(section)), key);
    return value == nullptr ? std::string() : *value;
}

std::vector<std::string> SplitList(const std::string& text) {
    std::vector<std::string> pieces;
    size_t start = 0;
    while (true) {
        const size_t comma = text.find(',', start);
        pieces.push_back(TrimBlanks(text.substr(start, comma - start)));
        if (comma == std::string::npos) {
            return pieces;
        }
        start = comma + 1;
    }
}

namespace {

// The weather, directory and EXP sections: numbered by their element, in a fixed order.
template <typename V, typename M>
void VisitFixedChannelSections(V& v, M& m, bool scramble) {
    for (size_t i = 0; i < m.Wx.size(); ++i) {
        v.Section(Indexed("CHWX", i));
        VisitWxChannel(v, m.Wx[i]);
    }
    for (size_t i = 0; i < m.MemoryIds.size(); ++i) {
        v.Section(Indexed("CHMMSID", i + 1));
        VisitDirectoryEntry(v, m.MemoryIds[i]);
    }
    for (size_t i = 0; i < m.GroupIds.size(); ++i) {
        v.Section(Indexed("CHGRPID", i + 1));
        VisitDirectoryEntry(v, m.GroupIds[i]);
    }
    for (size_t i = 0; i < m.Exp.size(); ++i) {
        v.Section(Indexed("CHEXP", i + 1));
        VisitExpChannel(v, m.Exp[i], scramble);
    }
}

}  // namespace

std::string BuildSettingsText(const Workspace& ws) {
    std::string out;
    out.reserve(96 * 1024);
    TextWriter w(out);
    const SettingsModel& m = ws.Model;
    w.Section("MAIN");
    w.HashText("MODEL", ws.ModelName);
    w.HashText("TYPE", "KCP");
    w.HashText("VERSION", "1.00");
    w.Integer("MODELTYPE", ws.ModelType);
    VisitGeneral(w, m, ws.AtisEnabled);

    for (const PresetPlan& preset : kPresetPlans) {
        const ChannelPlan& plan = m.Plan(preset.Id);
        for (size_t n = 0; n < plan.size(); ++n) {
            w.Section(Indexed(preset.Prefix, n));
            w.Integer("Position", plan[n].Position);
            VisitPresetChannel(w, plan[n], ws.ScrambleFeature);
        }
    }
    VisitFixedChannelSections(w, m, ws.ScrambleFeature);
    return out;
}

size_t ApplySettings(Workspace& ws, UiHost& host, const ParsedSettings& parsed) {
    ModelReader r(parsed);
    SettingsModel& m = ws.Model;
    VisitGeneral(r, m, ws.AtisEnabled);
    for (const PresetPlan& preset : kPresetPlans) {
        ApplyPresetPlan(r, m.Plan(preset.Id), preset.Prefix, ws.ScrambleFeature, host);
    }
    VisitFixedChannelSections(r, m, ws.ScrambleFeature);
    return r.Found();
}

Outcome WriteSettingsFile(Workspace& ws, UiHost& host, const std::string& path) {
    FileError error;
    bool written = false;
    {
        const BusyGuard busy(ws, &host);
        written = WriteFileReplacing(path, BuildSettingsText(ws), error);
        if (written) {
            host.PacingPause(500);
        }
    }
    if (!written) {
        LogError(ws, "frmMain.SaveFileAs", ErrorMessage(error.Number, error.Text));
        host.ShowMessage("FileSave Error!!", ws.TitleText, MsgIcon::Exclamation);
        host.ShowReason(path + ": " + error.Text);
        return Outcome::Failed;
    }
    return Outcome::Ok;
}

namespace {

// Calls visit(line) for every line of text without its blanks; stops when visit says false.
template <typename Visit>
void ForEachTrimmedLine(std::string_view text, Visit visit) {
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        if (!visit(TrimBlanks(text.substr(pos, end - pos)))) {
            return;
        }
        pos = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
}

// A line such as "MODELTYPE<TAB>1" or "SCAN 1": a key and a value without "=" between them.
bool JoinedWithoutEquals(const std::string& line) {
    return line.find('=') == std::string::npos &&
           line.find_first_of(kBlanks) != std::string::npos && line[0] != '[';
}

// Why a readable file has no model type for the check, as the file shows it; "" when its
// [MAIN] has a MODELTYPE line, whose value then says enough.
std::string NoModelTypeReason(std::string_view text) {
    if (text.empty()) {
        return "the file is empty";
    }
    if (const std::string wide = WideEncodingOf(text); !wide.empty()) {
        return "the file is " + wide + " text, not 8-bit text";
    }
    if (FirstNul(text) != std::string_view::npos) {
        return "the file holds NUL bytes: it is not text";
    }
    text = WithoutUtf8Bom(text);
    if (text.find_first_not_of(" \t\v\f\r\n") == std::string_view::npos) {
        return "the file holds only blank lines";
    }
    // The first [MAIN] counts, as for the check's reader.
    bool inMain = false;
    bool sawMain = false;
    bool keyLine = false;
    bool joined = false;
    ForEachTrimmedLine(text, [&](const std::string& line) {
        if (!line.empty() && line[0] == '[') {
            if (inMain) {
                return false;
            }
            const size_t close = line.find(']');
            inMain = UpperAscii(TrimBlanks(line.substr(
                         1, close == std::string::npos ? std::string::npos : close - 1))) == "MAIN";
            sawMain = sawMain || inMain;
            return true;
        }
        const std::string upper = UpperAscii(line);
        if (inMain && upper.compare(0, 9, "MODELTYPE") == 0) {
            keyLine = keyLine || upper.find('=') != std::string::npos;
            joined = joined || JoinedWithoutEquals(upper);
        }
        return !keyLine;
    });
    if (keyLine) {
        return "";
    }
    if (!sawMain) {
        return "no [MAIN] section with MODELTYPE";
    }
    if (joined) {
        return "MODELTYPE in [MAIN] has no \"=\" before its value (tab-separated?)";
    }
    return "no MODELTYPE in [MAIN]";
}

// Why a file that passed the model-type check gave no setting beyond [MAIN].
std::string NoSettingsReason(std::string_view text) {
    size_t joined = 0;
    ForEachTrimmedLine(WithoutUtf8Bom(text), [&](const std::string& line) {
        joined += !line.empty() && JoinedWithoutEquals(line);
        return true;
    });
    std::string reason = "no known setting beyond [MAIN]";
    if (joined > 0) {
        reason += " (" + std::to_string(joined) + (joined == 1 ? " line has" : " lines have") +
                  " a key and a value without \"=\" between them: tab-separated?)";
    }
    return reason;
}

}  // namespace

bool CheckModelType(const Workspace& ws, UiHost& host, const std::string& path) {
    const std::optional<double> modelType = ParseNumber(ReadIniString(path, "MAIN", "MODELTYPE"));
    if (modelType && *modelType == static_cast<double>(ws.ModelType)) {
        return true;
    }
    host.ShowMessage("ModelType Error !!", ws.TitleText, MsgIcon::Critical);
    // A file without a model type line says nothing of why; the reason line does.
    std::string text;
    FileError error;
    if (!ReadWholeFile(path, text, error)) {
        host.ShowReason(path + ": " +
                        (error.Number == ENOENT ? std::string("the file is missing")
                                                : "cannot read: " + error.Text));
    } else if (const std::string why = NoModelTypeReason(text); !why.empty()) {
        host.ShowReason(path + ": " + why);
    }
    return false;
}

namespace {

// Reads and applies a file that passed the model-type check. A file of which no setting
// beyond [MAIN] can be read is no settings file of ours, whatever its model type line says;
// it fails as an unreadable file does, and the model keeps the defaults.
bool LoadSettings(Workspace& ws, UiHost& host, const std::string& path, const FileReader& read) {
    std::string text;
    FileError error;
    if (read(path, text, error)) {
        const SettingsModel defaults = ws.Model;
        if (ApplySettings(ws, host, ParseSettingsText(text)) > 0) {
            return true;
        }
        ws.Model = defaults;
        error = {EINVAL, "no known setting beyond [MAIN]"};
        LogError(ws, "frmMain.FileRead2", ErrorMessage(error.Number, error.Text));
        host.ShowMessage("FileRead Error!!", ws.TitleText, MsgIcon::Exclamation);
        host.ShowReason(path + ": " + NoSettingsReason(text));
        return false;
    }
    LogError(ws, "frmMain.FileRead2", ErrorMessage(error.Number, error.Text));
    host.ShowMessage("FileRead Error!!", ws.TitleText, MsgIcon::Exclamation);
    return false;
}

}  // namespace

Outcome ApplySettingsFile(Workspace& ws, UiHost& host, const std::string& path,
                          const FileReader& read) {
    const BusyGuard busy(ws, &host);
    if (!CheckModelType(ws, host, path)) {
        host.PacingPause(500);
        return Outcome::Failed;
    }
    if (!LoadSettings(ws, host, path, read)) {
        return Outcome::Failed;
    }
    host.PacingPause(500);
    return Outcome::Ok;
}

Outcome ReadSettingsFile(Workspace& ws, UiHost& host, const std::string& path,
                         const FileReader& read) {
    NewData(ws);
    return ApplySettingsFile(ws, host, path, read);
}

Outcome SaveSettings(Workspace& ws, UiHost& host, FileDialogs& dialogs, bool saveToCurrent) {
    const std::string path = !saveToCurrent || ws.CurrentFileName.empty()
                                 ? dialogs.AskSavePath(kSettingsFileFilter, ws.ProgramDir)
                                 : ws.CurrentFileName;
    if (path.empty()) {
        ws.CancelRequested = true;
        return Outcome::Cancelled;
    }
    const Outcome outcome = WriteSettingsFile(ws, host, path);
    if (outcome == Outcome::Ok) {
        ws.CurrentFileName = path;
    }
    ws.CommError = outcome != Outcome::Ok;
    ws.CancelRequested = outcome != Outcome::Ok;
    return outcome;
}

}  // namespace tq530
