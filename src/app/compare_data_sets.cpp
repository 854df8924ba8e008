#include "app/compare_data_sets.h"

#include "app/data_set.h"

namespace tq530 {

DataSetComparison CompareWithFile(const Workspace& ws, UiHost& host, const std::string& path) {
    Workspace other = ws;
    other.ResetScreens = nullptr;
    other.RebuildScreenTree = nullptr;
    NewData(other, true);
    DataSetComparison comparison;
    comparison.Result = LoadDataSet(other, host, path);
    if (comparison.Result == Outcome::Ok) {
        comparison.Differences = CompareSettings(ws.Model, other.Model);
    }
    return comparison;
}

}  // namespace tq530
