// The screen tree as data: which nodes a model gives, their texts and keys, and where each
// key leads.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "core/workspace.h"
#include "editor/screen_tree.h"

namespace tq530 {
namespace {

class ScreenTreeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        NewData(ws);
        for (UsableGroup& g : ws.Model.UsableGroups) {
            g.Usable = kOn;
            g.StatusName.clear();
        }
    }

    const TreeNode* Find(const std::vector<TreeNode>& nodes, const std::string& key) {
        const auto it = std::find_if(nodes.begin(), nodes.end(),
                                     [&key](const TreeNode& n) { return n.Key == key; });
        return it == nodes.end() ? nullptr : &*it;
    }

    std::string ParentKey(const std::vector<TreeNode>& nodes, const std::string& key) {
        const TreeNode* node = Find(nodes, key);
        return node == nullptr || node->Parent < 0 ? ""
                                                   : nodes[static_cast<size_t>(node->Parent)].Key;
    }

    Workspace ws;
};

TEST_F(ScreenTreeTest, AtisAndGroupsDecideWhichNodesExist) {
    ws.Model.UsableGroups[1].Usable = kOff;
    ws.Model.UsableGroups[3].Usable = kOff;
    const std::vector<TreeNode> nodes = BuildScreenTree(ws.Model, false);
    EXPECT_EQ(Find(nodes, "ATIS"), nullptr);
    EXPECT_EQ(Find(nodes, "PI"), nullptr);
    EXPECT_EQ(Find(nodes, "PI 0"), nullptr);
    EXPECT_EQ(Find(nodes, "ExpChannel"), nullptr);
    EXPECT_EQ(Find(nodes, "E 1"), nullptr);
    ASSERT_NE(Find(nodes, "PU"), nullptr);
    ASSERT_NE(Find(nodes, "PC 113"), nullptr);
    EXPECT_EQ(ParentKey(nodes, "PC 113"), "PC");
}

// Every node's screen is the listing's; here, the keys that lead nowhere or by another road.
TEST_F(ScreenTreeTest, KeysOutsideTheTreeLeadNowhereAndCaseDoesNotMatter) {
    const SettingsModel& m = ws.Model;
    EXPECT_EQ(ScreenOf("program", "", m).Kind, ScreenKind::EmptyPanel);
    EXPECT_EQ(ScreenOf("pu 0", "pu", m), (ScreenTarget{ScreenKind::ChannelScreen, PlanId::Usa, 0}));
    EXPECT_EQ(ScreenOf("PU 114", "PU", m).Kind, ScreenKind::None);
    EXPECT_EQ(ScreenOf("SG 9", "SG", m).Kind, ScreenKind::None);
    EXPECT_EQ(ScreenOf("E 0", "ExpChannel", m).Kind, ScreenKind::None);
    EXPECT_EQ(ScreenOf("Usable", "", m).Kind, ScreenKind::None);
}

TEST_F(ScreenTreeTest, EveryNodeOfTheTreeLeadsToAScreenAndBack) {
    const std::vector<TreeNode> nodes = BuildScreenTree(ws.Model, true);
    for (const TreeNode& n : nodes) {
        const std::string parent = n.Parent < 0 ? "" : nodes[static_cast<size_t>(n.Parent)].Key;
        const ScreenTarget target = ScreenOf(n.Key, parent, ws.Model);
        EXPECT_NE(target.Kind, ScreenKind::None) << n.Key;
        const std::string back = KeyOf(target);
        if (!back.empty()) {
            EXPECT_EQ(back, n.Key);
        }
    }
}

const char* KindName(ScreenKind kind) {
    static const char* const kNames[kScreenKindCount] = {
        "None",    "General",      "Usable",      "Common",        "Dsc",
        "Atis",    "EmptyPanel",   "PlanGrid",    "ChannelScreen", "WeatherScreen",
        "ExpGrid", "MemoryIdGrid", "GroupIdGrid", "MemoryIdEntry", "GroupIdEntry"};
    return kNames[static_cast<int>(kind)];
}

// The tree a new data set gives, node by node with the screen each node leads to, against a
// listing kept as data.
TEST_F(ScreenTreeTest, BuildsTheTreeOfTheListing) {
    ws.Model.UsableGroups[0].StatusName = "USA";
    ws.Model.UsableGroups[3].StatusName = "XP";
    ws.Model.MemoryIds[2].Enable = kOn;
    ws.Model.Exp[4].Enable = kOn;
    const std::vector<TreeNode> nodes = BuildScreenTree(ws.Model, true);
    std::vector<std::string> built;
    for (const TreeNode& n : nodes) {
        const std::string parent = n.Parent < 0 ? "" : nodes[static_cast<size_t>(n.Parent)].Key;
        const ScreenTarget t = ScreenOf(n.Key, parent, ws.Model);
        std::ostringstream line;
        line << parent << '|' << n.Key << '|' << n.Text << '|' << KindName(t.Kind) << '|'
             << static_cast<int>(t.Plan) << '|' << t.Index;
        built.push_back(line.str());
    }
    std::ifstream in(TQ530_TEST_DATA_DIR "/screen_tree.txt");
    ASSERT_TRUE(in) << "screen_tree.txt";
    std::vector<std::string> listed;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line[0] != '#') {
            listed.push_back(line);
        }
    }
    ASSERT_EQ(built.size(), listed.size());
    for (size_t i = 0; i < built.size(); ++i) {
        EXPECT_EQ(built[i], listed[i]) << "node " << i;
    }
}

TEST_F(ScreenTreeTest, NamedKeysAndGroupNodes) {
    const std::vector<TreeNode> nodes = BuildScreenTree(ws.Model, true);
    for (const char* k :
         {key::kGeneral, key::kUsable, key::kCommon, key::kDsc, key::kAtis, key::kProgram,
          key::kUsa, key::kInternational, key::kCanada, key::kWeather, key::kDscSetting,
          key::kMemoryIds, key::kGroupIds, key::kExpChannel}) {
        EXPECT_NE(Find(nodes, k), nullptr) << k;
    }
    EXPECT_EQ(GroupNodeKey(0), "PU");
    EXPECT_EQ(GroupNodeKey(1), "PI");
    EXPECT_EQ(GroupNodeKey(2), "PC");
    EXPECT_EQ(GroupNodeKey(3), "ExpChannel");
    EXPECT_EQ(ChannelKey(PlanId::Exp, 7), "E 7");
    EXPECT_EQ(DirectoryKey(true, 2), "SG 2");
    EXPECT_EQ(KeyOf({ScreenKind::PlanGrid, PlanId::Usa, 0}), "");
}

}  // namespace
}  // namespace tq530
