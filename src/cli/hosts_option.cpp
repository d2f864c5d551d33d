#include "cli/hosts_option.h"

#include "cli/commands.h"
#include "net/host_map.h"

#include <CLI/CLI.hpp>

namespace brivane::cli {

void AddHostsOption(CLI::App& aCommand, std::string& aFile) {
    aCommand.add_option("--hosts", aFile,
                        "JSON file mapping origins to replacement bases (else BRIVANE_HOSTS)");
}

void ApplyHostsOption(const std::string& aFile) {
    try {
        if (aFile.empty()) {
            net::CurrentHostMap();
        } else {
            net::SetHostMap(std::make_shared<const net::THostMap>(net::THostMap::LoadFile(aFile)));
        }
    } catch (const net::EHostMapError& e) {
        throw TCliError(e.what(), kExitBadInput);
    }
}

} // namespace brivane::cli
