#pragma once
// TController: the application's single controller. It owns the catalogue (the entries,
// in registration order), the inventory of installed applications and the library
// pool; it runs the start sequence and the two online check passes (the update pass
// over the installed entries, the library pass over the others), sorts the entries into
// the Updates, Actuals and Library lists of its view, and answers the view's settings
// changes. It owns the installer queue too and runs the install flows: the ticked rows'
// download links, the queue's run with its progress, the lists rebuilt afterwards. The
// catalogue entries reach the inventory and the facts of the inspected system through the
// context the controller gives them when they register.

#include "app/main_view.h"
#include "catalogue/application_item.h"
#include "catalogue/installed_system.h"
#include "catalogue/os_information.h"
#include "catalogue/program_info.h"
#include "catalogue/software_information.h"
#include "catalogue/software_types.h"
#include "install/programm.h"
#include "platform/system_assessment.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace brivane {

class TBaseSoftware;
class TConfig;
class IExecutable;
class IOverlappedPool;

namespace install {
class TInstaller;
}

// What the controller reads from outside; the defaults are the program's own.
struct TControllerOptions {
    // The registry the inventory and the system facts are read from, anew at every Init.
    TRegistryOpener OpenRegistry = platform::OpenRegistry;
    // The settings store; none: the settings file of the per-user data folder.
    std::shared_ptr<TConfig> Config;
    // The system's performance assessment, asked when no animation setting is stored.
    std::function<std::shared_ptr<platform::IAssessmentQuery>()> CreateAssessmentQuery =
        platform::CreateAssessmentQuery;
    // Display names (any letter case) the start sequence limits the catalogue to; empty:
    // the whole catalogue.
    std::vector<std::string> CatalogueFilter;
    // Where installers are downloaded; empty: platform::GetDownloadsFolder(). The folder
    // is emptied when the first install starts.
    std::filesystem::path DownloadsFolder;
    // How the download jobs fetch and start installers; empty: the program's own way.
    install::TProgrammOptions Download;
};

// The catalogue filter the command line asks for: the name after "debug" when the
// first argument is exactly "debug" and a second one follows; otherwise none.
std::vector<std::string> DebugFilterFromArguments(std::span<const std::string> aArguments);

class TController {
public:
    using TSoftwareChecked = std::function<void(TBaseSoftware*)>;

    // Reads the inventory once, removes leftover temporary files of the static cache,
    // sets Controller() to this object and installs the start hook.
    explicit TController(TControllerOptions aOptions = {});
    // Waits for the checks still running, removes the start hook, clears Controller()
    // and destroys the entries in registration order.
    ~TController();
    TController(const TController&) = delete;
    TController& operator=(const TController&) = delete;

    // --- The catalogue registry and the look-ups of the entries ---

    // Appends the entry to the catalogue, gives it the controller's view of the machine
    // as its context and takes it over; a null entry is ignored.
    void RegisterSoftware(std::unique_ptr<TBaseSoftware> aSoftware);

    // The catalogue as it is now, in registration order. The entries stay owned by the
    // controller and alive as long as it lives, also after they left the catalogue.
    std::vector<TBaseSoftware*> GetSoftwareList() const;

    // The first entry whose Info.Name equals aName exactly (letter case counts), or null.
    TBaseSoftware* GetSoftwareByName(std::string_view aName) const;

    // Copies of the installed applications named aName in any letter case, in
    // inventory order.
    std::vector<TApplicationItem> GetApplicationsByName(std::string_view aName) const;

    // The inventory's current snapshot; a later inventory read does not change it.
    TApplicationArray GetInstalledApplications() const;

    // Corrects item aIndex of the inventory (an entry that reads its version from the
    // name, say). The snapshots already handed out stay as they are; later look-ups see
    // the correction until the next inventory read. Ignored when aSnapshot is neither
    // the current snapshot nor the one the current one was corrected from, or aIndex is
    // outside it.
    void ReplaceInstalledApplication(const TApplicationArray& aSnapshot, std::size_t aIndex,
                                     const TApplicationItem& aItem);

