// The controller's construction, its catalogue registry and the look-ups the entries use.

#include "app/controller.h"

#include "app/settings.h"
#include "base/unicode.h"
#include "catalogue/base_software.h"
#include "catalogue/catalogue_table.h"
#include "install/installer.h"
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
    platform::RemoveStaleAtomicWriteFiles(platform::GetAppDataFolder() / "Cache",
                                          kStaleTemporaryAge);
    platform::RemoveStaleAtomicWriteFiles(platform::GetAppDataFolder(), kStaleTemporaryAge);
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
      fSystem(fOptions.OpenRegistry), fLibraryPool(TOverlappedPool::Make(3, 2)) {
    ClearCacheTempFiles();
    fOnCancelInstall = [this] { OnCancelInstall(); };
    fOnSoftwareChecked = [this](TBaseSoftware* aSoftware) { OnSoftwareUpdate(aSoftware); };
    gController.store(this, std::memory_order_release);
    SetOnStart([this](IMainView& aSender) { HandleOnStart(aSender); });
}

TController::~TController() {
    SetOnStart(nullptr);
    // Nothing may still check an entry when the entries go. A run in progress stops
    // (waiting for an installer that runs) and its end is handled first.
    fStop = true;
    fInstaller.reset();
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

void TController::RegisterSoftware(std::unique_ptr<TBaseSoftware> aSoftware) {
    if (!aSoftware) {
        return;
    }
    aSoftware->SetContext(fSystem);
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
    return fSystem.GetApplicationsByName(aName);
}

TApplicationArray TController::GetInstalledApplications() const {
    return fSystem.GetInstalledApplications();
}

void TController::ReplaceInstalledApplication(const TApplicationArray& aSnapshot,
                                              std::size_t aIndex, const TApplicationItem& aItem) {
    fSystem.ReplaceInstalledApplication(aSnapshot, aIndex, aItem);
}

bool TController::IsWindows64() const {
    return fSystem.IsWindows64();
}

TOSInformation TController::SystemInfo() const {
    return fSystem.SystemInfo();
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

void RegisterCatalogue(TController& aController) {
    for (const TSoftwareFactory factory : CatalogueFactories()) {
        aController.RegisterSoftware(factory());
    }
}

} // namespace brivane
