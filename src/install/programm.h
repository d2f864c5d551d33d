#pragma once
// TProgramm: one download-and-launch job. It learns the installer's file name and size
// from the server, streams the installer into the download folder under a temporary
// name, puts it in place under its own (safe) name, starts it the way the desktop opens a
// file, and lets the caller wait for the started process to end.
//
// Calling order: Init, Download, Run, then WaitRun until it returns true. Init and
// Download run on download workers, Run and WaitRun on the queue's service thread,
// CancelDownload on any thread. Events are raised on the thread doing the work; an
// exception from a handler is dropped.

#include "install/download_params.h"
#include "net/http_client.h"
#include "platform/launcher.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace brivane::install {

// What a job takes from outside; the defaults are the program's own.
struct TProgrammOptions {
    // The client of one request sequence. Init gives it a time limit of a page's; the
    // download keeps the client's limits (by default: no time limit, but at least 1 KB/s
    // over 60 s).
    std::function<std::unique_ptr<net::THTTPClient>()> CreateClient;
    // Starts the downloaded installer.
    std::function<platform::TStartResult(const std::filesystem::path&,
                                         const std::vector<std::string>&)>
        StartProgram;
};

class TProgramm {
public:
    using TOnProgrammEvent = std::function<void(TProgramm& aSender)>;

    // Creates the job's empty temporary file in aDownloadDir (std::runtime_error when it
    // cannot).
    TProgramm(const std::filesystem::path& aDownloadDir, std::string aProgrammName,
              TDownloadParams aDownloadParams, TProgrammOptions aOptions = {});
    // Removes the temporary file if the installer was never put in place; the installer
    // itself stays in the download folder.
    ~TProgramm();
    TProgramm(const TProgramm&) = delete;
    TProgramm& operator=(const TProgramm&) = delete;

    // Learns file name and size: HEAD, else a GET that stops before the body. True and
    // OnInit when the answer was 200 and a size is known.
    bool Init();
    // Fetches the installer into the temporary file. True when the whole body of a 200
    // answer arrived; a failed or cancelled download removes the temporary file.
    bool Download();
    // Makes the running download stop at its next block, and any later one at once.
    void CancelDownload() { fCancel = true; }
    // Removes the temporary file unless the installer was put in place (a job whose run
    // ended without starting it).
    void Discard();
    // Puts the installer in place and starts it; true when it runs (also when it was
    // started before).
    bool Run();
    // Waits up to aTimeOut (platform::kWaitForever: no limit) for the installer to end;
    // true, with OnClose, when it has.
    bool WaitRun(std::chrono::milliseconds aTimeOut);

    const std::string& Name() const { return fName; }
    const TDownloadParams& DownloadParams() const { return fDownloadParams; }
    const std::filesystem::path& TempFile() const { return fTempFile; }
    // The installer's path once it is in place: the download folder and FileName.
    std::filesystem::path TargetFile() const { return fDownloadDir / fFileName; }
    // fSize after a successful Init, else -1.
    std::int64_t Size() const;
    // The bytes received after a successful Download, else -1.
    std::int64_t DownloadSize() const;
    // The bytes received between the last two progress notifications after a successful
    // Init, else -1.
    std::int64_t DownLoadChunkSize() const;
    // Empty before a successful Init.
    std::string FileName() const;
    bool isInit() const { return fIsInit; }
    bool isDownload() const { return fIsDownload; }
    bool isRunning() const { return fIsRunning; }
    // Download was called (it may have returned at once).
    bool DownloadStarted() const { return fDownloadStarted; }
    // Why the job failed: why it stopped short of starting its installer (the server's
    // answer, the transport's error, a cut download, a cancel, why the start failed), or
    // the exit code its installer ended with when that means failure; empty while
    // nothing went wrong.
    std::string Failure() const;

    void SetOnInit(TOnProgrammEvent aHandler) { fOnInit = std::move(aHandler); }
    void SetOnDownloadProgress(TOnProgrammEvent aHandler) {
        fOnDownloadProgress = std::move(aHandler);
    }
    void SetOnDownload(TOnProgrammEvent aHandler) { fOnDownload = std::move(aHandler); }
    void SetOnRun(TOnProgrammEvent aHandler) { fOnRun = std::move(aHandler); }
    void SetOnClose(TOnProgrammEvent aHandler) { fOnClose = std::move(aHandler); }

private:
    net::TNetHeaders RequestHeaders() const;
    std::unique_ptr<net::THTTPClient> CreateClient() const;
    bool Transfer(net::THTTPClient& aClient);
    void Report(std::int64_t aReadCount);
    bool MoveIntoPlace(const std::filesystem::path& aTarget);
    // Records why the job failed and returns false, for `return Fail(...)`.
    bool Fail(std::string aWhy);
    void Raise(const TOnProgrammEvent& aEvent);

    const std::string fName;
    const std::filesystem::path fDownloadDir;
    const TDownloadParams fDownloadParams;
    const TProgrammOptions fOptions;
    std::filesystem::path fTempFile;
    std::string fFileName;
    std::int64_t fSize = 0;
    // Written by the downloading thread, read by the queue's progress handler and others.
    std::atomic<std::int64_t> fDownloadSize{0};
    std::atomic<std::int64_t> fDownloadSizeLast{0};
    std::atomic<bool> fIsInit{false};
    std::atomic<bool> fIsDownload{false};
    std::atomic<bool> fIsRunning{false};
    std::atomic<bool> fCancel{false};
    std::atomic<bool> fDownloadStarted{false};
    std::shared_ptr<platform::IStartedProcess> fProcess;
    mutable std::mutex fFailureLock; // written by the workers, read by anyone
    std::string fFailure;

    TOnProgrammEvent fOnInit;
    TOnProgrammEvent fOnDownloadProgress;
    TOnProgrammEvent fOnDownload;
    TOnProgrammEvent fOnRun;
    TOnProgrammEvent fOnClose;
};

} // namespace brivane::install
