#pragma once
// Servers on 127.0.0.1 for tests that talk HTTP. Each binds a free port when it is
// made and serves on threads of its own until it is destroyed.
//
// Handlers run on server threads: state they share with the test needs a lock
// or an atomic (ThreadSanitizer does not see a socket as synchronisation).
// cpp-httplib compresses text/* bodies (except some) with gzip when the request
// accepts gzip; handlers that must send their bytes unchanged use another type.

#include <httplib.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <thread>

namespace brivane::test {

class TLoopbackServer {
public:
    // Plain HTTP.
    TLoopbackServer();
    // HTTPS with the given certificate and key (the server takes no ownership).
    TLoopbackServer(X509* aCertificate, EVP_PKEY* aKey);
    ~TLoopbackServer();
    TLoopbackServer(const TLoopbackServer&) = delete;
    TLoopbackServer& operator=(const TLoopbackServer&) = delete;

    // Register handlers here, then Start.
    httplib::Server& Server() { return *fServer; }
    void Start();

    int Port() const { return fPort; }
    // "http://127.0.0.1:<port>" (https for a TLS server).
    std::string Origin() const;
    // Origin() followed by aPath.
    std::string Url(std::string_view aPath = "/") const;

private:
    void Bind();

    std::function<void()> fStop; // set up by the making of fServer
    std::unique_ptr<httplib::Server> fServer;
    bool fTls = false;
    int fPort = 0;
    std::thread fThread;
};

// A bare TCP server on 127.0.0.1 for answers an HTTP library would not send (a
// body cut off, headers in a given order). Each accepted connection is handed to
// the handler on the server's thread, one at a time, and closed afterwards.
class TRawLoopbackServer {
public:
    using THandler = std::function<void(int aSocket)>;
    explicit TRawLoopbackServer(THandler aHandler);
    ~TRawLoopbackServer();
    TRawLoopbackServer(const TRawLoopbackServer&) = delete;
    TRawLoopbackServer& operator=(const TRawLoopbackServer&) = delete;

    int Port() const { return fPort; }
    std::string Url(std::string_view aPath = "/") const;

private:
    int fListener = -1;
    int fPort = 0;
    std::thread fThread;
};

// Reads a request's head, through the blank line that ends it (empty when the
// peer closes first).
std::string ReadRequestHead(int aSocket);
// Writes all of aBytes (ignoring a peer that went away).
void SendAll(int aSocket, std::string_view aBytes);

} // namespace brivane::test
