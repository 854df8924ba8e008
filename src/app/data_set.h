// Loading and saving a data set by the file's extension, as the command line does:
// ".hex" image files, ".dat" settings files, ".txt" report text (save only).
#pragma once

#include <string>

#include "core/outcome.h"
#include "core/ui_host.h"
#include "core/workspace.h"

namespace tq530 {

enum class DataSetKind { Image, Settings, ReportText, Unknown };

DataSetKind DataSetKindOf(const std::string& path);
bool CanLoad(DataSetKind kind);
bool CanSave(DataSetKind kind);

// A failure's message has gone to the host when they return Failed.
Outcome LoadDataSet(Workspace& ws, UiHost& host, const std::string& path);
Outcome SaveDataSet(Workspace& ws, UiHost& host, const std::string& path);

}  // namespace tq530
