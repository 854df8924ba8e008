#include "editor/screen_tree.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>
#include <string>

#include "model/channel_number_table.h"
#include "model/screen_keys.h"

namespace tq530 {

namespace hint {
const char* const kTree = "[Up]/[Down]/[Left]/[Right]:Change of a Selection item.";
const char* const kCheckBox = "[Space]:An effective and invalid change.";
const char* const kWeatherEnable = "Select[x]Enable/[]Disable.";
const char* const kChoiceList = "[Up]/[Down]:Change of a Selection item.";
const char* const kGrid = "[Double click],[Enter]:Jump the Setting screen.";
const char* const kChDisplayFirst = "Indispensable 2 figures.";
const char* const kChDisplaySecond = "Indispensable 1 figures.";
const char* const kRxFrequency = "Rx frequency";
const char* const kTxFrequency = "Tx frequency";
const char* const kChannelName = "A maximum of 12 characters";
const char* const kDirectoryName = "A maximum of 10 characters.";
const char* const kMmsi = "Numeric Only. Indispensable 9 figures.";
const char* const kAtisCode = "Numeric Only. Indispensable 10 figures.";
const char* const kStatusName = "max 4 charactors.";
}  // namespace hint

namespace {

constexpr const char* kEnableMark = "[Enable]";

std::string Upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

std::string Marked(std::string text, Flag enable) {
    return enable ? text + kEnableMark : text;
}

// The number after the code of a key, -1 when there is none.
int NumberAfter(const std::string& key, size_t codeLength) {
    if (key.size() <= codeLength) {
        return -1;
    }
    const char* start = key.c_str() + codeLength;
    char* end = nullptr;
    const long n = std::strtol(start, &end, 10);
    return end == start ? -1 : static_cast<int>(n);
}

// How a row's nodes are numbered: one node, or one node per channel or entry, numbered from
// 0 (the index in a preset plan) or from 1 (EXP channels, directory entries).
enum class Run : uint8_t { One, FromZero, FromOne };

using CountOf = int (*)(const SettingsModel&, PlanId);
using TextOf = std::string (*)(const SettingsModel&, PlanId, int n);

int PlanSize(const SettingsModel& m, PlanId plan) {
    return static_cast<int>(m.Plan(plan).size());
}
int MemoryIdCount(const SettingsModel&, PlanId) {
    return kMemoryIdCount;
}
int GroupIdCount(const SettingsModel&, PlanId) {
    return kGroupIdCount;
}
std::string PresetText(const SettingsModel& m, PlanId plan, int i) {
    return ChannelNodeText(m.Plan(plan)[static_cast<size_t>(i)]);
}
std::string ExpText(const SettingsModel& m, PlanId, int n) {
    return ExpNodeText(n, m.Exp[static_cast<size_t>(n - 1)]);
}
std::string MemoryIdText(const SettingsModel& m, PlanId, int n) {
    return DirectoryNodeText(false, n, m.MemoryIds[static_cast<size_t>(n - 1)]);
}
std::string GroupIdText(const SettingsModel& m, PlanId, int n) {
    return DirectoryNodeText(true, n, m.GroupIds[static_cast<size_t>(n - 1)]);
}

// One row a node, or a run of numbered nodes, in tree order: parents before their children.
struct NodeRow {
    const char* Key;     // the node's key; for a run, the code its numbers follow
    const char* Parent;  // nullptr: a top-level node
    ScreenKind Kind;
    PlanId Plan;
    Run Numbering;
    const char* Text;  // one node's text; nullptr: the group's text with its status name
    int Group;         // the usable group that must be on for the nodes to exist; -1: none
    bool AtisOnly;
    CountOf Count;  // a run's length
    TextOf RunText;
};

namespace k = key;
using S = ScreenKind;
using P = PlanId;
constexpr Run kOne = Run::One;

constexpr NodeRow kNodes[] = {
    {k::kGeneral, nullptr, S::General, P::Usa, kOne, "General", -1, false, nullptr, nullptr},
    {k::kUsable, k::kGeneral, S::Usable, P::Usa, kOne, "Usable CH Group Setup", -1, false, nullptr,
     nullptr},
    {k::kCommon, k::kGeneral, S::Common, P::Usa, kOne, "Common Setup", -1, false, nullptr, nullptr},
    {k::kDsc, k::kGeneral, S::Dsc, P::Usa, kOne, "DSC Setup", -1, false, nullptr, nullptr},
    {k::kAtis, k::kGeneral, S::Atis, P::Usa, kOne, "ATIS Setup", -1, true, nullptr, nullptr},
    {k::kProgram, nullptr, S::EmptyPanel, P::Usa, kOne, "Programable Channel", -1, false, nullptr,
     nullptr},
    {k::kUsa, k::kProgram, S::PlanGrid, P::Usa, kOne, nullptr, 0, false, nullptr, nullptr},
    {k::kUsa, k::kUsa, S::ChannelScreen, P::Usa, Run::FromZero, nullptr, 0, false, PlanSize,
     PresetText},
    {k::kInternational, k::kProgram, S::PlanGrid, P::International, kOne, nullptr, 1, false,
     nullptr, nullptr},
    {k::kInternational, k::kInternational, S::ChannelScreen, P::International, Run::FromZero,
     nullptr, 1, false, PlanSize, PresetText},
    {k::kCanada, k::kProgram, S::PlanGrid, P::Canada, kOne, nullptr, 2, false, nullptr, nullptr},
    {k::kCanada, k::kCanada, S::ChannelScreen, P::Canada, Run::FromZero, nullptr, 2, false,
     PlanSize, PresetText},
    {k::kWeather, k::kProgram, S::WeatherScreen, P::Wx, kOne, "Weather", -1, false, nullptr,
     nullptr},
    {k::kDscSetting, nullptr, S::EmptyPanel, P::Usa, kOne, "DSC", -1, false, nullptr, nullptr},
    {k::kMemoryIds, k::kDscSetting, S::MemoryIdGrid, P::Usa, kOne, "Individual Directory", -1,
     false, nullptr, nullptr},
    {k::kMemoryIds, k::kMemoryIds, S::MemoryIdEntry, P::Usa, Run::FromOne, nullptr, -1, false,
     MemoryIdCount, MemoryIdText},
    {k::kGroupIds, k::kDscSetting, S::GroupIdGrid, P::Usa, kOne, "Group Directory", -1, false,
     nullptr, nullptr},
    {k::kGroupIds, k::kGroupIds, S::GroupIdEntry, P::Usa, Run::FromOne, nullptr, -1, false,
     GroupIdCount, GroupIdText},
    {k::kExpChannel, nullptr, S::ExpGrid, P::Exp, kOne, nullptr, 3, false, nullptr, nullptr},
    {k::kExp, k::kExpChannel, S::ChannelScreen, P::Exp, Run::FromOne, nullptr, 3, false, PlanSize,
     ExpText},
};

bool Present(const NodeRow& row, const SettingsModel& model, bool atis) {
    if (row.AtisOnly && !atis) {
        return false;
    }
    return row.Group < 0 || model.UsableGroups[static_cast<size_t>(row.Group)].Usable != 0;
}

std::string SingleText(const NodeRow& row, const SettingsModel& model) {
    if (row.Text != nullptr) {
        return row.Text;
    }
    return GroupNodeText(row.Group, model.UsableGroups[static_cast<size_t>(row.Group)].StatusName);
}

// The first number of a run and the number after its last.
std::pair<int, int> RunRange(const NodeRow& row, const SettingsModel& model) {
    const int count = row.Count(model, row.Plan);
    return row.Numbering == Run::FromZero ? std::make_pair(0, count) : std::make_pair(1, count + 1);
}

const NodeRow* RunOf(const ScreenTarget& target) {
    for (const NodeRow& row : kNodes) {
        if (row.Numbering != Run::One && row.Kind == target.Kind && row.Plan == target.Plan) {
            return &row;
        }
    }
    return nullptr;
}

}  // namespace

std::string KeyNumber(int n) {
    return " " + std::to_string(n);
}

std::string ChannelKey(PlanId plan, int index) {
    return KeyOf({ScreenKind::ChannelScreen, plan, index});
}

std::string DirectoryKey(bool group, int n) {
    return KeyOf({group ? ScreenKind::GroupIdEntry : ScreenKind::MemoryIdEntry, PlanId::Usa, n});
}

std::string GroupNodeKey(int group) {
    for (const NodeRow& row : kNodes) {
        if (row.Numbering == Run::One && row.Group == group) {
            return row.Key;
        }
    }
    return std::string();
}

std::string ChannelNodeText(const ChannelRec& rec) {
    const ChannelNumberTable& table = Channels();
    const std::string number = rec.Position >= 0 && rec.Position < static_cast<int>(table.size())
                                   ? table[static_cast<size_t>(rec.Position)].Name
                                   : std::string();
    return Marked("CH" + number, rec.Enable);
}

std::string ExpNodeText(int n, const ChannelRec& rec) {
    return Marked("EXP" + std::to_string(n), rec.Enable);
}

std::string DirectoryNodeText(bool group, int n, const DirectoryEntry& entry) {
    return Marked((group ? "Group ID" : "Memory ID") + std::to_string(n), entry.Enable);
}

std::string GroupNodeText(int group, const std::string& statusName) {
    static const char* const kTexts[kGroupCount] = {"Group1", "Group2", "Group3", "EXP Channel"};
    std::string text = kTexts[group];
    if (!statusName.empty()) {
        text += "(" + statusName + ")";
    }
    return text;
}

std::vector<TreeNode> BuildScreenTree(const SettingsModel& model, bool atis) {
    std::vector<TreeNode> nodes;
    std::map<std::string, int> single;  // the node of each key that is not numbered
    for (const NodeRow& row : kNodes) {
        int parent = -1;
        if (row.Parent != nullptr) {
            const auto it = single.find(row.Parent);
            if (it == single.end()) {
                continue;
            }
            parent = it->second;
        }
        if (!Present(row, model, atis)) {
            continue;
        }
        if (row.Numbering == Run::One) {
            single[row.Key] = static_cast<int>(nodes.size());
            nodes.push_back({SingleText(row, model), row.Key, parent});
            continue;
        }
        const auto [first, end] = RunRange(row, model);
        for (int n = first; n < end; ++n) {
            nodes.push_back({row.RunText(model, row.Plan, n), row.Key + KeyNumber(n), parent});
        }
    }
    return nodes;
}

ScreenTarget ScreenOf(const std::string& key, const std::string& parentKey,
                      const SettingsModel& model) {
    const std::string k = Upper(key);
    const std::string parent = Upper(parentKey);
    for (const NodeRow& row : kNodes) {
        if (parent != Upper(row.Parent != nullptr ? row.Parent : "")) {
            continue;
        }
        if (row.Numbering == Run::One) {
            if (k == Upper(row.Key)) {
                return {row.Kind, row.Plan};
            }
            continue;
        }
        const int n = NumberAfter(k, std::char_traits<char>::length(row.Key));
        const auto [first, end] = RunRange(row, model);
        if (n < first || n >= end) {
            return {};
        }
        return {row.Kind, row.Plan, n};
    }
    return {};
}

std::string KeyOf(const ScreenTarget& target) {
    const NodeRow* row = RunOf(target);
    return row == nullptr ? std::string() : row->Key + KeyNumber(target.Index);
}

}  // namespace tq530
