#include "app/data_set.h"

#include "core/file_io.h"
#include "files/image_file.h"
#include "files/settings_file.h"
#include "report/report_text.h"

namespace tq530 {

DataSetKind DataSetKindOf(const std::string& path) {
    const std::string ext = LowerExtension(path);
    if (ext == ".hex") {
        return DataSetKind::Image;
    }
    if (ext == ".dat") {
        return DataSetKind::Settings;
    }
    if (ext == ".txt") {
        return DataSetKind::ReportText;
    }
    return DataSetKind::Unknown;
}

bool CanLoad(DataSetKind kind) {
    return kind == DataSetKind::Image || kind == DataSetKind::Settings;
}

bool CanSave(DataSetKind kind) {
    return kind != DataSetKind::Unknown;
}

Outcome LoadDataSet(Workspace& ws, UiHost& host, const std::string& path,
                    const SettingsStore& store, DestinationMenu& menu) {
    switch (DataSetKindOf(path)) {
        case DataSetKind::Image:
            return LoadImageFile(ws, host, path);
        case DataSetKind::Settings:
            NewDataSet(ws, store, host, menu);
            return ApplySettingsFile(ws, host, path);
        default:
            return Outcome::Failed;
    }
}

Outcome SaveDataSet(Workspace& ws, UiHost& host, const std::string& path) {
    switch (DataSetKindOf(path)) {
        case DataSetKind::Image:
            return SaveImageFile(ws, host, path);
        case DataSetKind::Settings:
            return WriteSettingsFile(ws, host, path);
        case DataSetKind::ReportText:
            return SaveReportText(ws, host, BuildReportText(ws), path) ? Outcome::Ok
                                                                       : Outcome::Failed;
        default:
            return Outcome::Failed;
    }
}

Outcome OpenSettings(Workspace& ws, UiHost& host, FileDialogs& dialogs, const SettingsStore& store,
                     DestinationMenu& menu) {
    const std::string path = dialogs.AskOpenPath(kSettingsFileFilter, ws.ProgramDir);
    if (path.empty()) {
        ws.CancelRequested = true;
        return Outcome::Cancelled;
    }
    return OpenSettingsPath(ws, host, path, store, menu);
}

Outcome OpenSettingsPath(Workspace& ws, UiHost& host, const std::string& path,
                         const SettingsStore& store, DestinationMenu& menu) {
    Outcome outcome = Outcome::Failed;
    {
        const BusyGuard busy(ws, &host);
        NewDataSet(ws, store, host, menu);
        outcome = ApplySettingsFile(ws, host, path);
        if (outcome == Outcome::Ok) {
            ws.CurrentFileName = path;
        }
        ws.CommError = outcome != Outcome::Ok;
    }
    ws.CancelRequested = outcome != Outcome::Ok;
    return outcome;
}

}  // namespace tq530
