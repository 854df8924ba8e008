// "Compare with...": the current data set against one on disk, setting by setting.
#pragma once

#include <string>
#include <vector>

#include "core/outcome.h"
#include "core/ui_host.h"
#include "core/workspace.h"
#include "editor/settings_diff.h"

namespace tq530 {

struct DataSetComparison {
    Outcome Result = Outcome::Failed;            // Failed when the file could not be loaded
    std::vector<SettingDifference> Differences;  // from ws's settings to the file's
};

// Loads path (".hex" or ".dat") as a freshly started program would, into a copy of ws that
// no screen watches, and compares ws's settings with it. ws itself is left as it is; a load
// failure shows its message through host.
DataSetComparison CompareWithFile(const Workspace& ws, UiHost& host, const std::string& path);

}  // namespace tq530
