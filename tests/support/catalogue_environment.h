#pragma once
// The machine of a catalogue test: a Wine prefix in a temporary folder (its
// registry, drive C and the per-user data folder), a loopback server that stands
// in for every publisher's site through the host map, and the machine as the
// catalogue's entries see it, read from the prefix.

#include "catalogue/base_software.h"
#include "catalogue/installed_system.h"
#include "support/loopback_server.h"
#include "support/site_fixtures.h"
#include "support/temp_dir.h"

#include <atomic>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace brivane::test {

// One uninstall record of the local machine; empty values are left out.
struct TUninstallRecord {
    std::string Key;
    std::string DisplayName;
    std::string DisplayVersion;
    std::string DisplayIcon;
    std::string InstallLocation;
    std::string UninstallString = {};
};

class TCatalogueEnvironment {
public:
    // An empty 64-bit machine.
    TCatalogueEnvironment();
    ~TCatalogueEnvironment();
    TCatalogueEnvironment(const TCatalogueEnvironment&) = delete;
    TCatalogueEnvironment& operator=(const TCatalogueEnvironment&) = delete;

    // The machine's registry, read when System is first called.
    void SetMachine(const std::vector<TUninstallRecord>& aRecords, bool aWindows64 = true);
    // A text value under the current user's key aKey ("Software\7-Zip").
    void SetUserValue(const std::string& aKey, const std::string& aName, const std::string& aValue);
    // A file below drive C ("Program Files/CCleaner/CCleaner.exe").
    std::filesystem::path WriteDriveFile(std::string_view aPath, std::string_view aBytes);

    // Every publisher's address "https://host/path" is served as "/host/path": from
    // the site fixtures (site_fixtures.h) unless a handler of the test's own answers.
    // Register handlers before System is first called: the server starts then.
    httplib::Server& Server() { return fServer.Server(); }
    // What the site fixtures answer from now on.
    void SetSiteMode(TSiteMode aMode) { fSiteMode = aMode; }
    // Every request fails from now on: the host map points at a closed port.
    void RefuseConnections();
    // Serves aBody at aPath of the server. Later calls for a path served before replace
    // its body, also while the server runs; new paths only come before it starts.
    void ServeText(const std::string& aPath, std::string aBody,
                   std::string aContentType = "text/html");

    // The machine as it is at the first call; the entries' context.
    TInstalledSystem& System();
    // Takes the entry over and gives it the machine as its context.
    TBaseSoftware& Register(std::unique_ptr<TBaseSoftware> aEntry);
    // The entries registered so far, in registration order.
    std::vector<TBaseSoftware*> Entries() const;
    // The catalogue's entry of that name, after registering the whole catalogue.
    TBaseSoftware& CatalogueEntry(std::string_view aName);
    // That entry initialised and checked afresh.
    TBaseSoftware& CheckEntry(std::string_view aName, bool aCheckBetaVersion = false,
                              TLanguage aLanguage = lEnglish);

private:
    void WriteRegistryFiles() const;

    TTempDir fRoot;
    TScopedEnv fRegistrySource;
    TScopedEnv fDataFolder;
    // Before the server, which reads them until it stops.
    struct TText {
        std::string Body;
        std::string ContentType;
    };
    std::mutex fTextsLock;
    std::map<std::string, TText> fTexts;
    std::atomic<TSiteMode> fSiteMode{TSiteMode::Files};
    TLoopbackServer fServer;
    std::string fMachine;
    std::map<std::string, std::map<std::string, std::string>> fUserValues;
    bool fWindows64 = true;
    std::unique_ptr<TInstalledSystem> fSystem;
    std::vector<std::unique_ptr<TBaseSoftware>> fEntries;
    bool fCatalogueRegistered = false;
};

// The bytes of tests/fixtures/pages/<aName>.
std::string PageFixture(std::string_view aName);

} // namespace brivane::test