    bool IsWindows64() const;

    // The system facts of the last Init (of the construction before the first one).
    TOSInformation SystemInfo() const;

    // --- The start sequence and the check passes ---

    // The start hook (main thread): limits the catalogue, shows the splash screen, loads
    // the settings into aSender, binds its events and starts the start body on
    // DefaultTasks, which reads the inventory, runs the update pass, queues the library
    // pass and shows the lists.
    void HandleOnStart(IMainView& aSender);

    // Offline (main thread): loads the settings into aSender, reads the inventory,
    // initialises every entry and fills the three lists from what is known without a
    // check: the installed versions and what the cache files remember (an installed
    // program older than its remembered version is an update). Sends nothing.
    void ShowKnownLists(IMainView& aSender);

    // Re-reads the system facts and the inventory and initialises every entry (on a
    // background thread; the view must be set).
    void Init();

    // Copies the stored settings into the view / the view's settings into the store
    // (main thread).
    void LoadConfig();
    void SaveConfig();

    // Makes every check task that has not started yet do nothing.
    void Stop() { fStop = true; }

    // --- The install flows (main thread) ---

    // Installs the ticked rows of the Updates list and of the Library list in one run,
    // retrieving the Library rows' links first: what the view's two install events do,
    // for a front end that offers both lists at once.
    void InstallTicked();
    // The display names whose installers the last run started, in start order.
    std::vector<std::string> StartedInstallers() const;
    // The programs of the last install run that were not installed, with why: their
    // installers did not start, or ended with an exit code that means failure.
    std::vector<std::pair<std::string, std::string>> FailedInstallers() const;

    // No background body the controller started is left, the library pass has ended and
    // no install run is in progress.
    bool Idle();
    // Main thread: waits, dispatching main-thread work, until Idle. False when the
    // application began terminating first.
    bool WaitUntilIdle();

private:
    // What the lists show of one entry: its program info with the installed state and
    // licence, taken on the thread that just initialised or checked it, so that building
    // the lists never reads an entry while another thread checks it.
    struct TEntryState {
        TProgramInfo Info;
        bool Installed = false;
        TSoftwareLicense License = slUnknown;
        // The version this run's check found; the row's available version may be a
        // cached one, which must never make an update.
        std::string FoundVersion;
        std::string DownloadURL;
        std::string DownloadReferer;
        std::int64_t DownloadSize = 0;
    };

    // Keeps Init, Check and RefreshCurrentVersion of one entry (with what reads the entry
    // right after them) on one thread at a time: a thread that wants an entry another one
    // holds waits for it.
    class TEntryLocks {
    public:
        class TLock {
        public:
            TLock(TEntryLocks& aOwner, const TBaseSoftware* aSoftware);
            ~TLock();
            TLock(const TLock&) = delete;
            TLock& operator=(const TLock&) = delete;

        private:
            TEntryLocks& fOwner;
            const TBaseSoftware* fSoftware;
        };

    private:
        std::mutex fLock;
        std::condition_variable fReleased;
        std::set<const TBaseSoftware*> fBusy;
    };
    static TEntryState StateOf(TBaseSoftware& aSoftware);

    void ApplyCatalogueFilter();
    void ShowWaitScreen(bool aSearching);
    void HookView();
    void OnLanguageChanged();
    void OnConfigChanged();
    // Adds a one-off background body to DefaultTasks and keeps it for WaitUntilIdle.
    std::shared_ptr<IExecutable> AddBody(std::function<void()> aBody);
    void StartBody();
    std::shared_ptr<IExecutable> InitAnimations();
    void RunAssessment();
    void RefreshSoftwareList(bool aRecheck);
    void CheckSoftwareUpdate(const std::vector<TBaseSoftware*>& aList, bool aCheckBeta);
    void CheckLibraryUpdate();
    void DrainLibraryPool();
    // From a body: CheckLibraryUpdate, then ShowLists on the main thread.
    void ShowListsWithLibraryPass();
    void LibraryTask(TBaseSoftware* aSoftware, bool aCheckBeta);
    void LinkTask(TBaseSoftware* aSoftware, bool aCheckBeta);
    void NotifyChecked(TBaseSoftware* aSoftware);
    void OnSoftwareUpdate(TBaseSoftware* aSoftware);
    TProgramInfo Remember(TBaseSoftware& aSoftware);
    TEntryState KnownState(TBaseSoftware& aSoftware);
    void FillLists();
    void ShowLists();

