#include "editor/settings_diff.h"

#include <algorithm>
#include <charconv>
#include <functional>

#include "editor/screen_tree.h"
#include "model/channel_number_table.h"
#include "model/display_texts.h"
#include "report/report_labels.h"

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

// A report label without its colon or its group brackets: "Safty:" -> "Safty".
std::string Bare(const char* label) {
    std::string text = label;
    if (!text.empty() && text.back() == ':') {
        text.pop_back();
    }
    if (text.size() >= 2 && text.front() == '[' && text.back() == ']') {
        text = text.substr(1, text.size() - 2);
    }
    return text;
}

// A name as the report shows an empty one: a row of dashes.
std::string NameText(const std::string& name) {
    return name.empty() ? NameOr12(name) : name;
}

const auto& kGroupNames = report_label::kGroups;

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
    void Flags(const std::string& label, const std::string& key,
               const std::function<const Flags4&(const SettingsModel&)>& get, size_t index,
               std::string (*text)(bool)) {
        Flag(
            label, key, [&](const SettingsModel& m) { return get(m)[index]; }, text);
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

void UsableGroups(Comparison& c) {
    for (size_t g = 0; g < kGroupCount; ++g) {
        const std::string group = kGroupNames[g];
        c.Flag(
            group + " Enable", "Usable",
            [g](const SettingsModel& m) { return m.UsableGroups[g].Usable; }, OnOffText);
        if (g < 3) {
            c.Setting(group + " Priority CH", "Usable", [g](const SettingsModel& m) {
                const long value = m.UsableGroups[g].PriorityCh;
                return Value{PriorityChText(value), std::to_string(value)};
            });
        }
        c.Setting(group + " Status Name", "Usable", [g](const SettingsModel& m) {
            const std::string& name = m.UsableGroups[g].StatusName;
            return Value{StatusNameText(name), "\"" + name + "\""};
        });
    }
}

void CommonSettings(Comparison& c) {
    using Text = std::string (*)(int);
    struct Item {
        const char* Label;
        int16_t CommonSetup::*Field;
        Text Shown;
    };
    const Item items[] = {
        {"TX Po Display", &CommonSetup::TxPoDisplay, TxPoDisplayText},
        {"SCAN", &CommonSetup::Scan, [](int v) { return OnOffText(v != 0); }},
        {"Resume Time", &CommonSetup::ResumeTime, ResumeTimeText},
        {"PTT SCAN Clear", &CommonSetup::PttScanClear, [](int v) { return OnOffText(v != 0); }},
        {"Dual Watch", &CommonSetup::DualWatch, [](int v) { return OnOffText(v != 0); }},
        {"Time Display", &CommonSetup::TimeDisplay, [](int v) { return TimeDisplayText(v != 0); }},
        {"Offset Time", &CommonSetup::OffsetTime, OffsetTimeText},
        {"Weather Alert", &CommonSetup::Weather, WeatherAlertText},
    };
    for (const Item& item : items) {
        c.Setting(item.Label, "Common", [&item](const SettingsModel& m) {
            const int value = m.Common.*item.Field;
            // Flags keep any nonzero value as on; numbers are told apart by value.
            const bool flag =
                item.Field == &CommonSetup::Scan || item.Field == &CommonSetup::PttScanClear ||
                item.Field == &CommonSetup::DualWatch || item.Field == &CommonSetup::TimeDisplay;
            return Value{item.Shown(value), std::to_string(flag ? value != 0 : value)};
        });
    }
}

void DscSettings(Comparison& c) {
    const std::string key = "DSC";
    auto group = [](const SettingsModel& m) -> const Flags4& { return m.DscBasic.Group; };
    for (size_t g = 0; g < kGroupCount; ++g) {
        c.Flags(std::string("Usable DSC CH Group ") + kGroupNames[g], key, group, g, OnOffText);
    }
    c.Setting("User MMSI", key, [](const SettingsModel& m) { return Shown(m.DscBasic.UserMmsi); });
    auto pos = [](const SettingsModel& m) -> const Flags4& { return m.DscBasic.PosRequest; };
    auto posTx = [](const SettingsModel& m) -> const Flags4& { return m.DscBasic.PosRequestTx; };
    c.Flags("Distress Cancel Call", key, pos, 0, OnOffText);
    c.Flags("POS Request", key, pos, 2, OnOffText);
    c.Flags("POS Request TX", key, posTx, 2, HiLowText);
    c.Flags("POS Reporting", key, pos, 3, OnOffText);
    c.Flags("POS Reporting TX", key, posTx, 3, HiLowText);
    for (size_t i = 0; i < 7; ++i) {
        c.Flag(
            Bare(report_label::kBeepOut[i]), key,
            [i](const SettingsModel& m) { return m.DscBasic.BeepOut[i]; }, OnOffText);
    }

    struct CallType {
        Flags4 DscAdvancedSetup::*Call;
        Flags4 DscAdvancedSetup::*Tx;
    };
    const CallType types[] = {
        {&DscAdvancedSetup::AllShipsCall, &DscAdvancedSetup::AllShipsCallTx},
        {&DscAdvancedSetup::GroupCall, &DscAdvancedSetup::GroupCallTx},
        {&DscAdvancedSetup::IndividualCall, &DscAdvancedSetup::IndividualCallTx}};
    for (size_t t = 0; t < 3; ++t) {
        for (size_t i = 0; i < 4; ++i) {
            const std::string label =
                Bare(report_label::kCallTypes[t]) + " " + Bare(report_label::kCallCategories[i]);
            auto call = types[t].Call;
            auto tx = types[t].Tx;
            c.Flags(
                label, key,
                [call](const SettingsModel& m) -> const Flags4& { return m.DscAdvanced.*call; }, i,
                OnOffText);
            c.Flags(
                label + " TX", key,
                [tx](const SettingsModel& m) -> const Flags4& { return m.DscAdvanced.*tx; }, i,
                HiLowText);
        }
    }

    c.Flag(
        "Individual ACK Menu", key,
        [](const SettingsModel& m) { return m.DscDisplay.IndividualAckMenu; }, OnOffText);
    c.Flag(
        "Individual ACK Message Menu", key,
        [](const SettingsModel& m) { return m.DscDisplay.IndividualAckMessageMenu; }, OnOffText);
    c.Flag(
        "POS Request ACK Menu", key,
        [](const SettingsModel& m) { return m.DscDisplay.PosRequestAckMenu; }, OnOffText);

    // The report leaves the automatic position report out; its screen's captions name it.
    const std::string report = "Auto POS Report ";
    c.Flag(
        report + "Enable", key, [](const SettingsModel& m) { return m.AutoPos.Polling[1].Enable; },
        OnOffText);
    c.Setting(report + "Channel NO#.", key, [](const SettingsModel& m) {
        return Shown(std::to_string(m.AutoPos.Polling[1].Channel));
    });
    c.Setting(report + "Interval", key, [](const SettingsModel& m) {
        return Shown(std::to_string(m.AutoPos.Polling[1].Interval));
    });
    c.Setting(report + "Select Call", key, [](const SettingsModel& m) {
        return Shown(std::to_string(m.AutoPos.Polling[1].SelectCall));
    });
    c.Setting(report + "Dir Name", key, [](const SettingsModel& m) {
        return Shown(std::to_string(m.AutoPos.Polling[1].LastAddress));
    });
    c.Setting(report + "MMSI", key,
              [](const SettingsModel& m) { return Shown(m.AutoPos.Polling[1].Mmsi); });
    c.Flag(
        "POS Polling on Current Channel", key,
        [](const SettingsModel& m) { return m.AutoPos.PosPollOnCch; }, OnOffText);
}

void AtisSettings(Comparison& c) {
    for (size_t g = 0; g < kGroupCount; ++g) {
        c.Flags(
            std::string("Usable ATIS CH Group ") + kGroupNames[g], "ATIS",
            [](const SettingsModel& m) -> const Flags4& { return m.Atis.UsableAtisGroup; }, g,
            OnOffText);
    }
    c.Setting("ATIS Code", "ATIS", [](const SettingsModel& m) { return Shown(m.Atis.AtisCode); });
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
    UsableGroups(c);
    CommonSettings(c);
    DscSettings(c);
    AtisSettings(c);
    PlanSettings(c, PlanId::Usa, "USA");
    PlanSettings(c, PlanId::International, "International");
    PlanSettings(c, PlanId::Canada, "Canada");
    for (size_t i = 0; i < c.Common(PlanId::Wx); ++i) {
        ChannelSettings(c, PlanId::Wx, i, "Wx CH " + std::to_string(i + 1), "PW");
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
