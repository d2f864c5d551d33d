#pragma once
// TInstaller: the installer queue. A run takes the programs to install (name and download
// parameters), makes one download-and-launch job of each, initialises them all in
// parallel, downloads them in parallel, smallest first, and starts their installers
// strictly one at a time, each once its download has finished and the installer before it
// has ended. Its events report every stage; the controller words them for the user.
//
// Threads: Run and Stop may be called from any thread and return at once (Run first waits
// for a run still in progress); the run and the stop are processed on a service pool of
// two workers, Init and Download on the download pool. The events come from those workers.

#include "base/tuple.h"
#include "install/download_params.h"
#include "install/programm.h"

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace brivane {
class IOverlappedPool;
}

namespace brivane::install {

// A program to install: its display name and where its installer is.
using TInstallItem = ITuple<std::string, TDownloadParams>;
using TInstallList = std::vector<TInstallItem>;

// The result of one Init or Download task.
struct TInstallerTask {
    TProgramm* Programm = nullptr; // owned by the queue's job list
    bool Result = false;
};

class TInstaller {
public:
    // aPostion: how far (jobs or bytes), aMax: out of how many.
    using TOnProgress =
        std::function<void(TProgramm& aJob, std::int64_t aPostion, std::int64_t aMax)>;
    using TOnInstallEvent = std::function<void(TInstaller& aSender)>;

    // Creates the download folder with its parents and deletes every file directly in it,
    // so that it holds only the downloads of this queue.
    TInstaller(const std::filesystem::path& aDownloadDir, int aMaxThread,
               TProgrammOptions aProgrammOptions = {});
    // Stops a run in progress (a started installer is still waited for) and waits for it.
    ~TInstaller();
    TInstaller(const TInstaller&) = delete;
    TInstaller& operator=(const TInstaller&) = delete;

    void Run(TInstallList aProgrammList);
    // Winds the current run down: from its return no installer starts and no progress
    // event comes; downloads in progress stop, those not started never start, and
    // OnInstallStop ends the run once a started installer has ended.
    void Stop();

    // Waits until no run or stop is in progress or queued (aNonFreeze: serving the main
    // thread meanwhile); false when the application began terminating first.
    bool Wait(bool aNonFreeze);

    const std::filesystem::path& DownloadDir() const { return fDownloadDir; }
    int ProgrammCount() const { return fJobCount; }
    // The names of the programs whose installers the current (or last) run started, in
    // the order they started; also those a stop kept from being reported.
    std::vector<std::string> StartedNames();
    // The programs of the current (or last) run that were not installed, in the order
    // they were given, each with why (see TProgramm::Failure; "Cancelled" when the run
    // was stopped before it got to them): those whose installers did not start, and
    // those whose installers ended with an exit code that means failure.
    std::vector<std::pair<std::string, std::string>> Failures();

    // Events; set them between runs or at any time (they are read under a lock).
    void SetOnInit(TOnProgress aHandler);
    void SetOnDownload(TOnProgress aHandler);
    void SetOnDownloadProgress(TOnProgress aHandler);
    void SetOnInstall(TOnProgress aHandler);
    void SetOnInstallStart(TOnInstallEvent aHandler);
    void SetOnInstallStop(TOnInstallEvent aHandler);

private:
    enum class TProgressEvent { Init, Download, DownloadProgress, Install };

    void RunProcedure(const TInstallList& aList);
    void InitPhase();
    void DownloadAndInstallPhase();
    void StopProcedure();
    void OnJobProgress(TProgramm& aJob);
    void Raise(TProgressEvent aEvent, TProgramm& aJob, std::int64_t aPostion);
    void RaiseRunEvent(const TOnInstallEvent TInstaller::*aEvent);
    std::vector<TProgramm*> Jobs();

    const std::filesystem::path fDownloadDir;
    const TProgrammOptions fProgrammOptions;
    std::shared_ptr<IOverlappedPool> fPool;
    std::shared_ptr<IOverlappedPool> fServicePool;

    // The job-list lock: list changes, the cancel loop and the progress totals with their
    // event.
    std::mutex fListLock;
    std::vector<std::unique_ptr<TProgramm>> fList;
    std::atomic<int> fJobCount{0};
    std::vector<std::string> fStarted; // under fListLock
    std::vector<std::string> fGiven;   // the run's names, in order; under fListLock
    // One run at a time.
    std::mutex fRunLock;

    std::mutex fEventsLock;
    TOnProgress fOnInit;
    TOnProgress fOnDownload;
    TOnProgress fOnDownloadProgress;
    TOnProgress fOnInstall;
    TOnInstallEvent fOnInstallStart;
    TOnInstallEvent fOnInstallStop;

    // Counters of the current run, on the service worker.
    int fInstallCount = 0;
    int fInitCount = 0;
    int fDownloadCount = 0;
    // Under fListLock.
    std::int64_t fAllSize = 0;
    std::int64_t fCurrentSize = 0;
    std::atomic<bool> fStoping{false};
};

} // namespace brivane::install
