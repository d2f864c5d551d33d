#pragma once
// The self-updater: it reads the manifest of the newest release from the program's own
// update server, compares its build with the running one, and on request downloads the
// release's installer into a private temporary folder, verifies it (see
// release_signature.h) and starts it with "/silent". The installer does the rest.
//
// Each check, each result notification and each update runs on a thread of its own;
// the events come on those threads. Operations start only in the state None.

#include "install/release_signature.h"
#include "install/version_info.h"
#include "platform/launcher.h"

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace brivane::install {

enum class TUpdateState { None, Checking, Preparing, Downloading, Completed, Canceled, Error };

using TOnUpdateStateChangedHandler = std::function<void(TUpdateState aState)>;
using TOnUpdateCheckResultHandler =
    std::function<void(bool aUpdateAvailable, const TVersionInfo& aLastVersion)>;
using TOnUpdateProgressHandler = std::function<void(std::int64_t aReceived, std::int64_t aTotal)>;

// Where the manifest lies on the update server.
inline constexpr const char* kUpdateManifestPath = "/download/brivane/version.json";

// The manifest's address: BRIVANE_UPDATE_URL when set, else the update server's.
std::string UpdateManifestURL();

class TAutoUpdater {
public:
    TAutoUpdater();
    // Cancels a running update and waits for every thread of the updater to end (a
    // result handler included).
    ~TAutoUpdater();
    TAutoUpdater(const TAutoUpdater&) = delete;
    TAutoUpdater& operator=(const TAutoUpdater&) = delete;

    // Call these before the first operation.
    void Init(std::string aVersionURL, std::string aCurrentVersion, std::int32_t aCurrentBuild);
    // The key installers must be signed with; the build's release key by default.
    void SetReleaseKey(std::optional<TPublicKey> aKey) { fReleaseKey = aKey; }
    // The folder in which each update makes its private folder; the system's temporary
    // folder by default.
    void SetDownloadFolder(std::filesystem::path aFolder) { fDownloadFolder = std::move(aFolder); }
    void SetOnUpdateStateChanged(TOnUpdateStateChangedHandler aHandler);
    void SetOnUpdateCheckResult(TOnUpdateCheckResultHandler aHandler);
    void SetOnUpdateProgress(TOnUpdateProgressHandler aHandler);

    const std::string& CurrentVersion() const { return fCurrentVersion; }
    std::int32_t CurrentBuild() const { return fCurrentBuild; }
    // "2016.05.11 build 12".
    std::string CurrentVersionAsString() const;

    TUpdateState State() const { return fState; }
    // Why the last operation ended in Error; set before that state is reported.
    std::string ErrorText() const;
    // The installer process once the state is Completed, else null.
    std::shared_ptr<platform::IStartedProcess> Installer() const;

    // Fetches and reads the manifest, then reports the result (also when no update is
    // offered) and returns to None. A failure ends in Error, and there the updater
    // stays: later operations do nothing.
    void CheckUpdate();
    // Downloads, verifies and starts the installer of aLastVersion. Success ends in
    // Completed, where the updater stays; a failure goes to Error, a cancellation to
    // Canceled, and both then back to None. The folder of a failed update is removed.
    void Update(const TVersionInfo& aLastVersion);
    // Stops the running update: the download ends at its next block, its folder is
    // removed, and the state becomes Canceled. The installer is never started then.
    void Cancel() { fCanceled = true; }

private:
    bool Claim(TUpdateState aState);
    void SetState(TUpdateState aState);
    void Fail(const std::string& aReason);
    void NotifyProgress(std::int64_t aReceived, std::int64_t aTotal);
    bool StartThread(std::function<void()> aBody);

    void RunCheck();
    void RunUpdate(const TVersionInfo& aLastVersion);
    // Each gives the reason it failed, or empty text.
    std::string InstallUpdate(const TVersionInfo& aLastVersion,
                              const std::filesystem::path& aFolder);

    std::string fVersionURL;
    std::string fCurrentVersion;
    std::int32_t fCurrentBuild = 0;
    std::optional<TPublicKey> fReleaseKey;
    std::filesystem::path fDownloadFolder;

    std::atomic<TUpdateState> fState{TUpdateState::None};
    std::atomic<bool> fCanceled{false};

    mutable std::mutex fLock; // the handlers and the results below
    TOnUpdateStateChangedHandler fOnUpdateStateChanged;
    TOnUpdateCheckResultHandler fOnUpdateCheckResult;
    TOnUpdateProgressHandler fOnUpdateProgress;
    std::string fErrorText;
    std::shared_ptr<platform::IStartedProcess> fInstaller;

    std::mutex fThreadsLock;
    bool fClosing = false;
    std::vector<std::thread> fThreads;
};

} // namespace brivane::install
