// The ways catalogue definitions find their program among the installed applications
// and the files of the installed copy.

#include "catalogue/base_software.h"
#include "catalogue/definition_helpers.h"

namespace brivane {

namespace {

// The folder part of a Windows path ("C:\App\uninst.exe" -> "C:\App\"), with the
// quotes and arguments of a command line taken off; empty without a backslash.
std::string FolderOfWindowsPath(std::string_view aPath) {
    std::string_view path = aPath;
    if (path.starts_with('"')) {
        path.remove_prefix(1);
        path = path.substr(0, path.find('"'));
    }
    const auto backslash = path.rfind('\\');
    return backslash == std::string_view::npos ? std::string()
                                               : std::string(path.substr(0, backslash + 1));
}

} // namespace

bool TBaseSoftware::FindFirstApplication(const IRegex& aName) {
    return FindFirstApplication(
        [&aName](const TApplicationItem& aItem) { return aName.IsMatch(aItem.Name); });
}

bool TBaseSoftware::FindFirstApplication(
    const std::function<bool(const TApplicationItem&)>& aMatches) {
    const TApplicationArray applications = Context().GetInstalledApplications();
    if (!applications) {
        return false;
    }
    for (const TApplicationItem& item : *applications) {
        if (aMatches(item)) {
            fApplication = item;
            return true;
        }
    }
    return false;
}

bool TBaseSoftware::FindApplicationWithVersionInName(const IRegex& aName,
                                                     const IRegex* aUnversionedName) {
    const TApplicationArray applications = Context().GetInstalledApplications();
    if (!applications) {
        return false;
    }
    for (std::size_t i = 0; i < applications->size(); ++i) {
        TApplicationItem item = (*applications)[i];
        const auto match = aName.Match(item.Name);
        if (!match->Success()) {
            if (aUnversionedName != nullptr && aUnversionedName->IsMatch(item.Name)) {
                fApplication = std::move(item);
                return true;
            }
            continue;
        }
        TakeVersionFromName(applications, i, *match, item);
        fApplication = std::move(item);
        return true;
    }
    return false;
}

void TBaseSoftware::TakeVersionFromName(const TApplicationArray& aApplications, std::size_t aIndex,
                                        const IMatch& aName, TApplicationItem& aItem) {
    const std::string version = GroupText(aName, 1);
    if (version != aItem.Version) {
        aItem.SetVersion(version);
        Context().ReplaceInstalledApplication(aApplications, aIndex, aItem);
    }
}

bool TBaseSoftware::IsAboveHeld(const TApplicationItem& aItem) {
    return !fApplication.HasValue() ||
           CompareVersions(aItem.Version, fApplication.Value().Version, 4) > 0;
}

bool TBaseSoftware::FindHighestApplication(
    const std::function<bool(const TApplicationItem&)>& aMatches, THighestFrom aFrom) {
    const TApplicationArray applications = Context().GetInstalledApplications();
    if (!applications) {
        return false;
    }
    bool found = false;
    std::string best = aFrom == THighestFrom::Zero ? "0" : std::string();
    for (const TApplicationItem& item : *applications) {
        if (!aMatches(item)) {
            continue;
        }
        const bool take = aFrom == THighestFrom::Zero ? CompareVersions(item.Version, best, 4) > 0
                                                      : IsAboveHeld(item);
        if (take) {
            fApplication = item;
            best = item.Version;
            found = true;
        }
    }
    return found;
}

bool TBaseSoftware::FindHighestApplication(const IRegex& aName, THighestFrom aFrom) {
    return FindHighestApplication(
        [&aName](const TApplicationItem& aItem) { return aName.IsMatch(aItem.Name); }, aFrom);
}

bool TBaseSoftware::FindHighestApplicationWithVersionInName(const IRegex& aName) {
    const TApplicationArray applications = Context().GetInstalledApplications();
    if (!applications) {
        return false;
    }
    bool found = false;
    for (std::size_t i = 0; i < applications->size(); ++i) {
        TApplicationItem item = (*applications)[i];
        const auto match = aName.Match(item.Name);
        if (!match->Success()) {
            continue;
        }
        TakeVersionFromName(applications, i, *match, item);
        if (IsAboveHeld(item)) {
            fApplication = std::move(item);
            found = true;
        }
    }
    return found;
}

std::string TBaseSoftware::InstalledFolder(TInstalledFolder aFolder) const {
    if (!fApplication.HasValue()) {
        return {};
    }
    const TApplicationItem& item = fApplication.Value();
    switch (aFolder) {
    case TInstalledFolder::InstallLocation:
        return item.InstallLocation;
    case TInstalledFolder::InstallLocationCut:
        return FolderOfWindowsPath(item.InstallLocation);
    case TInstalledFolder::UninstallFolder:
        return FolderOfWindowsPath(item.UninstallString);
    case TInstalledFolder::IconFolder:
        return FolderOfWindowsPath(item.Icon);
    }
    return {};
}

std::string TBaseSoftware::InstalledFile(TInstalledFolder aFolder, std::string_view aFile) const {
    const std::string folder = InstalledFolder(aFolder);
    if (folder.empty()) {
        return {};
    }
    std::string file = JoinWindowsPath(folder, aFile);
    return Files().FileExists(file) ? file : std::string();
}

std::string TBaseSoftware::InstalledFileVersion(TInstalledFolder aFolder,
                                                std::string_view aFile) const {
    const std::string file = InstalledFile(aFolder, aFile);
    return file.empty() ? std::string() : GetFileVersion(file);
}

std::string TBaseSoftware::FindInstalledFile(TInstalledFolder aFolder, const IRegex& aPath,
                                             std::string_view aMask) const {
    const std::string folder = InstalledFolder(aFolder);
    if (folder.empty()) {
        return {};
    }
    for (const std::string& name : Files().ListFolder(folder, aMask)) {
        std::string file = JoinWindowsPath(folder, name);
        if (aPath.IsMatch(file)) {
            return file;
        }
    }
    return {};
}

std::string TBaseSoftware::FileVersionOrInventory(TInstalledFolder aFolder,
                                                  std::string_view aFile) const {
    const std::string file = InstalledFile(aFolder, aFile);
    if (!file.empty()) {
        return GetFileVersion(file);
    }
    return fApplication.HasValue() ? fApplication.Value().Version : std::string();
}

std::string TBaseSoftware::NewerFileVersion(TInstalledFolder aFolder, std::string_view aFile) {
    std::string version = TBaseSoftware::GetCurrentVersion();
    std::string fileVersion = InstalledFileVersion(aFolder, aFile);
    if (!fileVersion.empty() && CompareVersions(fileVersion, version, 4) > 0) {
        version = std::move(fileVersion);
    }
    return version;
}

std::optional<std::string> TBaseSoftware::InventoryVersionGroup(const IRegex& aPattern) const {
    if (!fApplication.HasValue()) {
        return std::nullopt;
    }
    return FirstGroup(aPattern, fApplication.Value().Version);
}

std::string TBaseSoftware::IconOrInstalledFile(TInstalledFolder aFolder, std::string_view aFile) {
    std::string location = TBaseSoftware::GetIconLocation();
    return location.empty() ? InstalledFile(aFolder, aFile) : location;
}

} // namespace brivane
