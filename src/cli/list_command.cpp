// brivane-cli list: the Updates, Actuals and Library lists from what is known without
// going online: the inventory with the installed versions, and the last available
// versions, dates and sizes the cache files remember. It sends no request.

#include "app/controller.h"
#include "cli/commands.h"
#include "cli/console_view.h"
#include "cli/lists_output.h"
#include "cli/progress_bar.h"
#include "cli/registry_option.h"
#include "cli/run_settings.h"

#include <CLI/CLI.hpp>

#include <memory>

namespace brivane::cli {

namespace {

struct TListOptions {
    bool Beta = false;
    bool Shareware = false;
    std::string Registry;
    bool Json = false;
};

void RunList(const TListOptions& aOptions) {
    ApplyRegistryOption(aOptions.Registry);
    const auto settings = ReadRunSettings(aOptions.Beta, aOptions.Shareware);

    TProgressBar bar(std::cerr, false); // nothing is slow enough to show progress
    TConsoleView view(bar);
    TControllerOptions options;
    options.Config = settings->Config();
    TController controller(std::move(options));
    RegisterCatalogue(controller);
    controller.ShowKnownLists(view);
    PrintLists(controller, view, aOptions.Json);
}

} // namespace

void RegisterListCommand(CLI::App& aApp) {
    auto options = std::make_shared<TListOptions>();
    auto* command = aApp.add_subcommand(
        "list", "List the installed programs and the catalogue with what is known offline");
    command->add_flag("--beta", options->Beta,
                      "accepted as check accepts it; nothing is checked, so it changes nothing");
    command->add_flag("--shareware", options->Shareware, "show paid programs (this run only)");
    AddRegistryOption(*command, options->Registry);
    command->add_flag("--json", options->Json, "print the three lists as JSON");
    command->callback([options] { RunList(*options); });
}

} // namespace brivane::cli
