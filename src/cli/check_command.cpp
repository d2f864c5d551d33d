// brivane-cli check: the program's start sequence without its window. It reads the
// inventory, checks the installed catalogue entries (the update pass), checks the others
// (the library pass) to the end and prints the Updates, Actuals and Library lists, each
// row with the Problem that kept its check from finding a version, and a summary line on
// standard error. With --trace it also prints what the named entries' checks did.

#include "app/controller.h"
#include "app/localization.h"
#include "app/settings.h"
#include "base/short_text.h"
#include "base/unicode.h"
#include "catalogue/base_software.h"
#include "catalogue/catalogue_table.h"
#include "cli/check_report.h"
#include "cli/commands.h"
#include "cli/console_view.h"
#include "cli/hosts_option.h"
#include "cli/output.h"
#include "cli/progress_bar.h"
#include "cli/registry_option.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "tasks/main_thread.h"
#include "tasks/waking_main_loop.h"

#include <CLI/CLI.hpp>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <memory>

namespace brivane::cli {

namespace {

struct TCheckOptions {
    std::vector<std::string> Names;
    bool Beta = false;
    bool Shareware = false;
    std::string Registry;
    std::string Hosts;
    bool Json = false;
    bool Trace = false;
};

// How much of a Problem the table shows.
constexpr std::size_t kProblemColumnChars = 60;

// The settings of this run: the stored ones with the command line's on top, in a
// store of its own, so that nothing the run sets reaches the user's settings file.
class TRunSettings {
public:
    TRunSettings(const TConfig& aStored, const TCheckOptions& aOptions)
        : fFolder(platform::GetTempFolder() / ("brivane-check-" + std::to_string(getpid()))) {
        const auto file = fFolder / "Config.dat";
        platform::WriteFileAtomically(file, aStored.Snapshot().dump());
        fConfig = std::make_shared<TConfig>(file);
        if (aOptions.Beta) {
            fConfig->SetBoolean(kAllowBeta, true);
        }
        if (aOptions.Shareware) {
            fConfig->SetBoolean(kAllowShareware, true);
        }
    }
    ~TRunSettings() {
        std::error_code error;
        std::filesystem::remove_all(fFolder, error);
    }
    TRunSettings(const TRunSettings&) = delete;
    TRunSettings& operator=(const TRunSettings&) = delete;

