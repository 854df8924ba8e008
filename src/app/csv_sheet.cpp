#include "app/csv_sheet.h"

#include "core/csv_text.h"
#include "editor/channel_grids.h"
#include "model/display_texts.h"

namespace tq530::csv {

Kind KindOf(CsvTable table) {
    switch (table) {
        case CsvTable::MemoryId:
        case CsvTable::GroupId:
            return Kind::Directory;
        case CsvTable::Weather:
            return Kind::Weather;
        case CsvTable::Exp:
            return Kind::Exp;
        case CsvTable::Usa:
        case CsvTable::International:
        case CsvTable::Canada:
            break;
    }
    return Kind::Preset;
}

PlanId PlanOf(CsvTable table) {
    switch (table) {
        case CsvTable::International:
            return PlanId::International;
        case CsvTable::Canada:
            return PlanId::Canada;
        case CsvTable::Weather:
            return PlanId::Wx;
        case CsvTable::Exp:
            return PlanId::Exp;
        default:
            return PlanId::Usa;
    }
}

namespace {

Sheet FromGrid(const GridData& grid) {
    Sheet sheet;
    for (const GridColumn& column : grid.Columns) {
        sheet.Headers.push_back(column.Header);
    }
    for (const GridRow& row : grid.Rows) {
        sheet.Rows.push_back(row.Cells);
    }
    return sheet;
}

// The weather channels have a screen but no grid; their columns are the report's.
Sheet WeatherSheet(const SettingsModel& model) {
    Sheet sheet{{"CH", "ENABLE", "MEM", "CH Name"}, {}};
    int n = 0;
    for (const ChannelRec& ch : model.Wx) {
        sheet.Rows.push_back({std::to_string(++n), EnableText(ch.Enable != 0),
                              MemText(ch.ScanMemory != 0), ch.ChTag});
    }
    return sheet;
}

}  // namespace

Sheet SheetOf(const SettingsModel& model, CsvTable table) {
    switch (KindOf(table)) {
        case Kind::Directory:
            return FromGrid(DirectoryGrid(model, table == CsvTable::GroupId));
        case Kind::Weather:
            return WeatherSheet(model);
        case Kind::Exp:
            return FromGrid(ExpGrid(model));
        case Kind::Preset:
            break;
    }
    return FromGrid(PresetGrid(model, PlanOf(table)));
}

std::string Quoted(const std::string& latin1) {
    return "\"" + Latin1ToUtf8(latin1) + "\"";
}

std::string CountText(size_t n, const char* one) {
    return std::to_string(n) + " " + one + (n == 1 ? "" : "s");
}

}  // namespace tq530::csv
