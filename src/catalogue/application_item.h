#pragma once
// One installed application as the uninstall records of the registry describe it.

#include <string>

namespace brivane {

struct TApplicationItem {
    std::string Name;
    std::string Version;
    std::string Icon;
    std::string InstallLocation;
    std::string UninstallString;

    // Sets the version and returns a copy of the changed item.
    TApplicationItem SetVersion(std::string aVersion) {
        Version = std::move(aVersion);
        return *this;
    }
};

// Items are ordered by Name, then Version, both compared case-insensitively
// (Unicode letters, Cyrillic included); two items comparing equal are the same
// application.
int CompareApplicationItems(const TApplicationItem& aLeft, const TApplicationItem& aRight);
bool SameApplicationItem(const TApplicationItem& aLeft, const TApplicationItem& aRight);

} // namespace brivane