    const std::shared_ptr<TConfig>& Config() const { return fConfig; }

private:
    std::filesystem::path fFolder;
    std::shared_ptr<TConfig> fConfig;
};

std::string DownloadURL(const TController& aController, const std::string& aName) {
    const auto* software = aController.GetSoftwareByName(aName);
    return software ? software->DownloadURL() : std::string();
}

nlohmann::ordered_json RowsJson(const TController& aController,
                                const std::vector<TListRow>& aRows) {
    auto rows = nlohmann::ordered_json::array();
    for (const auto& row : aRows) {
        const auto& item = row.Item;
        rows.push_back({
            {"Name", item.Name},
            {"CurrentVersion", item.CurrentVersion},
            {"AvailableVersion", item.AvailableVersion},
            {"UpdateDate", item.UpdateDate == kZeroDate
                               ? nlohmann::ordered_json(nullptr)
                               : nlohmann::ordered_json(FormatIsoDateTime(item.UpdateDate))},
            {"InformationRu", item.InformationRu},
            {"InformationEn", item.InformationEn},
            {"Size", item.Size},
            {"Category", CategoryIdentifier(item.Category)},
            {"DownloadURL", DownloadURL(aController, item.Name)},
            {"Problem", ProblemJson(item.Problem)},
        });
    }
    return rows;
}

void PrintList(const char* aTitle, const std::vector<TListRow>& aRows) {
    std::cout << aTitle << " (" << aRows.size() << ")\n";
    if (aRows.empty()) {
        return;
    }
    TTable table({"Name", "Installed", "Available", "Size", "Date", "Problem"});
    for (const auto& row : aRows) {
        const auto& item = row.Item;
        std::string date = item.UpdateDate == kZeroDate ? "" : FormatIsoDateTime(item.UpdateDate);
        std::replace(date.begin(), date.end(), 'T', ' ');
        const bool unknown = item.Problem.Kind != TCheckProblem::None;
        // A check that found nothing must not read as "up to date".
        table.AddRow({item.Name, item.CurrentVersion,
                      item.AvailableVersion.empty() && unknown ? "?" : item.AvailableVersion,
                      item.Size == kZeroSize ? "" : item.SizeAsString(CurrentLanguage.load()), date,
                      ShortText(DescribeProblem(item.Problem), kProblemColumnChars)});
    }
    table.Print(std::cout);
}

void PrintLists(const TController& aController, const TConsoleView& aView, bool aJson,
                const std::vector<const TBaseSoftware*>& aTraced) {
    if (aJson) {
        nlohmann::ordered_json lists = {{"updates", RowsJson(aController, aView.Updates())},
                                        {"actuals", RowsJson(aController, aView.Actuals())},
                                        {"library", RowsJson(aController, aView.Programs())}};
        if (!aTraced.empty()) {
            lists["traces"] = TracesJson(aTraced);
        }
        PrintJson(std::cout, lists);
        return;
    }
    PrintList("Updates", aView.Updates());
    std::cout << '\n';
    PrintList("Actuals", aView.Actuals());
    std::cout << '\n';
    PrintList("Library", aView.Programs());
    PrintTraces(std::cout, aTraced);
}

// The catalogue entries of the names, in their order; every name must be an entry's, in
// any letter case.
std::vector<TBaseSoftware*> FindNames(const TController& aController,
                                      const std::vector<std::string>& aNames) {
    const auto catalogue = aController.GetSoftwareList();
    std::vector<TBaseSoftware*> entries;
    for (const auto& name : aNames) {
        const auto found =
            std::find_if(catalogue.begin(), catalogue.end(), [&name](const auto* aSoftware) {
                return SameText(aSoftware->Info().Name(), name);
            });
        if (found == catalogue.end()) {
            throw TCliError("Not in the catalogue: " + name);
        }
        entries.push_back(*found);
    }
    return entries;
}

void RunCheck(const TCheckOptions& aOptions) {
    ApplyHostsOption(aOptions.Hosts);
    ApplyRegistryOption(aOptions.Registry);
    TConfig stored;
    PrintWarnings(std::cerr, stored.TakeWarnings());
    InitLocalization(stored);
    const TRunSettings settings(stored, aOptions);

    TProgressBar bar(std::cerr, TProgressBar::StandardErrorIsTerminal());
    const auto loop = std::dynamic_pointer_cast<TWakingMainLoop>(MainThreadDispatcher());
    if (!loop) {
        throw std::logic_error("check needs the waking main loop of brivane-cli");
    }
    TConsoleView view(bar);
    TControllerOptions options;
    options.Config = settings.Config();
    options.CatalogueFilter = aOptions.Names;
    TController controller(std::move(options));
    RegisterCatalogue(controller);
    std::vector<const TBaseSoftware*> traced;
    for (auto* entry : FindNames(controller, aOptions.Names)) {
        if (aOptions.Trace && std::find(traced.begin(), traced.end(), entry) == traced.end()) {
            entry->SetTraceSteps(true);
            traced.push_back(entry);
        }
    }

    controller.HandleOnStart(view);
    if (!loop->RunUntil([&controller] { return controller.Idle(); },
                        std::chrono::milliseconds(50))) {
        throw TCliError("The check was interrupted", kExitFailure);
    }
    bar.Clear();
    PrintLists(controller, view, aOptions.Json, traced);
    std::cerr << CheckSummary(view.Updates(), view.Actuals(), view.Programs()) << std::endl;
}

} // namespace

void RegisterCheckCommand(CLI::App& aApp) {
    auto options = std::make_shared<TCheckOptions>();
    auto* command = aApp.add_subcommand(
        "check", "Check the installed programs and the catalogue online and list the results");
    auto* names = command->add_option("NAME", options->Names,
                                      "check only these catalogue programs (any letter case)");
    command->add_flag("--beta", options->Beta, "offer pre-release versions (this run only)");
    command->add_flag("--shareware", options->Shareware, "show paid programs (this run only)");
    AddRegistryOption(*command, options->Registry);
    AddHostsOption(*command, options->Hosts);
    command->add_flag("--json", options->Json, "print the three lists as JSON");
    command
        ->add_flag("--trace", options->Trace,
                   "also print every request and pattern of the named programs' checks")
        ->needs(names);
    command->callback([options] { RunCheck(*options); });
}

} // namespace brivane::cli
