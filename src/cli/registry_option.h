#pragma once
// The --registry PATH option shared by the subcommands that read the installed
// applications: a Wine prefix folder or an exported .reg file.

#include <string>

namespace CLI {
class App;
}

namespace brivane::cli {

// Adds --registry PATH to aCommand, storing the path in aPath.
void AddRegistryOption(CLI::App& aCommand, std::string& aPath);

// Makes aPath the registry source when it is given. A path that is neither a folder
// nor a regular file (missing, a FIFO, a device) is a TCliError (bad input).
void ApplyRegistryOption(const std::string& aPath);

} // namespace brivane::cli
