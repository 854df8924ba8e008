// tq530-cli: reads, converts, dumps and programs NR6120 data sets without the GUI.
#include <cerrno>
#include <cstring>
#include <iostream>

#include "app/startup.h"
#include "cli/cli.h"
#include "cli/platform_runtime.h"
#include "core/file_io.h"
#include "core/platform_file.h"
#include "core/program_dir.h"
#include "core/version_text.h"
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

void TerminalHost::ShowReason(const std::string& text) {
    std::fprintf(stderr, "%s\n", text.c_str());
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

bool CheckNotInput(const std::vector<std::string>& inputs, const std::string& out) {
    for (const std::string& in : inputs) {
        if (SameFile(in, out)) {
            std::fprintf(stderr, "%s: is the input file; write the output to another file\n",
                         out.c_str());
            return false;
        }
    }
    return true;
}

int PrintToStdout(const std::string& text) {
    errno = 0;
    const bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
    if (written && std::fflush(stdout) == 0) {
        return kExitOk;
    }
    const int e = errno;
    std::fprintf(stderr, "stdout: %s\n", e != 0 ? std::strerror(e) : "write failed");
    return kExitFailed;
}

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const size_t length = byte < 0x80                    ? 1
                              : byte >= 0xC2 && byte <= 0xDF ? 2
                              : byte >= 0xE0 && byte <= 0xEF ? 3
                              : byte >= 0xF0 && byte <= 0xF4 ? 4
                                                             : 0;
        bool utf8 = length > 1 && i + length <= text.size();
        for (size_t k = 1; utf8 && k < length; ++k) {
            utf8 = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
        }
        if (utf8) {
            out.append(text, i, length);
            i += length - 1;
        } else if (byte == '"' || byte == '\\') {
            out += '\\';
            out += static_cast<char>(byte);
        } else if (byte < 0x20 || byte == 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            out += escape;
        } else if (byte < 0x80) {
            out += static_cast<char>(byte);
        } else {  // a Latin-1 byte
            out += static_cast<char>(0xC0 | (byte >> 6));
            out += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return out + "\"";
}

int Context::StartUp() {
    if (Options.ProgramDir.empty()) {
        Options.ProgramDir = DefaultProgramDir();
    }
    if (!Store) {
        Store = MakeUserSettingsStore();
    }
    Ws.DiagnosticMode = Options.Diagnostic;
    Ws.LowSpeedLink = Options.LowSpeed;
    StartUpOverrides overrides;
    if (Options.ModelTypeGiven) {
        overrides.ModelType = Options.ModelType;
    }
    if (!Options.Atis.empty()) {
        overrides.Atis = Options.Atis == "on";
    }
    overrides.SupportedModelsOnly = true;
    const StartUpResult result =
        PrepareStartUp(Ws, Options.ProgramDir, *Store, overrides, Host, Destinations);
    switch (result.Failure) {
        case StartUpFailure::None:
            return kExitOk;
        case StartUpFailure::NoModel:
            Host.ShowMessage("Unknown model!!", kAppTitle, MsgIcon::Critical);
            Host.ShowReason(result.Reason);
            return kExitFailed;
        case StartUpFailure::UnsupportedModel:
            std::fprintf(stderr, "%s\n", result.Reason.c_str());
            return kExitUsage;
    }
    return kExitFailed;
}

// A first word that is no command is named back with the commands there are; the parser
// would only say that a command is missing.
bool CheckCommandWord(const CLI::App& app, int argc, char** argv) {
    std::string word;
    for (int i = 1; i < argc && word.empty(); ++i) {
        const std::string arg = argv[i];
        if (arg.empty() || arg[0] != '-') {
            word = arg;
        } else if (arg.find('=') == std::string::npos) {
            const CLI::Option* option = app.get_option_no_throw(arg);
            i += option != nullptr && option->get_expected_min() > 0 ? 1 : 0;
        }
    }
    if (argc <= 1 || word.empty()) {
        return true;
    }
    std::string names;
    for (const CLI::App* sub : app.get_subcommands([](const CLI::App*) { return true; })) {
        if (sub->check_name(word)) {
            return true;
        }
        names += (names.empty() ? "" : ", ") + sub->get_name();
    }
    std::fprintf(stderr, "%s: no such command; the commands are %s\n", word.c_str(), names.c_str());
    return false;
}

// An option no command knows is named as unknown before the parser runs: the parser would
// pass it on to the main options and then miss a required one ("read --prot X" would say that
// --port is required).
bool CheckOptionWords(const CLI::App& app, int argc, char** argv) {
    const CLI::App* command = nullptr;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--") {
            return true;
        }
        if (arg.size() < 2 || arg[0] != '-') {
            if (command == nullptr) {
                for (const CLI::App* sub :
                     app.get_subcommands([](const CLI::App*) { return true; })) {
                    command = sub->check_name(arg) ? sub : command;
                }
            }
            continue;
        }
        const std::string name = arg.substr(0, arg.find('='));
        const CLI::Option* option =
            command != nullptr ? command->get_option_no_throw(name) : nullptr;
        option = option != nullptr ? option : app.get_option_no_throw(name);
        if (option == nullptr) {
            std::fprintf(stderr, "%s: unknown option; tq530-cli %s--help lists the options\n",
                         name.c_str(),
                         command != nullptr ? (command->get_name() + " ").c_str() : "");
            return false;
        }
        if (name == arg && option->get_expected_min() > 0) {
            ++i;
        }
    }
    return true;
}

}  // namespace tq530::cli

int main(int argc, char** argv) {
    using namespace tq530::cli;
    CLI::App app{"TQ530 command line: NR6120 data sets and radio transfers"};
    app.require_subcommand(1);
    // The global options may also follow the command: "convert A B --model-type 11".
    app.fallthrough();
    app.set_version_flag("-V,--version", tq530::VersionText("tq530-cli"));
    Context ctx;
    app.add_option("--model-type", ctx.Options.ModelType,
                   "Model type (1 NR6120, 11 NR6120M); default: the last model global.ini offers")
        ->each([&](const std::string&) { ctx.Options.ModelTypeGiven = true; });
    app.add_option("--atis", ctx.Options.Atis, "ATIS functions of the model; default: global.ini")
        ->check(CLI::IsMember({"on", "off"}));
    app.add_option("--program-dir", ctx.Options.ProgramDir,
                   "Folder of global.ini, the destination files and err.log; default: the "
                   "executable's folder when it holds global.ini, else ../share/tq530 from it");
    app.add_flag("--diagnostic", ctx.Options.Diagnostic, "Diagnostic mode: error log, monitor");
    app.add_flag("--low-speed", ctx.Options.LowSpeed, "Keep the radio link at 19200 baud");
    app.add_flag("--yes", ctx.Options.Yes, "Answer the radio's questions with OK");
    AddFileCommands(app, ctx);
    AddTransferCommands(app, ctx);
    AddCsvCommands(app, ctx);
    AddDiffCommand(app, ctx);
    AddExtraCommands(app, ctx);
    if (!CheckCommandWord(app, argc, argv) || !CheckOptionWords(app, argc, argv)) {
        return kExitUsage;
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForVersion& e) {
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
