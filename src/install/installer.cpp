#include "install/installer.h"

#include "tasks/overlapped_pool.h"

#include <algorithm>
#include <deque>
#include <system_error>

namespace brivane::install {

namespace {

using namespace std::chrono_literals;

// How long one pass of the install loop waits for a download or the running installer.
constexpr std::chrono::milliseconds kPassTime = 100ms;
constexpr auto kPassMilliseconds = static_cast<std::uint32_t>(kPassTime.count());

// Deletes the files directly in aFolder; folders and files that cannot go are left.
void EmptyFolder(const std::filesystem::path& aFolder) {
    std::error_code error;
    for (std::filesystem::directory_iterator it(aFolder, error), end; !error && it != end;
         it.increment(error)) {
        std::error_code ignored;
        if (!it->is_directory(ignored)) {
            std::filesystem::remove(it->path(), ignored);
        }
    }
}

// A job's Init or Download as a task result; a job that throws has failed.
template <bool (TProgramm::*Step)()>
TInstallerTask RunStep(TProgramm* aJob) {
    bool result = false;
    try {
        result = (aJob->*Step)();
    } catch (...) {
    }
    return {aJob, result};
}

} // namespace

TInstaller::TInstaller(const std::filesystem::path& aDownloadDir, int aMaxThread,
                       TProgrammOptions aProgrammOptions)
    : fDownloadDir(aDownloadDir / ""), fProgrammOptions(std::move(aProgrammOptions)),
      fPool(TOverlappedPool::Make(aMaxThread, 0)), fServicePool(TOverlappedPool::Make(2, 0)) {
    std::error_code error;
    std::filesystem::create_directories(fDownloadDir, error);
    EmptyFolder(fDownloadDir);
}

TInstaller::~TInstaller() {
    Stop();
    // Pumping: the run's event handlers may be waiting for the main thread.
    fServicePool->Tasks().Wait(true);
    fPool->Tasks().Wait(true);
    // The pools end their workers (after the task in hand) before the jobs go.
    fServicePool.reset();
    fPool.reset();
    std::lock_guard lock(fListLock);
    fList.clear();
}

void TInstaller::Run(TInstallList aProgrammList) {
    const auto service = fServicePool->Tasks();
    service.Wait(true); // a run or stop still in progress ends first
    // Cleared here, not in the run: a Stop that follows Run always reaches this run.
    fStoping = false;
    // The list handle that <= returns is not needed (clang flags an unused "comparison").
    (void)(service <= [this, list = std::move(aProgrammList)] { RunProcedure(list); });
}

bool TInstaller::Wait(bool aNonFreeze) {
    return fServicePool->Tasks().Wait(aNonFreeze);
}

void TInstaller::Stop() {
    // At once: from here on no installer starts and no progress is reported, however
    // soon the service worker gets to the rest.
    fStoping = true;
    (void)(fServicePool->Tasks() <= [this] { StopProcedure(); });
}

void TInstaller::SetOnInit(TOnProgress aHandler) {
    std::lock_guard lock(fEventsLock);
    fOnInit = std::move(aHandler);
}

void TInstaller::SetOnDownload(TOnProgress aHandler) {
    std::lock_guard lock(fEventsLock);
    fOnDownload = std::move(aHandler);
}

void TInstaller::SetOnDownloadProgress(TOnProgress aHandler) {
    std::lock_guard lock(fEventsLock);
    fOnDownloadProgress = std::move(aHandler);
}

void TInstaller::SetOnInstall(TOnProgress aHandler) {
    std::lock_guard lock(fEventsLock);
    fOnInstall = std::move(aHandler);
}

void TInstaller::SetOnInstallStart(TOnInstallEvent aHandler) {
    std::lock_guard lock(fEventsLock);
    fOnInstallStart = std::move(aHandler);
}

void TInstaller::SetOnInstallStop(TOnInstallEvent aHandler) {
    std::lock_guard lock(fEventsLock);
    fOnInstallStop = std::move(aHandler);
}

std::vector<std::string> TInstaller::StartedNames() {
    std::lock_guard lock(fListLock);
    return fStarted;
}

std::vector<std::pair<std::string, std::string>> TInstaller::Failures() {
    std::lock_guard lock(fListLock);
    std::vector<std::pair<std::string, std::string>> failures;
    for (const auto& name : fGiven) {
        const bool started = std::find(fStarted.begin(), fStarted.end(), name) != fStarted.end();
        const auto job = std::find_if(fList.begin(), fList.end(),
                                      [&name](const auto& aJob) { return aJob->Name() == name; });
        std::string why =
            job == fList.end() ? "Cannot create its download file" : (*job)->Failure();
        if (!started || !why.empty()) {
            failures.emplace_back(name, why.empty() ? "Cancelled" : std::move(why));
        }
    }
    return failures;
}

std::vector<TProgramm*> TInstaller::Jobs() {
    std::lock_guard lock(fListLock);
    std::vector<TProgramm*> jobs;
    for (const auto& job : fList) {
        jobs.push_back(job.get());
    }
    return jobs;
}

void TInstaller::RunProcedure(const TInstallList& aList) {
    const std::lock_guard run(fRunLock);
    fInstallCount = 0;
    fInitCount = 0;
    fDownloadCount = 0;
    // Tasks of the last run still working hold its jobs.
    fPool->Tasks().Wait(false);
    {
        const std::lock_guard lock(fListLock);
        fAllSize = 0;
        fCurrentSize = 0;
        fPool->Tasks().Clear();
        fPool->SetActive(!fStoping);
        fList.clear();
        fStarted.clear();
        fGiven.clear();
        for (const auto& item : aList) {
            fGiven.push_back(item.Item1());
            try {
                fList.push_back(std::make_unique<TProgramm>(fDownloadDir, item.Item1(),
                                                            item.Item2(), fProgrammOptions));
            } catch (const std::exception&) {
                // No temporary file for it (the folder went away): it cannot be installed.
            }
        }
        fJobCount = static_cast<int>(fList.size());
    }
    RaiseRunEvent(&TInstaller::fOnInstallStart);
    InitPhase();
    {
        const std::lock_guard lock(fListLock);
        for (const auto& job : fList) {
            if (job->isInit()) {
                fAllSize += std::max<std::int64_t>(job->Size(), 0);
                job->SetOnDownloadProgress([this](TProgramm& aJob) { OnJobProgress(aJob); });
            }
        }
        // Smallest first, so that the first installer can start early; a job that failed
        // its Init (size -1) comes first and fails at once. Equal sizes keep their order.
        std::stable_sort(fList.begin(), fList.end(), [](const auto& aLeft, const auto& aRight) {
            return aLeft->Size() < aRight->Size();
        });
    }
    DownloadAndInstallPhase();
    // Downloads that failed, were cancelled or never ran leave nothing behind.
    for (auto* job : Jobs()) {
        job->Discard();
    }
    RaiseRunEvent(&TInstaller::fOnInstallStop);
}

void TInstaller::InitPhase() {
    const auto tasks = fPool->Tasks();
    const auto init = tasks.AgentFunc<TProgramm*, TInstallerTask>(RunStep<&TProgramm::Init>);
    for (auto* job : Jobs()) {
        init(job);
    }
    // A stop takes the waiting tasks out and ends the phase; the end of the run waits for
    // those still working.
    while (!fStoping && tasks.Count() > 0) {
        for (const auto& task : tasks.PickupResults<TInstallerTask>(true, kPassMilliseconds)) {
            Raise(TProgressEvent::Init, *task->Result().Programm, ++fInitCount);
        }
    }
}

void TInstaller::DownloadAndInstallPhase() {
    const auto tasks = fPool->Tasks();
    const auto download =
        tasks.AgentFunc<TProgramm*, TInstallerTask>(RunStep<&TProgramm::Download>);
    if (!fStoping) {
        for (auto* job : Jobs()) {
            job->SetOnRun([this](TProgramm& aJob) {
                {
                    const std::lock_guard lock(fListLock);
                    fStarted.push_back(aJob.Name());
                }
                Raise(TProgressEvent::Install, aJob, ++fInstallCount);
            });
            download(job);
        }
    }
    TProgramm* current = nullptr; // the job whose installer runs
    std::deque<TProgramm*> ready; // downloaded, in the order they finished
    const auto collect = [&](bool aWait) {
        for (const auto& task : tasks.PickupResults<TInstallerTask>(aWait, kPassMilliseconds)) {
            const TInstallerTask result = task->Result();
            Raise(TProgressEvent::Download, *result.Programm, ++fDownloadCount);
            if (result.Result) {
                ready.push_back(result.Programm);
            }
        }
    };
    while (!fStoping) {
        collect(false);
        if (current == nullptr && !ready.empty()) {
            current = ready.front();
            ready.pop_front();
        }
        if (current != nullptr) {
            // Starts it the first time; dropped once it cannot start or has ended.
            if (!current->Run() || current->WaitRun(kPassTime)) {
                current = nullptr;
            }
        } else if (tasks.Count() > 0) {
            collect(true);
        } else {
            break;
        }
    }
    // A stop never abandons a started installer.
    if (current != nullptr) {
        current->WaitRun(platform::kWaitForever);
    }
    tasks.Remove(tasks.Select({dsWaiting, dsExecuted}));
    tasks.Wait(false);
}

void TInstaller::StopProcedure() {
    const std::lock_guard lock(fListLock);
    fStoping = true;
    fPool->SetActive(false);
    for (const auto& job : fList) {
        job->CancelDownload();
    }
    const auto tasks = fPool->Tasks();
    tasks.Remove(tasks.Select({dsWaiting}));
    // A download that never started leaves no file behind while a started installer is
    // still waited for. (One that starts now sees its cancel before it writes.)
    for (const auto& job : fList) {
        if (!job->DownloadStarted()) {
            job->Discard();
        }
    }
}

void TInstaller::OnJobProgress(TProgramm& aJob) {
    // The event is raised under the lock, so that the totals never interleave.
    const std::lock_guard lock(fListLock);
    fCurrentSize += aJob.DownLoadChunkSize();
    Raise(TProgressEvent::DownloadProgress, aJob, fCurrentSize);
}

void TInstaller::Raise(TProgressEvent aEvent, TProgramm& aJob, std::int64_t aPostion) {
    if (fStoping) {
        return; // the texts of the cancel stay visible
    }
    TOnProgress handler;
    std::int64_t max = fJobCount;
    {
        const std::lock_guard lock(fEventsLock);
        switch (aEvent) {
        case TProgressEvent::Init:
            handler = fOnInit;
            break;
        case TProgressEvent::Download:
            handler = fOnDownload;
            break;
        case TProgressEvent::DownloadProgress:
            handler = fOnDownloadProgress;
            max = fAllSize;
            break;
        case TProgressEvent::Install:
            handler = fOnInstall;
            break;
        }
    }
    if (!handler) {
        return;
    }
    try {
        handler(aJob, aPostion, max);
    } catch (...) {
        // A handler's failure must not end the run.
    }
}

void TInstaller::RaiseRunEvent(const TOnInstallEvent TInstaller::*aEvent) {
    TOnInstallEvent handler;
    {
        const std::lock_guard lock(fEventsLock);
        handler = this->*aEvent;
    }
    if (!handler) {
        return;
    }
    try {
        handler(*this);
    } catch (...) {
    }
}

} // namespace brivane::install
