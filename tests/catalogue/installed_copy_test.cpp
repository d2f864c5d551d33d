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

TEST(InstalledCopyTest, VersionInTheNameOrAnUnversionedNameInOneWalk) {
    TCatalogueEnvironment machine;
    machine.SetMachine({
        {"A", "Player Tools", "1.0", "", ""},
        {"B", "Player", "2.5", "", ""},
        {"C", "Player 3.1", "", "", ""},
    });
    TProbeEntry& entry = MakeEntry(machine);
    const auto versioned = NewRegex("^Player\\s+?([\\d.]+)");
    const auto unversioned = NewRegex("^Player$");
    entry.OnFind = [&](TProbeEntry& aEntry) {
        aEntry.FindApplicationWithVersionInName(*versioned, unversioned.get());
    };
    entry.Init();
    EXPECT_EQ(entry.CurrentVersion(), "2.5"); // the earlier item, taken as it is
    EXPECT_EQ((*machine.System().GetInstalledApplications())[2].Version, "");

    entry.OnFind = [&](TProbeEntry& aEntry) {
        aEntry.FindApplicationWithVersionInName(*versioned);
    };
    entry.Init();
    EXPECT_EQ(entry.CurrentVersion(), "3.1");
    EXPECT_EQ((*machine.System().GetInstalledApplications())[2].Version, "3.1");
}

namespace {

// The installed version and icon from the inventory and the installed files.
class TVersionEntry final : public TBaseSoftware {
public:
    TVersionEntry() : TBaseSoftware("Tool", scSystem) {}
    using TBaseSoftware::FileVersionOrInventory;
    using TBaseSoftware::FindInstalledFile;
    using TBaseSoftware::IconOrInstalledFile;
    using TBaseSoftware::InventoryVersionGroup;
    using TBaseSoftware::NewerFileVersion;
    using TBaseSoftware::TInstalledFolder;

protected:
    void GetCheckedParams(bool, TLanguage, TCheckedParams&) override {}
};

} // namespace

TEST(InstalledCopyTest, VersionAndIconFromTheInstalledFiles) {
    TCatalogueEnvironment machine;
    machine.WriteDriveFile("Soft/Tool/tool.exe", ProgramWithVersion("3.4.5.6"));
    machine.WriteDriveFile("Soft/Tool/old.exe", ProgramWithVersion("1.0"));
    machine.WriteDriveFile("Soft/Tool/plain.exe", "no version here");
    machine.WriteDriveFile("Soft/Tool/Helper.exe", ProgramWithVersion("1.0"));
    machine.WriteDriveFile("Soft/Tool/Tool3.exe", ProgramWithVersion("1.0"));
    machine.SetMachine({{"Tool", "Tool", "v2.0", "", "C:\\Soft\\Tool"}});
    auto& entry = static_cast<TVersionEntry&>(machine.Register(std::make_unique<TVersionEntry>()));
    entry.Init();
    using TFolder = TVersionEntry::TInstalledFolder;
    constexpr auto kHere = TFolder::InstallLocation;

    EXPECT_EQ(entry.FileVersionOrInventory(kHere, "tool.exe"), "3.4.5.6");
    EXPECT_EQ(entry.FileVersionOrInventory(kHere, "plain.exe"), ""); // there, without one
    EXPECT_EQ(entry.FileVersionOrInventory(kHere, "missing.exe"), "v2.0");

    // "v2.0" counts as 0.0: any file version with a number above it is newer.
    EXPECT_EQ(entry.NewerFileVersion(kHere, "tool.exe"), "3.4.5.6");
    EXPECT_EQ(entry.NewerFileVersion(kHere, "plain.exe"), "v2.0");
    EXPECT_EQ(entry.NewerFileVersion(kHere, "missing.exe"), "v2.0");

    EXPECT_EQ(entry.InventoryVersionGroup(*NewRegex("^v([\\d.]+)")), "2.0");
    EXPECT_EQ(entry.InventoryVersionGroup(*NewRegex("^([\\d.]+)")), std::nullopt);

    EXPECT_EQ(entry.FindInstalledFile(kHere, *NewRegex("\\\\Tool\\d*\\.exe$")),
              "C:\\Soft\\Tool\\Tool3.exe");
    EXPECT_EQ(entry.FindInstalledFile(kHere, *NewRegex("\\\\Other\\.exe$")), "");
    EXPECT_EQ(entry.FindInstalledFile(TFolder::IconFolder, *NewRegex(".")), ""); // no icon

    // No recorded icon: the executable in the install location, when it is there.
    EXPECT_EQ(entry.IconOrInstalledFile(TProbeEntry::TInstalledFolder::InstallLocation, "tool.exe"),
              "C:\\Soft\\Tool\\tool.exe");
    EXPECT_EQ(
        entry.IconOrInstalledFile(TProbeEntry::TInstalledFolder::InstallLocation, "missing.exe"),
        "");
}

TEST(InstalledCopyTest, RecordedIconIsKeptAndNothingIsFoundWhenNotInstalled) {
    TCatalogueEnvironment machine;
    machine.WriteDriveFile("Soft/Tool/tool.exe", ProgramWithVersion("3.4.5.6"));
    machine.SetMachine({{"Tool", "Tool", "1.0", "C:\\Soft\\tool.ico,0", "C:\\Soft\\Tool"}});
    auto& entry = static_cast<TVersionEntry&>(machine.Register(std::make_unique<TVersionEntry>()));
    entry.Init();
    EXPECT_EQ(entry.IconOrInstalledFile(TProbeEntry::TInstalledFolder::InstallLocation, "tool.exe"),
              "C:\\Soft\\tool.ico,0");

    auto& absent = static_cast<TVersionEntry&>(machine.Register(std::make_unique<TVersionEntry>()));
    EXPECT_EQ(
        absent.FileVersionOrInventory(TVersionEntry::TInstalledFolder::InstallLocation, "tool.exe"),
        "");
    EXPECT_EQ(absent.NewerFileVersion(TVersionEntry::TInstalledFolder::InstallLocation, "tool.exe"),
              "");
    EXPECT_EQ(absent.InventoryVersionGroup(*NewRegex("(.*)")), std::nullopt);
    EXPECT_EQ(
        absent.IconOrInstalledFile(TProbeEntry::TInstalledFolder::InstallLocation, "tool.exe"), "");
}
