#pragma once
// Mozilla's desktop programs (Firefox, Thunderbird): two catalogue entries that read
// one kind of page, the program's page of all builds, and differ in their name, the
// product name of their installer links and the page.

#include "catalogue/base_software.h"

#include <memory>

namespace brivane::programs {

struct TMozillaProgram {
    const char* Name;
    TSoftwareCategory Category;
    // Inventory names of this program.
    std::shared_ptr<IRegex> InventoryName;
    // The program's page of all builds.
    const char* AllBuildsPage;
    // The installer links of the two languages offered (see MozillaInstallerLink).
    std::shared_ptr<IRegex> EnglishInstaller;
    std::shared_ptr<IRegex> RussianInstaller;
};

std::unique_ptr<TBaseSoftware> MakeMozillaProgram(TMozillaProgram aProgram);

// The link of aProduct's ("firefox") Windows installer in the language aLanguageCode
// ("ru", "en-US"), in the page's cell of class "download win": group 1 is the link,
// group 2 the version its product name carries.
std::shared_ptr<IRegex> MozillaInstallerLink(const char* aProduct, const char* aLanguageCode);

} // namespace brivane::programs
