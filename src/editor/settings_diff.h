// The settings that differ between two data sets, one line each, labelled as the settings
// report labels them and shown with its value texts, with the tree key of the screen where
// each is edited.
#pragma once

#include <string>
#include <vector>

#include "model/settings_model.h"

namespace tq530 {

struct SettingDifference {
    std::string Label;      // "USA CH 16 Name"
    std::string Before;     // the value text in the first data set
    std::string After;      // ... and in the second
    std::string ScreenKey;  // the tree node of the screen that edits it; "" when none does
};

// Every setting whose value differs: the catalogued settings in the catalogue's order, then
// the channels and directories in the order of the report.
std::vector<SettingDifference> CompareSettings(const SettingsModel& a, const SettingsModel& b);

// "USA CH 16 Name: CH16 -> HARBOUR"
std::string DifferenceLine(const SettingDifference& difference);

}  // namespace tq530
