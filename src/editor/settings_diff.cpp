#include "editor/settings_diff.h"

#include <algorithm>
#include <charconv>
#include <functional>

#include "editor/screen_tree.h"
#include "model/channel_number_table.h"
#include "model/display_texts.h"
#include "model/screen_keys.h"
#include "model/setting_catalogue.h"

namespace tq530 {

namespace {

// The value of one setting in one data set: the text the report shows and, where that
// text can hide a difference (a cut MMSI, an out-of-range number), the stored value.
struct Value {
    std::string Text;
    std::string Stored;
};
using Getter = std::function<Value(const SettingsModel&)>;

Value Shown(std::string text) {
    return {text, text};
}

// The shortest text that reads back as value, whatever the locale.
std::string Number(double value) {
    char buffer[32];
    const std::to_chars_result end = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, end.ptr);
}

// A name as the report shows an empty one: a row of dashes.
std::string NameText(const std::string& name) {
    return name.empty() ? NameOr12(name) : name;
}

class Comparison {
  public:
    Comparison(const SettingsModel& a, const SettingsModel& b) : a_(a), b_(b) {}

    void Setting(const std::string& label, const std::string& key, const Getter& get) {
        const Value before = get(a_);
        const Value after = get(b_);
        if (before.Stored == after.Stored) {
            return;
        }
        if (before.Text == after.Text) {
            Lines.push_back({label, before.Stored, after.Stored, key});
        } else {
            Lines.push_back({label, before.Text, after.Text, key});
        }
    }
    // A flag shown with its true and false texts.
    void Flag(const std::string& label, const std::string& key,
              const std::function<tq530::Flag(const SettingsModel&)>& get,
              std::string (*text)(bool)) {
        Setting(label, key, [&](const SettingsModel& m) { return Shown(text(get(m) != 0)); });
    }
    // The channels both data sets have.
    size_t Common(PlanId plan) const {
        return std::min(a_.Plan(plan).size(), b_.Plan(plan).size());
    }
    size_t CommonDirectory(bool group) const { return group ? kGroupIdCount : kMemoryIdCount; }

    std::vector<SettingDifference> Lines;

  private:
    const SettingsModel& a_;
    const SettingsModel& b_;
};

// The settings outside the plans and directories that a screen shows, in the catalogue's order.
void CatalogueSettings(Comparison& c) {
    for (const SettingRow& row : SettingCatalogue()) {
        if (row.ScreenKey != nullptr) {
            c.Setting(row.Caption, row.ScreenKey, [&row](const SettingsModel& m) {
                return Value{ValueText(row, m), StoredText(row, m)};
            });
        }
    }
}

// The settings of one channel of a plan; name is "USA CH 16", "EXP CH 3", ...
void ChannelSettings(Comparison& c, PlanId plan, size_t i, const std::string& name,
                     const std::string& key) {
    auto rec = [plan, i](const SettingsModel& m) -> const ChannelRec& { return m.Plan(plan)[i]; };
    auto flag = [&](const char* field, tq530::Flag ChannelRec::*member, std::string (*text)(bool)) {
        c.Flag(
            name + " " + field, key,
            [rec, member](const SettingsModel& m) { return rec(m).*member; }, text);
    };
    const bool exp = plan == PlanId::Exp;
    const bool preset = !exp && plan != PlanId::Wx;
    flag("Enable", &ChannelRec::Enable, preset ? OnOffText : EnableText);
    if (exp) {
        c.Setting(name + " CH Display", key, [rec](const SettingsModel& m) {
            const ChannelRec& ch = rec(m);
            return Value{ExpDisplayText(ch.CHDisplayL, ch.CHDisplayR),
                         "\"" + ch.CHDisplayL + "\" \"" + ch.CHDisplayR + "\""};
        });
        c.Setting(name + " RX", key, [rec](const SettingsModel& m) {
            return Value{FreqText4(rec(m).Rxfreq), Number(rec(m).Rxfreq)};
        });
        c.Setting(name + " TX", key, [rec](const SettingsModel& m) {
            return Value{FreqText4(rec(m).Txfreq), Number(rec(m).Txfreq)};
        });
    }
    if (preset) {
        flag("TX", &ChannelRec::TxEnable, TxText);
    }
    if (plan != PlanId::Wx) {
        flag("LOW", &ChannelRec::LowPower, LowText);
        flag("UP", &ChannelRec::PowUp, UpText);
    }
    if (preset) {
        flag("DUP", &ChannelRec::Duplex, DupText);
    }
    flag("MEM", &ChannelRec::ScanMemory, MemText);
    c.Setting(name + " Name", key, [rec](const SettingsModel& m) {
        return Value{NameText(rec(m).ChTag), "\"" + rec(m).ChTag + "\""};
    });
}

void PlanSettings(Comparison& c, PlanId plan, const std::string& title) {
    const ChannelNumberTable& table = Channels();
    for (size_t i = 0; i < c.Common(plan); ++i) {
        const std::string number = i < table.size() ? table[i].Name : std::to_string(i);
        ChannelSettings(c, plan, i, title + " CH " + number, ChannelKey(plan, static_cast<int>(i)));
    }
}

void DirectorySettings(Comparison& c, bool group) {
    const std::string title = group ? "Group ID " : "Memory ID ";
    const std::string nameLabel = group ? " Group Name" : " Station Name";
    for (size_t i = 0; i < c.CommonDirectory(group); ++i) {
        const int n = static_cast<int>(i) + 1;
        const std::string key = DirectoryKey(group, n);
        const std::string name = title + std::to_string(n);
        auto entry = [group, i](const SettingsModel& m) -> const DirectoryEntry& {
            return group ? m.GroupIds[i] : m.MemoryIds[i];
        };
        c.Flag(
            name + " Enable", key, [entry](const SettingsModel& m) { return entry(m).Enable; },
            OnOffText);
        c.Setting(name + nameLabel, key, [entry](const SettingsModel& m) {
            return Value{NameText(entry(m).TagName), "\"" + entry(m).TagName + "\""};
        });
        c.Setting(name + " MMSI", key, [entry](const SettingsModel& m) {
            return Value{EntryNumber9(entry(m).Mmsid), entry(m).Mmsid};
        });
    }
}

}  // namespace

std::vector<SettingDifference> CompareSettings(const SettingsModel& a, const SettingsModel& b) {
    Comparison c(a, b);
    CatalogueSettings(c);
    PlanSettings(c, PlanId::Usa, "USA");
    PlanSettings(c, PlanId::International, "International");
    PlanSettings(c, PlanId::Canada, "Canada");
    for (size_t i = 0; i < c.Common(PlanId::Wx); ++i) {
        ChannelSettings(c, PlanId::Wx, i, "Wx CH " + std::to_string(i + 1), key::kWeather);
    }
    DirectorySettings(c, false);
    DirectorySettings(c, true);
    for (size_t i = 0; i < c.Common(PlanId::Exp); ++i) {
        const int n = static_cast<int>(i) + 1;
        ChannelSettings(c, PlanId::Exp, i, "EXP CH " + std::to_string(n),
                        ChannelKey(PlanId::Exp, n));
    }
    // What no screen shows (call signs, hidden flags, a plan of another length) still makes
    // the data sets differ; say so rather than call them equal.
    if (c.Lines.empty() && a != b) {
        c.Lines.push_back({"Settings that no screen shows differ", "", "", ""});
    }
    return c.Lines;
}

std::string DifferenceLine(const SettingDifference& d) {
    if (d.Before.empty() && d.After.empty()) {
        return d.Label;
    }
    return d.Label + ": " + d.Before + " -> " + d.After;
}

}  // namespace tq530
