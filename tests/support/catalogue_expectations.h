#pragma once
// What every catalogue entry must find on its site fixtures: one row per entry, in
// catalogue order. The whole-catalogue tests hold each entry to its row, so an entry
// added to the catalogue needs its row here and its publisher's pages under
// data/demo/sites/.

#include "catalogue/software_types.h"
#include "support/catalogue_environment.h"

#include <functional>
#include <span>
#include <string>
#include <vector>

namespace brivane::test {

enum class TExpectedList { Updates, Actuals, Library };

struct TEntryExpectation {
    std::string Name = {};
    TSoftwareCategory Category = scUnknown;
    TSoftwareLicense License = slFreeware;
    // The machine: the uninstall records (none: not installed), its architecture, and
    // anything else the entry reads there (files on drive C, user settings).
    std::vector<TUninstallRecord> Installed = {};
    bool Windows64 = true;
    std::function<void(TCatalogueEnvironment&)> Prepare = {};
    // What a check with beta versions off finds.
    std::string CurrentVersion = {};
    std::string AvailableVersion = {};
    std::string DownloadURL = {};
    // The installer's size and date as the fixtures serve it (0: not asked for).
    std::int64_t Size = kFixtureInstallerSize;
    TExpectedList List = TExpectedList::Library;
};

// Every row, in catalogue order.
std::span<const TEntryExpectation> CatalogueExpectations();

// Whether the entry offers a 32-bit system another installer than a 64-bit one.
bool OffersX64Installer(std::string_view aName);
// Whether the entry's installer follows the interface language.
bool InstallerFollowsLanguage(std::string_view aName);

} // namespace brivane::test
