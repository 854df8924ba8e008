#include "app/compare_data_sets.h"

#include "app/data_set.h"

namespace tq530 {

DataSetComparison CompareWithFile(const Workspace& ws, UiHost& host, const std::string& path,
                                  const SettingsStore& store) {
    Workspace other = ws;
    DestinationMenu menu;
    NewDataSet(other, store, host, menu);
    DataSetComparison comparison;
    comparison.Result = LoadDataSet(other, host, path, store, menu);
    if (comparison.Result == Outcome::Ok) {
        comparison.Differences = CompareSettings(ws.Model, other.Model);
    }
    return comparison;
}

}  // namespace tq530
