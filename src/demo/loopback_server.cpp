#include "demo/loopback_server.h"

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

template <class TServer, class... TArgs>
std::unique_ptr<httplib::Server> MakeServer(std::function<void()>& aStop, TArgs&&... aArgs) {
    auto server = std::make_unique<TStoppable<TServer>>(std::forward<TArgs>(aArgs)...);
    aStop = [raw = server.get()] { raw->ForceStop(); };
    return server;
}

} // namespace

TLoopbackServer::TLoopbackServer(std::size_t aThreads)
    : fServer(MakeServer<httplib::Server>(fStop)) {
    Bind(aThreads);
}

#ifdef CPPHTTPLIB_OPENSSL_SUPPORT
TLoopbackServer::TLoopbackServer(X509* aCertificate, EVP_PKEY* aKey)
    : fServer(MakeServer<httplib::SSLServer>(fStop, aCertificate, aKey, nullptr)), fTls(true) {
    if (!fServer->is_valid()) {
        throw std::runtime_error("TLS server could not be set up");
    }
    Bind(kDefaultServerThreads);
}
#endif

void TLoopbackServer::Bind(std::size_t aThreads) {
    // Connections stay open for reuse, even on a busy machine. A server stops
    // once its clients have closed their connections (or after this timeout).
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
