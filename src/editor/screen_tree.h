// The screen tree as data: one table of nodes gives which nodes a settings model has, their
// texts and keys, and which screen a key leads to. The tree widget only draws what these
// functions return, and the window shows the screen registered for a node's ScreenKind.
#pragma once

#include <string>
#include <vector>

#include "model/screen_keys.h"
#include "model/settings_model.h"

namespace tq530 {

// The screens a node can lead to.
enum class ScreenKind {
    None,
    General,
    Usable,
    Common,
    Dsc,
    Atis,
    EmptyPanel,
    PlanGrid,
    ChannelScreen,
    WeatherScreen,
    ExpGrid,
    MemoryIdGrid,
    GroupIdGrid,
    MemoryIdEntry,
    GroupIdEntry,
};
constexpr int kScreenKindCount = static_cast<int>(ScreenKind::GroupIdEntry) + 1;

// Where a node leads: the screen and, for channel and directory screens, the plan or the
// 1-based entry number. Index is the 0-based channel index in Plan for channel screens and
// the 1-based number for EXP channels and directory entries.
struct ScreenTarget {
    ScreenKind Kind = ScreenKind::None;
    PlanId Plan = PlanId::Usa;
    int Index = 0;
    bool operator==(const ScreenTarget& o) const {
        return Kind == o.Kind && Plan == o.Plan && Index == o.Index;
    }
};

struct TreeNode {
    std::string Text;
    std::string Key;
    int Parent = -1;  // index into the node list, -1 for a top-level node
};

// The hints the status bar shows while a field of that kind has the focus.
namespace hint {
extern const char* const kTree;
extern const char* const kCheckBox;
extern const char* const kWeatherEnable;
extern const char* const kChoiceList;
extern const char* const kGrid;
extern const char* const kChDisplayFirst;
extern const char* const kChDisplaySecond;
extern const char* const kRxFrequency;
extern const char* const kTxFrequency;
extern const char* const kChannelName;
extern const char* const kDirectoryName;
extern const char* const kMmsi;
extern const char* const kAtisCode;
extern const char* const kStatusName;
}  // namespace hint

// A number as it stands in a key: one leading blank before the digits.
std::string KeyNumber(int n);
std::string ChannelKey(PlanId plan, int index);  // "PU 5"; EXP takes the 1-based number
std::string DirectoryKey(bool group, int n);     // "SM 3", "SG 1"
// The key of the node of usable group 0-3: "PU", "PI", "PC", "ExpChannel".
std::string GroupNodeKey(int group);

// "CH" + number text, plus "[Enable]" when the channel is enabled.
std::string ChannelNodeText(const ChannelRec& rec);
std::string ExpNodeText(int n, const ChannelRec& rec);
std::string DirectoryNodeText(bool group, int n, const DirectoryEntry& entry);
// "Group1", "Group2", "Group3", "EXP Channel" with "(status)" when the status name is set.
std::string GroupNodeText(int group, const std::string& statusName);

// Every node of the tree, parents before their children, in display order.
std::vector<TreeNode> BuildScreenTree(const SettingsModel& model, bool atis);

// The screen a node leads to, from its key and its parent's key (compared without regard
// to case). Channel indexes outside the plan lead nowhere.
ScreenTarget ScreenOf(const std::string& key, const std::string& parentKey,
                      const SettingsModel& model);

// The key of the tree node of a channel or directory screen target, "" when none.
std::string KeyOf(const ScreenTarget& target);

}  // namespace tq530
