#pragma once
// An HTTP server on 127.0.0.1: the demo's stand-in for every publisher, and the tests'.
// It binds a free port when it is made and serves on threads of its own, a thread per
// open connection, until it is destroyed.
//
// Handlers run on server threads: state they share with others needs a lock or an
// atomic. cpp-httplib compresses text/* bodies (except some) with gzip when the request
// accepts gzip; handlers that must send their bytes unchanged use another type.

#include <httplib.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <thread>

namespace brivane::demo {

// Threads enough for the tests' clients; a server that many clients keep a connection
// to at once (every catalogue entry has a client of its own) needs more, or the clients
// beyond wait out the keep-alive timeout of others.
inline constexpr std::size_t kDefaultServerThreads = 48;

class TLoopbackServer {
public:
    // Plain HTTP, serving up to aThreads connections at a time.
    explicit TLoopbackServer(std::size_t aThreads = kDefaultServerThreads);
#ifdef CPPHTTPLIB_OPENSSL_SUPPORT
    // HTTPS with the given certificate and key (the server takes no ownership). The
    // Windows build has no OpenSSL: its servers speak plain HTTP only.
    TLoopbackServer(X509* aCertificate, EVP_PKEY* aKey);
#endif
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
    // The requests answered so far.
    std::uint64_t Requests() const { return fRequests.load(); }

private:
    void Bind(std::size_t aThreads);

    std::function<void()> fStop; // set up by the making of fServer
    std::unique_ptr<httplib::Server> fServer;
    bool fTls = false;
    int fPort = 0;
    std::atomic<std::uint64_t> fRequests{0};
    std::thread fThread;
};

} // namespace brivane::demo
