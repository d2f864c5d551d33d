#pragma once
// The --hosts FILE option shared by the subcommands that send requests: it
// installs a host rewrite map for the process (else BRIVANE_HOSTS applies).

#include <string>

namespace CLI {
class App;
}

namespace brivane::cli {

// Adds --hosts FILE to aCommand, storing the file name in aFile.
void AddHostsOption(CLI::App& aCommand, std::string& aFile);

// Installs the map in aFile, or, when aFile is empty, checks the one that
// BRIVANE_HOSTS names. A map that cannot be read or parsed is a TCliError (bad input).
void ApplyHostsOption(const std::string& aFile);

} // namespace brivane::cli
