#include "demo/loopback_server.h"

#include <chrono>
#include <stdexcept>

namespace brivane::demo {

namespace {

// httplib.h brings the socket headers of either system, whose names for this differ.
#ifdef _WIN32
constexpr int kShutBoth = SD_BOTH;
#else
constexpr int kShutBoth = SHUT_RDWR;
#endif

// httplib's own stop() does nothing until the accept loop has started; closing
// the listening socket directly stops the server whenever it is called.
template <class TBase>
class TStoppable : public TBase {
public:
    using TBase::TBase;
    void ForceStop() {
        const auto socket = this->svr_sock_.exchange(INVALID_SOCKET);
        if (socket != INVALID_SOCKET) {
            ::shutdown(socket, kShutBoth);
            httplib::detail::close_socket(socket);
        }
    }
};

#ifdef _WIN32
// A plain server whose stop also ends at once the connections that idle between
// requests: WinINet keeps its connections for its whole process, which would hold the
// stop for the keep-alive timeout. (libcurl closes them with its client; the Linux
// build's httplib keeps the details this needs inside its library.)
class TPlainServer : public TStoppable<httplib::Server> {
private:
    // httplib's own, but for the wait between requests.
    bool process_and_close_socket(socket_t aSocket) override {
        bool result = false;
        for (auto left = keep_alive_max_count_; left > 0 && WaitForRequest(aSocket); --left) {
            httplib::detail::SocketStream stream(aSocket, read_timeout_sec_, read_timeout_usec_,
                                                 write_timeout_sec_, write_timeout_usec_);
            bool closed = false;
            result = process_request(stream, left == 1, closed, nullptr);
            if (!result || closed) {
                break;
            }
        }
        httplib::detail::shutdown_socket(aSocket);
        httplib::detail::close_socket(aSocket);
        return result;
    }

    // Whether a request arrives on the connection before the keep-alive timeout and
    // while the server runs.
    bool WaitForRequest(socket_t aSocket) const {
        const auto end =
            std::chrono::steady_clock::now() + std::chrono::seconds(keep_alive_timeout_sec_);
        while (svr_sock_ != INVALID_SOCKET) {
            const auto ready = httplib::detail::select_read(aSocket, 0, 10'000);
            if (ready != 0) {
                return ready > 0;
            }
            if (std::chrono::steady_clock::now() > end) {
                return false;
            }
        }
        return false;
    }
};
#else
using TPlainServer = TStoppable<httplib::Server>;
#endif

template <class TServer, class... TArgs>
std::unique_ptr<httplib::Server> MakeServer(std::function<void()>& aStop, TArgs&&... aArgs) {
    auto server = std::make_unique<TServer>(std::forward<TArgs>(aArgs)...);
    aStop = [raw = server.get()] { raw->ForceStop(); };
    return server;
}

} // namespace

TLoopbackServer::TLoopbackServer(std::size_t aThreads) : fServer(MakeServer<TPlainServer>(fStop)) {
    Bind(aThreads);
}

#ifdef CPPHTTPLIB_OPENSSL_SUPPORT
TLoopbackServer::TLoopbackServer(X509* aCertificate, EVP_PKEY* aKey)
    : fServer(MakeServer<TStoppable<httplib::SSLServer>>(fStop, aCertificate, aKey, nullptr)),
      fTls(true) {
    if (!fServer->is_valid()) {
        throw std::runtime_error("TLS server could not be set up");
    }
    Bind(kDefaultServerThreads);
}
#endif

void TLoopbackServer::Bind(std::size_t aThreads) {
    // Connections stay open for reuse, even on a busy machine.
    fServer->set_keep_alive_max_count(100000);
    fServer->set_keep_alive_timeout(5);
    // A thread per open connection: with the default pool of 8, a test whose clients keep
    // more connections open would wait out the keep-alive timeout for a free thread.
    fServer->new_task_queue = [aThreads] { return new httplib::ThreadPool(aThreads); };
    // Without it a head and a body sent apart wait out the client's delayed ACK.
    fServer->set_tcp_nodelay(true);
    fServer->set_logger([this](const httplib::Request&, const httplib::Response&) { ++fRequests; });
    fPort = fServer->bind_to_any_port("127.0.0.1");
    if (fPort <= 0) {
        throw std::runtime_error("cannot bind a loopback port");
    }
}

void TLoopbackServer::Start() {
    fThread = std::thread([this] { fServer->listen_after_bind(); });
}

TLoopbackServer::~TLoopbackServer() {
    fStop();
    if (fThread.joinable()) {
        fThread.join();
    }
}

std::string TLoopbackServer::Origin() const {
    return std::string(fTls ? "https" : "http") + "://127.0.0.1:" + std::to_string(fPort);
}

std::string TLoopbackServer::Url(std::string_view aPath) const {
    return Origin() + std::string(aPath);
}

} // namespace brivane::demo
