#include "install/auto_updater.h"

#include "install/installer_name.h"
#include "install/update_transfers.h"
#include "net/http_helpers.h"
#include "platform/folders.h"
#include "platform/private_folder.h"

#include <chrono>
#include <cstdlib>

namespace brivane::install {

namespace {

constexpr const char* kUpdateServer = "https://update.brivane.org";

// The name of the downloaded installer when the server names none: "Setup_<ticks>.exe".
std::string FallbackFileName() {
    const auto ticks = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
    return "Setup_" + std::to_string(static_cast<std::uint32_t>(ticks.count())) + ".exe";
}

void RemoveFolder(const std::filesystem::path& aFolder) {
    std::error_code error;
    std::filesystem::remove_all(aFolder, error);
}

} // namespace

std::string UpdateManifestURL() {
    const char* url = std::getenv("BRIVANE_UPDATE_URL");
    return url != nullptr && *url != '\0' ? std::string(url)
                                          : std::string(kUpdateServer) + kUpdateManifestPath;
}

TAutoUpdater::TAutoUpdater()
    : fReleaseKey(ReleasePublicKey()), fDownloadFolder(platform::GetTempFolder()) {}

TAutoUpdater::~TAutoUpdater() {
    fCanceled = true;
    std::vector<std::thread> threads;
    {
        std::lock_guard lock(fThreadsLock);
        fClosing = true;
        threads.swap(fThreads);
    }
    for (auto& thread : threads) {
        thread.join();
    }
}

void TAutoUpdater::Init(std::string aVersionURL, std::string aCurrentVersion,
                        std::int32_t aCurrentBuild) {
    fVersionURL = std::move(aVersionURL);
    fCurrentVersion = std::move(aCurrentVersion);
    fCurrentBuild = aCurrentBuild;
}

void TAutoUpdater::SetOnUpdateStateChanged(TOnUpdateStateChangedHandler aHandler) {
    std::lock_guard lock(fLock);
    fOnUpdateStateChanged = std::move(aHandler);
}

void TAutoUpdater::SetOnUpdateCheckResult(TOnUpdateCheckResultHandler aHandler) {
    std::lock_guard lock(fLock);
    fOnUpdateCheckResult = std::move(aHandler);
}

void TAutoUpdater::SetOnUpdateProgress(TOnUpdateProgressHandler aHandler) {
    std::lock_guard lock(fLock);
    fOnUpdateProgress = std::move(aHandler);
}

std::string TAutoUpdater::CurrentVersionAsString() const {
    return VersionAsString(fCurrentVersion, fCurrentBuild);
}

std::string TAutoUpdater::ErrorText() const {
    std::lock_guard lock(fLock);
    return fErrorText;
}

std::shared_ptr<platform::IStartedProcess> TAutoUpdater::Installer() const {
    std::lock_guard lock(fLock);
    return fInstaller;
}

// Moves from None to aState, so that of two callers only one starts an operation.
bool TAutoUpdater::Claim(TUpdateState aState) {
    auto expected = TUpdateState::None;
    return fState.compare_exchange_strong(expected, aState);
}

void TAutoUpdater::SetState(TUpdateState aState) {
    fState = aState;
    TOnUpdateStateChangedHandler handler;
    {
        std::lock_guard lock(fLock);
        handler = fOnUpdateStateChanged;
    }
    if (handler) {
        try {
            handler(aState);
        } catch (...) {
            // A handler's failure is the handler's; the update goes on.
        }
    }
}

void TAutoUpdater::Fail(const std::string& aReason) {
    {
        std::lock_guard lock(fLock);
        fErrorText = aReason;
    }
    SetState(TUpdateState::Error);
}

void TAutoUpdater::NotifyProgress(std::int64_t aReceived, std::int64_t aTotal) {
    TOnUpdateProgressHandler handler;
    {
        std::lock_guard lock(fLock);
        handler = fOnUpdateProgress;
    }
    if (handler) {
        try {
            handler(aReceived, aTotal);
        } catch (...) {
        }
    }
}

bool TAutoUpdater::StartThread(std::function<void()> aBody) {
    std::lock_guard lock(fThreadsLock);
    if (fClosing) {
        return false;
    }
    fThreads.emplace_back(std::move(aBody));
    return true;
}

void TAutoUpdater::CheckUpdate() {
    if (Claim(TUpdateState::Checking) && !StartThread([this] { RunCheck(); })) {
        fState = TUpdateState::None;
    }
}

void TAutoUpdater::RunCheck() {
    SetState(TUpdateState::Checking);
    std::string error;
    const std::string text = FetchManifestText(fVersionURL, error);
    if (!error.empty()) {
        Fail(error);
        return;
    }
    std::string problem;
    const TVersionInfo info = ParseVersionInfo(text, &problem);
    if (!problem.empty()) {
        Fail("the update manifest cannot be read: " + problem);
        return;
    }
    const bool available = fCurrentBuild < info.fBuild;
    // None before the result goes out, so that the result's handler may start the update.
    SetState(TUpdateState::None);
    TOnUpdateCheckResultHandler handler;
    {
        std::lock_guard lock(fLock);
        handler = fOnUpdateCheckResult;
    }
    if (handler) {
        // On a thread of its own: the handler may ask the user and wait for the answer.
        StartThread([handler, available, info] {
            try {
                handler(available, info);
            } catch (...) {
            }
        });
    }
}

void TAutoUpdater::Update(const TVersionInfo& aLastVersion) {
    if (!Claim(TUpdateState::Preparing)) {
        return;
    }
    fCanceled = false;
    SetState(TUpdateState::Preparing);
    if (!StartThread([this, aLastVersion] { RunUpdate(aLastVersion); })) {
        fState = TUpdateState::None;
    }
}

void TAutoUpdater::RunUpdate(const TVersionInfo& aLastVersion) {
    std::filesystem::path folder;
    std::string error;
    if (!fCanceled) {
        if (!IsHttpsAddress(aLastVersion.fInstallURL)) {
            error = "the installer address is not https: " + aLastVersion.fInstallURL;
        } else {
            try {
                folder = platform::CreatePrivateFolder(fDownloadFolder, "brivane-update-");
                error = InstallUpdate(aLastVersion, folder);
            } catch (const std::exception& e) {
                error = e.what();
            }
        }
    }
    if (State() == TUpdateState::Completed) {
        return; // the installer runs from the folder and replaces the program itself
    }
    if (!folder.empty()) {
        RemoveFolder(folder);
    }
    if (fCanceled) {
        SetState(TUpdateState::Canceled);
    } else {
        Fail(error);
    }
    SetState(TUpdateState::None);
}

std::string TAutoUpdater::InstallUpdate(const TVersionInfo& aLastVersion,
                                        const std::filesystem::path& aFolder) {
    const std::string& url = aLastVersion.fInstallURL;
    std::string name = ServerFileName(*net::CreateUpdateClient(), url);
    if (name.empty()) {
        name = FallbackFileName();
    }
    const auto file = aFolder / name;
    bool downloading = false;
    std::string error =
        DownloadInstaller(url, file, [&](std::int64_t aReceived, std::int64_t aLength) {
            if (!downloading) {
                downloading = true;
                SetState(TUpdateState::Downloading);
            }
            if (fCanceled) {
                return false;
            }
            NotifyProgress(aReceived, aLength);
            return true;
        });
    if (!error.empty() || fCanceled) {
        return error;
    }
    const auto size = static_cast<std::int64_t>(std::filesystem::file_size(file));
    NotifyProgress(size, size);
    if (std::string refusal =
            CheckInstaller(file, aLastVersion.fSha256, aLastVersion.fSignature, fReleaseKey);
        !refusal.empty() || fCanceled) {
        return refusal.empty() ? refusal : "the installer was refused: " + refusal;
    }
    auto started = platform::StartProgram(file, {"/silent"});
    if (!started.Process) {
        return "the installer cannot be started: " + started.Error;
    }
    {
        std::lock_guard lock(fLock);
        fInstaller = std::move(started.Process);
    }
    SetState(TUpdateState::Completed);
    return {};
}

} // namespace brivane::install
