// brivane-cli: the command-line front end.

#include "base/identity.h"
#include "cli/commands.h"
#include "tasks/task_runtime.h"
#include "tasks/waking_main_loop.h"

#include <CLI/CLI.hpp>

#include <iostream>

int main(int argc, char** argv) {
    using namespace brivane;
    // The main-thread loop and the default pool for background work, for the whole run.
    // The loop wakes for every procedure handed to it, so commands that run it serve
    // their background work at once.
    TTaskRuntime runtime(std::make_shared<TWakingMainLoop>());
    CLI::App app{"Brivane keeps the programs on this computer up to date.", "brivane-cli"};
    app.set_version_flag("--version", std::string("Brivane ") + kProgramVersion + " build " +
                                          std::to_string(kProgramBuild));
    app.require_subcommand(0, 1);
    cli::RegisterConfigCommand(app);
    cli::RegisterMatchCommand(app);
    cli::RegisterFetchCommand(app);
    cli::RegisterCheckCommand(app);
    cli::RegisterListCommand(app);
    cli::RegisterInstallCommand(app);
    cli::RegisterInventoryCommand(app);
    cli::RegisterVersionOfCommand(app);
    cli::RegisterProbeCommand(app);
    cli::RegisterSelfUpdateCommand(app);
    cli::RegisterDemoCommand(app);

    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        std::cerr << "brivane-cli: " << e.what() << '\n';
        return cli::kExitBadInput;
    } catch (const cli::TCliError& e) {
        if (*e.what() != '\0') { // without a message, the output has said it all
            std::cerr << "brivane-cli: " << e.what() << '\n';
        }
        return e.ExitCode();
    } catch (const std::exception& e) {
        std::cerr << "brivane-cli: " << e.what() << '\n';
        return cli::kExitFailure;
    }
    if (argc == 1) {
        std::cout << app.help();
    }
    return cli::kExitOk;
}
