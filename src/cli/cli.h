// The command-line front end: shared options, the terminal host and the subcommand groups.
#pragma once

#include <CLI/CLI.hpp>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/destinations.h"
#include "app/settings_store.h"
#include "core/ui_host.h"
#include "core/workspace.h"

namespace tq530::cli {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// Prints the program's messages on stderr. Questions are answered by --yes or, on a
// terminal, by the user; with neither they are cancelled.
class TerminalHost : public UiHost {
  public:
    bool AssumeYes = false;
    bool Interactive = false;
    void ShowMessage(const std::string& text, const std::string& title, MsgIcon icon) override;
    void ShowReason(const std::string& text) override;
    Answer Ask(const std::string& text, const std::string& title, MsgIcon icon, Buttons buttons,
               Answer defaultButton) override;
};

struct GlobalOptions {
    int ModelType = 1;
    bool ModelTypeGiven = false;
    std::string Atis;  // "on", "off" or "" for the configured default
    std::string ProgramDir;
    bool Diagnostic = false;
    bool LowSpeed = false;
    bool Yes = false;
};

// What a subcommand runs once the options are parsed; it returns the exit status.
using Action = std::function<int()>;

struct Context {
    GlobalOptions Options;
    TerminalHost Host;
    Workspace Ws;
    Action Run;
    // The per-user settings the GUI keeps (last model, port, destinations); read, never
    // written, by the command line.
    std::unique_ptr<SettingsStore> Store;
    DestinationMenu Destinations;

    // Chooses the model as the GUI's start-up does (global.ini, last model), lets the global
    // options override it, and builds the start-up data set with the remembered destination.
    // Returns kExitOk, kExitFailed when global.ini offers no model, or kExitUsage.
    int StartUp();
};

void AddFileCommands(CLI::App& app, Context& ctx);
void AddTransferCommands(CLI::App& app, Context& ctx);
void AddCsvCommands(CLI::App& app, Context& ctx);
void AddDiffCommand(CLI::App& app, Context& ctx);
void AddExtraCommands(CLI::App& app, Context& ctx);

// Whether out is none of the command's inputs, under any name or link; when it is one, says so
// on stderr. Every command that reads files and writes one asks before it writes anything.
bool CheckNotInput(const std::vector<std::string>& inputs, const std::string& out);

// Writes text to stdout and flushes it; a failure (a full disk, a closed pipe) is said on
// stderr and gives kExitFailed.
int PrintToStdout(const std::string& text);

// text as a JSON string, quotes included; bytes that are not UTF-8 are taken as Latin-1, so
// that the result is always valid JSON.
std::string JsonString(const std::string& text);

}  // namespace tq530::cli
