#include "editor/channel_grids.h"

#include "editor/screen_tree.h"
#include "model/channel_number_table.h"
#include "model/display_texts.h"

namespace tq530 {

namespace {

const std::vector<GridColumn>& PresetColumns() {
    static const std::vector<GridColumn> kColumns = {
        {"CH", 800}, {"RX[MHz]", 1000}, {"TX[MHz]", 1000}, {"TX", 600},       {"LOW", 600},
        {"UP", 600}, {"DUP", 600},      {"MEM", 600},      {"CH Name", 2000},
    };
    return kColumns;
}

const std::vector<GridColumn>& ExpColumns() {
    static const std::vector<GridColumn> kColumns = {
        {"CH", 800},  {"ENABLE", 1000}, {"DISP", 800}, {"RX[MHz]", 1000}, {"TX[MHz]", 1000},
        {"LOW", 600}, {"UP", 600},      {"MEM", 600},  {"CH Name", 2000},
    };
    return kColumns;
}

}  // namespace

GridData PresetGrid(const SettingsModel& model, PlanId plan) {
    GridData grid{GridKind::Preset, plan, PresetColumns(), {}};
    const ChannelNumberTable& table = Channels();
    for (const ChannelRec& ch : model.Plan(plan)) {
        if (!ch.Enable || ch.Position < 0 || ch.Position >= static_cast<int>(table.size())) {
            continue;
        }
        const ChannelNumberEntry& entry = table[static_cast<size_t>(ch.Position)];
        GridRow row;
        row.Cells = {entry.Name,
                     FreqText(ch.Duplex ? entry.DuplexRxFreq : entry.RxFreq),
                     FreqTextIf(entry.TxFreq, ch.RxOnly != 0),
                     TxText(ch.TxEnable != 0),
                     LowText(ch.LowPower != 0),
                     UpText(ch.PowUp != 0),
                     DupText(ch.Duplex != 0),
                     MemText(ch.ScanMemory != 0),
                     ch.ChTag};
        row.JumpKey = PresetJumpKey(plan, entry.Name);
        grid.Rows.push_back(std::move(row));
    }
    return grid;
}

GridData ExpGrid(const SettingsModel& model) {
    GridData grid{GridKind::Exp, PlanId::Exp, ExpColumns(), {}};
    int n = 0;
    for (const ChannelRec& ch : model.Exp) {
        ++n;
        GridRow row;
        row.Cells = {
            std::to_string(n),     ch.Enable ? "[Enable]" : "", ch.CHDisplayL + ch.CHDisplayR,
            FreqText4(ch.Rxfreq),  FreqText4(ch.Txfreq),        LowText(ch.LowPower != 0),
            UpText(ch.PowUp != 0), MemText(ch.ScanMemory != 0), ch.ChTag};
        row.JumpKey = ChannelKey(PlanId::Exp, n);
        grid.Rows.push_back(std::move(row));
    }
    return grid;
}

GridData DirectoryGrid(const SettingsModel& model, bool group) {
    GridData grid{group ? GridKind::GroupId : GridKind::MemoryId,
                  PlanId::Usa,
                  {{"No.", 800}, {group ? "GROUP NAME" : "STATION NAME", 2500}, {"MMSI", 2150}},
                  {}};
    const DirectoryEntry* entries = group ? model.GroupIds.data() : model.MemoryIds.data();
    const int count = group ? kGroupIdCount : kMemoryIdCount;
    for (int n = 1; n <= count; ++n) {
        const DirectoryEntry& e = entries[n - 1];
        grid.Rows.push_back(
            {{std::to_string(n), e.TagName, EntryNumber9(e.Mmsid)}, DirectoryKey(group, n)});
    }
    return grid;
}

std::string PresetJumpKey(PlanId plan, const std::string& chCell) {
    const ChannelNumberTable& table = Channels();
    for (size_t i = 0; i < table.size(); ++i) {
        if (table[i].Name == chCell) {
            return ChannelKey(plan, static_cast<int>(i));
        }
    }
    return {};
}

}  // namespace tq530
