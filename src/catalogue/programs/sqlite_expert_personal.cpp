// SQLite Expert Personal: the publisher's one-line version file gives the version;
// the installer's address is fixed. The installed version is the file version of
// the program.

#include "catalogue/base_software.h"
#include "catalogue/publisher_sources.h"

namespace brivane::programs {

namespace {

constexpr const char* kVersionFile = "https://www.sqliteexpert.com/version.txt";
constexpr const char* kInstaller = "https://www.sqliteexpert.com/SQLiteExpertPersSetup.exe";
constexpr const char* kExecutable = "SQLiteExpertPers.exe";

class TSQLiteExpertPersonal final : public TBaseSoftware {
public:
    TSQLiteExpertPersonal() : TBaseSoftware("SQLite Expert Personal", scDevelopment) {}

protected:
    // "SQLite Expert Personal 3"
    void FindApplication() override {
        static const auto name = NewRegex("^SQLite\\s+?Expert\\s+?Personal");
        FindFirstApplication(*name);
    }

    std::string GetCurrentVersion() override {
        return FileVersionOrInventory(TInstalledFolder::InstallLocation, kExecutable);
    }

    std::string GetIconLocation() override {
        return IconOrInstalledFile(TInstalledFolder::InstallLocation, kExecutable);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto version = NewRegex("([\\d.]+)");
        CheckVersionFile(*fHTTP, kVersionFile, *version, kInstaller, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeSQLiteExpertPersonal() {
    return std::make_unique<TSQLiteExpertPersonal>();
}

} // namespace brivane::programs
