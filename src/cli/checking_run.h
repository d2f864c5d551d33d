#pragma once
// What the commands that check the catalogue online share: the controller of such a
// run, limited to the programs named, and the main loop run until it is idle.

#include <memory>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace brivane {
class TBaseSoftware;
class TController;
class TRunSettings;
class TWakingMainLoop;
} // namespace brivane

namespace brivane::cli {

// What every command that checks online takes: --beta, --shareware, --registry PATH and
// --hosts FILE.
struct TCheckingOptions {
    bool Beta = false;
    bool Shareware = false;
    std::string Registry;
    std::string Hosts;
};
void AddCheckingOptions(CLI::App& aCommand, TCheckingOptions& aOptions);

// Puts the registry and host map options in force and reads the run's settings with the
// options on top (ReadRunSettings).
std::unique_ptr<TRunSettings> ApplyCheckingOptions(const TCheckingOptions& aOptions);

// The catalogue entries of the names, in their order. Every name must be an entry's, in
// any letter case; the first that is not is a TCliError (bad input).
std::vector<TBaseSoftware*> FindNames(const TController& aController,
                                      const std::vector<std::string>& aNames);

// A controller with the run's settings and the whole catalogue, which its start limits
// to aNames when there are any (checked with FindNames).
std::unique_ptr<TController> MakeCheckingController(const TRunSettings& aSettings,
                                                    const std::vector<std::string>& aNames);

// The waking main loop of brivane-cli (std::logic_error when another is installed).
std::shared_ptr<TWakingMainLoop> CliMainLoop();

// Runs aLoop until aController is idle; TCliError (failure) with aFailure when the loop
// ended first.
void RunUntilIdle(TWakingMainLoop& aLoop, TController& aController, const std::string& aFailure);

} // namespace brivane::cli
