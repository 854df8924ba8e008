// "Compare with...": the current data set against one on disk, setting by setting.
#pragma once

#include <string>
#include <vector>

#include "app/settings_store.h"
#include "core/outcome.h"
#include "core/ui_host.h"
#include "core/workspace.h"
#include "editor/settings_diff.h"

namespace tq530 {

struct DataSetComparison {
    Outcome Result = Outcome::Failed;            // Failed when the file could not be loaded
    std::vector<SettingDifference> Differences;  // from ws's settings to the file's
};

// Loads path (".hex" or ".dat") as a freshly started program would (the remembered
// destination of store under a settings file), into a copy of ws with a Destination menu of
// its own, and compares ws's settings with it. ws and the window's menu are left as they are;
// a load failure shows its message through host.
DataSetComparison CompareWithFile(const Workspace& ws, UiHost& host, const std::string& path,
                                  const SettingsStore& store);

}  // namespace tq530
