// Data-set commands of the command line: new, convert, dump, report.
#include <cstdio>
#include <memory>

#include "app/data_set.h"
#include "cli/cli.h"
#include "core/file_io.h"
#include "files/image_file.h"
#include "report/report_text.h"

namespace tq530::cli {

namespace {

// Refuses a file name whose extension names no format the command can take.
bool CheckKind(const std::string& path, bool forLoad) {
    const DataSetKind kind = DataSetKindOf(path);
    if (forLoad ? CanLoad(kind) : CanSave(kind)) {
        return true;
    }
    std::fprintf(stderr, "%s: cannot %s a file of this type (extension \"%s\")\n", path.c_str(),
                 forLoad ? "read" : "write", LowerExtension(path).c_str());
    return false;
}

// A report goes only to a text file, never over an image or a settings file.
bool CheckReportName(const std::string& out) {
    if (DataSetKindOf(out) == DataSetKind::ReportText) {
        return true;
    }
    std::fprintf(stderr, "%s: a report is written to a file ending in \".txt\"\n", out.c_str());
    return false;
}

int Save(Context& ctx, const std::string& out) {
    return SaveDataSet(ctx.Ws, ctx.Host, out) == Outcome::Ok ? kExitOk : kExitFailed;
}

}  // namespace

void AddFileCommands(CLI::App& app, Context& ctx) {
    auto out = std::make_shared<std::string>();
    auto in = std::make_shared<std::string>();

    CLI::App* make = app.add_subcommand("new", "Write the start-up data set of the model");
    make->add_option("OUT", *out, "Output file")->required();
    make->callback([&ctx, out] {
        ctx.Run = [&ctx, out] {
            if (!CheckKind(*out, false)) {
                return kExitUsage;
            }
            return Save(ctx, *out);
        };
    });

    CLI::App* convert = app.add_subcommand("convert", "Load a data set and save it again");
    convert->add_option("IN", *in, "Input file")->required();
    convert->add_option("OUT", *out, "Output file")->required();
    convert->callback([&ctx, in, out] {
        ctx.Run = [&ctx, in, out] {
            if (!CheckKind(*in, true) || !CheckKind(*out, false) || !CheckNotInput({*in}, *out)) {
                return kExitUsage;
            }
            if (LoadDataSet(ctx.Ws, ctx.Host, *in, *ctx.Store, ctx.Destinations) != Outcome::Ok) {
                return kExitFailed;
            }
            return Save(ctx, *out);
        };
    });

    auto reportOut = std::make_shared<std::string>();
    CLI::App* report =
        app.add_subcommand("report", "Print the settings report of a data set, or save it");
    report->add_option("IN", *in, "Input file (.hex or .dat)")->required();
    report->add_option("OUT", *reportOut, "Report file; stdout without it or for -");
    report->callback([&ctx, in, reportOut] {
        ctx.Run = [&ctx, in, reportOut] {
            if (*reportOut == "-") {
                reportOut->clear();
            }
            if (!CheckKind(*in, true) ||
                (!reportOut->empty() &&
                 (!CheckReportName(*reportOut) || !CheckNotInput({*in}, *reportOut)))) {
                return kExitUsage;
            }
            if (LoadDataSet(ctx.Ws, ctx.Host, *in, *ctx.Store, ctx.Destinations) != Outcome::Ok) {
                return kExitFailed;
            }
            const std::string text = BuildReportText(ctx.Ws);
            if (!reportOut->empty()) {
                return SaveReportText(ctx.Ws, ctx.Host, text, *reportOut) ? kExitOk : kExitFailed;
            }
            return PrintToStdout(text + "\r\n");
        };
    });

    CLI::App* dump = app.add_subcommand("dump", "Print the hex dump of an image file");
    dump->add_option("IN", *in, "Image file (.hex)")->required();
    dump->callback([&ctx, in] {
        ctx.Run = [&ctx, in] {
            if (LoadImageFile(ctx.Ws, ctx.Host, *in) != Outcome::Ok) {
                return kExitFailed;
            }
            std::string text;
            for (const std::string& line : BuildHexDumpLines(ctx.Ws.Image)) {
                text += line;
                text += '\n';
            }
            return PrintToStdout(text);
        };
    });
}

}  // namespace tq530::cli
