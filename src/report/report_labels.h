// The report's names of settings that come in rows of a kind, kept in one place so that
// everything else that names a setting (the compare of two data sets) names it alike.
#pragma once

namespace tq530::report_label {

// The column titles of the usable groups: USA, International, Canada, EXP.
inline constexpr const char* kGroups[] = {"Group1", "Group2", "Group3", "EXP CH"};

// The three call types of the advanced DSC setup.
inline constexpr const char* kCallTypes[] = {"[All Ships Call]", "[Group Call]",
                                             "[Individual Call]"};

}  // namespace tq530::report_label
