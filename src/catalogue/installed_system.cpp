#include "catalogue/installed_system.h"

#include "base/unicode.h"

namespace brivane {

TInstalledSystem::TInstalledSystem(TRegistryOpener aOpenRegistry)
    : fOpenRegistry(std::move(aOpenRegistry)),
      fSoftwareInfo([this] { return OpenAndReadFacts(); }) {}

std::shared_ptr<platform::IRegistry> TInstalledSystem::OpenAndReadFacts() {
    auto registry = fOpenRegistry();
    auto facts = TOSInformation::Create(*registry);
    // The files of the same machine: the registry source names both.
    auto files = platform::CurrentWindowsPathResolver();
    std::lock_guard lock(fFactsLock);
    fRegistry = registry;
    fFiles = std::move(files);
    fSystemInfo = std::move(facts);
    return registry;
}

void TInstalledSystem::Read() {
    fSoftwareInfo.Init();
}

std::vector<TApplicationItem>
TInstalledSystem::GetApplicationsByName(std::string_view aName) const {
    std::vector<TApplicationItem> result;
    for (const auto& item : *GetInstalledApplications()) {
        if (SameText(item.Name, aName)) {
            result.push_back(item);
        }
    }
    return result;
}

TApplicationArray TInstalledSystem::GetInstalledApplications() const {
    auto read = fSoftwareInfo.GetApplications();
    std::lock_guard lock(fApplicationsLock);
    return fCorrected && fCorrectedBase == read ? fCorrected : read;
}

void TInstalledSystem::ReplaceInstalledApplication(const TApplicationArray& aSnapshot,
                                                   std::size_t aIndex,
                                                   const TApplicationItem& aItem) {
    auto read = fSoftwareInfo.GetApplications();
    std::lock_guard lock(fApplicationsLock);
    const auto current = fCorrected && fCorrectedBase == read ? fCorrected : read;
    if ((aSnapshot != current && aSnapshot != read) || !current || aIndex >= current->size()) {
        return;
    }
    // A new array: readers of the current one may be walking it on other threads.
    auto corrected = std::make_shared<std::vector<TApplicationItem>>(*current);
    (*corrected)[aIndex] = aItem;
    fCorrected = std::move(corrected);
    fCorrectedBase = std::move(read);
}

bool TInstalledSystem::IsWindows64() const {
    return fSoftwareInfo.IsWindows64();
}

TOSInformation TInstalledSystem::SystemInfo() const {
    std::lock_guard lock(fFactsLock);
    return fSystemInfo;
}

std::shared_ptr<const platform::IRegistry> TInstalledSystem::Registry() const {
    std::lock_guard lock(fFactsLock);
    return fRegistry;
}

platform::TWindowsPathResolver TInstalledSystem::Files() const {
    std::lock_guard lock(fFactsLock);
    return fFiles;
}

} // namespace brivane
