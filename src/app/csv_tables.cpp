#include "app/csv_tables.h"

#include "app/csv_sheet.h"
#include "core/csv_text.h"
#include "core/file_io.h"

namespace tq530 {

namespace {

const std::vector<CsvTableInfo> kTables = {
    {CsvTable::MemoryId, "memory-id", "Memory ID directory"},
    {CsvTable::GroupId, "group-id", "Group ID directory"},
    {CsvTable::Usa, "usa", "USA channels"},
    {CsvTable::International, "international", "International channels"},
    {CsvTable::Canada, "canada", "Canada channels"},
    {CsvTable::Weather, "weather", "Weather channels"},
    {CsvTable::Exp, "exp", "EXP channels"},
};

}  // namespace

const std::vector<CsvTableInfo>& CsvTables() {
    return kTables;
}

const CsvTableInfo& InfoOf(CsvTable table) {
    for (const CsvTableInfo& info : kTables) {
        if (info.Table == table) {
            return info;
        }
    }
    return kTables.front();
}

bool CsvTableByName(const std::string& name, CsvTable& table) {
    for (const CsvTableInfo& info : kTables) {
        if (name == info.Name) {
            table = info.Table;
            return true;
        }
    }
    return false;
}

std::string ExportCsvText(const SettingsModel& model, CsvTable table) {
    const csv::Sheet sheet = csv::SheetOf(model, table);
    std::string text = CsvLine(sheet.Headers);
    for (const std::vector<std::string>& cells : sheet.Rows) {
        CsvRecord record;
        for (const std::string& cell : cells) {
            record.push_back(Latin1ToUtf8(cell));
        }
        text += CsvLine(record);
    }
    return text;
}

std::string ProblemText(const CsvProblem& problem) {
    std::string text;
    if (problem.Row > 0) {
        text = "row " + std::to_string(problem.Row);
        if (!problem.Column.empty()) {
            text += ", column " + csv::Quoted(problem.Column);
        }
        text += ": ";
    }
    return text + problem.Text;
}

CsvImport ImportCsvFile(const SettingsModel& current, CsvTable table, const std::string& path) {
    std::string text;
    FileError error;
    if (!ReadWholeFile(path, text, error)) {
        return {{{0, "", path + ": " + error.Text}}, 0, current};
    }
    return ImportCsvText(current, table, text);
}

std::string RefusalHeading(const CsvImport& refused) {
    return "Nothing was imported (" + csv::CountText(refused.ProblemCount(), "problem") + "):";
}

std::vector<std::string> RefusalLines(const CsvImport& refused) {
    std::vector<std::string> lines;
    for (const CsvProblem& problem : refused.Problems) {
        lines.push_back(ProblemText(problem));
    }
    if (refused.Unlisted > 0) {
        lines.push_back("and " + std::to_string(refused.Unlisted) + " more");
    }
    return lines;
}

std::string RefusalText(const CsvImport& refused) {
    std::string text = RefusalHeading(refused);
    for (const std::string& line : RefusalLines(refused)) {
        text += "\n" + line;
    }
    return text;
}

std::string CsvExportNameProblem(const std::string& path) {
    if (LowerExtension(path) == ".csv") {
        return std::string();
    }
    return path + ": a CSV export is written to a file ending in \".csv\"";
}

Outcome ExportCsv(const Workspace& ws, UiHost& host, CsvTable table, const std::string& path) {
    if (const std::string problem = CsvExportNameProblem(path); !problem.empty()) {
        host.ShowMessage(problem, kExportCsvTitle, MsgIcon::Exclamation);
        return Outcome::Failed;
    }
    FileError error;
    if (!WriteFileReplacing(path, ExportCsvText(ws.Model, table), error)) {
        host.ShowMessage(path + ": " + error.Text, kExportCsvTitle, MsgIcon::Exclamation);
        return Outcome::Failed;
    }
    return Outcome::Ok;
}

Outcome ImportCsv(Workspace& ws, UiHost& host, CsvTable table, const std::string& path,
                  const ApplyModel& apply, const ShowRefusal& showRefusal) {
    CsvImport result = ImportCsvFile(ws.Model, table, path);
    if (!result.Ok()) {
        if (showRefusal) {
            showRefusal(result);
        } else {
            host.ShowMessage(RefusalText(result), kImportCsvTitle, MsgIcon::Exclamation);
        }
        return Outcome::Failed;
    }
    if (result.Model == ws.Model) {
        return Outcome::Ok;
    }
    if (apply) {
        apply(result.Model);
    } else {
        ws.Model = std::move(result.Model);
        ws.DataChanged = true;
    }
    return Outcome::Ok;
}

}  // namespace tq530
