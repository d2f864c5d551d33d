#pragma once
// The demo world: the whole program at work on any machine, offline. For the life of
// the object the process runs against
//   - a loopback web server with every publisher's pages, services and installers
//     (the demo data's sites/, with installers/ in front of them), which the host map
//     {"*": ...} puts in place of every origin, so that no request leaves 127.0.0.1;
//   - a Wine-style prefix with the demo machine's registry and program files, as the
//     registry source (machine/system.reg, machine/user.reg, machine/files.json);
//   - a fresh data folder (XDG_DATA_HOME, XDG_CONFIG_HOME, XDG_CACHE_HOME point into the
//     demo's folder), so that the user's settings, caches and downloads stay untouched;
//   - a launcher that runs downloaded files as demo installers (demo_installer.h).
// The demo's folder is a temporary one, removed at the end, or one the user keeps.
//
// A front end makes it once, before the settings are read and before other threads
// start: it changes the process's environment.

#include "demo/loopback_server.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace brivane::demo {

// The programs the command-line demo installs: two updates and one Library program.
inline const std::vector<std::string> kDemoInstalls = {"7-Zip", "SpeedFan", "VLC media player"};

class EDemoError : public std::runtime_error {
public:
    explicit EDemoError(const std::string& aMessage, bool aBadInput = false)
        : std::runtime_error(aMessage), fBadInput(aBadInput) {}
    // The user's input (the folder to keep the demo in) was refused.
    bool BadInput() const { return fBadInput; }

private:
    bool fBadInput;
};

struct TDemoOptions {
    // The demo data: sites/, installers/ and machine/.
    std::filesystem::path Data = {};
    // A folder to keep the demo's data folder and machine in (made when missing, refused
    // when not empty); empty: a temporary folder.
    std::filesystem::path Keep = {};
    // The command that runs a demo installer file: its words, which the file follows.
    std::vector<std::string> Launcher = {};
};

// The demo data beside the executable ("Demo"), where the build and the installation
// put it.
std::filesystem::path DemoDataFolder();

class TDemoWorld {
public:
    // EDemoError when the data is missing or the folder cannot be used.
    explicit TDemoWorld(TDemoOptions aOptions);
    ~TDemoWorld();
    TDemoWorld(const TDemoWorld&) = delete;
    TDemoWorld& operator=(const TDemoWorld&) = delete;

    // The demo's folder: data/, config/, cache/ and prefix/ (the machine).
    const std::filesystem::path& Folder() const { return fFolder; }
    std::filesystem::path Prefix() const { return fFolder / "prefix"; }
    // Where the publishers' sites are served.
    std::string Origin() const { return fServer->Origin(); }
    // The requests the sites have answered.
    std::uint64_t Requests() const { return fServer->Requests(); }

private:
    TDemoOptions fOptions;
    std::filesystem::path fFolder;
    std::unique_ptr<TLoopbackServer> fServer;
};

} // namespace brivane::demo
