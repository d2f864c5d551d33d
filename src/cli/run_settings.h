#pragma once
// The settings a list command runs with: the stored ones (their warnings printed, the
// interface language taken from them) with the command line's on top, in a store of
// their own, so that nothing the run sets reaches the user's file.

#include "app/run_settings.h"

#include <memory>

namespace brivane::cli {

// aBeta and aShareware turn the settings on for this run; false leaves the stored one.
std::unique_ptr<TRunSettings> ReadRunSettings(bool aBeta, bool aShareware);

} // namespace brivane::cli
