// The diff command: the settings in which two data sets differ, one line each.
#include <cstdio>
#include <memory>

#include "app/compare_data_sets.h"
#include "app/data_set.h"
#include "cli/cli.h"
#include "core/csv_text.h"

namespace tq530::cli {

namespace {

// Names are Latin-1 in the model; JSON is UTF-8.
std::string JsonText(const std::string& latin1) {
    return JsonString(Latin1ToUtf8(latin1));
}

int PrintDifferencesJson(const std::vector<SettingDifference>& differences) {
    std::string text = "[";
    for (size_t i = 0; i < differences.size(); ++i) {
        const SettingDifference& d = differences[i];
        text += std::string(i == 0 ? "" : ",") + "\n  {\"label\": " + JsonText(d.Label) +
                ", \"a\": " + JsonText(d.Before) + ", \"b\": " + JsonText(d.After) + "}";
    }
    return PrintToStdout(text + (differences.empty() ? "]\n" : "\n]\n"));
}

}  // namespace

void AddDiffCommand(CLI::App& app, Context& ctx) {
    auto files = std::make_shared<std::pair<std::string, std::string>>();
    CLI::App* diff = app.add_subcommand(
        "diff",
        "Print the settings in which two data sets differ, by the report's labels; exit "
        "status 0 when they are equal, 1 when they differ");
    diff->add_option("A", files->first, "First data set (.hex or .dat)")->required();
    diff->add_option("B", files->second, "Second data set (.hex or .dat)")->required();
    auto json = std::make_shared<bool>(false);
    diff->add_flag("--json", *json, "Print the differences as JSON: label, a, b");
    diff->callback([&ctx, files, json] {
        ctx.Run = [&ctx, files, json] {
            for (const std::string* path : {&files->first, &files->second}) {
                if (!CanLoad(DataSetKindOf(*path))) {
                    std::fprintf(stderr, "%s: a data set is a .hex or a .dat file\n",
                                 path->c_str());
                    return kExitUsage;
                }
            }
            if (LoadDataSet(ctx.Ws, ctx.Host, files->first, *ctx.Store, ctx.Destinations) !=
                Outcome::Ok) {
                return kExitFailed;
            }
            const DataSetComparison comparison =
                CompareWithFile(ctx.Ws, ctx.Host, files->second, *ctx.Store);
            if (comparison.Result != Outcome::Ok) {
                return kExitFailed;
            }
            if (*json) {
                const int status = PrintDifferencesJson(comparison.Differences);
                return status != kExitOk || !comparison.Differences.empty() ? kExitFailed : kExitOk;
            }
            for (const SettingDifference& difference : comparison.Differences) {
                // Names are Latin-1 in the model; a terminal reads UTF-8.
                std::printf("%s\n", Latin1ToUtf8(DifferenceLine(difference)).c_str());
            }
            if (std::fflush(stdout) != 0) {
                return kExitFailed;
            }
            return comparison.Differences.empty() ? kExitOk : kExitFailed;
        };
    });
}

}  // namespace tq530::cli
