// The channel plans and the two MMSI directories as CSV files a spreadsheet can edit: one
// header row with the grids' column names, one row per channel or entry, UTF-8. An import
// checks every row with the screens' rules and changes nothing unless every row passes.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/outcome.h"
#include "core/ui_host.h"
#include "core/workspace.h"
#include "model/settings_model.h"

namespace tq530 {

enum class CsvTable { MemoryId, GroupId, Usa, International, Canada, Weather, Exp };

struct CsvTableInfo {
    CsvTable Table;
    const char* Name;     // the command line's name: "memory-id", "usa", ...
    const char* Caption;  // what a menu shows: "Memory ID directory", ...
};

// Every table, in the order menus and help list them.
const std::vector<CsvTableInfo>& CsvTables();
const CsvTableInfo& InfoOf(CsvTable table);
// The table of a command-line name; false when no table has it.
bool CsvTableByName(const std::string& name, CsvTable& table);

// The table as CSV text: the header row, then the rows the table's grid shows (the enabled
// channels of a preset plan; every channel of the weather and EXP plans; every entry of a
// directory), lines ending in CR LF.
std::string ExportCsvText(const SettingsModel& model, CsvTable table);

// A reason an import was refused. Row is the 1-based row as a spreadsheet numbers it (0 for
// the file as a whole); Column the header of the cell, "" for the row as a whole.
struct CsvProblem {
    int Row = 0;
    std::string Column;
    std::string Text;
};
// "row 4, column \"CH Name\": ..."
std::string ProblemText(const CsvProblem& problem);

// An import lists this many problems; a file wrong throughout (a whole row of empty header
// cells, say) only counts the rest, so that checking it stays quick and its message short.
constexpr size_t kListedProblems = 50;

struct CsvImport {
    std::vector<CsvProblem> Problems;  // the first kListedProblems, in the order found
    size_t Unlisted = 0;               // the problems found beyond them
    SettingsModel Model;               // the current model with the table replaced; valid when Ok()
    bool Ok() const { return Problems.empty(); }
    size_t ProblemCount() const { return Problems.size() + Unlisted; }
};

// Reads the table from CSV text over current. What the text leaves out is switched off:
// channels not listed are disabled, entries not listed are freed. A cell that still holds
// what the export writes for the record keeps the record's value untouched.
CsvImport ImportCsvText(const SettingsModel& current, CsvTable table, const std::string& text);
// The same from a file; a file that cannot be read is a problem of row 0.
CsvImport ImportCsvFile(const SettingsModel& current, CsvTable table, const std::string& path);

// The menu commands' core. Export writes the file; Import reads and checks it and, only when
// every row passes and something changes, hands the new model to apply: by default it goes
// straight into ws.Model and sets DataChanged; the window program passes its edit session's
// door instead, so the views hear of it. Each failure shows one message through host, and an
// import refusal lists the failing rows and columns; the window program passes its own
// refusal box, which holds a long list in a scrolling view.
using ApplyModel = std::function<void(const SettingsModel&)>;
using ShowRefusal = std::function<void(const CsvImport&)>;
// "" when an export may write path, else why not: it writes only names ending in ".csv", so
// that a slip of the keyboard never turns a data set or a report into a spreadsheet.
std::string CsvExportNameProblem(const std::string& path);
Outcome ExportCsv(const Workspace& ws, UiHost& host, CsvTable table, const std::string& path);
Outcome ImportCsv(Workspace& ws, UiHost& host, CsvTable table, const std::string& path,
                  const ApplyModel& apply = {}, const ShowRefusal& showRefusal = {});

// The message of a refused import: its first line ("Nothing was imported (3 problems):"),
// then one line per listed problem and "and 12 more" for those not listed.
std::string RefusalHeading(const CsvImport& refused);
std::vector<std::string> RefusalLines(const CsvImport& refused);
std::string RefusalText(const CsvImport& refused);

constexpr const char* kExportCsvTitle = "Export CSV";
constexpr const char* kImportCsvTitle = "Import CSV";

}  // namespace tq530
