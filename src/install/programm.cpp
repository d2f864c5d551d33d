#include "install/programm.h"

#include "install/file_name.h"
#include "net/content_stream.h"
#include "net/http_helpers.h"
#include "platform/file_stream.h"

#include <cstdio>
#include <random>
#include <stdexcept>
#include <system_error>

namespace brivane::install {

namespace {

// "Dow" + a hexadecimal number + ".tmp", created empty and exclusively, as the Windows
// call for unique temporary files does with the prefix "Download".
std::filesystem::path CreateTempFile(const std::filesystem::path& aFolder) {
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        char name[32];
        std::snprintf(name, sizeof name, "Dow%X.tmp", static_cast<unsigned>(random()) & 0xFFFFu);
        const auto path = aFolder / name;
        if (std::FILE* file =
                platform::OpenFileForWriting(path, platform::TFileCreation::Exclusive)) {
            std::fclose(file);
            return path;
        }
    }
    throw std::runtime_error("Cannot create a temporary file in '" + aFolder.string() + "'");
}

void RemoveFile(const std::filesystem::path& aPath) {
    std::error_code ignored;
    std::filesystem::remove(aPath, ignored);
}

constexpr const char* kCancelled = "Cancelled";

// Windows installers also end with "success, restart required" (3010) or "success,
// restart started" (1641); through Wine on Linux only their low byte arrives (194, 105).
// An exit code the system did not give (-1) is no failure either.
bool InstallerSucceeded(int aExitCode) {
    for (const int success : {0, 3010, 1641, -1}) {
        if (aExitCode == success ||
            (aExitCode >= 0 && aExitCode < 256 && success > 0 && aExitCode == (success & 0xFF))) {
            return true;
        }
    }
    return false;
}

// "HTTP 404 Not Found from https://…/setup.exe".
std::string StatusFailure(const net::IHTTPResponse& aResponse) {
    std::string text = "HTTP " + std::to_string(aResponse.GetStatusCode());
    if (!aResponse.GetStatusText().empty()) {
        text += " " + aResponse.GetStatusText();
    }
    return text + " from " + aResponse.GetURL();
}

} // namespace

TProgramm::TProgramm(const std::filesystem::path& aDownloadDir, std::string aProgrammName,
                     TDownloadParams aDownloadParams, TProgrammOptions aOptions)
    : fName(std::move(aProgrammName)), fDownloadDir(aDownloadDir),
      fDownloadParams(std::move(aDownloadParams)), fOptions(std::move(aOptions)),
      fTempFile(CreateTempFile(fDownloadDir)) {}

TProgramm::~TProgramm() {
    Discard();
}

void TProgramm::Discard() {
    RemoveFile(fTempFile); // gone already once the installer was put in place
}

std::int64_t TProgramm::Size() const {
    return fIsInit ? fSize : -1;
}

std::int64_t TProgramm::DownloadSize() const {
    return fIsDownload ? fDownloadSize.load() : -1;
}

std::int64_t TProgramm::DownLoadChunkSize() const {
    return fIsInit ? fDownloadSize - fDownloadSizeLast : -1;
}

std::string TProgramm::FileName() const {
    return fIsInit ? fFileName : std::string();
}

net::TNetHeaders TProgramm::RequestHeaders() const {
    if (fDownloadParams.fReferer.empty()) {
        return {};
    }
    return {{"Referer", fDownloadParams.fReferer}};
}

std::unique_ptr<net::THTTPClient> TProgramm::CreateClient() const {
    return fOptions.CreateClient ? fOptions.CreateClient() : net::CreateDownloadClient();
}

bool TProgramm::Init() {
    auto client = CreateClient();
    client->SetCustomHeader("Accept-Encoding", "gzip, deflate");
    if (client->TimeLimit() == std::chrono::milliseconds::zero()) {
        client->SetTimeLimit(net::THTTPClient::kDefaultTimeLimit); // headers only
    }
    const auto headers = RequestHeaders();
    std::shared_ptr<net::IHTTPResponse> response;
    try {
        response = client->Head(fDownloadParams.fURL, headers);
    } catch (const std::exception&) {
        // no answer: the GET below may still get one
    }
    if (!response || response->GetStatusCode() != 200 || response->GetContentLength() == -1) {
        // HEAD refused, redirected (a HEAD is not followed) or without a length: a GET
        // that follows redirects and ends before the first byte of the body.
        client->SetOnReceiveData([](const net::THTTPRequest&, std::int64_t, std::int64_t,
                                    bool& aAbort) { aAbort = true; });
        response.reset();
        try {
            response = client->Get(fDownloadParams.fURL, nullptr, headers);
        } catch (const std::exception& e) {
            return Fail(e.what());
        }
        if (response->GetStatusCode() != 200) {
            return Fail(StatusFailure(*response));
        }
    }
    fFileName = DownloadFileName(response->GetHeaderValue("Content-Disposition"),
                                 response->GetURL(), fName);
    const std::int64_t length = response->GetContentLength();
    fSize = length > 0 ? length : fDownloadParams.fSize;
    if (fSize <= 0) {
        return Fail("The server gave no size for the installer");
    }
    fIsInit = true;
    Raise(fOnInit);
    return true;
}

