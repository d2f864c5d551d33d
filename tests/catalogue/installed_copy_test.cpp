// The ways definitions find their installed copy and its files, on a machine of the
// test's own.

#include "catalogue/base_software.h"
#include "support/catalogue_environment.h"
#include "support/pe_samples.h"

#include <gtest/gtest.h>

using namespace brivane;
using namespace brivane::test;

namespace {

// An entry whose FindApplication the test runs step by step.
class TProbeEntry final : public TBaseSoftware {
public:
    TProbeEntry() : TBaseSoftware("Probe", scSystem) {}

    std::function<void(TProbeEntry&)> OnFind;
    using TBaseSoftware::FindApplication;
    using TBaseSoftware::FindApplicationWithVersionInName;
    using TBaseSoftware::FindFirstApplication;
    using TBaseSoftware::FindHighestApplication;
    using TBaseSoftware::InstalledFile;
    using TBaseSoftware::InstalledFileVersion;
    using TBaseSoftware::THighestFrom;
    using TBaseSoftware::TInstalledFolder;

protected:
    void FindApplication() override {
        if (OnFind) {
            OnFind(*this);
        }
    }
    void GetCheckedParams(bool, TLanguage, TCheckedParams&) override {}
};

TProbeEntry& MakeEntry(TCatalogueEnvironment& aMachine) {
    return static_cast<TProbeEntry&>(aMachine.Register(std::make_unique<TProbeEntry>()));
}

} // namespace

TEST(InstalledCopyTest, HighestVersionFromZeroOrFromTheHeldItem) {
    TCatalogueEnvironment machine;
    machine.SetMachine({
        {"A", "Java 8 Update 91", "8.0.910", "", ""},
        {"B", "Java 8 Update 101", "8.0.1010", "", ""},
        {"C", "Java 8 Update 66", "0", "", ""},
        {"D", "Java 8 Update 101 (64-bit)", "8.0.1010", "", ""},
    });
    TProbeEntry& entry = MakeEntry(machine);
    const auto java32 = NewRegex("^Java\\s+?\\d+?\\s+?Update\\s+?\\d+$");
    const auto zeroOnly = NewRegex("Update 66$");

    entry.OnFind = [&](TProbeEntry& aEntry) {
        aEntry.FindHighestApplication(*java32, TProbeEntry::THighestFrom::Held);
    };
    entry.Init();
    EXPECT_EQ(entry.CurrentVersion(), "8.0.1010"); // the 64-bit item does not match

    // From zero: an item whose version is not above 0 is never taken.
    TProbeEntry& fresh = MakeEntry(machine);
    fresh.OnFind = [&](TProbeEntry& aEntry) {
        EXPECT_FALSE(aEntry.FindHighestApplication(*zeroOnly, TProbeEntry::THighestFrom::Zero));
    };
    fresh.Init();
    EXPECT_FALSE(fresh.IsInstalled());

    // Held: the item held from an earlier call is replaced only by a higher version.
    fresh.OnFind = [&](TProbeEntry& aEntry) {
        aEntry.FindHighestApplication(*zeroOnly, TProbeEntry::THighestFrom::Held);
    };
    fresh.Init();
    EXPECT_EQ(fresh.CurrentVersion(), "0");
    fresh.OnFind = [&](TProbeEntry& aEntry) {
        EXPECT_TRUE(aEntry.FindHighestApplication(*java32, TProbeEntry::THighestFrom::Held));
    };
    fresh.RefreshCurrentVersion();
    EXPECT_EQ(fresh.CurrentVersion(), "8.0.1010");
}

TEST(InstalledCopyTest, FilesInEachFolderOfTheInstalledCopy) {
    TCatalogueEnvironment machine;
    machine.WriteDriveFile("Soft/Tool/tool.exe", ProgramWithVersion("3.4.5.6"));
    machine.WriteDriveFile("Soft/cut.exe", ProgramWithVersion("1.0"));
    machine.WriteDriveFile("Soft/Tool/plain.txt", "no version here");
    machine.SetMachine({{"Tool", "Tool", "1.0", "C:\\Soft\\Tool\\tool.exe", "C:\\Soft\\Tool",
                         "\"C:\\Soft\\Tool\\uninst.exe\" /S"}});
    TProbeEntry& entry = MakeEntry(machine);
    entry.OnFind = [](TProbeEntry& aEntry) { aEntry.FindFirstApplication(*NewRegex("^Tool$")); };
    entry.Init();
    using TFolder = TProbeEntry::TInstalledFolder;
    struct TCase {
        TFolder Folder;
        const char* File;
        const char* Path;
        const char* Version;
    };
    const TCase cases[] = {
        {TFolder::InstallLocation, "tool.exe", "C:\\Soft\\Tool\\tool.exe", "3.4.5.6"},
        {TFolder::InstallLocationCut, "cut.exe", "C:\\Soft\\cut.exe", "1.0.0.0"},
        {TFolder::UninstallFolder, "tool.exe", "C:\\Soft\\Tool\\tool.exe", "3.4.5.6"},
        {TFolder::IconFolder, "tool.exe", "C:\\Soft\\Tool\\tool.exe", "3.4.5.6"},
        {TFolder::InstallLocation, "plain.txt", "C:\\Soft\\Tool\\plain.txt", ""},
        {TFolder::InstallLocation, "missing.exe", "", ""},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.File);
        EXPECT_EQ(entry.InstalledFile(c.Folder, c.File), c.Path);
        EXPECT_EQ(entry.InstalledFileVersion(c.Folder, c.File), c.Version);
    }
}
