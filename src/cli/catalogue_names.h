#pragma once
// The program names a subcommand is given, checked against the catalogue.

#include <string>
#include <vector>

namespace brivane {
class TController;
}

namespace brivane::cli {

// Every name must be a catalogue entry's, in any letter case; the first that is not is a
// TCliError (bad input).
void CheckNames(const TController& aController, const std::vector<std::string>& aNames);

} // namespace brivane::cli
