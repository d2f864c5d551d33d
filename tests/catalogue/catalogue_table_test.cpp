// Properties every catalogue entry must have, checked against the expectations table:
// whatever the catalogue holds, each entry is listed in order with its category and
// licence, finds what its row says on its publisher's fixtures, and finds nothing,
// without failing, where the publisher answers with nothing useful.

#include "base/unicode.h"
#include "catalogue/catalogue_table.h"
#include "support/catalogue_environment.h"
#include "support/catalogue_expectations.h"

#include <gtest/gtest.h>

#include <set>

using namespace brivane;
using namespace brivane::test;

namespace {

// The machine of a row, with the entry registered and initialised on it.
struct TRowMachine {
    explicit TRowMachine(const TEntryExpectation& aRow) {
        Machine.SetMachine(aRow.Installed, aRow.Windows64);
        if (aRow.Prepare) {
            aRow.Prepare(Machine);
        }
    }
    TCatalogueEnvironment Machine;
};

TExpectedList ListOf(TBaseSoftware& aEntry) {
    if (!aEntry.IsInstalled()) {
        return TExpectedList::Library;
    }
    return aEntry.CompareVersions(aEntry.CurrentVersion(), aEntry.AvailableVersion(), 4) < 0
               ? TExpectedList::Updates
               : TExpectedList::Actuals;
}

} // namespace

TEST(CatalogueTableTest, EveryEntryHasItsRowInCatalogueOrder) {
    TCatalogueEnvironment machine;
    for (const TSoftwareFactory factory : CatalogueFactories()) {
        machine.Register(factory());
    }
    const auto entries = machine.Entries();
    const auto rows = CatalogueExpectations();
    ASSERT_EQ(entries.size(), rows.size());
    std::set<std::string> folded;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        TBaseSoftware& entry = *entries[i];
        SCOPED_TRACE(entry.Info().Name());
        EXPECT_EQ(entry.Info().Name(), rows[i].Name);
        // The name keys the cache files, so two may not differ in letter case alone.
        EXPECT_TRUE(folded.insert(LowerCase(entry.Info().Name())).second);
        entry.Init();
        EXPECT_EQ(entry.Info().Category(), rows[i].Category);
        EXPECT_NE(entry.Info().Category(), scUnknown);
        EXPECT_EQ(entry.Info().License(), rows[i].License);
        EXPECT_FALSE(entry.IsInstalled());
    }
}

TEST(CatalogueTableTest, EveryEntryFindsWhatItsRowSays) {
    for (const TEntryExpectation& row : CatalogueExpectations()) {
        SCOPED_TRACE(row.Name);
        TRowMachine rowMachine(row);
        TBaseSoftware& entry = rowMachine.Machine.CheckEntry(row.Name);
        EXPECT_EQ(entry.IsInstalled(), !row.Installed.empty());
        EXPECT_EQ(entry.CurrentVersion(), row.CurrentVersion);
        EXPECT_EQ(entry.AvailableVersion(), row.AvailableVersion);
        EXPECT_EQ(entry.DownloadURL(), row.DownloadURL);
        EXPECT_EQ(entry.Size(), row.DownloadURL.empty() ? 0 : row.Size);
        EXPECT_EQ(ListOf(entry), row.List);
    }
}

TEST(CatalogueTableTest, TheInstallerFollowsTheMachineAndTheLanguageWhereTheEntrySaysSo) {
    for (const TEntryExpectation& row : CatalogueExpectations()) {
        if (row.DownloadURL.empty() || !row.Windows64) {
            continue;
        }
        SCOPED_TRACE(row.Name);
        {
            TEntryExpectation thirtyTwoBit = row;
            thirtyTwoBit.Windows64 = false;
            TRowMachine rowMachine(thirtyTwoBit);
            const std::string link = rowMachine.Machine.CheckEntry(row.Name).DownloadURL();
            if (OffersX64Installer(row.Name)) {
                EXPECT_NE(link, row.DownloadURL) << "a 32-bit system gets the same installer";
            } else {
                EXPECT_EQ(link, row.DownloadURL) << "the installer depends on the system";
            }
        }
        TRowMachine rowMachine(row);
        const std::string link =
            rowMachine.Machine.CheckEntry(row.Name, false, lRussian).DownloadURL();
        if (InstallerFollowsLanguage(row.Name)) {
            EXPECT_NE(link, row.DownloadURL) << "the Russian interface gets the same installer";
            EXPECT_FALSE(link.empty());
        } else {
            EXPECT_EQ(link, row.DownloadURL) << "the installer depends on the language";
        }
    }
}

TEST(CatalogueTableTest, EveryEntryFindsNothingWhereThePublisherAnswersNothingUseful) {
    for (const auto& [what, mode, refuse] : {
             std::tuple{"empty pages", TSiteMode::EmptyPages, false},
             std::tuple{"noise", TSiteMode::Noise, false},
             std::tuple{"refused connections", TSiteMode::Files, true},
         }) {
        for (const TEntryExpectation& row : CatalogueExpectations()) {
            SCOPED_TRACE(row.Name + " on " + what);
            TRowMachine rowMachine(row);
            rowMachine.Machine.System();
            rowMachine.Machine.SetSiteMode(mode);
            if (refuse) {
                rowMachine.Machine.RefuseConnections();
            }
            TBaseSoftware& entry = rowMachine.Machine.CheckEntry(row.Name);
            EXPECT_EQ(entry.AvailableVersion(), "");
            EXPECT_EQ(entry.CurrentVersion(), row.CurrentVersion);
            EXPECT_EQ(entry.IsInstalled(), !row.Installed.empty());
        }
    }
}
