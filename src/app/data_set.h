// Loading and saving a data set by the file's extension, as the command line does:
// ".hex" image files, ".dat" settings files, ".txt" report text (save only).
#pragma once

#include <string>

#include "app/destinations.h"
#include "core/file_dialogs.h"
#include "core/outcome.h"
#include "core/ui_host.h"
#include "core/workspace.h"

namespace tq530 {

enum class DataSetKind { Image, Settings, ReportText, Unknown };

DataSetKind DataSetKindOf(const std::string& path);
bool CanLoad(DataSetKind kind);
bool CanSave(DataSetKind kind);

// A failure's message has gone to the host when they return Failed. A settings file loads
// over a new data set with the remembered destination of store, listed in menu.
Outcome LoadDataSet(Workspace& ws, UiHost& host, const std::string& path,
                    const SettingsStore& store, DestinationMenu& menu);
Outcome SaveDataSet(Workspace& ws, UiHost& host, const std::string& path);

// File Open: the settings-file dialog, then the file over a new data set as LoadDataSet loads
// it; the caller has run the input check. Cancelled when no path was chosen. Sets CommError
// and CancelRequested at its end.
Outcome OpenSettings(Workspace& ws, UiHost& host, FileDialogs& dialogs, const SettingsStore& store,
                     DestinationMenu& menu);
// File Open's work once the path is known (a recent file, a dropped one, the command line's).
Outcome OpenSettingsPath(Workspace& ws, UiHost& host, const std::string& path,
                         const SettingsStore& store, DestinationMenu& menu);

}  // namespace tq530
