#include "cli/run_settings.h"

#include "app/localization.h"
#include "cli/output.h"
#include "platform/files.h"
#include "platform/folders.h"

#include <unistd.h>

#include <iostream>
#include <string>

namespace brivane::cli {

TRunSettings::TRunSettings(bool aBeta, bool aShareware)
    : fFolder(platform::GetTempFolder() / ("brivane-check-" + std::to_string(getpid()))) {
    TConfig stored;
    PrintWarnings(std::cerr, stored.TakeWarnings());
    InitLocalization(stored);
    const auto file = fFolder / "Config.dat";
    platform::WriteFileAtomically(file, stored.Snapshot().dump());
    fConfig = std::make_shared<TConfig>(file);
    if (aBeta) {
        fConfig->SetBoolean(kAllowBeta, true);
    }
    if (aShareware) {
        fConfig->SetBoolean(kAllowShareware, true);
    }
}

TRunSettings::~TRunSettings() {
    std::error_code error;
    std::filesystem::remove_all(fFolder, error);
}

} // namespace brivane::cli
