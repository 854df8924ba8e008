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

Outcome LoadDataSet(Workspace& ws, UiHost& host, const std::string& path) {
    switch (DataSetKindOf(path)) {
        case DataSetKind::Image:
            return LoadImageFile(ws, host, path);
        case DataSetKind::Settings:
            return ReadSettingsFile(ws, host, path);
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

}  // namespace tq530
