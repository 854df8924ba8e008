// tq530-cli: reads, converts, dumps and programs NR6120 data sets without the GUI.
#include <filesystem>
#include <iostream>

#include "app/qt/qt_settings_store.h"
#include "app/startup.h"
#include "cli/cli.h"
#include "core/platform_file.h"
#include "model/model_traits.h"

namespace tq530::cli {

void TerminalHost::ShowMessage(const std::string& text, const std::string& title, MsgIcon icon) {
    (void)icon;
    if (title.empty()) {
        std::fprintf(stderr, "%s\n", text.c_str());
    } else {
        std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
    }
}

Answer TerminalHost::Ask(const std::string& text, const std::string& title, MsgIcon icon,
                         Buttons buttons, Answer defaultButton) {
    // A terminal has no default button: only the typed word answers.
    (void)icon;
    (void)defaultButton;
    const bool yesNo = buttons == Buttons::YesNoCancel || buttons == Buttons::YesNo;
    const Answer positive = FirstButton(buttons);
    if (AssumeYes) {
        std::fprintf(stderr, "%s: %s [answered by --yes]\n", title.c_str(), text.c_str());
        return positive;
    }
    if (!Interactive) {
        std::fprintf(stderr, "%s: %s [cancelled: nobody to answer]\n", title.c_str(), text.c_str());
        return DismissAnswer(buttons);
    }
    const char* prompt = buttons == Buttons::RetryCancel ? "retry" : (yesNo ? "yes" : "ok");
    std::fprintf(stderr, "%s: %s\nType '%s' to go on, anything else cancels: ", title.c_str(),
                 text.c_str(), prompt);
    std::fflush(stderr);
    std::string line;
    if (!std::getline(std::cin, line)) {
        return DismissAnswer(buttons);
    }
    if (line == prompt || line == std::string(1, prompt[0])) {
        return positive;
    }
    if (yesNo && (line == "no" || line == "n")) {
        return Answer::No;
    }
    return DismissAnswer(buttons);
}

std::string ExecutableDir() {
    const std::string dir = std::filesystem::path(ExecutablePath()).parent_path().string();
    return dir.empty() ? std::string(".") : dir;
}

int Context::StartUp() {
    if (Options.ProgramDir.empty()) {
        Options.ProgramDir = ExecutableDir();
    }
    if (!Store) {
        Store = std::make_unique<QtSettingsStore>();
    }
    Ws.ProgramDir = Options.ProgramDir;
    Ws.DiagnosticMode = Options.Diagnostic;
    Ws.LowSpeedLink = Options.LowSpeed;
    Ws.ScrambleFeature = false;
    int modelType = Options.ModelType;
    if (!Options.ModelTypeGiven) {
        const ModelScan models = ScanModels(GlobalIniPath(Ws.ProgramDir));
        if (models.Count == 0) {
            Host.ShowMessage("Unknown model!!", kAppTitle, MsgIcon::Critical);
            return kExitFailed;
        }
        modelType = ChooseModelType(models, *Store);
    }
    if (!TraitsOf(modelType).Supported) {
        std::fprintf(stderr, "model type %d: only the model types 1 and 11 are supported\n",
                     modelType);
        return kExitUsage;
    }
    ApplyModelType(Ws, modelType);
    if (!Options.Atis.empty()) {
        Ws.AtisEnabled = Options.Atis == "on";
    }
    Ws.ComNum = ReadComNum(*Store);
    Ws.RetryCount = 3;
    InstallDestinationLoader(Ws, *Store, Host, Destinations);
    NewData(Ws, true);
    Ws.DataChanged = false;
    return kExitOk;
}

}  // namespace tq530::cli

int main(int argc, char** argv) {
    using namespace tq530::cli;
    CLI::App app{"TQ530 command line: NR6120 data sets and radio transfers"};
    app.require_subcommand(1);
    Context ctx;
    app.add_option("--model-type", ctx.Options.ModelType,
                   "Model type (1 NR6120, 11 NR6120M); default: the last model global.ini offers")
        ->each([&](const std::string&) { ctx.Options.ModelTypeGiven = true; });
    app.add_option("--atis", ctx.Options.Atis, "ATIS functions of the model; default: global.ini")
        ->check(CLI::IsMember({"on", "off"}));
    app.add_option("--program-dir", ctx.Options.ProgramDir,
                   "Folder of global.ini, the destination files and err.log");
    app.add_flag("--diagnostic", ctx.Options.Diagnostic, "Diagnostic mode: error log, monitor");
    app.add_flag("--low-speed", ctx.Options.LowSpeed, "Keep the radio link at 19200 baud");
    app.add_flag("--yes", ctx.Options.Yes, "Answer the radio's questions with OK");
    AddFileCommands(app, ctx);
    AddTransferCommands(app, ctx);
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return kExitUsage;
    }
    ctx.Host.AssumeYes = ctx.Options.Yes;
    ctx.Host.Interactive = tq530::StdinIsTerminal();
    if (const int status = ctx.StartUp(); status != kExitOk) {
        return status;
    }
    return ctx.Run ? ctx.Run() : kExitUsage;
}
