#include "base/identity.h"
#include "platform/environment.h"
#include "platform/folders.h"
#include "platform/path_text.h"

namespace brivane::platform {

namespace {

// base/Brivane/ with the trailing separator. Without a base the folder lies in the
// root folder, where writes are refused rather than scattered into the working folder.
std::filesystem::path ProgramFolderIn(const std::filesystem::path& aBase) {
    return (aBase.empty() ? std::filesystem::path("/") : aBase) / kProgramName / "";
}

} // namespace

std::filesystem::path GetAppDataFolder() {
    return ProgramFolderIn(GetRoamingDataFolder());
}

std::filesystem::path GetDownloadsFolder() {
    const std::string appData = GetEnv("APPDATA").value_or("");
    const std::filesystem::path base =
        !appData.empty() ? PathFromUtf8(appData) : GetRoamingDataFolder();
    return ProgramFolderIn(base) / "Downloads" / "";
}

} // namespace brivane::platform
