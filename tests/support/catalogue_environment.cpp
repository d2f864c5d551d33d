#include "support/catalogue_environment.h"

#include "catalogue/catalogue_table.h"
#include "net/host_map.h"

#include <stdexcept>

namespace brivane::test {

namespace {

// A text as a quoted value of Wine's registry files.
std::string WineString(std::string_view aText) {
    std::string quoted = "\"";
    for (const char c : aText) {
        if (c == '\\' || c == '"') {
            quoted += '\\';
        }
        quoted += c;
    }
    return quoted += '"';
}

// A key path as Wine writes it: its backslashes doubled.
std::string WineKey(std::string_view aPath) {
    std::string key;
    for (const char c : aPath) {
        key += c;
        if (c == '\\') {
            key += '\\';
        }
    }
    return key;
}

std::string HiveHeader(const char* aRoot, bool aWindows64) {
    return std::string("WINE REGISTRY Version 2\n;; All keys relative to ") + aRoot + "\n\n" +
           (aWindows64 ? "#arch=win64\n" : "#arch=win32\n");
}

} // namespace

TCatalogueEnvironment::TCatalogueEnvironment()
    : fRegistrySource("BRIVANE_REGISTRY", (fRoot / "prefix").c_str()),
      fDataFolder("XDG_DATA_HOME", (fRoot / "data").c_str()) {
    std::filesystem::create_directories(fRoot / "prefix" / "drive_c");
    std::filesystem::create_directories(fRoot / "prefix" / "dosdevices");
    std::filesystem::create_symlink("../drive_c", fRoot / "prefix" / "dosdevices" / "c:");
    WriteRegistryFiles();
    net::SetHostMap(std::make_shared<const net::THostMap>(
        net::THostMap::Parse(R"({"*": ")" + fServer.Origin() + R"(/{host}"})", "test")));
}

TCatalogueEnvironment::~TCatalogueEnvironment() {
    fEntries.clear();
    fSystem.reset();
    net::ResetHostMap();
}

void TCatalogueEnvironment::SetMachine(const std::vector<TUninstallRecord>& aRecords,
                                       bool aWindows64) {
    fWindows64 = aWindows64;
    fMachine.clear();
    for (const auto& record : aRecords) {
        fMachine +=
            "\n[" +
            WineKey("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + record.Key) +
            "] 1796856856\n";
        const std::pair<const char*, const std::string*> values[] = {
            {"DisplayName", &record.DisplayName},
            {"DisplayVersion", &record.DisplayVersion},
            {"DisplayIcon", &record.DisplayIcon},
            {"InstallLocation", &record.InstallLocation},
            {"UninstallString", &record.UninstallString},
        };
        for (const auto& [name, value] : values) {
            if (!value->empty()) {
                fMachine += WineString(name) + "=" + WineString(*value) + "\n";
            }
        }
    }
    WriteRegistryFiles();
}

void TCatalogueEnvironment::SetUserValue(const std::string& aKey, const std::string& aName,
                                         const std::string& aValue) {
    fUserValues[aKey][aName] = aValue;
    WriteRegistryFiles();
}

void TCatalogueEnvironment::WriteRegistryFiles() const {
    fRoot.Write("prefix/system.reg", HiveHeader("REGISTRY\\\\Machine", fWindows64) + fMachine);
    std::string user = HiveHeader("REGISTRY\\\\User\\\\S-1-5-21-0-0-0-1000", fWindows64);
    for (const auto& [key, values] : fUserValues) {
        user += "\n[" + WineKey(key) + "] 1796856856\n";
        for (const auto& [name, value] : values) {
            user += WineString(name) + "=" + WineString(value) + "\n";
        }
    }
    fRoot.Write("prefix/user.reg", user);
}

std::filesystem::path TCatalogueEnvironment::WriteDriveFile(std::string_view aPath,
                                                            std::string_view aBytes) {
    return fRoot.Write("prefix/drive_c/" + std::string(aPath), aBytes);
}

void TCatalogueEnvironment::ServeText(const std::string& aPath, std::string aBody,
                                      std::string aContentType) {
    std::lock_guard lock(fTextsLock);
    const bool known = fTexts.contains(aPath);
    fTexts[aPath] = {std::move(aBody), std::move(aContentType)};
    if (known) {
        return;
    }
    if (fSystem) {
        throw std::logic_error("the server runs already: no new path " + aPath);
    }
    Server().Get(aPath, [this, aPath](const httplib::Request&, httplib::Response& aResponse) {
        std::lock_guard lock(fTextsLock);
        const TText& text = fTexts.at(aPath);
        aResponse.set_content(text.Body, text.ContentType);
    });
}

TInstalledSystem& TCatalogueEnvironment::System() {
    if (!fSystem) {
        ServeSiteFixtures(Server(), &fSiteMode);
        fServer.Start();
        fSystem = std::make_unique<TInstalledSystem>();
    }
    return *fSystem;
}

TBaseSoftware& TCatalogueEnvironment::Register(std::unique_ptr<TBaseSoftware> aEntry) {
    aEntry->SetContext(System());
    fEntries.push_back(std::move(aEntry));
    return *fEntries.back();
}

void TCatalogueEnvironment::RefuseConnections() {
    net::SetHostMap(std::make_shared<const net::THostMap>(
        net::THostMap::Parse(R"({"*": "http://127.0.0.1:1/{host}"})", "test")));
}

std::vector<TBaseSoftware*> TCatalogueEnvironment::Entries() const {
    std::vector<TBaseSoftware*> entries;
    for (const auto& entry : fEntries) {
        entries.push_back(entry.get());
    }
    return entries;
}

TBaseSoftware& TCatalogueEnvironment::CatalogueEntry(std::string_view aName) {
    if (!fCatalogueRegistered) {
        for (const TSoftwareFactory factory : CatalogueFactories()) {
            Register(factory());
        }
        fCatalogueRegistered = true;
    }
    for (const auto& entry : fEntries) {
        if (entry->Info().Name() == aName) {
            return *entry;
        }
    }
    throw std::runtime_error("no catalogue entry " + std::string(aName));
}

TBaseSoftware& TCatalogueEnvironment::CheckEntry(std::string_view aName, bool aCheckBetaVersion,
                                                 TLanguage aLanguage) {
    TBaseSoftware& entry = CatalogueEntry(aName);
    entry.Init();
    entry.Check(aCheckBetaVersion, aLanguage);
    return entry;
}

std::string PageFixture(std::string_view aName) {
    return ReadAll(std::filesystem::path(BRIVANE_FIXTURES_DIR) / "pages" / aName);
}

} // namespace brivane::test
