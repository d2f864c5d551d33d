#include "support/installer_site.h"

#include <chrono>
#include <thread>

namespace brivane::test {

TInstallerSite::TInstallerSite() {
    const auto answer = [this](const httplib::Request& aRequest, httplib::Response& aResponse) {
        Answer(aRequest, aResponse);
    };
    fServer.Server().Get(".*", answer); // HEAD too
    fServer.Start();
}

void TInstallerSite::Serve(const std::string& aPath, TServedFile aFile) {
    std::lock_guard lock(fLock);
    fFiles.insert_or_assign(aPath, std::move(aFile));
}

void TInstallerSite::Remove(const std::string& aPath) {
    std::lock_guard lock(fLock);
    fFiles.erase(aPath);
}

int TInstallerSite::Requests(const std::string& aMethod, const std::string& aPath) const {
    std::lock_guard lock(fLock);
    const auto found = fRequests.find({aMethod, aPath});
    return found == fRequests.end() ? 0 : found->second;
}

std::vector<std::string> TInstallerSite::Log() const {
    std::lock_guard lock(fLock);
    return fLog;
}

void TInstallerSite::Answer(const httplib::Request& aRequest, httplib::Response& aResponse) {
    TServedFile file;
    {
        std::lock_guard lock(fLock);
        ++fRequests[{aRequest.method, aRequest.path}];
        fLog.push_back(aRequest.method + " " + aRequest.path);
        const auto found = fFiles.find(aRequest.path);
        if (found == fFiles.end()) {
            aResponse.status = 404;
            aResponse.set_content("no such file", "application/octet-stream");
            return;
        }
        file = found->second;
    }
    const bool head = aRequest.method == "HEAD";
    if (!file.RedirectTo.empty()) {
        aResponse.set_redirect(fServer.Url(file.RedirectTo));
        return;
    }
    if (head && file.RefuseHead) {
        aResponse.status = 405;
        return;
    }
    if (file.Status != 200) {
        aResponse.status = file.Status;
        aResponse.set_content("error page", "application/octet-stream");
        return;
    }
    if (!file.ContentDisposition.empty()) {
        aResponse.set_header("Content-Disposition", file.ContentDisposition);
    }
    if (head && file.HeadLengthZero) {
        return;
    }
    if (file.Endless) {
        constexpr std::size_t kBlock = 16 * 1024;
        aResponse.set_content_provider(std::size_t{1} << 40, "application/octet-stream",
                                       [](std::size_t, std::size_t, httplib::DataSink& aSink) {
                                           static const std::string block(kBlock, 'e');
                                           // Slowly enough that a cancelled download leaves little
                                           // behind.
                                           std::this_thread::sleep_for(
                                               std::chrono::milliseconds(1));
                                           return aSink.write(block.data(), block.size());
                                       });
        return;
    }
    // Not text: cpp-httplib would gzip a text body for a client that accepts it.
    aResponse.set_content(file.Body, "application/octet-stream");
}

} // namespace brivane::test
