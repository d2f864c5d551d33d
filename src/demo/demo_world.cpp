#include "demo/demo_world.h"

#include "demo/demo_installer.h"
#include "demo/demo_sites.h"
#include "net/host_map.h"
#include "platform/environment.h"
#include "platform/folders.h"
#include "platform/launcher.h"
#include "platform/private_folder.h"
#include "platform/registry_source.h"

#include <nlohmann/json.hpp>


namespace brivane::demo {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kDemoServerThreads = 256;

// A new folder of the user's own under the temporary folder.
fs::path MakeTemporaryFolder() {
    try {
        return platform::CreatePrivateFolder(platform::GetTempFolder(), "brivane-demo-");
    } catch (const std::runtime_error&) {
        throw EDemoError("Cannot make a temporary folder in " + platform::GetTempFolder().string());
    }
}

// The kept folder, made when missing; it must be empty, so that nothing of the user's is
// mixed with the demo's or taken for its data.
fs::path KeptFolder(const fs::path& aKeep) {
    std::error_code error;
    fs::create_directories(aKeep, error);
    if (error || !fs::is_directory(aKeep, error)) {
        throw EDemoError("Cannot make the folder " + aKeep.string(), true);
    }
    if (!fs::is_empty(aKeep, error) || error) {
        throw EDemoError("The folder to keep the demo in is not empty: " + aKeep.string(), true);
    }
    return fs::absolute(aKeep);
}

void SetEnvironment(const char* aName, const fs::path& aValue) {
    try {
        platform::SetEnv(aName, aValue.string());
    } catch (const std::runtime_error&) {
        throw EDemoError(std::string("Cannot set ") + aName);
    }
}

// The machine: the stored hives, the demo's mark and the program files.
void MakeMachine(const fs::path& aData, const fs::path& aPrefix) {
    fs::create_directories(aPrefix);
    for (const char* hive : {"system.reg", "user.reg"}) {
        fs::copy_file(aData / "machine" / hive, aPrefix / hive);
    }
    MakeDemoPrefix(aPrefix);
    ApplyDemoInstall(ReadDemoInstaller(aData / "machine" / "files.json"), aPrefix);
}

} // namespace

fs::path DemoDataFolder() {
    return platform::GetExecutableFolder() / "Demo";
}

TDemoWorld::TDemoWorld(TDemoOptions aOptions) : fOptions(std::move(aOptions)) {
    std::error_code error;
    for (const char* part : {"sites", "installers", "machine"}) {
        if (!fs::is_directory(fOptions.Data / part, error)) {
            throw EDemoError("The demo's data is missing: no folder " +
                             (fOptions.Data / part).string());
        }
    }
    fFolder = fOptions.Keep.empty() ? MakeTemporaryFolder() : KeptFolder(fOptions.Keep);
    try {
        MakeMachine(fOptions.Data, Prefix());
        SetEnvironment("XDG_DATA_HOME", fFolder / "data");
        SetEnvironment("XDG_CONFIG_HOME", fFolder / "config");
        SetEnvironment("XDG_CACHE_HOME", fFolder / "cache");
        // Downloads follow APPDATA where it is set; in the demo they stay in its folder.
        platform::UnsetEnv("APPDATA");
        platform::SetRegistryPathOverride(Prefix());

        // A connection for every catalogue entry's client at once, and some to spare.
        fServer = std::make_unique<TLoopbackServer>(kDemoServerThreads);
        ServeSites(fServer->Server(), {fOptions.Data / "installers", fOptions.Data / "sites"});
        fServer->Start();
        const std::string map = nlohmann::json{{"*", fServer->Origin() + "/{host}"}}.dump();
        net::SetHostMap(std::make_shared<const net::THostMap>(net::THostMap::Parse(map, "demo")));
        platform::SetLauncherOverride(fOptions.Launcher);
    } catch (const std::exception& e) {
        if (fOptions.Keep.empty()) {
            fs::remove_all(fFolder, error);
        }
        throw EDemoError(std::string("Cannot set the demo up: ") + e.what());
    }
}

TDemoWorld::~TDemoWorld() {
    platform::SetLauncherOverride({});
    net::ResetHostMap();
    fServer.reset();
    platform::SetRegistryPathOverride({});
    if (fOptions.Keep.empty()) {
        std::error_code error;
        fs::remove_all(fFolder, error);
    }
}

} // namespace brivane::demo
