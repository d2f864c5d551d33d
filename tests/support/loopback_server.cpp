#include "support/loopback_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace brivane::test {

namespace {

// httplib's own stop() does nothing until the accept loop has started; closing
// the listening socket directly stops the server whenever it is called.
template <class TBase>
class TStoppable : public TBase {
public:
    using TBase::TBase;
    void ForceStop() {
        const auto socket = this->svr_sock_.exchange(INVALID_SOCKET);
        if (socket != INVALID_SOCKET) {
            ::shutdown(socket, SHUT_RDWR);
            ::close(socket);
        }
    }
};

template <class TServer, class... TArgs>
std::unique_ptr<httplib::Server> MakeServer(std::function<void()>& aStop, TArgs&&... aArgs) {
    auto server = std::make_unique<TStoppable<TServer>>(std::forward<TArgs>(aArgs)...);
    aStop = [raw = server.get()] { raw->ForceStop(); };
    return server;
}

constexpr std::size_t kServerThreads = 48;

} // namespace

TLoopbackServer::TLoopbackServer() : fServer(MakeServer<httplib::Server>(fStop)) {
    Bind();
}

TLoopbackServer::TLoopbackServer(X509* aCertificate, EVP_PKEY* aKey)
    : fServer(MakeServer<httplib::SSLServer>(fStop, aCertificate, aKey, nullptr)), fTls(true) {
    if (!fServer->is_valid()) {
        throw std::runtime_error("TLS server could not be set up");
    }
    Bind();
}

void TLoopbackServer::Bind() {
    // Connections stay open for reuse, even on a busy machine. A server stops
    // once its clients have closed their connections (or after this timeout).
    fServer->set_keep_alive_max_count(100000);
    fServer->set_keep_alive_timeout(5);
    // A thread per open connection: with the default pool of 8, a test whose clients keep
    // more connections open would wait out the keep-alive timeout for a free thread.
    fServer->new_task_queue = [] { return new httplib::ThreadPool(kServerThreads); };
    // Without it a head and a body sent apart wait out the client's delayed ACK.
    fServer->set_tcp_nodelay(true);
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

TRawLoopbackServer::TRawLoopbackServer(THandler aHandler) {
    fListener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (fListener < 0 || ::bind(fListener, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        ::listen(fListener, 16) != 0 ||
        ::getsockname(fListener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        throw std::runtime_error("cannot listen on a loopback port");
    }
    fPort = ntohs(address.sin_port);
    fThread = std::thread([this, handler = std::move(aHandler)] {
        while (true) {
            const int connection = ::accept4(fListener, nullptr, nullptr, SOCK_CLOEXEC);
            if (connection < 0) {
                return; // the listener was shut down
            }
            handler(connection);
            ::close(connection);
        }
    });
}

TRawLoopbackServer::~TRawLoopbackServer() {
    ::shutdown(fListener, SHUT_RDWR);
    fThread.join();
    ::close(fListener);
}

std::string TRawLoopbackServer::Url(std::string_view aPath) const {
    return "http://127.0.0.1:" + std::to_string(fPort) + std::string(aPath);
}

std::string ReadRequestHead(int aSocket) {
    std::string head;
    char byte;
    while (!head.ends_with("\r\n\r\n") && ::recv(aSocket, &byte, 1, 0) == 1) {
        head += byte;
    }
    return head;
}

void SendAll(int aSocket, std::string_view aBytes) {
    while (!aBytes.empty()) {
        const auto sent = ::send(aSocket, aBytes.data(), aBytes.size(), MSG_NOSIGNAL);
        if (sent <= 0) {
            return;
        }
        aBytes.remove_prefix(static_cast<std::size_t>(sent));
    }
}

} // namespace brivane::test
