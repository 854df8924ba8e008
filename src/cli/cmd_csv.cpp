// CSV commands of the command line: a channel plan or a directory out to a spreadsheet and
// back into a data set.
#include <cstdio>
#include <memory>

#include "app/csv_tables.h"
#include "app/data_set.h"
#include "cli/cli.h"

namespace tq530::cli {

namespace {

std::vector<std::string> TableNames() {
    std::vector<std::string> names;
    for (const CsvTableInfo& info : CsvTables()) {
        names.emplace_back(info.Name);
    }
    return names;
}

std::string TableHelp() {
    std::string help = "Table:";
    for (const CsvTableInfo& info : CsvTables()) {
        help += std::string("\n  ") + info.Name + " (" + info.Caption + ")";
    }
    return help;
}

// The data sets a CSV table comes from and goes into.
bool IsDataSet(const std::string& path, bool forLoad) {
    const DataSetKind kind = DataSetKindOf(path);
    if (kind == DataSetKind::Image || kind == DataSetKind::Settings) {
        return true;
    }
    std::fprintf(stderr, "%s: the data set to %s must be a .hex or a .dat file\n", path.c_str(),
                 forLoad ? "read" : "write");
    return false;
}

bool IsCsvName(const std::string& path) {
    const std::string problem = CsvExportNameProblem(path);
    if (!problem.empty()) {
        std::fprintf(stderr, "%s\n", problem.c_str());
    }
    return problem.empty();
}

struct CsvArgs {
    std::string In;
    std::string Csv;
    std::string Out;
    std::string Table;
};

void AddTableOption(CLI::App* command, CsvArgs& args) {
    command->add_option("--table", args.Table, TableHelp())
        ->required()
        ->check(CLI::IsMember(TableNames()));
}

CsvTable TableOf(const CsvArgs& args) {
    CsvTable table = CsvTable::MemoryId;
    CsvTableByName(args.Table, table);  // the option's check admits table names only
    return table;
}

}  // namespace

void AddCsvCommands(CLI::App& app, Context& ctx) {
    auto args = std::make_shared<CsvArgs>();

    CLI::App* out = app.add_subcommand(
        "export-csv", "Write a channel plan or a directory of a data set as a CSV file");
    out->add_option("IN", args->In, "Data set (.hex or .dat)")->required();
    out->add_option("OUT", args->Csv, "CSV file to write; - for stdout")->required();
    AddTableOption(out, *args);
    out->callback([&ctx, args] {
        ctx.Run = [&ctx, args] {
            const bool toStdout = args->Csv == "-";
            if (!IsDataSet(args->In, true) ||
                (!toStdout && (!IsCsvName(args->Csv) || !CheckNotInput({args->In}, args->Csv)))) {
                return kExitUsage;
            }
            if (LoadDataSet(ctx.Ws, ctx.Host, args->In, *ctx.Store, ctx.Destinations) !=
                Outcome::Ok) {
                return kExitFailed;
            }
            if (toStdout) {
                return PrintToStdout(ExportCsvText(ctx.Ws.Model, TableOf(*args)));
            }
            return ExportCsv(ctx.Ws, ctx.Host, TableOf(*args), args->Csv) == Outcome::Ok
                       ? kExitOk
                       : kExitFailed;
        };
    });

    CLI::App* in = app.add_subcommand(
        "import-csv",
        "Read a channel plan or a directory from a CSV file into a data set and save it; "
        "nothing is saved when a row fails");
    in->add_option("IN", args->In, "Data set to start from (.hex or .dat)")->required();
    in->add_option("CSV", args->Csv, "CSV file to read")->required();
    in->add_option("OUT", args->Out, "Data set to write (.hex or .dat)")->required();
    AddTableOption(in, *args);
    in->callback([&ctx, args] {
        ctx.Run = [&ctx, args] {
            if (!IsDataSet(args->In, true) || !IsDataSet(args->Out, false) ||
                !CheckNotInput({args->In, args->Csv}, args->Out)) {
                return kExitUsage;
            }
            if (LoadDataSet(ctx.Ws, ctx.Host, args->In, *ctx.Store, ctx.Destinations) !=
                    Outcome::Ok ||
                ImportCsv(ctx.Ws, ctx.Host, TableOf(*args), args->Csv) != Outcome::Ok) {
                return kExitFailed;
            }
            return SaveDataSet(ctx.Ws, ctx.Host, args->Out) == Outcome::Ok ? kExitOk : kExitFailed;
        };
    });
}

}  // namespace tq530::cli
