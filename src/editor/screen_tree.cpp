#include "editor/screen_tree.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "model/channel_number_table.h"

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

// The preset plans in tree order with their group node and key code.
struct PresetGroup {
    PlanId Plan;
    const char* Code;
};
constexpr PresetGroup kPresetGroups[] = {
    {PlanId::Usa, "PU"}, {PlanId::International, "PI"}, {PlanId::Canada, "PC"}};

std::string Upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

std::string Marked(std::string text, Flag enable) {
    return enable ? text + kEnableMark : text;
}

// The number after the plan code of a key, -1 when there is none.
int NumberAfter(const std::string& key, size_t codeLength) {
    if (key.size() <= codeLength) {
        return -1;
    }
    const char* start = key.c_str() + codeLength;
    char* end = nullptr;
    const long n = std::strtol(start, &end, 10);
    return end == start ? -1 : static_cast<int>(n);
}

const char* CodeOf(PlanId plan) {
    for (const PresetGroup& g : kPresetGroups) {
        if (g.Plan == plan) {
            return g.Code;
        }
    }
    return "E";
}

}  // namespace

std::string KeyNumber(int n) {
    return " " + std::to_string(n);
}

std::string ChannelKey(PlanId plan, int index) {
    return CodeOf(plan) + KeyNumber(index);
}

std::string DirectoryKey(bool group, int n) {
    return (group ? "SG" : "SM") + KeyNumber(n);
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
    auto add = [&nodes](std::string text, std::string key, int parent) {
        nodes.push_back({std::move(text), std::move(key), parent});
        return static_cast<int>(nodes.size()) - 1;
    };

    const int general = add("General", "General", -1);
    add("Usable CH Group Setup", "Usable", general);
    add("Common Setup", "Common", general);
    add("DSC Setup", "DSC", general);
    if (atis) {
        add("ATIS Setup", "ATIS", general);
    }

    const int program = add("Programable Channel", "Program", -1);
    for (int g = 0; g < 3; ++g) {
        const UsableGroup& group = model.UsableGroups[static_cast<size_t>(g)];
        if (!group.Usable) {
            continue;
        }
        const PresetGroup& preset = kPresetGroups[g];
        const int groupNode = add(GroupNodeText(g, group.StatusName), preset.Code, program);
        const ChannelPlan& plan = model.Plan(preset.Plan);
        for (size_t i = 0; i < plan.size(); ++i) {
            add(ChannelNodeText(plan[i]), ChannelKey(preset.Plan, static_cast<int>(i)), groupNode);
        }
    }
    add("Weather", "PW", program);

    const int dsc = add("DSC", "DSCSetting", -1);
    const int memory = add("Individual Directory", "SM", dsc);
    for (int n = 1; n <= kMemoryIdCount; ++n) {
        add(DirectoryNodeText(false, n, model.MemoryIds[static_cast<size_t>(n - 1)]),
            DirectoryKey(false, n), memory);
    }
    const int groups = add("Group Directory", "SG", dsc);
    for (int n = 1; n <= kGroupIdCount; ++n) {
        add(DirectoryNodeText(true, n, model.GroupIds[static_cast<size_t>(n - 1)]),
            DirectoryKey(true, n), groups);
    }

    const UsableGroup& exp = model.UsableGroups[3];
    if (exp.Usable) {
        const int expNode = add(GroupNodeText(3, exp.StatusName), "ExpChannel", -1);
        for (size_t i = 0; i < model.Exp.size(); ++i) {
            const int n = static_cast<int>(i) + 1;
            add(ExpNodeText(n, model.Exp[i]), ChannelKey(PlanId::Exp, n), expNode);
        }
    }
    return nodes;
}

ScreenTarget ScreenOf(const std::string& key, const std::string& parentKey,
                      const SettingsModel& model) {
    const std::string k = Upper(key);
    const std::string parent = Upper(parentKey);
    if (parent.empty()) {
        if (k == "GENERAL") {
            return {ScreenKind::General};
        }
        if (k == "PROGRAM" || k == "DSCSETTING") {
            return {ScreenKind::EmptyPanel};
        }
        if (k == "EXPCHANNEL") {
            return {ScreenKind::ExpGrid, PlanId::Exp};
        }
        return {};
    }
    if (parent == "GENERAL") {
        if (k == "USABLE") {
            return {ScreenKind::Usable};
        }
        if (k == "COMMON") {
            return {ScreenKind::Common};
        }
        if (k == "DSC") {
            return {ScreenKind::Dsc};
        }
        if (k == "ATIS") {
            return {ScreenKind::Atis};
        }
        return {};
    }
    if (parent == "PROGRAM") {
        for (const PresetGroup& g : kPresetGroups) {
            if (k == g.Code) {
                return {ScreenKind::PlanGrid, g.Plan};
            }
        }
        return k == "PW" ? ScreenTarget{ScreenKind::WeatherScreen, PlanId::Wx} : ScreenTarget{};
    }
    for (const PresetGroup& g : kPresetGroups) {
        if (parent == g.Code) {
            const int index = NumberAfter(k, 2);
            if (index < 0 || index >= static_cast<int>(model.Plan(g.Plan).size())) {
                return {};
            }
            return {ScreenKind::ChannelScreen, g.Plan, index};
        }
    }
    if (parent == "DSCSETTING") {
        if (k == "SM") {
            return {ScreenKind::MemoryIdGrid};
        }
        return k == "SG" ? ScreenTarget{ScreenKind::GroupIdGrid} : ScreenTarget{};
    }
    if (parent == "SM" || parent == "SG") {
        const bool group = parent == "SG";
        const int n = NumberAfter(k, 2);
        if (n < 1 || n > (group ? kGroupIdCount : kMemoryIdCount)) {
            return {};
        }
        return {group ? ScreenKind::GroupIdEntry : ScreenKind::MemoryIdEntry, PlanId::Usa, n};
    }
    if (parent == "EXPCHANNEL") {
        const int n = NumberAfter(k, 1);
        if (n < 1 || n > static_cast<int>(model.Exp.size())) {
            return {};
        }
        return {ScreenKind::ChannelScreen, PlanId::Exp, n};
    }
    return {};
}

std::string KeyOf(const ScreenTarget& target) {
    switch (target.Kind) {
        case ScreenKind::ChannelScreen:
            return ChannelKey(target.Plan, target.Index);
        case ScreenKind::MemoryIdEntry:
            return DirectoryKey(false, target.Index);
        case ScreenKind::GroupIdEntry:
            return DirectoryKey(true, target.Index);
        default:
            return {};
    }
}

}  // namespace tq530
