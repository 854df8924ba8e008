// The tables of the CSV files as their grids show them: which kind each table is, the order
// of its columns and its cells for a model. Shared by the export and the import.
#pragma once

#include <string>
#include <vector>

#include "app/csv_tables.h"
#include "model/settings_model.h"

namespace tq530::csv {

enum class Kind { Preset, Weather, Exp, Directory };
Kind KindOf(CsvTable table);
PlanId PlanOf(CsvTable table);

// Column positions of each table, in the order its grid has them.
namespace preset {
enum : size_t { kCh, kRx, kTxFreq, kTx, kLow, kUp, kDup, kMem, kName };
}
namespace exp {
enum : size_t { kCh, kEnable, kDisp, kRx, kTx, kLow, kUp, kMem, kName };
}
namespace wx {
enum : size_t { kCh, kEnable, kMem, kName };
}
namespace dir {
enum : size_t { kNo, kName, kMmsi };
}

// A table as its grid shows it, in the model's Latin-1.
struct Sheet {
    std::vector<std::string> Headers;
    std::vector<std::vector<std::string>> Rows;
};
Sheet SheetOf(const SettingsModel& model, CsvTable table);

// A text for a message: in quotes, as UTF-8.
std::string Quoted(const std::string& latin1);
// "1 cell", "3 cells".
std::string CountText(size_t n, const char* one);

}  // namespace tq530::csv
