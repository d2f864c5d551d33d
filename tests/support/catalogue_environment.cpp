#include "support/catalogue_environment.h"

#include "catalogue/catalogue_table.h"
#include "demo/demo_installer.h"
#include "demo/wine_hive_text.h"
#include "net/host_map.h"

#include <stdexcept>

namespace brivane::test {

TCatalogueEnvironment::TCatalogueEnvironment()
    : fRegistrySource("BRIVANE_REGISTRY", fRoot / "prefix"),
      fDataFolder("XDG_DATA_HOME", fRoot / "data") {
    demo::MakePrefixFolders(fRoot / "prefix");
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
        fMachine += demo::WineKeyLine("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" +
                                      record.Key);
        const std::pair<const char*, const std::string*> values[] = {
            {"DisplayName", &record.DisplayName},
            {"DisplayVersion", &record.DisplayVersion},
            {"DisplayIcon", &record.DisplayIcon},
            {"InstallLocation", &record.InstallLocation},
            {"UninstallString", &record.UninstallString},
        };
        for (const auto& [name, value] : values) {
            if (!value->empty()) {
                fMachine += demo::WineStringLine(name, *value);
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
    fRoot.Write("prefix/system.reg",
                demo::WineHiveHeader(demo::TWineHive::Machine, fWindows64) + fMachine);
    std::string user = demo::WineHiveHeader(demo::TWineHive::User, fWindows64);
    for (const auto& [key, values] : fUserValues) {
        user += demo::WineKeyLine(key);
        for (const auto& [name, value] : values) {
            user += demo::WineStringLine(name, value);
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
