// Radio transfers of the command line: read, program, clear.
#include "cli/cli.h"

namespace tq530::cli {

void AddTransferCommands(CLI::App& app, Context& ctx) {
    (void)app;
    (void)ctx;
}

}  // namespace tq530::cli
