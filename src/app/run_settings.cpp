#include "app/run_settings.h"

#include "platform/files.h"
#include "platform/folders.h"
#include "platform/private_folder.h"

namespace brivane {

TRunSettings::TRunSettings(const TConfig& aStored, bool aAllowBeta, bool aAllowShareware)
    // A new folder of its own: two runs (or two processes) never share or remove each
    // other's settings, and no other user can place a file there first.
    : fFolder(platform::CreatePrivateFolder(platform::GetTempFolder(), "brivane-run-")) {
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
