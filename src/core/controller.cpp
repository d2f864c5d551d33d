// The controller's construction, its catalogue registry and the look-ups the entries use.

#include "core/controller.h"

#include "catalogue/base_software.h"
#include "core/globals.h"
#include "core/settings.h"
#include "core/unicode.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "tasks/overlapped_pool.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace brivane {

namespace {

std::atomic<TController*> gController{nullptr};

// Older than any write in progress could be.
constexpr std::chrono::minutes kStaleTemporaryAge{10};

// Temporary files that interrupted cache updates left behind: "*.tmp" in the static
// cache folder (the letter case does not matter, as on Windows), and the hidden files
// of atomic writes in the dynamic cache and the data folder.
void ClearCacheTempFiles() {
    const auto folder = platform::GetExecutableFolder() / "Cache";
    std::error_code listing;
    for (std::filesystem::directory_iterator it(folder, listing), end; !listing && it != end;
         it.increment(listing)) {
        const std::string name = it->path().filename().string();
        if (name.size() >= 4 && SameText(std::string_view(name).substr(name.size() - 4), ".tmp")) {
            platform::DeleteFileOnly(it->path()); // one that cannot be deleted is skipped
        }
    }
    platform::RemoveStaleAtomicWriteFiles(GetAppDataFolder() / "Cache", kStaleTemporaryAge);
    platform::RemoveStaleAtomicWriteFiles(GetAppDataFolder(), kStaleTemporaryAge);
}

} // namespace

TController* Controller() {
    return gController.load(std::memory_order_acquire);
}

std::vector<std::string> DebugFilterFromArguments(std::span<const std::string> aArguments) {
    if (aArguments.size() >= 2 && aArguments[0] == "debug") {
        return {aArguments[1]};
    }
    return {};
}

TController::TController(TControllerOptions aOptions)
    : fOptions(std::move(aOptions)),
      fConfig(fOptions.Config ? fOptions.Config : std::make_shared<TConfig>()),
      fNextRegistry(fOptions.OpenRegistry()), fSystemInfo(TOSInformation::Create(*fNextRegistry)),
      fSoftwareInfo([this] { return NextRegistry(); }), fLibraryPool(TOverlappedPool::Make(3, 2)) {
    ClearCacheTempFiles();
    fOnSoftwareChecked = [this](TBaseSoftware* aSoftware) { OnSoftwareUpdate(aSoftware); };
    gController.store(this, std::memory_order_release);
    SetOnStart([this](IMainView& aSender) { HandleOnStart(aSender); });
}

TController::~TController() {
    SetOnStart(nullptr);
    // Nothing may still check an entry when the entries go.
    fStop = true;
    WaitUntilIdle();
    fLibraryPool->Tasks().Clear();
    fLibraryPool.reset(); // its workers end with it
    fOnSoftwareChecked = nullptr;
    TController* self = this;
    gController.compare_exchange_strong(self, nullptr, std::memory_order_acq_rel);
    std::lock_guard lock(fSoftwareLock);
    fSoftware.clear();
    for (auto& software : fOwnedSoftware) {
        software.reset();
    }
}

std::shared_ptr<platform::IRegistry> TController::NextRegistry() {
    std::lock_guard lock(fRegistryLock);
    if (fNextRegistry) {
        return std::exchange(fNextRegistry, nullptr);
    }
    return fOptions.OpenRegistry();
}

void TController::RegisterSoftware(std::unique_ptr<TBaseSoftware> aSoftware) {
    if (!aSoftware) {
        return;
    }
    std::lock_guard lock(fSoftwareLock);
    fSoftware.push_back(aSoftware.get());
    fOwnedSoftware.push_back(std::move(aSoftware));
}

std::vector<TBaseSoftware*> TController::GetSoftwareList() const {
    std::lock_guard lock(fSoftwareLock);
    return fSoftware;
}

TBaseSoftware* TController::GetSoftwareByName(std::string_view aName) const {
    std::lock_guard lock(fSoftwareLock);
    const auto found = std::find_if(fSoftware.begin(), fSoftware.end(), [aName](auto* aSoftware) {
        return aSoftware->Info().Name() == aName;
    });
    return found == fSoftware.end() ? nullptr : *found;
}

std::vector<TApplicationItem> TController::GetApplicationsByName(std::string_view aName) const {
    std::vector<TApplicationItem> result;
    for (const auto& item : *GetInstalledApplications()) {
        if (SameText(item.Name, aName)) {
            result.push_back(item);
        }
    }
    return result;
}

TApplicationArray TController::GetInstalledApplications() const {
    auto read = fSoftwareInfo.GetApplications();
    std::lock_guard lock(fApplicationsLock);
    return fCorrected && fCorrectedBase == read ? fCorrected : read;
}

void TController::ReplaceInstalledApplication(const TApplicationArray& aSnapshot,
                                              std::size_t aIndex, const TApplicationItem& aItem) {
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

bool TController::IsWindows64() const {
    return fSoftwareInfo.IsWindows64();
}

TOSInformation TController::SystemInfo() const {
    std::lock_guard lock(fSystemInfoLock);
    return fSystemInfo;
}

void TController::ApplyCatalogueFilter() {
    if (fOptions.CatalogueFilter.empty()) {
        return;
    }
    std::lock_guard lock(fSoftwareLock);
    for (auto it = fSoftware.end(); it != fSoftware.begin();) {
        --it;
        const auto& name = (*it)->Info().Name();
        if (std::none_of(fOptions.CatalogueFilter.begin(), fOptions.CatalogueFilter.end(),
                         [&name](const std::string& aKept) { return SameText(name, aKept); })) {
            it = fSoftware.erase(it);
        }
    }
    fSoftware.shrink_to_fit();
}

} // namespace brivane
