#include "app/run_settings.h"

#include "platform/files.h"
#include "platform/folders.h"

#include <unistd.h>

#include <string>

namespace brivane {

TRunSettings::TRunSettings(const TConfig& aStored, bool aAllowBeta, bool aAllowShareware)
    : fFolder(platform::GetTempFolder() / ("brivane-run-" + std::to_string(getpid()))) {
    const auto file = fFolder / "Config.dat";
    platform::WriteFileAtomically(file, aStored.Snapshot().dump());
    fConfig = std::make_shared<TConfig>(file);
    if (aAllowBeta) {
        fConfig->SetBoolean(kAllowBeta, true);
    }
    if (aAllowShareware) {
        fConfig->SetBoolean(kAllowShareware, true);
    }
}

TRunSettings::~TRunSettings() {
    std::error_code error;
    std::filesystem::remove_all(fFolder, error);
}

} // namespace brivane