bool TProgramm::Download() {
    fDownloadStarted = true;
    if (!fIsInit) {
        return false;
    }
    if (fCancel) {
        RemoveFile(fTempFile);
        return Fail(kCancelled);
    }
    auto client = CreateClient();
    // The installer's bytes as the server keeps them.
    client->RemoveCustomHeader("Accept-Encoding");
    fDownloadSize = 0;
    fDownloadSizeLast = 0;
    client->SetOnReceiveData(
        [this](const net::THTTPRequest&, std::int64_t, std::int64_t aReadCount, bool& aAbort) {
            if (fCancel) {
                aAbort = true;
                return;
            }
            Report(aReadCount);
        });
    bool complete = false;
    try {
        complete = Transfer(*client);
    } catch (const std::exception& e) {
        RemoveFile(fTempFile);
        return Fail(fCancel ? kCancelled : e.what());
    }
    fIsDownload = complete;
    if (!complete) {
        RemoveFile(fTempFile);
    }
    Raise(fOnDownload);
    return complete;
}

bool TProgramm::Transfer(net::THTTPClient& aClient) {
    net::TFileContent file(fTempFile);
    const auto response = aClient.Get(fDownloadParams.fURL, &file, RequestHeaders());
    file.Close();
    const std::int64_t announced = response->GetContentLength();
    if (fCancel) {
        return Fail(kCancelled);
    }
    if (response->GetStatusCode() != 200) {
        return Fail(StatusFailure(*response));
    }
    if (announced >= 0 && file.Size() != announced) {
        return Fail("The download broke off after " + std::to_string(file.Size()) + " of " +
                    std::to_string(announced) + " bytes");
    }
    // The client reports before each block, so the last one is reported here.
    Report(file.Size());
    return true;
}

void TProgramm::Report(std::int64_t aReadCount) {
    fDownloadSizeLast = fDownloadSize.load();
    fDownloadSize = aReadCount;
    Raise(fOnDownloadProgress);
}

bool TProgramm::MoveIntoPlace(const std::filesystem::path& aTarget) {
    std::error_code error;
    if (std::filesystem::exists(std::filesystem::symlink_status(aTarget, error))) {
        // A file still held open (by an earlier installer, on Windows) cannot be deleted
        // but can be moved aside.
        if (!std::filesystem::remove(aTarget, error) || error) {
            std::filesystem::path aside = aTarget;
            aside += ".tmp";
            std::filesystem::rename(aTarget, aside, error);
            if (error) {
                return false;
            }
        }
    }
    std::filesystem::rename(fTempFile, aTarget, error);
    if (error) {
        RemoveFile(fTempFile);
        return false;
    }
    return true;
}

bool TProgramm::Run() {
    if (!fIsDownload) {
        return false;
    }
    if (fIsRunning) {
        return true;
    }
    const auto target = TargetFile();
    if (fFileName.empty() || !MoveIntoPlace(target)) {
        return Fail("Cannot put the installer in place");
    }
    const auto start = fOptions.StartProgram ? fOptions.StartProgram : platform::StartProgram;
    auto started = start(target, {});
    if (!started.Process) {
        return Fail("Cannot start the installer: " + started.Error);
    }
    fProcess = std::move(started.Process);
    fIsRunning = true;
    Raise(fOnRun);
    return true;
}

bool TProgramm::WaitRun(std::chrono::milliseconds aTimeOut) {
    if (!fIsRunning || !fProcess->Wait(aTimeOut)) {
        return false;
    }
    const int code = fProcess->ExitCode();
    if (!InstallerSucceeded(code)) {
        Fail("Its installer ended with exit code " + std::to_string(code));
    }
    Raise(fOnClose);
    return true;
}

bool TProgramm::Fail(std::string aWhy) {
    const std::lock_guard lock(fFailureLock);
    fFailure = std::move(aWhy);
    return false;
}

std::string TProgramm::Failure() const {
    const std::lock_guard lock(fFailureLock);
    return fFailure;
}

void TProgramm::Raise(const TOnProgrammEvent& aEvent) {
    if (!aEvent) {
        return;
    }
    try {
        aEvent(*this);
    } catch (...) {
        // A handler's failure must not end the job.
    }
}

} // namespace brivane::install
