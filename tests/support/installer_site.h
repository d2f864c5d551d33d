#pragma once
// A loopback server of installers for the download and install tests: each path
// answers with its file (GET and HEAD), or as the test makes it misbehave, and the
// server counts the requests of each method and path.

#include "support/loopback_server.h"

#include <map>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace brivane::test {

struct TServedFile {
    std::string Body;
    int Status = 200;               // other than 200: that status and a short error page
    bool RefuseHead = false;        // HEAD is answered with 405
    bool HeadLengthZero = false;    // HEAD is answered with 200 and Content-Length 0
    std::string ContentDisposition; // sent when not empty
    std::string RedirectTo;         // a path: GET and HEAD answer 302 to it
    // Instead of Body: a terabyte announced, sent in small blocks until the client goes.
    bool Endless = false;
};

// A file of these bytes, answered with aStatus.
inline TServedFile Served(std::string aBody, int aStatus = 200) {
    TServedFile file;
    file.Body = std::move(aBody);
    file.Status = aStatus;
    return file;
}

class TInstallerSite {
public:
    // Serves from the start; Serve and Remove may be called at any time.
    TInstallerSite();

    void Serve(const std::string& aPath, TServedFile aFile);
    void Remove(const std::string& aPath);
    std::string Url(const std::string& aPath) const { return fServer.Url(aPath); }
    std::string Origin() const { return fServer.Origin(); }
    // Requests seen for "METHOD /path".
    int Requests(const std::string& aMethod, const std::string& aPath) const;
    // Every request so far as "METHOD /path", in the order they came.
    std::vector<std::string> Log() const;
    httplib::Server& Server() { return fServer.Server(); }

private:
    void Answer(const httplib::Request& aRequest, httplib::Response& aResponse);

    mutable std::mutex fLock; // the server's threads read the files
    std::map<std::string, TServedFile> fFiles;
    std::map<std::pair<std::string, std::string>, int> fRequests;
    std::vector<std::string> fLog;
    TLoopbackServer fServer;
};

} // namespace brivane::test
