// The overview grids as data: column descriptions, the rows of a plan or directory and the
// screen a row jumps to. The Qt table model only serves these.
#pragma once

#include <string>
#include <vector>

#include "model/settings_model.h"

namespace tq530 {

enum class GridKind { Preset, Exp, MemoryId, GroupId };

struct GridColumn {
    std::string Header;
    int WidthTwips = 0;
};

struct GridRow {
    std::vector<std::string> Cells;
    std::string JumpKey;  // the tree key of the row's own screen, "" when none
};

struct GridData {
    GridKind Kind = GridKind::Preset;
    PlanId Plan = PlanId::Usa;
    std::vector<GridColumn> Columns;
    std::vector<GridRow> Rows;  // without the header row
};

// The grid of a preset plan (enabled channels only), of the EXP plan (all channels) or of a
// directory (all entries).
GridData PresetGrid(const SettingsModel& model, PlanId plan);
GridData ExpGrid(const SettingsModel& model);
GridData DirectoryGrid(const SettingsModel& model, bool group);

// The tree key a preset row jumps to: the plan code and the first table entry whose number
// text equals the row's "CH" cell; "" when none matches.
std::string PresetJumpKey(PlanId plan, const std::string& chCell);

}  // namespace tq530
