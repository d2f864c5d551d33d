#pragma once
// The address argument of the subcommands that send requests.

#include <string>

namespace brivane::cli {

// Throws TCliError (bad input) unless aURL is an absolute http or https address.
void RequireWebAddress(const std::string& aURL);

} // namespace brivane::cli