    // The installer queue, made at the first install: making it empties the download
    // folder, which a run of the program that installs nothing leaves alone.
    install::TInstaller& Installer();
    void OnInstallUpdates();
    void OnInstallPrograms();
    std::vector<TProgramInfo> TickedUpdates() const;
    std::vector<TProgramInfo> TickedPrograms() const;
    void InstallWithLinks(const std::vector<TProgramInfo>& aSelected);
    void RetrieveLinks(const std::vector<TProgramInfo>& aSelected);
    void InstallItems(const std::vector<TProgramInfo>& aItems);
    void InstallEnd(const std::vector<std::string>& aNames);
    void OnStartInstall();
    void OnDownloadInit(std::int64_t aPostion, std::int64_t aMax);
    void OnDownloadProgress(std::int64_t aPostion, std::int64_t aMax);
    void OnInstallProgress(std::int64_t aPostion, std::int64_t aMax);
    void OnCancelInstall();
    void OnCancelRetrievingLinks();
    void OnProgressCancel();

    const TControllerOptions fOptions;
    const std::shared_ptr<TConfig> fConfig;

    // The catalogue lock guards fSoftware and fOwnedSoftware.
    mutable std::recursive_mutex fSoftwareLock;
    std::vector<TBaseSoftware*> fSoftware;
    // Owns every registered entry, including those the catalogue filter took out.
    std::vector<std::unique_ptr<TBaseSoftware>> fOwnedSoftware;

    // The inspected machine: system facts and inventory; the entries' context.
    TInstalledSystem fSystem;

    TSoftwareChecked fOnSoftwareChecked;
    // Read by every check task before it checks; set by Stop.
    std::atomic<bool> fStop{false};
    std::shared_ptr<IOverlappedPool> fLibraryPool;
    TEntryLocks fEntryLocks;

    std::unique_ptr<install::TInstaller> fInstaller;
    // Set when the user cancels the retrieval of download links; read by the link tasks.
    std::atomic<bool> fStopRetrievingLinks{false};
    // The progress window has been shown for the current run (main thread).
    bool fSomeFlag = false;
    // From InstallItems handing a run to the queue until the run's end has been handled.
    std::atomic<bool> fInstallRunning{false};
    // The download text last shown: a run reports every 4 KB block, the view hears of
    // each change of the percentage shown (the queue's progress events are serialised).
    std::string fDownloadText;
    mutable std::mutex fStartedLock;
    std::vector<std::string> fStarted;                        // the last run's, once it ended
    std::vector<std::pair<std::string, std::string>> fFailed; // likewise

    IMainView* fView = nullptr; // set by HandleOnStart; used on the main thread only
    // The list screen's Cancel handler, set by the install flows.
    TViewEvent fOnCancelInstall;

    // One refresh cycle (Init, update pass, library pass, lists) at a time, so that Init
    // of an entry never meets a check of it.
    std::mutex fCycleLock;
    // The lists show what the cache remembers instead of what this run's checks found.
    bool fListsFromCache = false;

    std::mutex fBodiesLock;
    std::vector<std::shared_ptr<IExecutable>> fBodies; // background bodies not yet seen finished

    std::mutex fKnownLock;
    std::unordered_map<const TBaseSoftware*, TEntryState> fKnown;
};

// The process's controller while one exists, else null.
TController* Controller();

// Makes every entry of the catalogue and registers it with aController, in catalogue
// order.
void RegisterCatalogue(TController& aController);

} // namespace brivane
