#include "cli/run_settings.h"

#include "app/localization.h"
#include "cli/output.h"

#include <iostream>

namespace brivane::cli {

std::unique_ptr<TRunSettings> ReadRunSettings(bool aBeta, bool aShareware) {
    TConfig stored;
    PrintWarnings(std::cerr, stored.TakeWarnings());
    InitLocalization(stored);
    return std::make_unique<TRunSettings>(stored, aBeta, aShareware);
}

} // namespace brivane::cli
